#include "radio/SettingsCheck.h"

#include "app/AppPaths.h"
#include "app/LangString.h"
#include "app/Settings.h"
#include "radio/OptionLists.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

SSettingsCheck CheckSettings() {
    SSettingsCheck check;
    check.file = g_strSettingFile;
    struct stat info {};
    if (::stat(g_strSettingFile.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        check.problem = ESettingsProblem::kNotAFile;
        return check;
    }
    const int fd = ::open(g_strSettingFile.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        check.problem = ESettingsProblem::kUnreadable;
        check.reason = std::strerror(errno);
        return check;
    }
    ::close(fd);
    if (ModelList().empty()) {
        check.problem = ESettingsProblem::kNoModels;
        check.file = ModelTableFile();
    }
    return check;
}

std::string SettingsProblemText(const SSettingsCheck& check) {
    switch (check.problem) {
    case ESettingsProblem::kNotAFile:
        return FormatLangString("IDS_SETTING_NOT_FILE", {check.file});
    case ESettingsProblem::kUnreadable:
        return FormatLangString("IDS_SETTING_UNREADABLE", {check.file, check.reason});
    case ESettingsProblem::kNoModels:
        return FormatLangString("IDS_SETTING_NO_MODELS", {check.file});
    case ESettingsProblem::kNone:
        break;
    }
    return {};
}
