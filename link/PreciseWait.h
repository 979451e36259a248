// Waiting to a deadline with sub-millisecond accuracy at little CPU cost: the thread sleeps
// until shortly before the deadline and only watches the clock for the last moment.
#pragma once

#include <chrono>

using SteadyClock = std::chrono::steady_clock;

// Sleeps until the deadline; returns at or just after it.
void SleepUntil(SteadyClock::time_point deadline);

// Waits until fd has input, it reports a hang-up or an error, or the deadline passes.
// Returns the poll events seen (0 when the deadline passed first).
short WaitForInput(int fd, SteadyClock::time_point deadline);
