// The dealers' access code on the command line: "--dealer CODE" (or "--dealer=CODE") opens
// the alignment values and the Manual Adjust switch to show and set, as the access code
// opens the Test Mode window.
#pragma once

#include "app/CommandLine.h"

#include <string>

// The option's entry in a command's table; it is read as "dealer".
SOptionEntry DealerOption();

// Ends the command with status 2, naming path, unless code is the access code.
void CheckDealerCode(const std::string& code, const std::string& path);
