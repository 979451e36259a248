// Reading and writing whole files the safe way, for data files, CSV files and settings.
#pragma once

#include "app/FileResult.h"

#include <string>

// Reads at most maxBytes from the start of the regular file at path into data. A file shorter
// than that is not an error. A folder fails with EISDIR, and anything else that is not a
// regular file (a pipe, a device) with kErrNotRegularFile, without waiting for a writer.
[[nodiscard]] FileResult ReadFileStart(const std::string& path, std::size_t maxBytes,
                                       std::string& data);

// Writes bytes to path without ever leaving a half-written file: a temporary file beside the
// target is written, flushed to disk and renamed over the target. The temporary file has no
// name while it is written where the file system allows, so a save killed midway leaves
// nothing behind; elsewhere it is named .dromel-save-XXXXXX, and such files of this user
// older than a day are removed by the next save in the folder. A symbolic link is followed
// to the file it names, which is created when missing, except another user's link in a
// shared folder (kErrForeignLink, see FollowLinks); links that form a loop are refused
// (ELOOP). A new file gets the usual permissions (0666 less the umask); a replaced file keeps
// its own. A file marked read-only, or one the user may not write, is not replaced (EACCES).
// An existing pipe or device is written into, never replaced; a pipe nobody reads fails at
// once. On failure (a full disk, a file-size limit: EFBIG) the old file is as it was and no
// temporary file is left.
[[nodiscard]] FileResult WriteFileAtomically(const std::string& path, const std::string& bytes);
