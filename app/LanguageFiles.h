// The language files beside the program: listing them, their display names, the next one
// in turn, and making one the language in force.
#pragma once

#include "app/AtomicFile.h"

#include <string>
#include <vector>

struct SLanguageFile {
    std::string strPath;    // full path
    std::string strDisplay; // [Face] disp, "-----" when the file has none
};

// The full paths of the files named *.lng in dir, sorted by file name. Folders and other
// entries that are not files (even when their names end in .lng) are left out.
std::vector<std::string> ListLanguageFiles(const std::string& dir);

// The language files of dir with their display names, in file-name order; a file whose
// [Face] disp is present but empty is left out.
std::vector<SLanguageFile> ListLanguages(const std::string& dir);

// The file after strCurrent in the listing of dir, the first one when strCurrent is the last
// or is not listed (it was deleted), and empty when dir holds no language file.
std::string NextLanguageFile(const std::string& dir, const std::string& strCurrent);

// The title of a language file: its name without folder and without ".lng".
std::string LanguageTitle(const std::string& strPath);

// Makes the file at strPath the language in force (g_strLangFile) and stores its title as
// [setup] language in the settings the program writes; the result says whether the setting
// was saved.
[[nodiscard]] FileResult SetLanguageFile(const std::string& strPath);
