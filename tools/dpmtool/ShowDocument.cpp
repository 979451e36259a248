#include "ShowDocument.h"

#include "JsonValue.h"

#include "app/JsonText.h"

#include "radio/ColumnHeadings.h"
#include "radio/SettingNames.h"
#include "radio/TestFreqRules.h"
#include "radio/TestModeRules.h"
#include "radio/ValueKeywords.h"

#include <cstdio>

namespace {

// Text padded with blanks to width characters (UTF-8 characters counted once).
std::string Pad(const std::string& text, std::size_t width) {
    std::size_t chars = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++chars;
        }
    }
    return chars >= width ? text + " " : text + std::string(width - chars, ' ');
}

// Ends a table line: the padding after the last column is dropped.
void EndLine(std::string& out) {
    while (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    out += "\n";
}

} // namespace

std::string ShowText(CDromelPgmDoc& doc, const std::string& path, bool dealer) {
    UpdateScanControls(doc);
    std::string out = "file      " + path + "\n";
    out += "model     " + std::to_string(doc.GetModel()) + " " + GetFormModelText(doc);
    EndLine(out);
    out += "limits    " + doc.GetLimitText(false) + " - " + doc.GetLimitText(true) + "\n";
    for (const auto& o : kOptionNames) {
        const int index = GetFormOption(doc, o.value);
        out += Pad(o.key, 10) + std::to_string(index) + " " + GetFormOptionText(doc, o.value);
        EndLine(out);
    }
    for (const auto& c : kCheckNames) {
        out += Pad(c.key, 10) + (GetFormCheck(doc, c.value) ? "on" : "off") + "\n";
    }
    if (dealer) {
        out += "\nmanualadjust " + std::string(doc.GetManualAdjust() ? "on" : "off") + "\n";
        const AlignmentValues values = GetAlignmentValues(doc);
        for (int i = 0; i < kAlignmentCount; ++i) {
            out += "align." + Pad(kAlignmentKeys[i], 11) + std::to_string(values[i]) + "\n";
        }
    }
    const std::size_t widths[] = {4, 11, 8, 11, 8, 8, 8, 8, 8};
    out += "\n";
    const std::vector<std::string> headings = GetColumnHeadings(kChannelColumns);
    for (int c = 0; c < kChannelColumns; ++c) {
        out += Pad(headings[c], widths[c]);
    }
    EndLine(out);
    for (int n = 1; n <= kChannelCount; ++n) {
        out += Pad(std::to_string(n), widths[0]);
        for (int c = 1; c < kChannelColumns; ++c) {
            out += Pad(GetChannelCellText(doc, n, c), widths[c]);
        }
        EndLine(out);
    }
    out += "\ntest\n";
    const std::vector<std::string> testHeadings = GetColumnHeadings(kTestFreqColumns);
    for (int c = 0; c < kTestFreqColumns; ++c) {
        out += Pad(testHeadings[c], widths[c]);
    }
    EndLine(out);
    for (int r = 1; r <= kChannelCount; ++r) {
        out += Pad(std::to_string(r), widths[0]);
        for (int c = 1; c < kTestFreqColumns; ++c) {
            out += Pad(GetTestCellText(doc, r, c), widths[c]);
        }
        EndLine(out);
    }
    return out;
}

std::string ShowJson(CDromelPgmDoc& doc, bool dealer) {
    UpdateScanControls(doc);
    std::string out = "{\n";
    out += "  \"model\": " + std::to_string(doc.GetModel()) + ",\n";
    out += "  \"modelName\": " + JsonString(GetFormModelText(doc)) + ",\n";
    out += "  \"limits\": {\"low\": " + JsonString(doc.GetLimitText(false)) +
           ", \"high\": " + JsonString(doc.GetLimitText(true)) + "},\n";
    out += "  \"options\": {\n";
    for (std::size_t i = 0; i < kOptionNames.size(); ++i) {
        const auto& o = kOptionNames[i];
        const int index = GetFormOption(doc, o.value);
        out += "    " + JsonString(o.key) + ": {\"index\": " + std::to_string(index) +
               ", \"text\": " + JsonString(GetFormOptionText(doc, o.value)) + "}" +
               (i + 1 < kOptionNames.size() ? ",\n" : "\n");
    }
    out += "  },\n";
    for (const auto& c : kCheckNames) {
        out += "  " + JsonString(c.key) + ": " + (GetFormCheck(doc, c.value) ? "true" : "false") +
               ",\n";
    }
    if (dealer) {
        out += "  \"manualAdjust\": " + std::string(doc.GetManualAdjust() ? "true" : "false") +
               ",\n  \"alignment\": {";
        const AlignmentValues values = GetAlignmentValues(doc);
        for (int i = 0; i < kAlignmentCount; ++i) {
            out += JsonString(kAlignmentKeys[i]) + ": " + std::to_string(values[i]) +
                   (i + 1 < kAlignmentCount ? ", " : "},\n");
        }
    }
    out += "  \"channels\": [\n";
    for (int n = 1; n <= kChannelCount; ++n) {
        out += "    {";
        for (int c = 1; c < kChannelColumns; ++c) {
            out += JsonString(kCellNames[c - 1].key) + ": " +
                   JsonValue(ChannelCellKeyword(doc, n, c)) + (c + 1 < kChannelColumns ? ", " : "");
        }
        out += n < kChannelCount ? "},\n" : "}\n";
    }
    out += "  ],\n  \"test\": [\n";
    for (int r = 1; r <= kChannelCount; ++r) {
        out += "    {";
        for (int c = 1; c < kTestFreqColumns; ++c) {
            out += JsonString(kCellNames[c - 1].key) + ": " +
                   JsonValue(TestCellKeyword(doc, r, c)) + (c + 1 < kTestFreqColumns ? ", " : "");
        }
        out += r < kChannelCount ? "},\n" : "}\n";
    }
    out += "  ]\n}\n";
    return out;
}
