// The texts a failed or interrupted transfer shows, from the language file: what went wrong
// and, where it helps, the device and the block concerned, and what the radio holds then.
#pragma once

#include "link/CommPort.h"
#include "link/Protocol.h"

#include <string>

// Why the port did not open, naming its device: absent, in use by another program, not
// permitted (with how to get the permission), not a serial port, or the system's reason.
std::string PortOpenErrorText(const std::string& strDevice, PortOpenError error, int nErrno);

// The message of a failed start (not LinkReady or LinkCancelled); for a port that does not
// open, the general text followed by the reason.
std::string LinkErrorText(LinkResult result, const CCommPort& port);

// Where a transfer gave up after five attempts at the block at nAddress (as 0x and three hex
// digits), how many of its blocks had gone (nEndAddress: the transfer's end), what the
// radio or the data holds now and what to do.
std::string GaveUpText(bool bRead, int nAddress, int nEndAddress);

// What a transfer stopped by a signal before the block at nAddress left: for a write how
// many blocks the radio took (its memory then holds a mix of new and old data, or is as it
// was), for a read that nothing of it was kept.
std::string InterruptedText(bool bRead, int nAddress, int nEndAddress);
