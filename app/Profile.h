// Private-profile (INI) files: the settings file and the language files.
//
// Every call reads the file afresh, so a change on disk takes effect at the next lookup.
// Section and key names match without regard to case and surrounding blanks; the first of
// duplicate sections or keys wins. Values are trimmed, lose one pair of enclosing quotes
// (single or double) and are cut to bufferSize - 1 characters. Lines may end in CRLF or LF.
// Files that are not valid UTF-8 are read as GB18030 and returned as UTF-8.
#pragma once

#include <cstddef>
#include <string>

// Reads [section] key from the file at path; returns def (also cut to bufferSize - 1) when
// the file, the section or the key is missing.
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& def, std::size_t bufferSize,
                                    const std::string& path);

struct ProfileWriteResult {
    bool ok = true;
    std::string message; // why the write failed; empty on success
    explicit operator bool() const { return ok; }
};

// Sets [section] key=value in the file at path. Every other line and comment is kept; the
// file, the section or the key is created when missing. The file is replaced atomically:
// a write that cannot be completed leaves the old file as it was and says why.
[[nodiscard]] ProfileWriteResult WritePrivateProfileString(const std::string& section,
                                                           const std::string& key,
                                                           const std::string& value,
                                                           const std::string& path);
