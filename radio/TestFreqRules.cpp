#include "radio/TestFreqRules.h"

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

SStoredValue CommitTestFreq(CDromelPgmDoc& doc, int r, bool rx, const std::string& text) {
    doc.SetFreqText(TestChannel(r), rx, text);
    return {FreqTextStoring(text), doc.GetFreqText(TestChannel(r), rx)};
}

SStoredValue CommitTestTone(CDromelPgmDoc& doc, int r, bool rx, const std::string& text) {
    doc.SetToneText(TestChannel(r), rx, text);
    return {ToneTextStoring(text), doc.GetToneText(TestChannel(r), rx)};
}
