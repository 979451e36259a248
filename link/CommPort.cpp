#include "link/CommPort.h"

#include "link/PortDevice.h"
#include "link/PortProbe.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kUnitsPerSecond = 10000;
constexpr int kBitsPerByte = 11; // start bit, 8 data bits, 2 stop bits

bool BaudToSpeed(unsigned nBaud, speed_t& speed) {
    switch (nBaud) {
    case 1200:
        speed = B1200;
        return true;
    case 2400:
        speed = B2400;
        return true;
    case 4800:
        speed = B4800;
        return true;
    case 9600:
        speed = B9600;
        return true;
    case 19200:
        speed = B19200;
        return true;
    case 38400:
        speed = B38400;
        return true;
    case 57600:
        speed = B57600;
        return true;
    case 115200:
        speed = B115200;
        return true;
    default:
        return false;
    }
}

SteadyClock::duration Units(int n) {
    return std::chrono::microseconds(static_cast<long long>(n) * 100);
}

// Raw 8 data bits, no parity, 2 stop bits, no flow control of any kind; modem lines ignored
// so that a missing carrier does not hang the line up.
void ConfigureLine(int fd, speed_t speed) {
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    tio.c_cflag &= ~(CSIZE | PARENB | CRTSCTS);
    tio.c_cflag |= CS8 | CSTOPB | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    tcsetattr(fd, TCSANOW, &tio);
    int dtr = TIOCM_DTR;
    ioctl(fd, TIOCMBIS, &dtr);
    int rts = TIOCM_RTS;
    ioctl(fd, TIOCMBIS, &rts);
}

} // namespace

CCommPort::~CCommPort() {
    Close();
}

bool CCommPort::Open(int nPort, unsigned nBaud) {
    if (IsOpen()) {
        return false; // callers close first when they change ports
    }
    std::string path = GetPortDevice(nPort);
    if (path.empty()) {
        m_nPort = nPort;
        m_strDevice = "COM" + std::to_string(nPort);
        m_nOpenError = PortAbsent;
        m_nOpenErrno = ENOENT;
        return false;
    }
    bool opened = OpenPath(path, nBaud);
    m_nPort = nPort;
    return opened;
}

bool CCommPort::OpenDevice(const std::string& strPath, unsigned nBaud) {
    if (IsOpen()) {
        return false;
    }
    bool opened = OpenPath(strPath, nBaud);
    m_nPort = 0;
    return opened;
}

bool CCommPort::Reopen() {
    if (m_strDevice.empty()) {
        return false;
    }
    Close();
    return m_nPort > 0 ? Open(m_nPort, m_nBaud) : OpenDevice(m_strDevice, m_nBaud);
}

bool CCommPort::OpenPath(const std::string& strPath, unsigned nBaud) {
    m_strDevice = strPath;
    m_nBaud = nBaud;
    m_bLost = false;
    m_nOpenError = PortOtherError;
    m_nOpenErrno = EINVAL;
    speed_t speed;
    if (!BaudToSpeed(nBaud, speed)) {
        return false;
    }
    const int fd = OpenPortLocked(strPath, m_nOpenError, m_nOpenErrno);
    if (fd < 0) {
        return false;
    }
    if (ioctl(fd, TIOCEXCL) != 0) {
        m_nOpenErrno = errno;
        m_nOpenError = ClassifyOpenError(errno);
        close(fd);
        return false;
    }
    ConfigureLine(fd, speed);
    m_hPort = fd;
    m_nOpenError = PortOpenOk;
    m_nOpenErrno = 0;
    ++m_nOpenCount;
    m_tLineIdle = m_tLastRx = SteadyClock::now();
    return true;
}

void CCommPort::Close() {
    m_bLost = false;
    if (!IsOpen()) {
        return;
    }
    // Give up the exclusive use, so that the device opens again once this one is closed
    // even while another program (such as a simulated radio) keeps it open.
    ioctl(m_hPort, TIOCNXCL);
    close(m_hPort);
    m_hPort = -1;
}

void CCommPort::DeviceLost() {
    if (!IsOpen()) {
        return;
    }
    ioctl(m_hPort, TIOCNXCL);
    close(m_hPort);
    m_hPort = -1;
    m_bLost = true;
}

