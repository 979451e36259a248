// The help texts of dpmtool, from the language file: the list of commands, and each
// command's usage and options. The usages are made from the commands' tables.
#pragma once

#include "DpmCommand.h"

#include <string>

// dpmtool --help: the usage, every command with its usage and summary, the exit statuses.
std::string ToolHelp();

// dpmtool COMMAND --help: the command's usage, its summary and one line per option.
std::string CommandHelp(const DpmCommand& command);

// A command line that does not fit the command's table: what is wrong (for an option), then
// the usage.
std::string CommandLineErrorText(const DpmCommand& command, const SCommandLineResult& result);
