// JSON text: strings written as literals, and the flat objects of one line (string and
// integer members) read back.
#pragma once

#include <map>
#include <string>

// Text as a JSON string literal, with quotes, backslashes and control characters escaped.
std::string JsonString(const std::string& text);

// Reads one JSON object whose members are strings or integers into members (a number as its
// digits, with its sign); false, with members in no defined state, for any other text.
bool ParseFlatJsonObject(const std::string& text, std::map<std::string, std::string>& members);
