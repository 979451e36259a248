// What a user may type into a frequency cell and into a tone cell. The grid's cell editors
// ask these rules character by character as keys arrive; dpmtool asks them of a whole value,
// so a value set from the command line is one that could have been typed.
#pragma once

#include <string>

// A frequency cell holds at most nine characters, a tone cell at most five.
constexpr int kFreqTextLimit = 9;
constexpr int kToneTextLimit = 5;

// True when the frequency editor takes the typed character c into text: a digit, or a "."
// or "," when text holds neither yet (wherever it stands, selected or not). A decimal comma
// is read as the decimal point when the value is stored.
bool IsFreqCharAccepted(char c, const std::string& text);

// The typed character c as the tone editor shows it: a letter upper-cased, anything else
// unchanged.
char ToneTypedChar(char c);

// Whether a whole text could have been typed into a cell. In a tone a comma is told apart
// from other characters: the decimal point of a tone is a point.
enum class ETyping {
    kTypable,
    kComma,    // a tone text holds a comma
    kTooLong,  // more characters than the cell takes
    kNotTyped, // a character or a form the cell does not take
};

// A frequency text: every character accepted by IsFreqCharAccepted in turn (digits and one
// "." or ","), at most kFreqTextLimit of them. Empty text (which erases) is typable.
ETyping CheckFreqTyping(const std::string& text);

// A tone text: empty or the none entry (noneText, case ignored, of any length); a CTCSS tone
// (a digit, then digits and at most one "."); or a DCS code form: "D", up to three digits,
// then "N" or "I" or nothing (letters in either case, as the editor upper-cases them). At
// most kToneTextLimit characters. A DCS form that is no code (D089N, D23N) is typable: the
// tone codec stores it as D023N.
ETyping CheckToneTyping(const std::string& text, const std::string& noneText);
