// Loading and saving the data file a dpmtool command works on.
#pragma once

#include "radio/DromelPgmDoc.h"

// Loads path into doc. A file that cannot be read, or that lacks this program's signature,
// ends the command with status 3.
void LoadDpmFile(CDromelPgmDoc& doc, const std::string& path);
// Saves doc to path without ever leaving a half-written file; a failure ends the command
// with status 3.
void SaveDpmFile(CDromelPgmDoc& doc, const std::string& path);
// Writes text to path the same safe way; a failure ends the command with status 3.
void WriteTextFile(const std::string& path, const std::string& text);
// Reads a whole text file of at most maxBytes; a failure ends the command with status 3.
std::string ReadTextFile(const std::string& path, std::size_t maxBytes);
