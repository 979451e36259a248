// The process-wide paths: the executable's folder, the settings file and the language file
// in force.
#pragma once

#include "app/FileResult.h"

#include <string>

extern std::string g_strAppDir;      // folder of the running executable, without a final '/'
extern std::string g_strSettingFile; // g_strAppDir + "/setting.ini"
extern std::string g_strLangFile;    // full path of the language file in force

// Folder of the running executable (from /proc/self/exe); empty when it cannot be found.
std::string ExecutableDir();

// Sets g_strAppDir and g_strSettingFile for the executable's folder dir.
void SetAppDir(const std::string& dir);

// The language file name chosen at start-up: [setup] language of the settings file, else
// "lang_cn" when the system locale is Chinese (China) and "lang_en" for any other.
std::string ChooseLanguageName(bool systemLocaleIsChineseChina);

// True when the locale name (as in LANG, e.g. "zh_CN.UTF-8") is Chinese (China).
bool IsChineseChinaLocale(const std::string& localeName);

// The locale name as the C library would choose it for messages (LC_ALL, LC_MESSAGES, LANG);
// empty when none is set.
std::string MessageLocaleName();

// Sets g_strLangFile to g_strAppDir + "/" + name + ".lng"; the name is used unchanged.
void SetLanguageName(const std::string& name);

// Creates the missing folders of path, each with mode 0700 (only this user may look in);
// folders that exist are left as they are. Fails when a part is not a folder or cannot be
// made.
FileResult MakePrivateFolders(const std::string& path);

// This user's data folder of DromelPgm (backups, the programming history):
// $XDG_DATA_HOME/DromelPgm, or $HOME/.local/share/DromelPgm when XDG_DATA_HOME is unset,
// empty or not an absolute path. Not created here.
std::string UserDataFolder();
