// Opening a serial device for this program alone, and finding out without disturbing a
// device whether that would succeed: the probe opens the device without waiting for a
// carrier, locks it, and closes it again at once. Nothing is written and no line setting or
// modem line is changed.
//
// Opening a serial device that nobody holds raises DTR and RTS (the kernel does that on
// the first open), and the last close drops them again as long as the device hangs up on
// close (HUPCL, the default), so an idle port ends as it was. A device another program
// holds is not affected by an open and close that is not the last one.
#pragma once

#include "link/PortOpenError.h"

#include <string>

// The reason for a system error number of an open.
PortOpenError ClassifyOpenError(int nErrno);

// Opens the device at strPath for reading and writing without becoming its controlling
// terminal and without waiting, and takes its exclusive lock. A terminal left asking for
// exclusive use (TIOCEXCL) by a program that ended, with no lock held on it, is told apart
// from one in use (PortLeftLocked); where the system lets this open through all the same
// (an administrator's), the device is taken over, and the caller's own exclusive use ends
// with its close. Returns the descriptor, or -1 with the reason and the system's error
// number. Closing the descriptor releases the lock.
int OpenPortLocked(const std::string& strPath, PortOpenError& error, int& nErrno);

// What OpenPortLocked would find now (PortOpenOk: the device can be used), with the
// system's error number; the device is closed again before this returns.
PortOpenError ProbePort(const std::string& strPath, int& nErrno);
PortOpenError ProbePort(const std::string& strPath);
