#include "app/AppPaths.h"

#include "app/Settings.h"

#include <climits>
#include <cstdlib>
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
