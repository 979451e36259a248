// The programming history: one JSON object per line in this user's history file, one line
// for every read, write, verify and restore of the program and of dpmtool, failures too.
// Lines are appended with one write to a file opened for appending, so the lines of two
// processes never mix.
#pragma once

#include "app/FileResult.h"

#include <ctime>
#include <string>
#include <vector>

struct SHistoryEntry {
    std::string time;      // local time with its zone, "2026-12-08T15:42:07+01:00"
    std::string user;      // the login name
    std::string program;   // "DromelPgm" or "dpmtool"
    std::string operation; // "read", "write", "verify", "restore"
    std::string port;      // the port's name (COM1, pts5)
    std::string device;    // the device path that was opened
    std::string byId;      // the /dev/serial/by-id name of the device, empty if none
    std::string model;     // the model of the radio's identification, empty when unknown
    std::string file;      // the data file read into, written or compared
    std::string sha256;    // of the image sent or received, empty when none went whole
    std::string backup;    // the backup taken before a write, empty if none
    std::string result;    // "ok", "failed", "cancelled", "refused", "interrupted", "differs"
    int blocks = 0;        // blocks the radio acknowledged (write) or sent (read)
    int differences = -1;  // differences found by a verify; -1 for other operations
};

// UserDataFolder() + "/history.jsonl".
std::string HistoryFile();

// "YYYY-MM-DDTHH:MM:SS+HH:MM" of the local time when.
std::string IsoLocalTime(std::time_t when);

// An entry of program and operation with the time now and the user filled in.
SHistoryEntry HistoryNow(const std::string& program, const std::string& operation);

// The /dev/serial/by-id name (the link's file name) that points at device; empty if none.
std::string SerialByIdName(const std::string& device);

// The entry as its line of the history file (without the line end), and back; false for a
// line that is not an entry.
std::string HistoryLine(const SHistoryEntry& entry);
bool ParseHistoryLine(const std::string& line, SHistoryEntry& entry);

// Appends the entry's line to the history file (created with mode 0600, its folder with
// 0700) in a single write.
FileResult AppendHistory(const SHistoryEntry& entry);

// Every entry of the history file, oldest first; lines that are not entries are skipped. No
// file: none.
std::vector<SHistoryEntry> ReadHistory();
