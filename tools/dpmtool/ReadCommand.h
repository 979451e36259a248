// dpmtool read FILE [--port PORT] [--trace FILE]: reads the radio's memory and saves it as
// a data file. The file is written only after a complete read.
#pragma once

#include <string>
#include <vector>

int RunReadCommand(const std::vector<std::string>& args);
