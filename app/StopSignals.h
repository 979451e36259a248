// SIGINT, SIGTERM and SIGHUP asking the program to stop while it talks to a radio. While a
// CStopSignals lives, such a signal no longer ends the process at once: its handler only
// records the signal's number (and wakes an event loop through a pipe), and a transfer
// checks between two blocks whether one came, so no exchange is cut in the middle and the
// port is released before the program ends with status 128 + the signal's number.
#pragma once

#include "app/ExitStatus.h"

class CStopSignals {
public:
    // bWakePipe: also make a pipe that becomes readable when a signal comes (for an event
    // loop). When the pipe cannot be made, the signals keep their previous actions.
    explicit CStopSignals(bool bWakePipe = false);
    // Restores the previous actions, forgets a signal recorded and closes the pipe.
    ~CStopSignals();
    CStopSignals(const CStopSignals&) = delete;
    CStopSignals& operator=(const CStopSignals&) = delete;

    // False when the pipe asked for could not be made (the signals act as before).
    bool IsCatching() const { return m_bCatching; }
    // The read end of the pipe, readable once a signal came; -1 without a pipe.
    int WakeFd() const { return m_nReadFd; }

    // The first stop signal received while a CStopSignals lives, 0 when none came. Safe to
    // call from any thread.
    static int Received();

private:
    bool m_bCatching = false;
    int m_nReadFd = -1;
    int m_nWriteFd = -1;
};

// The exit status of a program ended by nSignal: 128 + its number.
constexpr int StopStatus(int nSignal) {
    return kExitStopped + nSignal;
}
