#include "app/HelpFiles.h"

#include "app/LanguageFiles.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* kStartPage = "index.html";
constexpr const char* kFallbackLanguage = "lang_en";

} // namespace

std::string HelpFileFor(const std::string& strLangFile, const std::string& strExtension) {
    const std::size_t slash = strLangFile.rfind('/');
    const std::size_t dot = strLangFile.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return strLangFile + strExtension;
    }
    return strLangFile.substr(0, dot) + strExtension;
}

std::string HelpStartPage(const std::string& strAppDir, const std::string& strLangFile) {
    const fs::path help = fs::path(strAppDir) / "help";
    const fs::path page = help / LanguageTitle(strLangFile) / kStartPage;
    std::error_code error;
    if (fs::is_regular_file(page, error)) {
        return page.string();
    }
    return (help / kFallbackLanguage / kStartPage).string();
}
