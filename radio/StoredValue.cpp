#include "radio/StoredValue.h"

#include "app/AsciiText.h"
#include "radio/ValueCodecs.h"

EStored FreqTextStoring(const std::string& text) {
    if (text.empty()) {
        return EStored::kAsGiven;
    }
    const std::int64_t wide = FreqTextToWideValue(text);
    const std::int32_t value = FreqTextToValue(text);
    if (wide != value) {
        return EStored::kBeyondField;
    }
    return RoundToRaster(value) != value ? EStored::kOffRaster : EStored::kAsGiven;
}

bool ReadDecimalComma(std::string& text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return false;
    }
    text[comma] = '.';
    return true;
}

EStored ToneTextStoring(const std::string& text, const std::string& noneText) {
    if (text.empty() || EqualsNoCase(text, noneText)) {
        return EStored::kAsGiven;
    }
    if (text[0] == 'D' || text[0] == 'd') {
        const char polarity = IsDcsCodeText(text) ? text[4] : '?';
        const bool named = polarity == 'N' || polarity == 'n' || polarity == 'I' || polarity == 'i';
        return named ? EStored::kAsGiven : EStored::kNotDcs;
    }
    if (text[0] < '0' || text[0] > '9') {
        return EStored::kNotTone;
    }
    const std::int64_t tenths = CtcssTextToTenths(text);
    return tenths < kCtcssLowest || tenths > kCtcssHighest ? EStored::kToneRange
                                                           : EStored::kAsGiven;
}
