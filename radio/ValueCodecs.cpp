#include "radio/ValueCodecs.h"

#include <cctype>
#include <cstdio>

namespace {

// Moves the first decimal point of text places characters to the right and reads the
// leading integer: the common step of the frequency, limit and tone conversions. The
// conversion stops at the moved point, so what follows it is not needed.
std::int64_t ShiftDecimal(const std::string& text, std::size_t places) {
    const std::size_t dot = text.find('.');
    if (dot == std::string::npos) {
        return LeadingInteger(text);
    }
    std::string moved = text.substr(0, dot);
    moved.append(text, dot + 1, places);
    return LeadingInteger(moved);
}

} // namespace

std::int64_t LeadingInteger(const std::string& text) {
    constexpr std::int64_t kLimit = 1'000'000'000'000;
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < kLimit) {
            value = value * 10 + (text[i] - '0');
        }
    }
    return negative ? -value : value;
}

bool IsFreqFieldErased(const std::uint8_t* field) {
    return field[3] > 0x99;
}

std::string FreqFieldToText(const std::uint8_t* field) {
    if (IsFreqFieldErased(field)) {
        return {};
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%x%x.%x%02x%02x", field[3], field[2] >> 4,
                  field[2] & 0x0F, field[1], field[0]);
    return buffer;
}

std::int64_t FreqTextToWideValue(const std::string& text) {
    std::string shifted = text;
    shifted += text.find('.') == std::string::npos ? ".00000" : "00000";
    return ShiftDecimal(shifted, 5);
}

std::int32_t FreqTextToValue(const std::string& text) {
    const std::int64_t value = FreqTextToWideValue(text);
    if (value < 0) {
        return 0;
    }
    return value > kMaxFreqValue ? kMaxFreqValue : static_cast<std::int32_t>(value);
}

std::int32_t RoundToRaster(std::int32_t value) {
    const std::int64_t v = value;
    const std::int64_t g = (v + 75) / 625 * 625;
    std::int64_t r = g;
    if (g / 100 != v / 100) {
        const std::int64_t q = v / 500;
        const std::int64_t rem = v - 500 * q;
        r = rem <= 250 ? 500 * q : 500 * (q + 1);
    }
    return r > kMaxFreqValue ? kMaxFreqValue : static_cast<std::int32_t>(r);
}

void PackFreqValue(std::int32_t value, std::uint8_t* field) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08d", static_cast<int>(value));
    for (int i = 0; i < 4; ++i) {
        const int high = digits[2 * i] & 0x0F;
        const int low = digits[2 * i + 1] & 0x0F;
        field[3 - i] = static_cast<std::uint8_t>(high << 4 | low);
    }
}

std::uint8_t StepByteFor(std::int32_t value) {
    return value % 625 == 0 ? 1 : 0;
}

void EncodeFreqText(const std::string& text, std::uint8_t* field, std::uint8_t& step) {
    if (text.empty()) {
        for (int i = 0; i < 4; ++i) {
            field[i] = 0xFF;
        }
        step = 0xFF;
        return;
    }
    const std::int32_t r = RoundToRaster(FreqTextToValue(text));
    PackFreqValue(r, field);
    step = StepByteFor(r);
}

std::int32_t FreqFieldToValue(const std::uint8_t* field) {
    const std::int64_t value = ShiftDecimal(FreqFieldToText(field), 5);
    if (value < 0) {
        return 0;
    }
    return value > kMaxFreqValue ? kMaxFreqValue : static_cast<std::int32_t>(value);
}

std::string LimitText(std::int32_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%03d.%05d", static_cast<int>(value / 100000),
                  static_cast<int>(value % 100000));
    return buffer;
}

EToneKind ToneFieldKind(std::uint8_t b1) {
    if (b1 == 0xFF) {
        return EToneKind::kNone;
    }
    return b1 < 0x80 ? EToneKind::kCtcss : EToneKind::kDcs;
}

std::string ToneFieldToText(std::uint8_t b0, std::uint8_t b1, const std::string& noneText) {
    char buffer[16];
    const EToneKind kind = ToneFieldKind(b1);
    if (kind == EToneKind::kNone) {
        return noneText;
    }
    if (kind == EToneKind::kCtcss) {
        std::snprintf(buffer, sizeof buffer, "%x%x.%x", b1, b0 >> 4, b0 & 0x0F);
    } else {
        std::snprintf(buffer, sizeof buffer, b1 < 0xC0 ? "D%x%02xN" : "D%x%02xI", b1 & 0x0F, b0);
    }
    return buffer;
}

void EncodeToneText(const std::string& text, std::uint8_t& b0, std::uint8_t& b1) {
    b0 = 0xFF;
    b1 = 0xFF;
    if (text.empty()) {
        return;
    }
    const char first = text[0];
    if (first == 'D' || first == 'd') {
        b0 = 0x23;
        b1 = 0x80;
        if (!IsDcsCodeText(text)) {
            return;
        }
        b1 = text[4] == 'I' || text[4] == 'i' ? 0xC0 : 0x80;
        b1 |= static_cast<std::uint8_t>(text[1] & 0x0F);
        b0 = static_cast<std::uint8_t>((text[2] & 0x0F) << 4 | (text[3] & 0x0F));
        return;
    }
    if (first < '0' || first > '9') {
        return;
    }
    std::int64_t tenths = CtcssTextToTenths(text);
    if (tenths < kCtcssLowest) {
        tenths = kCtcssLowest;
    } else if (tenths > kCtcssHighest) {
        tenths = kCtcssHighest;
    }
    const int d = static_cast<int>(tenths);
    b1 = static_cast<std::uint8_t>((d / 1000) << 4 | (d / 100 % 10));
    b0 = static_cast<std::uint8_t>((d / 10 % 10) << 4 | (d % 10));
}

std::int64_t CtcssTextToTenths(const std::string& text) {
    std::string shifted = text;
    shifted += text.find('.') == std::string::npos ? ".0" : "0";
    return ShiftDecimal(shifted, 1);
}

bool IsDcsCodeText(const std::string& text) {
    const auto octal = [](char c) { return c >= '0' && c <= '7'; };
    return text.size() == 5 && (text[0] == 'D' || text[0] == 'd') && octal(text[1]) &&
           octal(text[2]) && octal(text[3]);
}

void HexToBytes(const std::string& text, std::size_t count, std::uint8_t* bytes) {
    const auto value = [&](std::size_t i) -> unsigned {
        const auto c = static_cast<unsigned char>(i < text.size() ? text[i] : '0');
        return c <= '9' ? c - 0x30u : c - 0x37u;
    };
    for (std::size_t i = 0; i < count; i += 2) {
        bytes[i / 2] = static_cast<std::uint8_t>(((value(i) << 4) & 0xFF) | (value(i + 1) & 0x0F));
    }
}
