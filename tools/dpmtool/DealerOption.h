// The dealers' access code on the command line: "--dealer CODE" (or "--dealer=CODE") opens
// the alignment values and the Manual Adjust switch to show and set, as the access code
// opens the Test Mode window.
#pragma once

#include <string>
#include <vector>

// Takes the option out of args and puts its code into code; false when args lack it. A
// "--dealer" without a code is a usage error of command.
bool TakeDealerOption(std::vector<std::string>& args, const std::string& command,
                      std::string& code);

// Ends the command with status 2, naming path, unless code is the access code.
void CheckDealerCode(const std::string& code, const std::string& path);
