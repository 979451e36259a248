// Text as a JSON string literal, with quotes, backslashes and control characters escaped.
#pragma once

#include "radio/ValueKeywords.h"

#include <string>

std::string JsonString(const std::string& text);
// A value's word as JSON: null for an empty cell, true or false, a number, else a string.
std::string JsonValue(const SKeyword& word);
