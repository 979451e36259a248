#include "tools/radiosim/SimImage.h"

#include "app/AppPaths.h"
#include "app/AtomicFile.h"
#include "radio/DromelPgmDoc.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// A frequency of the document's range as the form shows it ("446.01250"): the lower limit
// plus steps of 12.5 kHz (10 Hz units).
std::string RasterFreq(const CDromelPgmDoc& doc, int steps) {
    const std::int32_t value = doc.GetFreqLow() + 1250 * steps;
    char text[16];
    std::snprintf(text, sizeof text, "%03d.%05d", static_cast<int>(value / 100000),
                  static_cast<int>(value % 100000));
    return text;
}

// What a radio in use holds: six channels, some with tones and split frequencies, four of
// them in the scan list, a priority channel and options away from their defaults.
void FillInUse(CDromelPgmDoc& doc) {
    struct Channel {
        int steps;
        int txSteps; // -1: the same as receive
        const char* rxTone;
        const char* txTone;
        bool scan;
        bool narrow;
    };
    const Channel channels[] = {
        {8, -1, "", "", true, false},           {9, -1, "67.0", "67.0", true, false},
        {10, 14, "D023N", "D023N", true, true}, {11, -1, "", "88.5", false, false},
        {12, -1, "103.5", "103.5", true, true}, {20, 24, "", "", false, false},
    };
    int n = 1;
    for (const Channel& c : channels) {
        doc.SetFreqText(n, true, RasterFreq(doc, c.steps));
        doc.SetFreqText(n, false, RasterFreq(doc, c.txSteps < 0 ? c.steps : c.txSteps));
        doc.SetToneText(n, true, c.rxTone);
        doc.SetToneText(n, false, c.txTone);
        doc.SetScanAdd(n, c.scan);
        doc.SetNarrow(n, c.narrow);
        ++n;
    }
    doc.SetSquelchLevel(4);
    doc.SetScanType(1);
    doc.SetPriorityChannel(2);
    doc.SetTimeOutTimer(2);
    doc.SetBatterySave(true);
    doc.SetBeepTone(true);
}

} // namespace

bool DefaultSimImage(SimImage& image, std::string& error) {
    // The model table comes from the settings file beside the executable.
    std::string dir = ExecutableDir();
    if (dir.empty()) {
        error = "cannot find the folder of the executable";
        return false;
    }
    SetAppDir(dir);
    CDromelPgmDoc doc;
    doc.NewDocument();
    doc.FillTestChannels();
    FillInUse(doc);
    image = doc.Image();
    return true;
}

bool LoadSimImage(const std::string& path, SimImage& image, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::vector<unsigned char> data{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    if (data.size() == image.size() + kHeaderSize) {
        std::copy(data.begin() + kHeaderSize, data.end(), image.begin());
    } else if (data.size() == image.size()) {
        std::copy(data.begin(), data.end(), image.begin());
    } else {
        error = path + " is neither a .dpm data file (1072 bytes) nor a 1024-byte image";
        return false;
    }
    return true;
}

bool SaveSimImage(const std::string& path, const SimImage& image, std::string& error) {
    std::string bytes(kOwnHeader.begin(), kOwnHeader.end());
    bytes.append(image.begin(), image.end());
    const FileResult result = WriteFileAtomically(path, bytes);
    if (!result) {
        error = "cannot write " + path + ": " + result.reason;
        return false;
    }
    return true;
}
