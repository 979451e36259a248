// Why a file operation failed, in the language in force.
#pragma once

#include "app/AtomicFile.h"

#include <string>

// The language file's text for the failures users meet with files of their own (a file too
// large for the file-size limit, a link loop, another user's link in a shared folder, a folder
// or a pipe in place of a file); the system's wording for every other.
std::string FileReasonText(const FileResult& result);
