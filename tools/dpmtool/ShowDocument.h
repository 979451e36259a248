// The document as the form and the grids show it, as text for people or as JSON.
#pragma once

#include "radio/DromelPgmDoc.h"

// Both ask the form's scan-control rule first, so the scan type reads as the form shows it.
// With dealer (the access code was given) they add the Manual Adjust switch and the twelve
// alignment values. The JSON gives the cells' values as words of no language
// (ValueKeywords.h), the options by index with their text beside.
std::string ShowText(CDromelPgmDoc& doc, const std::string& path, bool dealer);
std::string ShowJson(CDromelPgmDoc& doc, bool dealer);
