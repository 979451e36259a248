#include "radio/CellTyping.h"

bool IsFreqCharAccepted(char c, const std::string& text) {
    if (c >= '0' && c <= '9') {
        return true;
    }
    return c == '.' && text.find('.') == std::string::npos;
}

char ToneTypedChar(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string FilterFreqTyping(const std::string& typed) {
    std::string text;
    for (const char c : typed) {
        if (text.size() >= static_cast<std::size_t>(kFreqTextLimit)) {
            break;
        }
        if (IsFreqCharAccepted(c, text)) {
            text += c;
        }
    }
    return text;
}

std::string FilterToneTyping(const std::string& typed) {
    std::string text = typed.substr(0, kToneTextLimit);
    for (char& c : text) {
        c = ToneTypedChar(c);
    }
    return text;
}
