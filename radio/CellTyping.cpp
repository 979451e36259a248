#include "radio/CellTyping.h"

#include "app/AsciiText.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsCtcssForm(const std::string& text) {
    std::string typed;
    for (const char c : text) {
        if (c == ',' || !IsFreqCharAccepted(c, typed)) {
            return false;
        }
        typed += c;
    }
    return IsDigit(text[0]);
}

bool IsDcsForm(const std::string& text) {
    if (ToneTypedChar(text[0]) != 'D') {
        return false;
    }
    std::size_t i = 1;
    while (i < text.size() && i <= 3 && IsDigit(text[i])) {
        ++i;
    }
    if (i == text.size()) {
        return true;
    }
    const char polarity = ToneTypedChar(text[i]);
    return i + 1 == text.size() && (polarity == 'N' || polarity == 'I');
}

} // namespace

bool IsFreqCharAccepted(char c, const std::string& text) {
    if (IsDigit(c)) {
        return true;
    }
    return (c == '.' || c == ',') && text.find_first_of(".,") == std::string::npos;
}

char ToneTypedChar(char c) {
    return AsciiUpper(c);
}

ETyping CheckFreqTyping(const std::string& text) {
    std::string typed;
    for (const char c : text) {
        if (!IsFreqCharAccepted(c, typed)) {
            return ETyping::kNotTyped;
        }
        typed += c;
    }
    return text.size() > static_cast<std::size_t>(kFreqTextLimit) ? ETyping::kTooLong
                                                                  : ETyping::kTypable;
}

ETyping CheckToneTyping(const std::string& text, const std::string& noneText) {
    if (text.empty() || EqualsNoCase(text, noneText)) {
        return ETyping::kTypable;
    }
    if (text.find(',') != std::string::npos) {
        return ETyping::kComma;
    }
    if (!IsCtcssForm(text) && !IsDcsForm(text)) {
        return ETyping::kNotTyped;
    }
    return text.size() > static_cast<std::size_t>(kToneTextLimit) ? ETyping::kTooLong
                                                                  : ETyping::kTypable;
}
