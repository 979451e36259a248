// The values of the channel cells, the test channel cells, the options and the check boxes
// as words of no language: what dpmtool's machine output gives and what `dpmtool set`
// takes, whichever language file is in force. Frequencies read as the grid shows them
// ("446.00625"), tones as "none", "67.0" or "D023N", the channel width as "wide" or
// "narrow", the yes/no cells and the check boxes as true or false, the options by their
// index in the list.
#pragma once

#include "radio/DromelPgmDoc.h"

#include <string>

enum class EKeywordType {
    kEmpty,  // a greyed cell or an erased frequency: no value
    kWord,   // a word or a number written as text ("narrow", "67.0", "446.00625")
    kFlag,   // "true" or "false"
    kNumber, // a whole number ("3")
};

struct SKeyword {
    EKeywordType type = EKeywordType::kEmpty;
    std::string word;
    bool operator==(const SKeyword&) const = default;
};

SKeyword WordKeyword(const std::string& word);
SKeyword FlagKeyword(bool on);
SKeyword NumberKeyword(int number);

// Channel n's cell in column col (1..8) of the channel grid; empty when the cell is greyed
// or its frequency erased.
SKeyword ChannelCellKeyword(const CDromelPgmDoc& doc, int n, int col);
// Test channel r's cell in column col (1..4) of the test channel grid; empty as above.
SKeyword TestCellKeyword(const CDromelPgmDoc& doc, int r, int col);

// The list entry of a yes/no or width column (5..8) a word stands for, case ignored: 0 for
// "true" or "yes" (the width column: "wide"), 1 for "false" or "no" ("narrow"); -1 for any
// other word.
int ChannelListIndexOfWord(int col, const std::string& word);
// A check box's state a word stands for, case ignored: 1 for "true" or "on", 0 for "false"
// or "off"; -1 for any other word.
int CheckOfWord(const std::string& word);
// True for the word of the none tone, "none" (case ignored).
bool IsNoneToneWord(const std::string& word);