bool CCommPort::CheckDevice() {
    if (!IsOpen()) {
        return false;
    }
    pollfd pfd{m_hPort, POLLIN, 0};
    bool lost = poll(&pfd, 1, 0) < 0 || (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
    // A device unplugged and plugged again comes back as a new device under the same name
    // while the old one may not have reported its end yet.
    struct stat opened {};
    struct stat named {};
    if (!lost) {
        lost = fstat(m_hPort, &opened) != 0 || stat(m_strDevice.c_str(), &named) != 0 ||
               opened.st_rdev != named.st_rdev;
    }
    if (lost) {
        DeviceLost();
    }
    return IsOpen();
}

void CCommPort::StartTimer(int nTimeout) {
    m_liStart = SteadyClock::now();
    m_nTimeout = nTimeout;
}

bool CCommPort::TimerExpired() {
    const double elapsed =
        std::chrono::duration<double>(SteadyClock::now() - m_liStart).count() * kUnitsPerSecond;
    return !(m_nTimeout > elapsed);
}

SteadyClock::time_point CCommPort::Deadline() const {
    return m_liStart + Units(m_nTimeout);
}

void CCommPort::Delay(int nTime) {
    StartTimer(nTime);
    SleepUntil(Deadline());
}

void CCommPort::WriteNow(const unsigned char* pBuffer, int nCount, int nGap) {
    if (!IsOpen() || nCount < 1) {
        return;
    }
    const auto handed = SteadyClock::now();
    const auto idle = handed - std::max(m_tLineIdle, m_tLastRx);
    ssize_t n = write(m_hPort, pBuffer, static_cast<size_t>(nCount));
    if (n < 0 && errno != EAGAIN && errno != EINTR) {
        DeviceLost();
        return;
    }
    auto now = SteadyClock::now();
    if (n > 0) {
        auto byteTime = std::chrono::nanoseconds(1'000'000'000LL * kBitsPerByte / m_nBaud);
        m_tLineIdle = std::max(now, m_tLineIdle) + n * byteTime;
    }
    if (m_pTrace) {
        // Bytes after the first of one write follow it without a pause.
        double idleUnits = std::chrono::duration<double>(idle).count() * kUnitsPerSecond;
        for (ssize_t i = 0; i < n; ++i) {
            char line[64];
            std::snprintf(line, sizeof line, "%lld tx %02X gap %d idle %.1f\n", TraceTime(),
                          pBuffer[i], nGap, i == 0 ? std::max(idleUnits, 0.0) : 0.0);
            *m_pTrace << line;
        }
    }
}

void CCommPort::Write(const unsigned char* pBuffer, int nCount, int nGap) {
    if (nGap < 1) {
        WriteNow(pBuffer, nCount, 0);
        return;
    }
    for (int i = 0; i < nCount; ++i) {
        SendByte(pBuffer[i], nGap);
    }
}

void CCommPort::WaitGap(int nGap) {
    // The gap is idle time on the line: it starts once the previous byte has left.
    m_liStart = std::max(SteadyClock::now(), m_tLineIdle);
    m_nTimeout = nGap;
    SleepUntil(Deadline());
}

void CCommPort::PutByte(unsigned char byte, int nGap) {
    WriteNow(&byte, 1, nGap);
}

int CCommPort::ReadNow() {
    if (!IsOpen()) {
        return -1;
    }
    unsigned char byte;
    ssize_t n = read(m_hPort, &byte, 1);
    if (n == 1) {
        m_tLastRx = SteadyClock::now();
        if (m_pTrace) {
            char line[32];
            std::snprintf(line, sizeof line, "%lld rx %02X\n", TraceTime(), byte);
            *m_pTrace << line;
        }
        return byte;
    }
    // A terminal in raw mode with VMIN 1 reads 0 only after a hang-up.
    if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
        DeviceLost();
    }
    return -1;
}

int CCommPort::RecvByte(int nWindow) {
    if (nWindow > 0) {
        StartTimer(nWindow);
        auto deadline = Deadline();
        while (!TimerExpired()) {
            int byte = ReadNow();
            if (byte >= 0) {
                return byte;
            }
            if (!IsOpen()) {
                SleepUntil(deadline);
                break;
            }
            short events = WaitForInput(m_hPort, deadline);
            if (events & (POLLHUP | POLLERR | POLLNVAL)) {
                // Whatever the device still holds is taken before the port closes.
                byte = ReadNow();
                if (byte >= 0) {
                    return byte;
                }
                DeviceLost();
            }
        }
    }
    return ReadNow();
}

void CCommPort::SetTrace(std::ostream* pTrace) {
    m_pTrace = pTrace;
    m_tTraceStart = SteadyClock::now();
}

long long CCommPort::TraceTime() const {
    return std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now() - m_tTraceStart)
        .count();
}
