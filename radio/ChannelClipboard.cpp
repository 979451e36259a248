#include "radio/ChannelClipboard.h"

#include "app/AsciiText.h"
#include "app/LangString.h"
#include "radio/CellTyping.h"
#include "radio/ChannelCsv.h"
#include "radio/ChannelRules.h"
#include "radio/ImageFields.h"
#include "radio/ValueNotice.h"

#include <algorithm>

namespace {

bool IsFreqColumn(int col) {
    return col == kColRxFreq || col == kColTxFreq;
}

bool IsToneColumn(int col) {
    return col == kColRxTone || col == kColTxTone;
}

const char* CellName(int col) {
    switch (col) {
    case kColRxFreq:
        return kFieldRxFreq.name;
    case kColTxFreq:
        return kFieldTxFreq.name;
    case kColRxTone:
        return kFieldRxTone.name;
    default:
        return kFieldTxTone.name;
    }
}

// The rows of tab-separated text; a line break at the end makes no empty row.
std::vector<std::vector<std::string>> SplitTsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::vector<std::string> fields;
        std::size_t from = 0;
        for (std::size_t tab = line.find('\t'); tab != std::string::npos;
             tab = line.find('\t', from)) {
            fields.push_back(Trim(line.substr(from, tab - from)));
            from = tab + 1;
        }
        fields.push_back(Trim(line.substr(from)));
        rows.push_back(std::move(fields));
        start = end + 1;
    }
    return rows;
}

// The list entry the text names (case ignored); -1 for empty text.
int ListEntry(int col, const std::string& text, std::string& refusal) {
    if (text.empty()) {
        return -1;
    }
    const OptionList entries = ChannelListEntries(col);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        if (EqualsNoCase(text, entries[k])) {
            return static_cast<int>(k);
        }
    }
    std::string names;
    for (const std::string& entry : entries) {
        names += (names.empty() ? "" : ", ") + entry;
    }
    refusal = FormatLangString("IDS_PASTE_NOT_ENTRY", {text, names});
    return -1;
}

// Why the cell text cannot go into column col; empty when it can.
std::string CellRefusal(int col, const std::string& text) {
    std::string refusal;
    if (IsFreqColumn(col)) {
        const ETyping typing = CheckFreqTyping(text);
        if (typing != ETyping::kTypable) {
            refusal = TypingRefusal(typing, false, text);
        }
    } else if (IsToneColumn(col)) {
        const ETyping typing = CheckToneTyping(text, GetLangString("IDS_NONE"));
        if (typing != ETyping::kTypable) {
            refusal = TypingRefusal(typing, true, text);
        }
    } else {
        ListEntry(col, text, refusal);
    }
    return refusal;
}

std::string RowRefusal(int line, const std::string& reason) {
    return FormatLangString("IDS_PASTE_ROW", {std::to_string(line), reason});
}

std::string BeyondLastChannel(int n) {
    return FormatLangString("IDS_PASTE_BEYOND", {std::to_string(n), std::to_string(kChannelCount)});
}

void WriteCell(CDromelPgmDoc& doc, int n, int col, const std::string& text,
               std::vector<std::string>& notices) {
    if (IsChannelCellReadOnly(doc, n, col)) {
        return;
    }
    if (IsFreqColumn(col) || IsToneColumn(col)) {
        const bool rx = col == kColRxFreq || col == kColRxTone;
        const SStoredValue stored = IsFreqColumn(col) ? CommitChannelFreq(doc, n, rx, text)
                                                      : CommitChannelTone(doc, n, rx, text);
        const std::string notice =
            StoredNotice("ch" + std::to_string(n) + "." + CellName(col), text, stored);
        if (!notice.empty()) {
            notices.push_back(notice);
        }
        return;
    }
    std::string refusal;
    const int k = ListEntry(col, text, refusal);
    if (k >= 0 && k != GetChannelListIndex(doc, n, col)) {
        CommitChannelList(doc, n, col, k);
    }
}

