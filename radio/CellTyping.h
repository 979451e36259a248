// What a user may type into a frequency cell and into a tone cell. The grid's cell editors
// ask these rules character by character as keys arrive; dpmtool runs a whole value through
// them, so a value set from the command line reads as if it had been typed.
#pragma once

#include <string>

// A frequency cell holds at most nine characters, a tone cell at most five.
constexpr int kFreqTextLimit = 9;
constexpr int kToneTextLimit = 5;

// True when the frequency editor takes the typed character c into text: a digit, or a "."
// when text holds none yet (wherever it stands, selected or not).
bool IsFreqCharAccepted(char c, const std::string& text);

// The typed character c as the tone editor shows it: a letter upper-cased, anything else
// unchanged.
char ToneTypedChar(char c);

// Typed text as the frequency editor lets it through: the accepted characters, at most
// kFreqTextLimit of them; anything else is dropped.
std::string FilterFreqTyping(const std::string& typed);
// Typed text as the tone editor lets it through: at most kToneTextLimit characters,
// letters upper-cased.
std::string FilterToneTyping(const std::string& typed);
