// Filling the "%s" places of a text from the language file.
#pragma once

#include <initializer_list>
#include <string>

// Replaces each "%s" of pattern, in order, with the next argument ("%%" gives "%"). Places
// without an argument become empty; nothing else of the pattern is interpreted, so a text
// from a language file can never read beyond its arguments.
std::string FormatText(const std::string& pattern, std::initializer_list<std::string> args);
