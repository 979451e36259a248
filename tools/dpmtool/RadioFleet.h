// Several radios at once, one cable each: read or write runs on every port in a thread of
// its own, with one progress line per port and a summary table at the end. A port that
// fails never stops the others.
#pragma once

#include "RadioLink.h"

#include <string>

// The file of one port's read: the port's name inserted before the extension
// ("radio.dpm" and "/dev/pts/5" give "radio-pts5.dpm", port 1 gives "radio-COM1.dpm").
std::string PortFileName(const std::string& file, const std::string& port);

// Reads every port of options into its own file, or writes doc into every port (and with
// options.verify reads back and compares). Returns the worst status of the ports.
int RunRadioFleet(const CDromelPgmDoc& doc, bool bRead, const RadioLinkOptions& options);
