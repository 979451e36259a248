#include "link/PortProbe.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

EPortState StateOfOpenError(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return EPortState::kNoPermission;
    case EBUSY:
        return EPortState::kInUse;
    case ENOTDIR:
    case EISDIR:
    case ENOTTY:
        return EPortState::kNotSerial;
    default:
        // ENOENT, ENXIO, ENODEV and the rest: nothing that answers at that path.
        return EPortState::kAbsent;
    }
}

// Another open of the same terminal asked for exclusive use. An administrator's open gets
// through that request, so it is read here (without changing it) rather than relied on.
bool IsHeldExclusively(int fd) {
    int exclusive = 0;
    return ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

} // namespace

int OpenPortLocked(const std::string& strPath, EPortState& state) {
    const int fd = open(strPath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        state = StateOfOpenError(errno);
        return -1;
    }
    if (!isatty(fd)) {
        state = EPortState::kNotSerial;
    } else if (IsHeldExclusively(fd) || flock(fd, LOCK_EX | LOCK_NB) != 0) {
        state = EPortState::kInUse;
    } else {
        state = EPortState::kAvailable;
        return fd;
    }
    close(fd);
    return -1;
}

EPortState ProbePort(const std::string& strPath) {
    EPortState state = EPortState::kAbsent;
    const int fd = OpenPortLocked(strPath, state);
    if (fd >= 0) {
        close(fd);
    }
    return state;
}
