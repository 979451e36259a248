// Why a file operation failed, in the language in force.
#pragma once

#include "app/AtomicFile.h"

#include <string>

// The language file's text for the failures users meet with files of their own (a file too
// large for the file-size limit, a link loop, another user's link in a shared folder, a folder
// or a pipe in place of a file), or the system's wording where the language file has none;
// the system's wording for every other.
std::string FileReasonText(const FileResult& result);
