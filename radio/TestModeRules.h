// What Test Mode does to the document: the dealers' access code that unlocks it, the twelve
// alignment values (one unsigned byte each at 0x3F0..0x3FB) and the Manual Adjust switch
// (bit 4 of 0x3C4, 0 = on). A write to the radio never sends the alignment bytes; they come
// with a read and live in data files.
#pragma once

#include "radio/DromelPgmDoc.h"

#include <array>
#include <cstdint>
#include <string>

// True when text is the access code. The text is read as a number the way atol reads it
// (leading blanks, an optional sign, digits, the rest ignored), kept within 32 bits, so
// " 007x" is the number 7.
bool IsTestModeCode(const std::string& text);

// The alignment values in image order: value i is the byte at 0x3F0 + i. The keys are the
// labels of the Test Mode window in lower case without blanks ("batterylow", "sql9"...),
// as dpmtool names them.
constexpr int kAlignmentCount = static_cast<int>(kAlignmentSize);
using AlignmentValues = std::array<std::uint8_t, kAlignmentCount>;
extern const std::array<const char*, kAlignmentCount> kAlignmentKeys;

// The index of key (case ignored), or -1 when no value has that key.
int FindAlignmentKey(const std::string& key);

AlignmentValues GetAlignmentValues(const CDromelPgmDoc& doc);

// Sets one alignment value; the document is marked modified when the byte changes.
void SetAlignmentValue(CDromelPgmDoc& doc, int index, std::uint8_t value);
// Sets the Manual Adjust switch; the document is marked modified when the bit changes.
void SetManualAdjustSwitch(CDromelPgmDoc& doc, bool on);

// Test Mode's Save: the switch and all twelve values. The document is marked modified when
// any byte changed, so that closing the program asks to save the dealer's alignment.
void SaveTestMode(CDromelPgmDoc& doc, bool manualAdjust, const AlignmentValues& values);
