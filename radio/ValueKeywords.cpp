#include "radio/ValueKeywords.h"

#include "app/AsciiText.h"
#include "radio/ChannelRules.h"
#include "radio/TestFreqRules.h"

namespace {

// A frequency as the grid shows it; an erased one (an empty channel's) has no value.
SKeyword FreqKeyword(const CDromelPgmDoc& doc, int n, bool rx) {
    const std::string text = doc.GetFreqText(n, rx);
    return text.empty() ? SKeyword{} : WordKeyword(text);
}

SKeyword ToneKeyword(const CDromelPgmDoc& doc, int n, bool rx) {
    return WordKeyword(doc.GetToneKind(n, rx) == EToneKind::kNone ? "none"
                                                                  : doc.GetToneText(n, rx));
}

// Index 0 or 1 of a word pair, case ignored; -1 for any other word.
int PairIndex(const std::string& word, const char* first, const char* second) {
    if (EqualsNoCase(word, first)) {
        return 0;
    }
    return EqualsNoCase(word, second) ? 1 : -1;
}

} // namespace

SKeyword WordKeyword(const std::string& word) {
    return {EKeywordType::kWord, word};
}

SKeyword FlagKeyword(bool on) {
    return {EKeywordType::kFlag, on ? "true" : "false"};
}

SKeyword NumberKeyword(int number) {
    return {EKeywordType::kNumber, std::to_string(number)};
}

SKeyword ChannelCellKeyword(const CDromelPgmDoc& doc, int n, int col) {
    if (IsChannelCellReadOnly(doc, n, col)) {
        return {};
    }
    switch (col) {
    case kColRxFreq:
    case kColTxFreq:
        return FreqKeyword(doc, n, col == kColRxFreq);
    case kColRxTone:
    case kColTxTone:
        return ToneKeyword(doc, n, col == kColRxTone);
    case kColBand:
        return WordKeyword(GetChannelListIndex(doc, n, col) == 0 ? "wide" : "narrow");
    case kColScan:
    case kColOpt6:
    case kColOpt8:
        return FlagKeyword(GetChannelListIndex(doc, n, col) == 0);
    default:
        return {};
    }
}

SKeyword TestCellKeyword(const CDromelPgmDoc& doc, int r, int col) {
    if (IsTestCellReadOnly(doc, r, col)) {
        return {};
    }
    const int n = TestChannel(r);
    switch (col) {
    case kTestColRxFreq:
    case kTestColTxFreq:
        return FreqKeyword(doc, n, col == kTestColRxFreq);
    case kTestColRxTone:
    case kTestColTxTone:
        return ToneKeyword(doc, n, col == kTestColRxTone);
    default:
        return {};
    }
}

int ChannelListIndexOfWord(int col, const std::string& word) {
    if (col == kColBand) {
        return PairIndex(word, "wide", "narrow");
    }
    const int index = PairIndex(word, "true", "false");
    return index >= 0 ? index : PairIndex(word, "yes", "no");
}

int CheckOfWord(const std::string& word) {
    int index = PairIndex(word, "true", "false");
    if (index < 0) {
        index = PairIndex(word, "on", "off");
    }
    return index < 0 ? -1 : 1 - index;
}

bool IsNoneToneWord(const std::string& word) {
    return EqualsNoCase(word, "none");
}
