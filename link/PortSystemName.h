// The name the system gives a serial device, so that a user can tell which port is the
// programming cable: the USB product string of the adapter, else the name of its link in
// /dev/serial/by-id.
#pragma once

#include <string>

// The name of the device at strPath (a device node or a link to one); empty when the
// system names it nowhere. strDevRoot and strSysRoot stand for /dev and /sys.
std::string PortSystemName(const std::string& strPath, const std::string& strDevRoot = "/dev",
                           const std::string& strSysRoot = "/sys");
