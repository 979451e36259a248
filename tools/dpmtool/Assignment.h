// One assignment of dpmtool set ("squelch=5", "ch3.rx=446.5", "test1.rxtone=D023N"),
// applied with the rules of the form and the grids.
#pragma once

#include "radio/DromelPgmDoc.h"

#include <string>
#include <vector>

// Applies one assignment to doc. A malformed assignment, an index outside its list, a
// disabled control, a greyed cell, a priority on an empty channel, or a frequency or tone
// text that could not have been typed into its cell is refused: a DpmError with status 2
// whose message names the file, the assignment and the reason. Nothing is changed then. The
// alignment values ("align.batterylow=200") and the Manual Adjust switch are refused unless
// dealer is set (the access code was given). A decimal comma in a frequency is read as the
// decimal point. Returns the notices of what the assignment changed beyond what was given: a
// cell value clamped or replaced ("ch1.rx: 999 is above the model's band, stored as
// 480.00000"), a comma read, the scan type reset; none when it stored what was given.
std::vector<std::string> ApplyAssignment(CDromelPgmDoc& doc, const std::string& assignment,
                                         const std::string& path, bool dealer);
