#include "app/AppPaths.h"

#include "app/Settings.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

std::string g_strAppDir;
std::string g_strSettingFile;
std::string g_strLangFile;

std::string ExecutableDir() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return {};
    }
    const std::string path(buffer, static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void SetAppDir(const std::string& dir) {
    g_strAppDir = dir;
    g_strSettingFile = g_strAppDir + "/setting.ini";
}

bool IsChineseChinaLocale(const std::string& localeName) {
    return localeName.rfind("zh_CN", 0) == 0 || localeName.rfind("zh-CN", 0) == 0 ||
           localeName.rfind("zh_Hans_CN", 0) == 0;
}

std::string ChooseLanguageName(bool systemLocaleIsChineseChina) {
    const std::string name = GetSettingString("setup", "language", "", 260);
    if (!name.empty()) {
        return name;
    }
    return systemLocaleIsChineseChina ? "lang_cn" : "lang_en";
}

std::string MessageLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

void SetLanguageName(const std::string& name) {
    g_strLangFile = g_strAppDir + "/" + name + ".lng";
}

FileResult MakePrivateFolders(const std::string& path) {
    if (path.empty()) {
        return FileFailure(ENOENT);
    }
    // Each prefix that ends before a '/', then the whole path.
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string part = path.substr(0, end);
        struct stat info {};
        if (::stat(part.c_str(), &info) != 0) {
            if (errno != ENOENT || (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)) {
                return FileFailure(errno);
            }
        } else if (!S_ISDIR(info.st_mode)) {
            return FileFailure(ENOTDIR);
        }
        if (end == std::string::npos) {
            return {};
        }
    }
}

std::string UserDataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        return std::string(data) + "/DromelPgm";
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.local/share/DromelPgm";
}
