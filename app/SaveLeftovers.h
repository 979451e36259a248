// The temporary files of the atomic writer: their names, and the removal of those a save that
// was killed before it could rename its file left behind.
#pragma once

#include <string>

// A temporary file's name: ".dromel-save-" and six letters or digits.
constexpr const char* kSavePrefix = ".dromel-save-";
constexpr std::size_t kSaveSuffixLength = 6;

// A fresh temporary file name in folder, with a random suffix.
std::string NewSaveName(const std::string& folder);

// Removes from folder the temporary files of this user older than a day: regular files named
// as above whose owner is this user and that were last written more than 24 hours ago. A
// save still running elsewhere has a younger file, and other users' files stay.
void RemoveStaleSaveFiles(const std::string& folder);
