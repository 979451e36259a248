// The differences between two documents by meaning: each channel cell, test channel cell,
// option and check box whose text differs is one entry named as dpmtool names it
// ("ch3 rx", "squelch", "test7 txtone"); differing bits that no named entry explains are
// listed by address ("0x00E").
#pragma once

#include "radio/DromelPgmDoc.h"
#include "radio/ValueKeywords.h"

#include <string>
#include <vector>

struct FieldDiff {
    std::string name;
    std::string a; // the text in the first document
    std::string b; // the text in the second document
    // False for the dealers' values (alignment, Manual Adjust) when the access code was not
    // given: the entry only says that they differ.
    bool valuesShown = true;
    // The same values as words of no language (ValueKeywords.h): the keyword of a cell, an
    // option's index, a check box's true or false; the text itself where it has no language.
    SKeyword aWord;
    SKeyword bWord;
};

// The part of the image a write sends into the radio (up to kWrittenEnd): what the radio holds
// after a good write of a, compared with b read from the radio.
std::vector<FieldDiff> DiffWrittenImage(const CDromelPgmDoc& a, const CDromelPgmDoc& b,
                                        bool dealer);

// Two whole documents: the written part, the model, the rest of the image with the
// alignment values, and the header text.
std::vector<FieldDiff> DiffDocuments(const CDromelPgmDoc& a, const CDromelPgmDoc& b, bool dealer);
