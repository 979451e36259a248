// Operations on whole channels of the grid: inserting an empty channel, deleting one, moving
// one past its neighbour and ordering them by receive frequency. Each is one change of the
// document. The channel records move byte for byte; the priority channel follows its
// channel, and the scan list is counted again afterwards.
#pragma once

#include "radio/DromelPgmDoc.h"

// Channel n (1..16; nothing for another n) as an empty channel, the channels from n on one place
// down. Channel 16 falls off the end: ask first when IsChannelInUse(doc, kChannelCount).
void InsertChannel(CDromelPgmDoc& doc, int n);
// Channel n (1..16; nothing for another n) removed, the channels after it one place up; channel 16
// becomes empty.
void DeleteChannel(CDromelPgmDoc& doc, int n);
// Swaps channel n with channel n - 1 (up) or n + 1 (down). False, and nothing changed, when
// there is no such neighbour among 1..16.
bool MoveChannel(CDromelPgmDoc& doc, int n, bool up);
// The used channels ordered by receive frequency (equal ones keep their order), the empty
// ones after them.
void SortByFrequency(CDromelPgmDoc& doc);

bool IsChannelInUse(const CDromelPgmDoc& doc, int n);
// True when SortByFrequency would change nothing.
bool IsSortedByFrequency(const CDromelPgmDoc& doc);
