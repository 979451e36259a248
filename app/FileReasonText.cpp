#include "app/FileReasonText.h"

#include "app/LangString.h"

#include <cerrno>

namespace {

// The language file's text under key; the system's wording where the file has none.
std::string LangReason(const char* key, const FileResult& result) {
    const std::string text = GetLangValue("String", key, "", 1000);
    return text.empty() ? result.reason : text;
}

} // namespace

std::string FileReasonText(const FileResult& result) {
    switch (result.error) {
    case EFBIG:
        return LangReason("IDS_FILE_TOO_LARGE", result);
    case ELOOP:
        return LangReason("IDS_FILE_LINK_LOOP", result);
    case kErrForeignLink:
        return LangReason("IDS_FILE_LINK_FOREIGN", result);
    case EISDIR:
        return LangReason("IDS_FILE_IS_FOLDER", result);
    case kErrNotRegularFile:
        return LangReason("IDS_FILE_NOT_REGULAR", result);
    default:
        return result.reason;
    }
}
