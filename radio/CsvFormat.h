// The CSV text format, apart from what the columns mean: splitting text into rows of
// fields, and quoting a field for writing.
#pragma once

#include <string>
#include <vector>

struct CsvRow {
    int line = 0; // line number where the row starts
    std::vector<std::string> fields;
};

// Splits CSV text into rows (quoted fields may hold commas, quotes and line breaks; a
// leading UTF-8 byte order mark is skipped; blank lines give no row). False when a quoted
// field is never closed.
bool ParseCsv(const std::string& text, std::vector<CsvRow>& rows);

// The field as CSV writes it: in quotes, with quotes doubled, when it holds a comma, a
// quote or a line break; otherwise as it is.
std::string CsvField(const std::string& text);
