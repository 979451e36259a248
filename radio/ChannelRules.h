// What the channel grid does to the document: which cells can be edited, what each cell
// shows, and how an edited cell is written back (limits, the transmit side following the
// receive side, erasing a channel, the modified flag).
#pragma once

#include "radio/DromelPgmDoc.h"
#include "radio/OptionLists.h"
#include "radio/StoredValue.h"

// Columns of the channel grid; rows 1..16 are channels 1..16.
enum ChannelColumn {
    kColNumber = 0,
    kColRxFreq = 1,
    kColRxTone = 2,
    kColTxFreq = 3,
    kColTxTone = 4,
    kColScan = 5,
    kColOpt6 = 6,
    kColBand = 7,
    kColOpt8 = 8,
};
constexpr int kChannelColumns = 9;

// An empty channel can only have its receive frequency edited; a channel without a
// transmit frequency cannot have its transmit tone edited.
bool IsChannelCellReadOnly(const CDromelPgmDoc& doc, int n, int col);

// The cell text as the grid shows it (columns 1..8): frequency and tone texts, the
// IDS_YES/IDS_NO and IDS_WIDE/IDS_NARROW texts, and empty text in read-only cells.
std::string GetChannelCellText(const CDromelPgmDoc& doc, int n, int col);

// Commits a frequency cell. A value outside the model's limits becomes the violated limit;
// the document is marked modified when the text differs (ignoring case) from what was
// shown. An empty text erases the transmit tone; an empty receive frequency erases the
// whole channel (both frequencies, both tones, scan yes, options no, wide). A receive
// frequency that was equal to the transmit one takes the transmit one along. A decimal comma
// is read as the decimal point. Last, the scan list is counted again: with fewer than two
// scanned channels the scan type becomes no scan. Returns how the value was stored: a band
// limit, the comma read, or what the codec did, and whether the scan type was reset
// (StoredValue.h).
SStoredValue CommitChannelFreq(CDromelPgmDoc& doc, int n, bool rx, const std::string& text);

// Commits a tone cell; the document is marked modified when the text differs (ignoring
// case) from what was shown. A receive tone that was equal to the transmit tone takes the
// transmit tone along. Returns how the tone was stored (StoredValue.h).
SStoredValue CommitChannelTone(CDromelPgmDoc& doc, int n, bool rx, const std::string& text);

// The entries of a list cell (columns 5..8): IDS_YES, IDS_NO, or IDS_WIDE, IDS_NARROW.
OptionList ChannelListEntries(int col);
// The entry a list cell stands at now: 0 for yes or wide, 1 for no or narrow.
int GetChannelListIndex(const CDromelPgmDoc& doc, int n, int col);
// Commits a list cell with the list's selection k (-1 for none: no, or wide). Does not mark
// the document modified: a change of the selection does that, as it happens. A change of the
// scan column counts the scan list again, as a frequency commit does. Returns the entry
// stored and whether the scan type was reset.
SStoredValue CommitChannelList(CDromelPgmDoc& doc, int n, int col, int k);
