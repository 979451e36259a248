// Text as a JSON string literal, with quotes, backslashes and control characters escaped.
#pragma once

#include <string>

std::string JsonString(const std::string& text);
