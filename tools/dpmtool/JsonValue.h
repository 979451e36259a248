// A value's language-independent word (radio/ValueKeywords) as JSON.
#pragma once

#include "radio/ValueKeywords.h"

#include <string>

// null for an empty cell, true or false, a number, else a string.
std::string JsonValue(const SKeyword& word);
