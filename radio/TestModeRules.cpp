#include "radio/TestModeRules.h"

#include "app/AsciiText.h"
#include "radio/ValueCodecs.h"

#include <algorithm>
#include <limits>

namespace {

// The code is never written down here: the typed number plus the offset must give the
// constant, in 32-bit arithmetic.
constexpr std::uint32_t kCodeOffset = 0x6D2B79F5;
constexpr std::uint32_t kCodeConstant = 0x6D2C48AA;

std::int32_t ToInt32(std::int64_t value) {
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(value, kMin, kMax));
}

} // namespace

const std::array<const char*, kAlignmentCount> kAlignmentKeys{
    "batterylow", "sql9", "sql3",      "power",     "widectc", "widedcs",
    "rxcenter",   "freq", "narrowctc", "narrowdcs", "rxlow",   "rxhigh",
};

bool IsTestModeCode(const std::string& text) {
    const auto typed = static_cast<std::uint32_t>(ToInt32(LeadingInteger(text)));
    return static_cast<std::uint32_t>(typed + kCodeOffset) == kCodeConstant;
}

int FindAlignmentKey(const std::string& key) {
    for (int i = 0; i < kAlignmentCount; ++i) {
        if (EqualsNoCase(key, kAlignmentKeys[i])) {
            return i;
        }
    }
    return -1;
}

AlignmentValues GetAlignmentValues(const CDromelPgmDoc& doc) {
    AlignmentValues values{};
    std::copy_n(doc.Image().begin() + kAlignmentOffset, kAlignmentCount, values.begin());
    return values;
}

void SetAlignmentValue(CDromelPgmDoc& doc, int index, std::uint8_t value) {
    const CDocEdit edit(doc, EDocChange::kTestModeSave);
    doc.SetByte(kAlignmentOffset + index, value);
}

void SetManualAdjustSwitch(CDromelPgmDoc& doc, bool on) {
    const CDocEdit edit(doc, EDocChange::kTestModeSave);
    doc.SetManualAdjust(on);
}

void SaveTestMode(CDromelPgmDoc& doc, bool manualAdjust, const AlignmentValues& values) {
    const CDocEdit edit(doc, EDocChange::kTestModeSave);
    SetManualAdjustSwitch(doc, manualAdjust);
    for (int i = 0; i < kAlignmentCount; ++i) {
        SetAlignmentValue(doc, i, values[i]);
    }
}
