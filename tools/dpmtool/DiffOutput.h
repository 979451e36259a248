// The differences of verify, diff and write --verify as lines ("ch3 rx: file 446.00625,
// radio 446.01250") or as JSON for scripts.
#pragma once

#include "radio/ImageDiff.h"

#include <string>
#include <vector>

// One line per entry; a and b name the two sides ("file", "radio").
std::string DiffText(const std::vector<FieldDiff>& diffs, const std::string& a,
                     const std::string& b);
// {"equal": bool, "differences": [{"name":..., a: ..., b: ...}]} with the values as words of
// no language (null for an empty cell); an option or the model, given by its number, has
// "text": {a: ..., b: ...} beside. Entries whose values are not shown carry "differ": true
// instead.
std::string DiffJson(const std::vector<FieldDiff>& diffs, const std::string& a,
                     const std::string& b);

// Prints the differences to standard output as text or JSON; the exit status of the
// comparison (equal or different).
int PrintDiffs(const std::vector<FieldDiff>& diffs, bool json, const std::string& a,
               const std::string& b);
