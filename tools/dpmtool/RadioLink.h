// What the radio commands of dpmtool (read and write) share: their options, opening the
// port, running the transfer with a progress bar on the terminal, and the exit statuses of
// a link failure (4) and of an identification question answered no (5).
#pragma once

#include "DpmCommand.h"

#include "radio/DromelPgmDoc.h"

#include <string>
#include <vector>

constexpr int kExitLinkFailed = 4;
constexpr int kExitDeclined = 5;

struct RadioLinkOptions {
    std::string file;
    std::string port;  // "1".."8", a device path, or empty for the port of the settings
    std::string trace; // file for the byte trace, or empty
    int answer = -1;   // the identification question: -1 ask on the terminal, 0 no, 1 yes
};

// Parses "FILE [--port PORT] [--trace FILE]" and, when answers are allowed, "--yes" or
// "--no". False for a command line that does not fit.
bool ParseRadioLinkOptions(const std::vector<std::string>& args, bool allowAnswer,
                           RadioLinkOptions& options);

// Reads the radio into doc (bRead) or writes doc into it, with a progress bar on a terminal.
// Returns kExitOk when done; a link failure ends with its text from the language file.
int RunRadioTransfer(CDromelPgmDoc& doc, bool bRead, const RadioLinkOptions& options);
