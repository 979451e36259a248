#include "app/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As many links as the kernel follows in one path before it reports a loop.
constexpr int kMaxLinkHops = 40;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a chain of symbolic links ends in; that file itself may be missing.
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

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes bytes into an existing pipe or device, which has no contents to lose and must not be
// replaced by a plain file of the same name. Opening does not wait for a reader.
FileResult WriteInto(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENXIO) {
            return {ENXIO, "no program reads from the pipe"};
        }
        return FileFailure(errno);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    int error = 0;
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 || !WriteAll(fd, bytes)) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error == 0 ? FileResult{} : FileFailure(error);
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

FileResult FileFailure(int error) {
    if (error == kErrNotRegularFile) {
        return {error, "not a regular file"};
    }
    if (error == ELOOP) {
        return {error, "the symbolic links form a loop"};
    }
    return {error, std::strerror(error)};
}

FileResult ReadFileStart(const std::string& path, std::size_t maxBytes, std::string& data) {
    data.clear();
    // Not blocking: opening a pipe for reading would otherwise wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return FileFailure(errno);
    }
    struct stat info {};
    int error = 0;
    if (::fstat(fd, &info) != 0) {
        error = errno;
    } else if (S_ISDIR(info.st_mode)) {
        error = EISDIR;
    } else if (!S_ISREG(info.st_mode)) {
        error = kErrNotRegularFile;
    }
    data.resize(error == 0 ? maxBytes : 0);
    std::size_t done = 0;
    while (error == 0 && done < maxBytes) {
        const ssize_t n = ::read(fd, data.data() + done, maxBytes - done);
        if (n < 0 && errno != EINTR) {
            error = errno;
        } else if (n == 0) {
            break;
        } else if (n > 0) {
            done += static_cast<std::size_t>(n);
        }
    }
    ::close(fd);
    data.resize(error == 0 ? done : 0);
    return error == 0 ? FileResult{} : FileFailure(error);
}

FileResult WriteFileAtomically(const std::string& path, const std::string& bytes) {
    std::string target;
    if (FileResult followed = FollowLinks(path, target); !followed) {
        return followed;
    }
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return FileFailure(EISDIR);
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        return WriteInto(target, bytes);
    }
    // A file marked read-only, or one the user may not write, is not replaced behind its back.
    if (exists && ((existing.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)) {
        return FileFailure(EACCES);
    }
    const std::string folder = FolderOf(target);
    std::string temp = folder + "/.dromel-save-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return FileFailure(errno);
    }
    int error = 0;
    if (exists) {
        // Keeps the owner when someone else's file is saved by root; others cannot, and need not.
        [[maybe_unused]] const int ignored = ::fchown(fd, existing.st_uid, existing.st_gid);
    }
    const mode_t mode = exists ? (existing.st_mode & 07777) : NewFileMode();
    if (::fchmod(fd, mode) != 0 || !WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
        return FileFailure(error);
    }
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}
