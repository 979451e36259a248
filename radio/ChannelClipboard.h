// The channel grid's clipboard text. Whole channels travel as the CSV that dpmtool export
// writes (with its header line) and, for spreadsheets, as tab-separated cell texts; a block
// of cells travels as tab-separated texts alone. Paste takes either, and the CSV of the
// other programming tools that dpmtool import reads, through the rules of typing into the
// grid; clearing cells follows the same rules.
#pragma once

#include "radio/DromelPgmDoc.h"

#include <string>
#include <vector>

// The cells of rows minRow..maxRow (channels) and columns minCol..maxCol (1..8) as the grid
// shows them: one line per row ending in "\n", the cells separated by tabs.
std::string ChannelCellsTsv(const CDromelPgmDoc& doc, int minRow, int minCol, int maxRow,
                            int maxCol);

struct SPasteResult {
    bool pasted = false;              // false: the document was not touched
    int channels = 0;                 // how many channels were written
    std::vector<std::string> refused; // every row that cannot be used: nothing was pasted
    // the values stored otherwise than given (clamped to the band, rounded to the raster)
    std::vector<std::string> notices;
};

// Pastes text into the grid at the focused cell (row = channel, col = column 1..8), as one
// change of the document. A channel CSV puts its first row into channel row and each later
// row as many channels further as its Location lies after the first; other text is a block
// of tab-separated cells that lands from the focused cell right and down. A row that cannot
// be used (a value the cell could not take, a list entry the cell does not have, a place
// beyond channel 16 or beyond the last column) is named, and then nothing is pasted at all.
// Cells that are greyed when their turn comes (the channel is empty) are left as they are.
SPasteResult PasteChannels(CDromelPgmDoc& doc, int row, int col, const std::string& text);

// Clears the cells of the block, as one change of the document: a frequency or tone cell as
// if its text were deleted (a cleared receive frequency erases the channel), a list cell to
// no (narrow stays wide). Greyed cells stay as they are.
void ClearChannelCells(CDromelPgmDoc& doc, int minRow, int minCol, int maxRow, int maxCol);
