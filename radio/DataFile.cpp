#include "radio/DataFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

DataFileResult Failure(int error) {
    DataFileResult result;
    result.ok = false;
    result.reason = std::strerror(error);
    return result;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
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
// replaced by a plain file of the same name.
DataFileResult WriteInto(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return Failure(errno);
    }
    int error = WriteAll(fd, bytes) ? 0 : errno;
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error == 0 ? DataFileResult{} : Failure(error);
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

DataFileResult ReadFileStart(const std::string& path, std::size_t maxBytes, std::string& data) {
    data.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return Failure(errno);
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        return Failure(EISDIR);
    }
    data.resize(maxBytes);
    std::size_t done = 0;
    while (done < maxBytes) {
        const ssize_t n = ::read(fd, data.data() + done, maxBytes - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int error = errno;
            ::close(fd);
            data.clear();
            return Failure(error);
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    data.resize(done);
    return {};
}

DataFileResult WriteFileReplacing(const std::string& requested, const std::string& bytes) {
    // A link is followed, so that the file it names is replaced rather than the link.
    std::string path = requested;
    if (char* real = ::realpath(requested.c_str(), nullptr)) {
        path = real;
        std::free(real);
    }
    struct stat target {};
    const bool exists = ::stat(path.c_str(), &target) == 0;
    if (exists && S_ISDIR(target.st_mode)) {
        return Failure(EISDIR);
    }
    if (exists && !S_ISREG(target.st_mode)) {
        return WriteInto(path, bytes);
    }
    // A file marked read-only, or one the user may not write, is not replaced behind its back.
    if (exists && ((target.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)) {
        return Failure(EACCES);
    }
    const std::string folder = FolderOf(path);
    std::string temp = folder + "/.dpm-save-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return Failure(errno);
    }
    const mode_t mode = exists ? (target.st_mode & 07777) : NewFileMode();
    int error = 0;
    if (::fchmod(fd, mode) != 0 || !WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
        return Failure(error);
    }
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}
