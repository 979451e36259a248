// The program's line of the programming history for one step of a transfer: what the
// transfer dialog knows, made into a history entry of program "DromelPgm" and appended.
#pragma once

#include "link/HistoryLog.h"
#include "radio/DromelPgmDoc.h"

#include <string>

struct STransferRecord {
    std::string operation; // "read", "write", "verify", "restore"
    std::string result;    // "ok", "failed", "cancelled", "refused", "interrupted", "differs"
    std::string port;      // the port's name (COM1)
    std::string device;    // the device path opened
    std::string backup;    // the backup kept before a write, empty if none
    // The document whose image went to the radio (write, restore, and the file a verify
    // compares with); null after a read. Its file is the history's file.
    const CDromelPgmDoc* sent = nullptr;
    // The radio's memory as read whole (a read, a backup, a read-back); null when none was.
    const CDromelPgmDoc* radio = nullptr;
    int blocks = 0;
    int differences = -1;
};

// The [model] name of the document's model; empty when no model matches its memory.
std::string RadioModelName(const CDromelPgmDoc& doc);

// The entry of record: the time now, the user, the device's by-id name, the model of the
// radio's memory (the [model] name; empty without a whole read or a known model), the file,
// and the SHA-256 of the image sent (write, restore) or received (read, verify).
SHistoryEntry TransferHistoryEntry(const STransferRecord& record);
