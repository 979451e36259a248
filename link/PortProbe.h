// Whether a serial device can be opened for this program alone, found out without
// disturbing it: the device is opened without waiting for a carrier, locked, and closed
// again at once. Nothing is written and no line setting or modem line is changed.
//
// Opening a serial device that nobody holds raises DTR and RTS (the kernel does that on
// the first open), and the last close drops them again as long as the device hangs up on
// close (HUPCL, the default), so an idle port ends as it was. A device another program
// holds is not affected by an open and close that is not the last one.
#pragma once

#include <string>

enum class EPortState {
    kAvailable,    // can be opened exclusively
    kAbsent,       // no such device
    kInUse,        // another open holds it (another program, or this one)
    kNoPermission, // the user may not open it (not in the device's group)
    kNotSerial,    // the path is not a terminal device
};

// Opens the device at strPath for reading and writing without becoming its controlling
// terminal and without waiting, then takes the exclusive lock. Returns the descriptor, or
// -1 with the reason in state. The caller closes the descriptor; closing releases the lock.
int OpenPortLocked(const std::string& strPath, EPortState& state);

// What OpenPortLocked would find now; the device is closed again before this returns.
EPortState ProbePort(const std::string& strPath);
