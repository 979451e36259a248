// The words for a cell value: why a value could not have been typed into its
// cell, and how a value was stored when not as given. Texts from the language file.
#pragma once

#include "radio/CellTyping.h"
#include "radio/StoredValue.h"

#include <string>
#include <vector>

// Why value could not be typed into a frequency cell (tone false) or a tone cell (tone
// true); typing is not ETyping::kTypable.
std::string TypingRefusal(ETyping typing, bool tone, const std::string& value);

// "ch1.rx: 999 is above the model's band, stored as 480.00000" for the value given to name;
// empty when it was stored as given.
std::string StoredNotice(const std::string& name, const std::string& given,
                         const SStoredValue& stored);

// Everything a commit of the value given to name changed beyond what was given: the value's
// notice (StoredNotice), then the reset of the scan type; empty when nothing was changed.
std::vector<std::string> CommitNotices(const std::string& name, const std::string& given,
                                       const SStoredValue& stored);
