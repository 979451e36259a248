// The column headings of the channel grid and the Test Frequency grid, from the language
// file in force.
#pragma once

#include <string>
#include <vector>

// The headings of columns 0 to count - 1: [Face] IDS_COL0, IDS_COL1, ... A heading missing
// from the language file repeats the one before it (the first one is then empty).
std::vector<std::string> GetColumnHeadings(int count);
