#include "app/AppClock.h"

#include <utility>

namespace {

std::function<AppTimePoint()>& Clock() {
    static std::function<AppTimePoint()> clock;
    return clock;
}

} // namespace

AppTimePoint AppNow() {
    return Clock() ? Clock()() : std::chrono::system_clock::now();
}

void SetAppClock(std::function<AppTimePoint()> clock) {
    Clock() = std::move(clock);
}
