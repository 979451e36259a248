// Conversions between the stored encodings of the memory image and the texts the user sees
// and types. None of them fails: malformed input maps to a defined value.
#pragma once

#include <cstdint>
#include <string>

// The largest frequency a 4-byte packed BCD field holds, in 10 Hz units (999.99999 MHz).
constexpr std::int32_t kMaxFreqValue = 99999999;

// The leading integer of text as the standard decimal conversion (atol) reads it: blanks,
// an optional sign, digits; whatever follows is ignored. Digits are no longer taken once the
// value passes 10^12, so it never overflows.
std::int64_t LeadingInteger(const std::string& text);

// A 4-byte frequency field: 8 packed BCD digits in 10 Hz units, least significant pair first.
// Byte 3 above 0x99 means erased.
bool IsFreqFieldErased(const std::uint8_t* field);

// "146.52000" for a stored 146.52 MHz; empty text for an erased field.
std::string FreqFieldToText(const std::uint8_t* field);

// MHz text to 10 Hz units without rounding: "146.52" gives 14652000; decimals beyond the
// fifth are dropped. Parsing stops at the first character that is not part of the number.
// The result is kept within 0 .. kMaxFreqValue, so over-long input cannot overflow.
std::int32_t FreqTextToValue(const std::string& text);
// The same value before it is kept within 0 .. kMaxFreqValue (LeadingInteger's bound holds).
std::int64_t FreqTextToWideValue(const std::string& text);

// A value moved onto the channel raster: the nearest 6.25 kHz step when it lies in the same
// 1 kHz, else the nearest 5 kHz step (a remainder of exactly 2.5 kHz rounds down). Never
// above kMaxFreqValue.
std::int32_t RoundToRaster(std::int32_t value);

// Packs a value (0 .. kMaxFreqValue) into a frequency field.
void PackFreqValue(std::int32_t value, std::uint8_t* field);

// The step byte of a stored value: 1 on the 6.25 kHz raster, else 0.
std::uint8_t StepByteFor(std::int32_t value);

// Frequency text to field and step byte: empty text erases both (0xFF); otherwise the value
// is rounded to the raster, packed, and the step byte set.
void EncodeFreqText(const std::string& text, std::uint8_t* field, std::uint8_t& step);

// Reads a frequency field as a value the way limit texts are read: the field's text with the
// decimal point moved five places; an erased field gives 0.
std::int32_t FreqFieldToValue(const std::uint8_t* field);

// "%03d.%05d": 47000000 gives "470.00000".
std::string LimitText(std::int32_t value);

// What a 2-byte tone field holds, by its second byte b1: no tone (0xFF), a CTCSS tone
// (below 0x80) or a DCS code.
enum class EToneKind { kNone, kCtcss, kDcs };
EToneKind ToneFieldKind(std::uint8_t b1);

// A 2-byte tone field (b0 at the lower address) as text: noneText for b1 = 0xFF, "67.0" for
// CTCSS, "D023N" / "D754I" for DCS.
std::string ToneFieldToText(std::uint8_t b0, std::uint8_t b1, const std::string& noneText);

// Tone text to field: empty or a text not beginning with a digit or "D" gives no tone;
// CTCSS is clamped to kCtcssLowest .. kCtcssHighest; a malformed DCS text gives D023N.
void EncodeToneText(const std::string& text, std::uint8_t& b0, std::uint8_t& b1);

// The CTCSS tones a tone field holds, in 0.1 Hz: 67.0 to 254.1 Hz.
constexpr std::int64_t kCtcssLowest = 670;
constexpr std::int64_t kCtcssHighest = 2541;

// A CTCSS text (beginning with a digit) in 0.1 Hz before clamping: "88.5" gives 885;
// decimals beyond the first are dropped.
std::int64_t CtcssTextToTenths(const std::string& text);

// True for a DCS text the codec stores as written: "D" or "d", then three octal digits and a
// fifth character (I or i inverted, anything else normal).
bool IsDcsCodeText(const std::string& text);

// Hexadecimal text to bytes, two characters per byte, the first the high nibble; count
// characters are read (count / 2 bytes written). Only the low four bits of each
// character's value count, so "a".."f" read like "A".."F".
void HexToBytes(const std::string& text, std::size_t count, std::uint8_t* bytes);
