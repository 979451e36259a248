// The texts a failed transfer shows, from the language file: what went wrong and, where it
// helps, the device and the block concerned.
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

// Where a transfer gave up: the block address as 0x followed by three hex digits.
std::string BlockFailText(int nAddress);
