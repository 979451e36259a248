#include "tools/radiosim/SimImage.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr std::size_t kHeaderSize = 48;
constexpr char kHeader[] = "QX  Radio Program data v1.33.7410 Morcan Vale   ";

} // namespace

bool DefaultSimImage(SimImage& image, std::string&) {
    image.fill(0xFF);
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
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(kHeader, kHeaderSize);
    out.write(reinterpret_cast<const char*>(image.data()),
              static_cast<std::streamsize>(image.size()));
    out.close();
    if (!out) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
