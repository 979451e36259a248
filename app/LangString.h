// Looking up the texts the user reads in the language file in force (g_strLangFile).
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

// [String] key with "\n" and "\t" turned into a line feed and a tab; "Not Found" when the
// key or the file is missing. Values are cut at 999 characters.
std::string GetLangString(const std::string& key);

// Replaces each "%s" of pattern, in order, with the next argument ("%%" gives "%"). Places
// without an argument become empty; nothing else of the pattern is interpreted, so a text
// from a language file can never read beyond its arguments, and an argument's own "%s"
// stays as it is.
std::string FormatText(const std::string& pattern, std::initializer_list<std::string> args);

// GetLangString of key with its "%s" places filled from args (FormatText).
std::string FormatLangString(const std::string& key, std::initializer_list<std::string> args);

// [Resource] "^id": the text for a dialog (its caption) or a control; empty when missing.
std::string GetLangResource(int id);

// A raw value of another section of the language file ([Face], [monikey], [SCANTYPE],
// [REVERTCH]), read into a buffer of bufferSize characters with default def.
std::string GetLangValue(const std::string& section, const std::string& key, const std::string& def,
                         std::size_t bufferSize);
