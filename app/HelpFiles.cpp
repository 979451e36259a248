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
    // Beside the program as built, or in the shared data of an installed program
    // (<prefix>/lib/dromelpgm/ and <prefix>/share/dromelpgm/help/).
    const fs::path roots[] = {fs::path(strAppDir) / "help",
                              fs::path(strAppDir) / ".." / ".." / "share" / "dromelpgm" / "help"};
    for (const std::string& language :
         {LanguageTitle(strLangFile), std::string(kFallbackLanguage)}) {
        for (const fs::path& root : roots) {
            const fs::path page = root / language / kStartPage;
            std::error_code error;
            if (fs::is_regular_file(page, error)) {
                return page.lexically_normal().string();
            }
        }
    }
    return (roots[0] / kFallbackLanguage / kStartPage).string();
}
