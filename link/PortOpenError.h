// Why opening a serial device failed, as the port and the probe both report it.
#pragma once

enum PortOpenError {
    PortOpenOk,
    PortAbsent,     // no such device (a cable not plugged in, or no port of that number)
    PortBusy,       // another program (or another open in this one) uses the device
    PortLeftLocked, // a program that ended left the device asking for exclusive use
    PortDenied,     // the user may not use the device
    PortNotSerial,  // the path names something that is not a terminal
    PortOtherError, // anything else; OpenErrno tells what
};
