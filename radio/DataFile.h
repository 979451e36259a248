// Data files (.dpm): the 48-byte header text followed by the 1024-byte memory image, 1072
// bytes with no padding, count or checksum.
#pragma once

#include "app/AtomicFile.h"

#include <cstddef>

constexpr std::size_t kDataFileSize = 1072;
// The signature ".7410 Morcan Vale" at bytes 28 to 44 of the header identifies a data file.
constexpr std::size_t kSignatureOffset = 28;
constexpr std::size_t kSignatureEnd = 45;

struct DataFileResult : FileResult {
    bool headerAccepted = true; // false when a loaded file lacks this tool's signature
    std::size_t size = 0;       // bytes read from the file (at most kDataFileSize)
};
