// The commands of dpmtool. Each command lives in its own file and registers itself with a
// static DpmCommandRegistration, so a new command is a new file and a line in CMakeLists.txt.
#pragma once

#include <string>
#include <vector>

// Exit statuses.
enum DpmStatus {
    kExitOk = 0,
    kExitUsage = 1,     // wrong command line
    kExitRefused = 2,   // input refused by the rules
    kExitFile = 3,      // a file could not be read or written
    kExitDifferent = 6, // the radio and the file, or the two files, differ
};

// Ends a command: the message (naming the file and the reason) goes to stderr and the
// status becomes the exit status.
struct DpmError {
    int status;
    std::string message;
};

struct DpmCommand {
    std::string name;
    std::string usage;   // arguments after the name, e.g. "FILE [--model K]"
    std::string summary; // one line for the help text
    // Runs with the arguments after the command name; returns the exit status or throws
    // DpmError.
    int (*run)(const std::vector<std::string>& args);
};

struct DpmCommandRegistration {
    explicit DpmCommandRegistration(DpmCommand command);
};

// All registered commands, sorted by name.
const std::vector<DpmCommand>& DpmCommands();
const DpmCommand* FindDpmCommand(const std::string& name);

// Throws the usage error of the command with this name.
[[noreturn]] void ThrowUsage(const std::string& name);

// Reads a whole decimal number (digits only, no sign); false for anything else.
bool ParseIndex(const std::string& text, int& value);
