#include "app/StopSignals.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs lock-free atomics");

std::atomic<int> g_nReceived{0};
std::atomic<int> g_nWakeFd{-1};
struct sigaction g_previous[std::size(kStopSignals)];

// Only async-signal-safe work: an atomic store and a write to a non-blocking pipe.
void OnStopSignal(int nSignal) {
    int expected = 0;
    g_nReceived.compare_exchange_strong(expected, nSignal);
    const int fd = g_nWakeFd.load();
    if (fd >= 0) {
        const int saved = errno;
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = write(fd, &byte, 1);
        errno = saved;
    }
}

} // namespace

CStopSignals::CStopSignals(bool bWakePipe) {
    if (bWakePipe) {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
            return;
        }
        m_nReadFd = fds[0];
        m_nWriteFd = fds[1];
        g_nWakeFd = m_nWriteFd;
    }
    g_nReceived = 0;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
        sigaction(kStopSignals[i], &action, &g_previous[i]);
    }
    m_bCatching = true;
}

CStopSignals::~CStopSignals() {
    if (m_bCatching) {
        for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
            sigaction(kStopSignals[i], &g_previous[i], nullptr);
        }
    }
    g_nWakeFd = -1;
    g_nReceived = 0;
    if (m_nReadFd >= 0) {
        close(m_nReadFd);
        close(m_nWriteFd);
    }
}

int CStopSignals::Received() {
    return g_nReceived.load();
}
