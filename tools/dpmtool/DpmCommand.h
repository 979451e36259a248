// The commands of dpmtool. Each command lives in its own file and registers itself with a
// static DpmCommandRegistration, so a new command is a new file and a line in CMakeLists.txt.
// Each declares its command line as a table; dpmtool reads the arguments against it before
// the command runs.
#pragma once

#include "app/CommandLine.h"
#include "app/ExitStatus.h"

#include <string>
#include <vector>

// Ends a command: the message (naming the file and the reason) goes to stderr and the
// status becomes the exit status.
struct DpmError {
    int status;
    std::string message;
};

struct DpmCommand {
    std::string name;
    SCommandLineTable table;
    std::string summaryKey; // the key of its help text in the language file
    // Runs with the command line read against its table; returns the exit status or throws
    // DpmError.
    int (*run)(const SCommandLine& line);
};

struct DpmCommandRegistration {
    explicit DpmCommandRegistration(DpmCommand command);
};

// All registered commands, sorted by name.
const std::vector<DpmCommand>& DpmCommands();
const DpmCommand* FindDpmCommand(const std::string& name);

// "usage: dpmtool NAME SYNOPSIS" of the command with this name.
std::string UsageText(const std::string& name);

// Throws the usage error of the command with this name.
[[noreturn]] void ThrowUsage(const std::string& name);

// Reads a whole decimal number (digits only, no sign); false for anything else.
bool ParseIndex(const std::string& text, int& value);
