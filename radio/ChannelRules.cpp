#include "radio/ChannelRules.h"

#include "app/AsciiText.h"
#include "app/LangString.h"

namespace {

// Counts the scan list again; true when that reset a chosen scan type to no scan.
bool CountScanList(CDromelPgmDoc& doc) {
    const int before = doc.GetScanType();
    doc.HasScanList();
    return before != 0 && doc.GetScanType() == 0;
}

} // namespace

bool IsChannelCellReadOnly(const CDromelPgmDoc& doc, int n, int col) {
    if (col == kColRxFreq) {
        return false;
    }
    if (doc.IsRxEmpty(n)) {
        return true;
    }
    return col == kColTxTone && doc.IsRxOrTxEmpty(n);
}

std::string GetChannelCellText(const CDromelPgmDoc& doc, int n, int col) {
    if (IsChannelCellReadOnly(doc, n, col)) {
        return {};
    }
    switch (col) {
    case kColRxFreq:
        return doc.GetFreqText(n, true);
    case kColRxTone:
        return doc.GetToneText(n, true);
    case kColTxFreq:
        return doc.GetFreqText(n, false);
    case kColTxTone:
        return doc.GetToneText(n, false);
    case kColScan:
    case kColOpt6:
    case kColBand:
    case kColOpt8:
        return ChannelListEntries(col)[GetChannelListIndex(doc, n, col)];
    default:
        return {};
    }
}

SStoredValue CommitChannelFreq(CDromelPgmDoc& doc, int n, bool rx, const std::string& typed) {
    const bool same = doc.IsTxSameAsRx(n);
    std::string text = typed;
    SStoredValue stored;
    const bool comma = ReadDecimalComma(text);
    const int range = doc.CheckRange(text);
    if (range != 0) {
        text = doc.GetLimitText(range > 0);
        stored.how = range > 0 ? EStored::kAboveBand : EStored::kBelowBand;
    } else {
        stored.how = FreqTextStoring(text);
    }
    if (comma && stored.how == EStored::kAsGiven) {
        stored.how = EStored::kComma;
    }
    // Only a text other than the cell showed marks the document; the same text stored again
    // still rewrites an empty channel's fields.
    const CDocEdit edit(doc, EqualsNoCase(text, doc.GetFreqText(n, rx)) ? EDocChange::kCellRewrite
                                                                        : EDocChange::kCellCommit);
    doc.SetFreqText(n, rx, text);
    if (text.empty()) {
        doc.SetToneText(n, false, "");
        if (rx) {
            doc.SetOptCol6(n, false);
            doc.SetToneText(n, true, "");
            doc.SetFreqText(n, false, "");
            doc.SetScanAdd(n, true);
            doc.SetNarrow(n, false);
            doc.SetOptCol8(n, false);
        }
    } else if (rx && same) {
        doc.SetFreqText(n, false, doc.GetFreqText(n, true));
    }
    // Erasing or creating a channel can change the scan list.
    stored.scanTypeReset = CountScanList(doc);
    stored.text = doc.GetFreqText(n, rx);
    return stored;
}

SStoredValue CommitChannelTone(CDromelPgmDoc& doc, int n, bool rx, const std::string& text) {
    const bool same = doc.IsTxToneSameAsRx(n);
    const CDocEdit edit(doc, EqualsNoCase(text, doc.GetToneText(n, rx)) ? EDocChange::kCellRewrite
                                                                        : EDocChange::kCellCommit);
    doc.SetToneText(n, rx, text);
    if (rx && same) {
        doc.SetToneText(n, false, text);
    }
    return {ToneTextStoring(text, GetLangString("IDS_NONE")), doc.GetToneText(n, rx)};
}

OptionList ChannelListEntries(int col) {
    if (col == kColBand) {
        return {GetLangString("IDS_WIDE"), GetLangString("IDS_NARROW")};
    }
    return {GetLangString("IDS_YES"), GetLangString("IDS_NO")};
}

int GetChannelListIndex(const CDromelPgmDoc& doc, int n, int col) {
    switch (col) {
    case kColScan:
        return doc.GetScanAdd(n) ? 0 : 1;
    case kColOpt6:
        return doc.GetOptCol6(n) ? 0 : 1;
    case kColBand:
        return doc.GetNarrow(n) ? 1 : 0;
    default:
        return doc.GetOptCol8(n) ? 0 : 1;
    }
}

SStoredValue CommitChannelList(CDromelPgmDoc& doc, int n, int col, int k) {
    const CDocEdit edit(doc, EDocChange::kListCommit);
    SStoredValue stored;
    switch (col) {
    case kColScan:
        doc.SetScanAdd(n, k == 0);
        stored.scanTypeReset = CountScanList(doc);
        break;
    case kColOpt6:
        doc.SetOptCol6(n, k == 0);
        break;
    case kColBand:
        doc.SetNarrow(n, k == 1);
        break;
    case kColOpt8:
        doc.SetOptCol8(n, k == 0);
        break;
    default:
        break;
    }
    stored.text = ChannelListEntries(col)[GetChannelListIndex(doc, n, col)];
    return stored;
}
