#include "app/LanguageFiles.h"

#include "app/AppPaths.h"
#include "app/Profile.h"
#include "app/Settings.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* kExtension = ".lng";
constexpr const char* kNoDisplayName = "-----";
constexpr std::size_t kDisplayNameBuffer = 100;

} // namespace

std::vector<std::string> ListLanguageFiles(const std::string& dir) {
    std::vector<std::string> files;
    std::error_code error;
    fs::directory_iterator it(dir, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (it->path().extension() == kExtension && it->is_regular_file(typeError)) {
            files.push_back(it->path().string());
        }
    }
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        return fs::path(a).filename() < fs::path(b).filename();
    });
    return files;
}

std::vector<SLanguageFile> ListLanguages(const std::string& dir) {
    std::vector<SLanguageFile> languages;
    for (const std::string& path : ListLanguageFiles(dir)) {
        std::string display =
            GetPrivateProfileString("Face", "disp", kNoDisplayName, kDisplayNameBuffer, path);
        if (!display.empty()) {
            languages.push_back({path, std::move(display)});
        }
    }
    return languages;
}

std::string NextLanguageFile(const std::string& dir, const std::string& strCurrent) {
    const std::vector<std::string> files = ListLanguageFiles(dir);
    if (files.empty()) {
        return {};
    }
    const auto current = std::find(files.begin(), files.end(), strCurrent);
    if (current == files.end() || current + 1 == files.end()) {
        return files.front();
    }
    return *(current + 1);
}

std::string LanguageTitle(const std::string& strPath) {
    return fs::path(strPath).stem().string();
}

FileResult SetLanguageFile(const std::string& strPath) {
    g_strLangFile = strPath;
    return WriteSettingString("setup", "language", LanguageTitle(strPath));
}
