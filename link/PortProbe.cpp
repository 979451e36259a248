#include "link/PortProbe.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// Some live process holds a whole-file lock (flock) on the device at strPath. The system's
// table of locks names each lock's file as major:minor:inode, the device numbers in
// hexadecimal: "1: FLOCK  ADVISORY  WRITE 1234 00:1a:3 0 EOF".
bool IsLockedByALiveProcess(const std::string& strPath) {
    struct stat info {};
    if (stat(strPath.c_str(), &info) != 0) {
        return false;
    }
    std::ifstream locks("/proc/locks");
    std::string line;
    while (std::getline(locks, line)) {
        std::istringstream fields(line);
        std::string number, kind, mode, access, pid, file;
        fields >> number >> kind >> mode >> access >> pid >> file;
        unsigned nMajor = 0;
        unsigned nMinor = 0;
        unsigned long nInode = 0;
        if (kind == "FLOCK" &&
            std::sscanf(file.c_str(), "%x:%x:%lu", &nMajor, &nMinor, &nInode) == 3 &&
            nMajor == major(info.st_dev) && nMinor == minor(info.st_dev) && nInode == info.st_ino) {
            return true;
        }
    }
    return false;
}

} // namespace

PortOpenError ClassifyOpenError(int nErrno) {
    switch (nErrno) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
        return PortAbsent;
    case EBUSY:
    case EWOULDBLOCK:
        return PortBusy;
    case EACCES:
    case EPERM:
        return PortDenied;
    default:
        return PortOtherError;
    }
}

int OpenPortLocked(const std::string& strPath, PortOpenError& error, int& nErrno) {
    constexpr int kFlags = O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
    int fd = open(strPath.c_str(), kFlags);
    bool bLeftLocked = false;
    // A terminal asked for exclusive use refuses the open (an administrator's gets through).
    // Every program of this system holds the lock beside that request for as long as it has
    // the device open, so a request without a lock is what a program that ended (killed, or
    // crashed) left behind; the holder may also have let go between the two looks.
    if (fd < 0 && errno == EBUSY && !IsLockedByALiveProcess(strPath)) {
        fd = open(strPath.c_str(), kFlags);
        bLeftLocked = fd < 0 && errno == EBUSY;
    }
    if (fd < 0) {
        nErrno = errno;
        error = bLeftLocked ? PortLeftLocked : ClassifyOpenError(errno);
        return -1;
    }
    if (!isatty(fd)) {
        nErrno = ENOTTY;
        error = PortNotSerial;
    } else if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        nErrno = errno;
        error = ClassifyOpenError(errno);
    } else {
        nErrno = 0;
        error = PortOpenOk;
        return fd;
    }
    close(fd);
    return -1;
}

PortOpenError ProbePort(const std::string& strPath, int& nErrno) {
    PortOpenError error = PortOpenOk;
    const int fd = OpenPortLocked(strPath, error, nErrno);
    if (fd >= 0) {
        close(fd);
    }
    return error;
}

PortOpenError ProbePort(const std::string& strPath) {
    int nErrno = 0;
    return ProbePort(strPath, nErrno);
}
