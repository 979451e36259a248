// The data-file loader on arbitrary files: a loaded file saves and loads again to the same
// document and the same bytes; every frequency and tone text, written back through its
// setter, gives the same bytes; a typed frequency is clamped into the model's limits and
// never past 999.99999 MHz.
#include "FuzzTempFile.h"

#include "radio/ChannelRules.h"
#include "radio/DromelPgmDoc.h"
#include "radio/ValueCodecs.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

constexpr int kRecords = 32;

// Every text field through its setter once; the texts are then in the form the tool writes.
void WriteTextsBack(CDromelPgmDoc& doc) {
    for (int n = 1; n <= kRecords; ++n) {
        for (bool rx : {true, false}) {
            doc.SetFreqText(n, rx, doc.GetFreqText(n, rx));
            doc.SetToneText(n, rx, doc.GetToneText(n, rx));
        }
    }
}

std::string ReadAll(const std::string& path) {
    std::string bytes;
    Require(static_cast<bool>(ReadFileStart(path, kDataFileSize + 1, bytes)));
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const int channel = data.ConsumeIntegralInRange(1, 16);
    const bool rx = data.ConsumeBool();
    const std::string typed = data.ConsumeRandomLengthString(16);
    const std::string file = data.ConsumeRemainingBytesAsString();

    const std::string original = FuzzPath("in.dpm");
    const std::string saved = FuzzPath("saved.dpm");
    const std::string again = FuzzPath("again.dpm");
    Require(static_cast<bool>(WriteFileAtomically(original, file)));

    CDromelPgmDoc doc;
    Require(static_cast<bool>(doc.LoadFile(original)));
    Require(static_cast<bool>(doc.SaveFile(saved)));
    Require(ReadAll(saved).size() == kDataFileSize);
    CDromelPgmDoc loaded;
    Require(static_cast<bool>(loaded.LoadFile(saved)));
    Require(loaded.Image() == doc.Image() && loaded.GetHeader() == doc.GetHeader());
    Require(loaded.GetModel() == doc.GetModel());
    Require(static_cast<bool>(loaded.SaveFile(again)));
    Require(ReadAll(again) == ReadAll(saved));

    // Once written back, the texts are stable: getter, setter, same bytes.
    WriteTextsBack(doc);
    const MemoryImage settled = doc.Image();
    WriteTextsBack(doc);
    Require(doc.Image() == settled);

    if (!doc.IsRxEmpty(channel) || rx) {
        CommitChannelFreq(doc, channel, rx, typed);
        const std::string text = doc.GetFreqText(channel, rx);
        if (!text.empty()) {
            const std::int32_t value = FreqTextToValue(text);
            Require(value <= kMaxFreqValue);
            Require(text == LimitText(value));
            if (doc.GetFreqLow() <= doc.GetFreqHigh() && !typed.empty()) {
                Require(value >= RoundToRaster(doc.GetFreqLow()) - 250);
                Require(value <= doc.GetFreqHigh() + 250);
            }
        }
    }
    return 0;
}
