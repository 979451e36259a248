#include "radio/ColumnHeadings.h"

#include "app/LangString.h"

namespace {

// [Face] values are read into a buffer of this many characters.
constexpr std::size_t kFaceBuffer = 30;

} // namespace

std::vector<std::string> GetColumnHeadings(int count) {
    std::vector<std::string> headings;
    std::string last;
    for (int c = 0; c < count; ++c) {
        last = GetLangValue("Face", "IDS_COL" + std::to_string(c), last, kFaceBuffer);
        headings.push_back(last);
    }
    return headings;
}
