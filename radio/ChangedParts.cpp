#include "radio/ChangedParts.h"

#include <algorithm>

namespace {

bool Differ(const MemoryImage& a, const MemoryImage& b, std::size_t begin, std::size_t end) {
    return !std::equal(a.begin() + begin, a.begin() + end, b.begin() + begin);
}

} // namespace

SChangedParts ChangedParts(const MemoryImage& before, const MemoryImage& after) {
    SChangedParts parts;
    constexpr std::size_t kRowsBegin = kRecordSize;
    constexpr std::size_t kRowsEnd = kRecordSize * (kChannelCount + 1);
    for (int n = 1; n <= kChannelCount; ++n) {
        parts.rows[n] = Differ(before, after, kRecordSize * n, kRecordSize * (n + 1));
    }
    parts.otherBytes =
        Differ(before, after, 0, kRowsBegin) || Differ(before, after, kRowsEnd, kImageSize);
    parts.model = Differ(before, after, kModelIdOffset, kModelIdOffset + kModelIdSize);
    return parts;
}
