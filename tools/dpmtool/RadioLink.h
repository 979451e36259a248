// What the radio commands of dpmtool (read, write, verify) share: their options, opening the
// port, running the transfer with a progress bar on the terminal, and the exit statuses of
// a link failure (4), of an identification question answered no (5) and of a transfer
// stopped by SIGINT, SIGTERM or SIGHUP (128 + the signal's number: 130, 143, 129).
#pragma once

#include "DpmCommand.h"
#include "app/CommandLine.h"

#include "link/HistoryLog.h"
#include "radio/DromelPgmDoc.h"

#include <functional>
#include <string>
#include <vector>

class CTransferEngine;

struct RadioLinkOptions {
    std::string file;
    std::vector<std::string> ports; // "1".."8" or device paths; none: the port of the settings
    std::string trace;              // file for the byte trace, or empty
    int answer = -1;       // the identification question: -1 ask on the terminal, 0 no, 1 yes
    bool verify = false;   // after a write, read back and compare
    bool backup = true;    // before a write, read the radio and keep its memory as a backup
    std::string operation; // the command, as the programming history names it
};

// The options of the radio commands in a command's table: --port (repeatable with
// manyPorts, each port a radio), --trace.
SOptionEntry PortOption(bool manyPorts);
SOptionEntry TraceOption();
SOptionEntry NoBackupOption();

// The options of a command line read with a table holding PortOption and TraceOption (and
// "yes", "no", "verify", "no-backup" when the command has them). --yes with --no, a PORT that is
// neither 1 to 8 nor a device path, and a port given twice end the command with a usage error of
// command that names them.
RadioLinkOptions RadioLinkOptionsOf(const SCommandLine& line, const std::string& command);

// The outcome of one transfer on one port.
struct PortTransfer {
    int status = kExitOk;
    std::string message;    // the failure text for a status other than kExitOk
    std::string device;     // the device path that was opened
    std::string traceError; // the trace file could not be written: why (the transfer ran)
    int blocks = 0;         // blocks the radio acknowledged (write) or sent (read)
    std::string backup;     // the backup kept before a write, empty if none
};

// Reads the radio on port into doc (bRead) or writes doc into it. With bBackup a write first
// reads the radio on the same open port and keeps its memory with SaveBackup; a backup that
// fails stops it with status 4 before any block is sent. After a write that stopped midway
// the message tells how many blocks the radio acknowledged and which backup to restore.
// progress is called after each block; ask answers the identification question. A trace file that
// cannot be created stops it before anything is sent. While a CStopSignals lives, a stop signal
// ends it between two blocks with status 128 + the signal and what the radio holds then. The port
// is released before this returns. Never throws.
PortTransfer TransferOnPort(CDromelPgmDoc& doc, bool bRead, bool bBackup, const std::string& port,
                            const std::string& trace, const std::function<bool()>& ask,
                            const std::function<void(const CTransferEngine&)>& progress);

// Asks the identification question on the terminal (no terminal, and a stop signal while
// waiting for the answer, count as no).
bool AskOnTerminal();

// One port: reads the radio into doc (bRead) or writes doc into it, with a progress bar on
// a terminal, stop signals caught for the length of the transfer. After a complete transfer
// then runs (saving or comparing what was read) and its status is returned (kExitOk without
// then). A link failure, a question answered no, a stop signal and a trace file that could
// not be written throw their text from the language file with their status. Every run,
// failed or not, adds its line to the programming history (with *pDifferences, set by then,
// for a verify).
int RunRadioTransfer(CDromelPgmDoc& doc, bool bRead, const RadioLinkOptions& options,
                     const std::function<int()>& then = {}, const int* pDifferences = nullptr);

// The programming history's line of one port's transfer of options.operation: doc is what
// was read or written, status the port's exit status.
SHistoryEntry TransferHistory(const RadioLinkOptions& options, const std::string& port,
                              const CDromelPgmDoc& doc, const PortTransfer& outcome,
                              int differences);

// Adds entry to the programming history; a failure is told on stderr and changes nothing
// else.
void RecordHistory(const SHistoryEntry& entry);
