// Data files (.dpm): the 48-byte header text followed by the 1024-byte memory image, 1072
// bytes with no padding, count or checksum.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr std::size_t kDataFileSize = 1072;

struct DataFileResult {
    bool ok = true;
    std::string reason;         // why the file could not be read or written; empty on success
    bool headerAccepted = true; // false when a loaded file lacks this tool's signature
    explicit operator bool() const { return ok; }
};

// Reads at most maxBytes from the start of the file at path into data. A file shorter than
// that is not an error.
[[nodiscard]] DataFileResult ReadFileStart(const std::string& path, std::size_t maxBytes,
                                           std::string& data);

// Writes bytes to path without ever leaving a half-written file: a temporary file beside the
// target is written, flushed to disk and renamed over the target. On failure the old file is
// left as it was and the temporary file removed. A new file gets the usual permissions (as
// the umask allows); a replaced file keeps its permissions. An existing pipe or device is
// written into instead, never replaced. A read-only file is not replaced (EACCES).
[[nodiscard]] DataFileResult WriteFileReplacing(const std::string& path, const std::string& bytes);
