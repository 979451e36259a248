// Conversion of file text to UTF-8.
#pragma once

#include <string>

bool IsValidUtf8(const std::string& text);

// Returns text unchanged when it is valid UTF-8, otherwise reads it as GB18030 (the older
// Chinese language files) and returns it converted to UTF-8. Bytes that are not valid
// GB18030 either are replaced by U+FFFD.
std::string ToUtf8(const std::string& text);

// Cuts UTF-8 text to at most maxBytes bytes without splitting a character.
std::string CutUtf8(const std::string& text, std::size_t maxBytes);
