// Private-profile (INI) files: the settings file and the language files.
//
// Section and key names match without regard to case and surrounding blanks; the first of
// duplicate sections or keys wins. Values are trimmed, lose one pair of enclosing quotes
// (single or double) and are cut to bufferSize - 1 characters. Lines may end in CRLF or LF; a
// UTF-8 byte-order mark at the start is skipped. Files that are not valid UTF-8 are read as
// GB18030 and returned as UTF-8. Anything that is not a regular file reads as missing.
//
// A changed file takes effect at the next lookup. The parsed file is kept while its identity
// (device and inode), size and modification time stay the same, so repeated lookups do not
// read it again. A file changed in the last two seconds, whose time stamp cannot yet tell a
// second change in the same clock tick, is read afresh at every lookup; an older one is
// checked on disk at most every 100 microseconds, so that a burst of lookups costs one check.
// A write through WritePrivateProfileString takes effect at once.
#pragma once

#include "app/AtomicFile.h"

#include <cstddef>
#include <optional>
#include <string>

// Reads [section] key from the file at path; returns def (also cut to bufferSize - 1) when
// the file, the section or the key is missing.
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& def, std::size_t bufferSize,
                                    const std::string& path);

// [section] key of the file at path, cut to bufferSize - 1; nothing when the file, the
// section or the key is missing.
std::optional<std::string> FindPrivateProfileString(const std::string& section,
                                                    const std::string& key, std::size_t bufferSize,
                                                    const std::string& path);

// True when the file at path has a section of this name.
bool HasPrivateProfileSection(const std::string& section, const std::string& path);

// Sets [section] key=value in the file at path. Every other line and comment is kept byte for
// byte, each line with its own line end; new lines take the line end of the first line. The
// file, the section or the key is created when missing. The file is replaced atomically (see
// WriteFileAtomically): a write that cannot be completed leaves the old file as it was.
[[nodiscard]] FileResult WritePrivateProfileString(const std::string& section,
                                                   const std::string& key, const std::string& value,
                                                   const std::string& path);
