// What the radio commands of dpmtool (read, write, verify) share: their options, opening the
// port, running the transfer with a progress bar on the terminal, and the exit statuses of
// a link failure (4) and of an identification question answered no (5).
#pragma once

#include "DpmCommand.h"

#include "radio/DromelPgmDoc.h"

#include <functional>
#include <string>
#include <vector>

class CTransferEngine;

constexpr int kExitLinkFailed = 4;
constexpr int kExitDeclined = 5;

struct RadioLinkOptions {
    std::string file;
    std::vector<std::string> ports; // "1".."8" or device paths; none: the port of the settings
    std::string trace;              // file for the byte trace, or empty
    int answer = -1;     // the identification question: -1 ask on the terminal, 0 no, 1 yes
    bool verify = false; // after a write, read back and compare
};

// What the command line may hold besides FILE, --port and --trace.
struct RadioLinkAllowed {
    bool answer = false;    // --yes, --no
    bool verify = false;    // --verify
    bool manyPorts = false; // --port more than once
};

// Parses "FILE [--port PORT]... [--trace FILE]" and what allowed permits. False for a
// command line that does not fit.
bool ParseRadioLinkOptions(const std::vector<std::string>& args, const RadioLinkAllowed& allowed,
                           RadioLinkOptions& options);

// The outcome of one transfer on one port.
struct PortTransfer {
    int status = kExitOk;
    std::string message; // the failure text for a status other than kExitOk
    std::string device;  // the device path that was opened
};

// Reads the radio on port into doc (bRead) or writes doc into it. progress is called after
// each block; ask answers the identification question. Never throws.
PortTransfer TransferOnPort(CDromelPgmDoc& doc, bool bRead, const std::string& port,
                            const std::string& trace, const std::function<bool()>& ask,
                            const std::function<void(const CTransferEngine&)>& progress);

// Asks the identification question on the terminal (no terminal counts as no).
bool AskOnTerminal();

// One port: reads the radio into doc (bRead) or writes doc into it, with a progress bar on
// a terminal. Returns kExitOk when done or kExitDeclined; a link failure throws its text
// from the language file.
int RunRadioTransfer(CDromelPgmDoc& doc, bool bRead, const RadioLinkOptions& options);
