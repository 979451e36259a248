// The four tone tables from which the tone lists are filled. Each entry is an 8-byte slot
// holding the tone text exactly as the tone codec shows it, padded with NUL bytes.
#pragma once

#include <cstddef>

using ToneSlot = char[8];

struct ToneTable {
    const ToneSlot* slots;
    std::size_t count;
};

// 38 CTCSS tones, ascending (table 143).
ToneTable CtcssTable38();
// 50 CTCSS tones: the 38 plus twelve more, ascending (table 145).
ToneTable CtcssTable50();
// 83 DCS codes, normal polarity, "D023N" .. "D754N" (table 144).
ToneTable DcsNormalTable();
// The same 83 DCS codes, inverted polarity, "D023I" .. "D754I" (table 146).
ToneTable DcsInvertedTable();