SPasteResult PasteCsv(CDromelPgmDoc& doc, int row, const SCsvChannels& read) {
    SPasteResult result;
    result.refused = read.skipped;
    int first = kChannelCount;
    for (const SCsvChannel& ch : read.rows) {
        first = std::min(first, ch.location);
    }
    for (const SCsvChannel& ch : read.rows) {
        const int n = row + ch.location - first;
        if (n > kChannelCount) {
            result.refused.push_back("line " + std::to_string(ch.line) + ": " +
                                     BeyondLastChannel(n));
        }
    }
    if (!result.refused.empty() || read.rows.empty()) {
        return result;
    }
    const CDocEdit edit(doc, EDocChange::kPaste);
    for (const SCsvChannel& ch : read.rows) {
        WriteCsvChannel(doc, row + ch.location - first, ch, "", result.notices);
    }
    result.pasted = true;
    result.channels = static_cast<int>(read.rows.size());
    return result;
}

SPasteResult PasteTsv(CDromelPgmDoc& doc, int row, int col, const std::string& text) {
    SPasteResult result;
    const auto rows = SplitTsv(text);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int n = row + static_cast<int>(r);
        const int line = static_cast<int>(r) + 1;
        std::string reason;
        if (n > kChannelCount) {
            reason = BeyondLastChannel(n);
        } else if (col + static_cast<int>(rows[r].size()) > kChannelColumns) {
            reason = GetLangString("IDS_PASTE_COLUMNS");
        }
        for (std::size_t c = 0; c < rows[r].size() && reason.empty(); ++c) {
            reason = CellRefusal(col + static_cast<int>(c), rows[r][c]);
        }
        if (!reason.empty()) {
            result.refused.push_back(RowRefusal(line, reason));
        }
    }
    if (!result.refused.empty() || rows.empty()) {
        return result;
    }
    const CDocEdit edit(doc, EDocChange::kPaste);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            WriteCell(doc, row + static_cast<int>(r), col + static_cast<int>(c), rows[r][c],
                      result.notices);
        }
    }
    result.pasted = true;
    result.channels = static_cast<int>(rows.size());
    return result;
}

} // namespace

std::string ChannelCellsTsv(const CDromelPgmDoc& doc, int minRow, int minCol, int maxRow,
                            int maxCol) {
    std::string out;
    for (int n = std::max(minRow, 1); n <= std::min(maxRow, kChannelCount); ++n) {
        for (int col = std::max(minCol, 1); col <= std::min(maxCol, kChannelColumns - 1); ++col) {
            out += (col > std::max(minCol, 1) ? "\t" : "") + GetChannelCellText(doc, n, col);
        }
        out += "\n";
    }
    return out;
}

SPasteResult PasteChannels(CDromelPgmDoc& doc, int row, int col, const std::string& text) {
    if (row < 1 || row > kChannelCount || text.find('\0') != std::string::npos) {
        return {};
    }
    const SCsvChannels read = ReadChannelsCsv(text);
    if (read.isChannelCsv) {
        return PasteCsv(doc, row, read);
    }
    return PasteTsv(doc, row, std::clamp(col, 1, kChannelColumns - 1), text);
}

void ClearChannelCells(CDromelPgmDoc& doc, int minRow, int minCol, int maxRow, int maxCol) {
    const CDocEdit edit(doc, EDocChange::kClear);
    for (int n = std::max(minRow, 1); n <= std::min(maxRow, kChannelCount); ++n) {
        for (int col = std::max(minCol, 1); col <= std::min(maxCol, kChannelColumns - 1); ++col) {
            if (IsChannelCellReadOnly(doc, n, col)) {
                continue;
            }
            if (IsFreqColumn(col)) {
                CommitChannelFreq(doc, n, col == kColRxFreq, "");
            } else if (IsToneColumn(col)) {
                CommitChannelTone(doc, n, col == kColRxTone, "");
            } else {
                CommitChannelList(doc, n, col, -1);
            }
        }
    }
}
