#include "tools/radiosim/SimImage.h"

#include "app/AppPaths.h"
#include "app/AtomicFile.h"
#include "radio/DromelPgmDoc.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace {} // namespace

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
    image = doc.m_image;
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
    if (data.size() == image.size() + kHeaderSize)
        std::copy(data.begin() + kHeaderSize, data.end(), image.begin());
    else if (data.size() == image.size())
        std::copy(data.begin(), data.end(), image.begin());
    else {
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
