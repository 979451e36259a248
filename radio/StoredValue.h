// What a cell commit did with the value it was given. The commits never refuse a value: one
// that cannot be stored as given is clamped or replaced by the rules of the band, the raster
// and the tone codec, and the commit says which rule it applied and what it stored, so that
// whoever gave the value can be told.
#pragma once

#include <string>

enum class EStored {
    kAsGiven,     // stored as given (or as the same value written the cell's way: 67 as 67.0)
    kAboveBand,   // a frequency above the model's band: the upper limit
    kBelowBand,   // a frequency below the model's band: the lower limit
    kOffRaster,   // a frequency off the channel raster: the nearest raster step
    kBeyondField, // a frequency a frequency field cannot hold: its nearest end
    kToneRange,   // a CTCSS tone outside 67.0 .. 254.1 Hz: the nearer end
    kNotDcs,      // a DCS text that is no code: D023N, or the code with normal polarity
    kNotTone,     // a tone text that is neither a tone nor the none entry: none
    kComma,       // a frequency with a decimal comma, read as the decimal point
};

struct SStoredValue {
    EStored how = EStored::kAsGiven;
    std::string text; // the stored value as the cell shows it
    // A scan type was chosen and the commit left fewer than two channels in the scan list,
    // so the scan type became no scan.
    bool scanTypeReset = false;
};

// Reads a decimal comma in a frequency text as the decimal point ("436,5" is 436.5 MHz);
// true when text held one.
bool ReadDecimalComma(std::string& text);

// What the frequency codec does with text: kBeyondField, kOffRaster or kAsGiven (decimals
// beyond the fifth, below the field's 10 Hz, are not counted).
EStored FreqTextStoring(const std::string& text);

// What the tone codec does with text: kToneRange, kNotDcs, kNotTone or kAsGiven (a tenth of a
// hertz is the codec's step; empty text and noneText, case ignored, give no tone as asked).
EStored ToneTextStoring(const std::string& text, const std::string& noneText);
