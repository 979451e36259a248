#include "link/PreciseWait.h"

#include <cerrno>
#include <ctime>
#include <poll.h>
#include <sys/prctl.h>

namespace {

// How long before a deadline the sleep ends; the rest is spent watching the clock. It covers
// the usual wake-up latency of a sleeping thread with a fine timer slack (about 20 us; one
// wake-up in a hundred takes 50 to 80 us, and is late by the rest). Every microsecond of it
// is spent spinning before each byte sent, so a wider margin costs CPU for every radio.
constexpr auto kSpinMargin = std::chrono::microseconds(60);

// A fine timer slack lets the kernel wake the thread close to the time asked for.
void UseFineTimerSlack() {
    thread_local bool done = false;
    if (!done) {
        prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
        done = true;
    }
}

timespec ToTimespec(SteadyClock::duration d) {
    if (d < SteadyClock::duration::zero()) {
        d = SteadyClock::duration::zero();
    }
    auto secs = std::chrono::duration_cast<std::chrono::seconds>(d);
    auto nsecs = std::chrono::duration_cast<std::chrono::nanoseconds>(d - secs);
    return timespec{static_cast<time_t>(secs.count()), static_cast<long>(nsecs.count())};
}

} // namespace

void SleepUntil(SteadyClock::time_point deadline) {
    UseFineTimerSlack();
    for (;;) {
        auto left = deadline - SteadyClock::now();
        if (left <= kSpinMargin) {
            break;
        }
        timespec ts = ToTimespec(left - kSpinMargin);
        nanosleep(&ts, nullptr);
    }
    while (SteadyClock::now() < deadline) {
    }
}

short WaitForInput(int fd, SteadyClock::time_point deadline) {
    UseFineTimerSlack();
    pollfd pfd{fd, POLLIN, 0};
    for (;;) {
        auto left = deadline - SteadyClock::now();
        timespec ts = ToTimespec(left > kSpinMargin ? left - kSpinMargin : left.zero());
        int n = ppoll(&pfd, 1, &ts, nullptr);
        if (n > 0) {
            return pfd.revents;
        }
        if (n < 0 && errno != EINTR) {
            return POLLERR;
        }
        if (left <= kSpinMargin) {
            if (SteadyClock::now() >= deadline) {
                return 0;
            }
        }
    }
}
