// dpmtool write FILE [--port PORT] [--yes|--no] [--trace FILE]: writes a data file into the
// radio. When the radio does not match the file, --yes goes on, --no stops (exit status 5),
// and without either the question is asked on the terminal (no terminal counts as no).
#pragma once

#include <string>
#include <vector>

int RunWriteCommand(const std::vector<std::string>& args);
