// One assignment of dpmtool set ("squelch=5", "ch3.rx=446.5", "test1.rxtone=D023N"),
// applied with the rules of the form and the grids.
#pragma once

#include "radio/DromelPgmDoc.h"

// Applies one assignment to doc. A malformed assignment, an index outside its list, a
// disabled control, a greyed cell or a priority on an empty channel is refused: a DpmError
// with status 2 whose message names the file and the reason. Nothing is changed then. The
// alignment values ("align.batterylow=200") and the Manual Adjust switch are refused unless
// dealer is set (the access code was given).
void ApplyAssignment(CDromelPgmDoc& doc, const std::string& assignment, const std::string& path,
                     bool dealer);
