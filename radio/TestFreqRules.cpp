#include "radio/TestFreqRules.h"

#include "app/LangString.h"

bool IsTestCellReadOnly(const CDromelPgmDoc& doc, int r, int col) {
    const int n = TestChannel(r);
    if (col == kTestColRxTone) {
        return doc.IsRxEmpty(n);
    }
    return col == kTestColTxTone && doc.IsRxOrTxEmpty(n);
}

std::string GetTestCellText(const CDromelPgmDoc& doc, int r, int col) {
    const int n = TestChannel(r);
    if (IsTestCellReadOnly(doc, r, col)) {
        return {};
    }
    switch (col) {
    case kTestColRxFreq:
        return doc.GetFreqText(n, true);
    case kTestColRxTone:
        return doc.GetToneText(n, true);
    case kTestColTxFreq:
        return doc.GetFreqText(n, false);
    case kTestColTxTone:
        return doc.GetToneText(n, false);
    default:
        return {};
    }
}

SStoredValue CommitTestFreq(CDromelPgmDoc& doc, int r, bool rx, const std::string& typed) {
    std::string text = typed;
    const bool comma = ReadDecimalComma(text);
    doc.SetFreqText(TestChannel(r), rx, text);
    EStored how = FreqTextStoring(text);
    if (comma && how == EStored::kAsGiven) {
        how = EStored::kComma;
    }
    return {how, doc.GetFreqText(TestChannel(r), rx)};
}

SStoredValue CommitTestTone(CDromelPgmDoc& doc, int r, bool rx, const std::string& text) {
    doc.SetToneText(TestChannel(r), rx, text);
    return {ToneTextStoring(text, GetLangString("IDS_NONE")), doc.GetToneText(TestChannel(r), rx)};
}
