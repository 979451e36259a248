// Text rules that look at ASCII letters and blanks only: names in settings and language
// files, command-line words, typed values. Bytes outside ASCII (UTF-8 texts) pass unchanged,
// whatever the locale.
#pragma once

#include <string>
#include <string_view>

// 'A' to 'Z' as 'a' to 'z'; every other byte as it is.
char AsciiLower(char c);
std::string AsciiLower(std::string_view text);

// 'a' to 'z' as 'A' to 'Z'; every other byte as it is.
char AsciiUpper(char c);

// The same bytes but for the case of ASCII letters.
bool EqualsNoCase(std::string_view a, std::string_view b);

// text without the blanks, tabs, carriage returns and line feeds at either end.
std::string_view TrimView(std::string_view text);
std::string Trim(std::string_view text);
