#include "app/SaveLeftovers.h"

#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char kSuffixLetters[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::time_t kStaleSeconds = 24 * 60 * 60;

bool IsSaveName(const char* name) {
    const std::size_t prefix = std::strlen(kSavePrefix);
    if (std::strncmp(name, kSavePrefix, prefix) != 0 ||
        std::strlen(name) != prefix + kSaveSuffixLength) {
        return false;
    }
    return std::strspn(name + prefix, kSuffixLetters) == kSaveSuffixLength;
}

} // namespace

std::string NewSaveName(const std::string& folder) {
    std::random_device source;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kSuffixLetters - 2);
    std::string name = folder + "/" + kSavePrefix;
    for (std::size_t i = 0; i < kSaveSuffixLength; ++i) {
        name += kSuffixLetters[pick(source)];
    }
    return name;
}

void RemoveStaleSaveFiles(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        struct stat info {};
        if (IsSaveName(entry->d_name) &&
            ::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
            now - info.st_mtime > kStaleSeconds) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
    }
    ::closedir(dir);
}
