#include "link/PortProbe.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// Another open of the same terminal asked for exclusive use. It is read here, never set.
bool IsHeldExclusively(int fd) {
    int exclusive = 0;
    return ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
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
    const int fd = open(strPath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        nErrno = errno;
        error = ClassifyOpenError(errno);
        return -1;
    }
    if (!isatty(fd)) {
        nErrno = ENOTTY;
        error = PortNotSerial;
    } else if (IsHeldExclusively(fd)) {
        nErrno = EBUSY;
        error = PortBusy;
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
