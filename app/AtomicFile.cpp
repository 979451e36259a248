#include "app/AtomicFile.h"

#include "app/LinkTarget.h"
#include "app/SaveLeftovers.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How many fresh temporary names an unnamed file is offered before the named way is taken.
constexpr int kNameTries = 16;

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

// Gives fd, a temporary file just created, its contents, the owner of the file it replaces
// (null for a new file) and mode, flushed to disk. 0 or an errno value.
int FillTemporary(int fd, const std::string& bytes, const struct stat* replaced, mode_t mode) {
    if (replaced != nullptr) {
        // Keeps the owner when someone else's file is saved by root; others cannot, and need not.
        [[maybe_unused]] const int ignored = ::fchown(fd, replaced->st_uid, replaced->st_gid);
    }
    if (::fchmod(fd, mode) != 0 || !WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        return errno;
    }
    return 0;
}

// Links fd, an unnamed file, in as path: 0 or an errno value (EEXIST when path exists).
int LinkDescriptor(int fd, const std::string& path) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
        ::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) {
        return 0;
    }
    return errno;
}

// The two ways to put a complete new file in place of the target, in the target's folder.
// Each returns 0 or an errno value, and leaves no temporary file on failure.

// What the unnamed way returns where the file system cannot make unnamed files or the system
// cannot link them in (no /proc, and no right to link by descriptor); the named way is taken
// then.
constexpr int kUnnamedUnsupported = -1000;

// Gives fd, a complete unnamed file, the target's name: a new target directly, an existing one
// through a fresh temporary name renamed over it at once.
int LinkInPlace(int fd, const std::string& folder, const std::string& target, bool replacing) {
    if (!replacing) {
        const int error = LinkDescriptor(fd, target);
        if (error != EEXIST) {
            return error == 0 ? 0 : kUnnamedUnsupported;
        }
        // The target appeared meanwhile: it is replaced like any other.
    }
    for (int i = 0; i < kNameTries; ++i) {
        const std::string temp = NewSaveName(folder);
        const int error = LinkDescriptor(fd, temp);
        if (error == EEXIST) {
            continue;
        }
        if (error != 0) {
            return kUnnamedUnsupported;
        }
        if (::rename(temp.c_str(), target.c_str()) != 0) {
            const int renameError = errno;
            ::unlink(temp.c_str());
            return renameError;
        }
        return 0;
    }
    return kUnnamedUnsupported;
}

// The unnamed way: the file gets a name only when complete, so a save killed midway leaves
// nothing behind.
int PlaceUnnamed(const std::string& folder, const std::string& target, const std::string& bytes,
                 const struct stat* replaced, mode_t mode) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) {
        return errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL ? kUnnamedUnsupported
                                                                         : errno;
    }
    int error = FillTemporary(fd, bytes, replaced, mode);
    if (error == 0) {
        error = LinkInPlace(fd, folder, target, replaced != nullptr);
    }
    // Its contents are on disk already (flushed above), whether it was put in place or not.
    ::close(fd);
    return error;
}

// The named way: .dromel-save-XXXXXX from the start, renamed over the target when complete.
int PlaceNamed(const std::string& folder, const std::string& target, const std::string& bytes,
               const struct stat* replaced, mode_t mode) {
    std::string temp = folder + "/" + kSavePrefix + std::string(kSaveSuffixLength, 'X');
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    int error = FillTemporary(fd, bytes, replaced, mode);
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
    }
    return error;
}

void SyncFolder(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace

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
    const struct stat* replaced = exists ? &existing : nullptr;
    const mode_t mode = exists ? (existing.st_mode & 07777) : NewFileMode();
    int error = PlaceUnnamed(folder, target, bytes, replaced, mode);
    if (error == kUnnamedUnsupported) {
        error = PlaceNamed(folder, target, bytes, replaced, mode);
    }
    if (error != 0) {
        return FileFailure(error);
    }
    SyncFolder(folder);
    RemoveStaleSaveFiles(folder);
    return {};
}
