// The CSV import and the assignments of dpmtool set on arbitrary input: input that is
// refused changes nothing, and every channel stays within the model's limits.
#include "Assignment.h"
#include "DpmCommand.h"

#include "radio/ChannelCsv.h"
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

// Channels 1..16 hold frequencies within the limits (on the raster nearest to them).
void RequireInBand(const CDromelPgmDoc& doc) {
    for (int n = 1; n <= 16; ++n) {
        for (bool rx : {true, false}) {
            const std::string text = doc.GetFreqText(n, rx);
            if (text.empty()) {
                continue;
            }
            const std::int32_t value = FreqTextToValue(text);
            Require(value >= RoundToRaster(doc.GetFreqLow()) - 250);
            Require(value <= doc.GetFreqHigh() + 250);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const std::string assignment = data.ConsumeRandomLengthString(48);
    const std::string csv = data.ConsumeRemainingBytesAsString();

    CDromelPgmDoc doc;
    doc.NewDocument();
    const CsvImport import = ImportChannelsCsv(doc, csv);
    if (!import.isChannelCsv) {
        CDromelPgmDoc fresh;
        fresh.NewDocument();
        Require(doc.Image() == fresh.Image() && !doc.IsModified());
        Require(import.used == 0 && !import.whyNot.empty());
    }
    RequireInBand(doc);

    const MemoryImage before = doc.Image();
    const int model = doc.GetModel();
    try {
        ApplyAssignment(doc, assignment, "fuzz.dpm", false);
    } catch (const DpmError& error) {
        Require(error.status == kExitRefused);
        Require(doc.Image() == before && doc.GetModel() == model);
        return 0;
    }
    RequireInBand(doc);
    return 0;
}
