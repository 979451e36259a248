#include "app/Settings.h"

#include "app/AppPaths.h"
#include "app/AsciiText.h"
#include "app/Profile.h"

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        return home;
    }
    if (const passwd* user = ::getpwuid(::geteuid()); user != nullptr && user->pw_dir != nullptr) {
        return user->pw_dir;
    }
    return {};
}

// The folder of the user's configuration files; a relative XDG_CONFIG_HOME is ignored, as
// the base directory rules ask.
std::string ConfigFolder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME");
        config != nullptr && config[0] == '/') {
        return config;
    }
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : home + "/.config";
}

bool IsFileWritable(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return true; // a missing file is created in its folder
    }
    return (info.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

bool IsModelSection(const std::string& section) {
    return EqualsNoCase(TrimView(section), "model");
}

} // namespace

std::string UserSettingFile() {
    const std::string config = ConfigFolder();
    return config.empty() ? std::string() : config + "/DromelPgm/setting.ini";
}

bool IsFolderWritable(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || ::access(folder.c_str(), W_OK) != 0) {
        return false;
    }
    if (info.st_uid == ::geteuid()) {
        return (info.st_mode & S_IWUSR) != 0;
    }
    if (info.st_gid == ::getegid() || ::group_member(info.st_gid) != 0) {
        return (info.st_mode & S_IWGRP) != 0;
    }
    return (info.st_mode & S_IWOTH) != 0;
}

bool UsesUserSettings() {
    if (g_strAppDir.empty()) {
        return false; // no program folder known: no settings of the program's either
    }
    return !IsFolderWritable(g_strAppDir) || !IsFileWritable(g_strSettingFile);
}

std::string ModelTableFile() {
    const std::string user = UsesUserSettings() ? UserSettingFile() : std::string();
    return !user.empty() && HasPrivateProfileSection("model", user) ? user : g_strSettingFile;
}

std::string GetSettingString(const std::string& section, const std::string& key,
                             const std::string& def, std::size_t bufferSize) {
    // The model table is one whole: a [model] of the user's replaces the shipped one.
    if (IsModelSection(section)) {
        return GetPrivateProfileString(section, key, def, bufferSize, ModelTableFile());
    }
    const std::string user = UsesUserSettings() ? UserSettingFile() : std::string();
    if (!user.empty()) {
        if (auto value = FindPrivateProfileString(section, key, bufferSize, user)) {
            return *value;
        }
    }
    return GetPrivateProfileString(section, key, def, bufferSize, g_strSettingFile);
}

FileResult WriteSettingString(const std::string& section, const std::string& key,
                              const std::string& value) {
    if (!UsesUserSettings()) {
        return WritePrivateProfileString(section, key, value, g_strSettingFile);
    }
    const std::string config = ConfigFolder();
    if (config.empty()) {
        return {ENOENT, "no home folder for the user's settings"};
    }
    // Whatever part of the folder is new is private to its user; existing parts keep their
    // modes.
    if (FileResult made = MakePrivateFolders(config + "/DromelPgm"); !made) {
        return made;
    }
    return WritePrivateProfileString(section, key, value, UserSettingFile());
}
