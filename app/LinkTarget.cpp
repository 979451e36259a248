#include "app/LinkTarget.h"

#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As many links as the kernel follows in one path before it reports a loop.
constexpr int kMaxLinkHops = 40;

// Whether this user may follow link, a symbolic link in folder: anywhere but in a sticky
// world-writable folder, and there when the link is the user's own or the folder owner's.
FileResult MayFollow(const std::string& folder, const struct stat& link) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        return FileFailure(errno);
    }
    const bool shared = (info.st_mode & S_ISVTX) != 0 && (info.st_mode & S_IWOTH) != 0;
    if (shared && link.st_uid != ::geteuid() && link.st_uid != info.st_uid) {
        return FileFailure(kErrForeignLink);
    }
    return {};
}

} // namespace

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

FileResult FollowLinks(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0;; ++hops) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0) {
            return errno == ENOENT ? FileResult{} : FileFailure(errno);
        }
        if (!S_ISLNK(info.st_mode)) {
            return {};
        }
        if (FileResult allowed = MayFollow(FolderOf(target), info); !allowed) {
            return allowed;
        }
        if (hops == kMaxLinkHops) {
            return FileFailure(ELOOP);
        }
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(target.c_str(), buffer, sizeof buffer);
        if (n < 0) {
            return FileFailure(errno);
        }
        if (static_cast<std::size_t>(n) == sizeof buffer) {
            return FileFailure(ENAMETOOLONG);
        }
        const std::string next(buffer, static_cast<std::size_t>(n));
        target = next[0] == '/' ? next : FolderOf(target) + "/" + next;
    }
}
