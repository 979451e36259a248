// Which device stands behind a COM port number, and which port the settings choose.
#pragma once

#include <string>

// The device of COM port nPort: [ports] com<n> of the settings file when present, else
// /dev/ttyUSB<n-1>. Empty for a number below 1.
std::string GetPortDevice(int nPort);

// The port chosen in the settings file: the first character of [setup] com (default "1")
// minus '0'. Values that do not start with a digit give a number below 1 or above 9.
int GetConfiguredPort();
