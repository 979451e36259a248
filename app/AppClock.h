// The current time as the program shows it (the printout's date line). Everything that
// shows the time asks here, so that tests can fix the clock.
#pragma once

#include <chrono>
#include <functional>

using AppTimePoint = std::chrono::system_clock::time_point;

// Now, from the system clock or from the clock a test has set.
AppTimePoint AppNow();

// Replaces the clock; an empty function restores the system clock.
void SetAppClock(std::function<AppTimePoint()> clock);
