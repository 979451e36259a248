// The CDromelPgmDoc members that work from the model table of the settings file: section
// [model] with model%d (identification), value%d (parameter bytes), freq%d (band limits)
// and fdisp%d (display name).
#include "radio/DromelPgmDoc.h"

#include "app/Settings.h"
#include "radio/ImageFields.h"
#include "radio/ValueCodecs.h"

#include <algorithm>
#include <tuple>

namespace {

constexpr int kMaxModels = 16;

std::string ModelKey(const char* family, int k) {
    return family + std::to_string(k);
}

std::string ReadModelValue(const char* family, int k, std::size_t bufferSize) {
    return GetSettingString("model", ModelKey(family, k), "", bufferSize);
}

} // namespace

void CDromelPgmDoc::FindModel() {
    m_nModel = -1;
    for (int k = 0; k < kMaxModels; ++k) {
        const std::string id = ReadModelValue("model", k, 30);
        if (id.empty()) {
            break;
        }
        std::uint8_t bytes[kModelIdSize];
        HexToBytes(id, 2 * kModelIdSize, bytes);
        if (std::equal(bytes, bytes + kModelIdSize, m_image.begin() + kModelIdOffset)) {
            m_nModel = k;
        }
    }
    LoadFreqLimits();
}

void CDromelPgmDoc::SetModel(int k) {
    const CDocEdit edit(*this);
    m_nModel = k;
    HexToBytes(ReadModelValue("model", k, 60), 2 * kModelIdSize, m_image.data() + kModelIdOffset);
    HexToBytes(ReadModelValue("value", k, 60), 2 * kModelParamsSize,
               m_image.data() + kModelParamsOffset);
    SetSquelchLevel(3);
    SetDropoutDelay(9);
    SetMonitorKey(3);
    LoadFreqLimits();
    FillTestChannels();
    for (int n = 1; n <= kChannelCount; ++n) {
        SetNarrow(n, false);
    }
}

void CDromelPgmDoc::LoadFreqLimits() {
    const std::string freq = m_nModel < 0 ? std::string() : ReadModelValue("freq", m_nModel, 60);
    if (freq.empty()) {
        m_nFreqLow = kDefaultFreqLow;
        m_nFreqHigh = kDefaultFreqHigh;
        return;
    }
    std::uint8_t bytes[16];
    HexToBytes(freq, 32, bytes);
    m_nFreqHigh = FreqFieldToValue(bytes);
    m_nFreqLow = FreqFieldToValue(bytes + 4);
}

void CDromelPgmDoc::FillTestChannels() {
    const CDocEdit edit(*this);
    const std::int32_t low = m_nFreqLow;
    const std::int32_t high = m_nFreqHigh;
    const std::int32_t mid = (low + high) / 2;
    struct TestChannel {
        std::int32_t rx;
        std::int32_t tx;
        const char* tone; // both tones, or null to leave them
    };
    const TestChannel channels[] = {
        {mid + 10000, mid, nullptr},          {low + 10000, low, nullptr},
        {high - 10000, high - 2500, nullptr}, {mid + 50000, mid + 50000, nullptr},
        {mid + 55000, mid + 55000, "D023N"},  {mid + 60000, mid + 60000, nullptr},
        {mid + 55000, mid + 55000, "127.3"},  {mid + 65000, mid + 65000, "151.4"},
    };
    int n = kFirstTestChannel;
    for (const TestChannel& c : channels) {
        for (const auto& [value, field, step] : {std::tuple{c.rx, &kFieldRxFreq, &kFieldRxStep},
                                                 std::tuple{c.tx, &kFieldTxFreq, &kFieldTxStep}}) {
            const std::int32_t r = RoundToRaster(std::clamp(value, 0, kMaxFreqValue));
            PackFreqValue(r, FieldBytes(m_image, *field, n));
            SetFieldByte(m_image, *step, StepByteFor(r), n);
        }
        if (c.tone != nullptr) {
            SetToneText(n, true, c.tone);
            SetToneText(n, false, c.tone);
        }
        SetNarrow(n, false);
        ++n;
    }
}
