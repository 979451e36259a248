// Which parts of the main form a change of the image touches: the channel rows whose record
// bytes differ, the radio-wide options (a byte outside those records), and the model
// identification, after whose change everything is shown afresh.
#pragma once

#include "radio/DocChange.h"

#include <array>

struct SChangedParts {
    std::array<bool, kChannelCount + 1> rows{}; // channel n's record differs at rows[n], 1..16
    bool otherBytes = false; // a byte outside the records of channels 1..16 differs
    bool model = false;      // the model identification differs
};

SChangedParts ChangedParts(const MemoryImage& before, const MemoryImage& after);
