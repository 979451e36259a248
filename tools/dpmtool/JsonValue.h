// A value's keyword as a JSON value.
#pragma once

#include "radio/ValueKeywords.h"

#include <string>

// null for an empty cell, true or false, a number, else a string.
std::string JsonValue(const SKeyword& word);
