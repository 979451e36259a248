#include "app/FileReasonText.h"

#include "app/LangString.h"

#include <cerrno>

std::string FileReasonText(const FileResult& result) {
    switch (result.error) {
    case EFBIG:
        return GetLangString("IDS_FILE_TOO_LARGE");
    case ELOOP:
        return GetLangString("IDS_FILE_LINK_LOOP");
    case kErrForeignLink:
        return GetLangString("IDS_FILE_LINK_FOREIGN");
    case EISDIR:
        return GetLangString("IDS_FILE_IS_FOLDER");
    case kErrNotRegularFile:
        return GetLangString("IDS_FILE_NOT_REGULAR");
    default:
        return result.reason;
    }
}
