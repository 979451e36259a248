#include "radio/ValueNotice.h"

#include "app/LangString.h"

std::string TypingRefusal(ETyping typing, bool tone, const std::string& value) {
    switch (typing) {
    case ETyping::kComma:
        return FormatLangString("IDS_TYPE_COMMA", {value});
    case ETyping::kTooLong:
        return FormatLangString(tone ? "IDS_TYPE_TONE_LONG" : "IDS_TYPE_FREQ_LONG",
                                {value, std::to_string(tone ? kToneTextLimit : kFreqTextLimit)});
    default:
        return FormatLangString(tone ? "IDS_TYPE_TONE" : "IDS_TYPE_FREQ", {value});
    }
}

std::string StoredNotice(const std::string& name, const std::string& given,
                         const SStoredValue& stored) {
    const char* key = nullptr;
    switch (stored.how) {
    case EStored::kAsGiven:
        return {};
    case EStored::kAboveBand:
        key = "IDS_STORED_ABOVE_BAND";
        break;
    case EStored::kBelowBand:
        key = "IDS_STORED_BELOW_BAND";
        break;
    case EStored::kOffRaster:
        key = "IDS_STORED_OFF_RASTER";
        break;
    case EStored::kBeyondField:
        key = "IDS_STORED_BEYOND_FIELD";
        break;
    case EStored::kToneRange:
        key = "IDS_STORED_TONE_RANGE";
        break;
    case EStored::kNotDcs:
        key = "IDS_STORED_NOT_DCS";
        break;
    case EStored::kNotTone:
        key = "IDS_STORED_NOT_TONE";
        break;
    case EStored::kComma:
        key = "IDS_STORED_COMMA";
        break;
    }
    return FormatLangString(key, {name, given, stored.text});
}

std::vector<std::string> CommitNotices(const std::string& name, const std::string& given,
                                       const SStoredValue& stored) {
    std::vector<std::string> notices;
    std::string value = StoredNotice(name, given, stored);
    if (!value.empty()) {
        notices.push_back(std::move(value));
    }
    if (stored.scanTypeReset) {
        notices.push_back(FormatLangString("IDS_STORED_SCAN_RESET", {name}));
    }
    return notices;
}
