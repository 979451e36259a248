#include "radio/CsvFormat.h"

bool ParseCsv(const std::string& text, std::vector<CsvRow>& rows) {
    std::size_t i = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        i = 3;
    }
    int line = 1;
    CsvRow row{line, {}};
    std::string field;
    bool quoted = false;
    bool rowHasText = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                line += c == '\n';
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
            rowHasText = true;
        } else if (c == ',') {
            row.fields.push_back(field);
            field.clear();
            rowHasText = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            row.fields.push_back(field);
            if (rowHasText || !field.empty()) {
                rows.push_back(row);
            }
            field.clear();
            rowHasText = false;
            row = CsvRow{++line, {}};
        } else {
            field += c;
        }
    }
    if (quoted) {
        return false;
    }
    if (rowHasText || !field.empty()) {
        row.fields.push_back(field);
        rows.push_back(row);
    }
    return true;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}
