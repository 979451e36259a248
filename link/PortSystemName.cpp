#include "link/PortSystemName.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// How many folders above the terminal's own the USB device may lie (interface, device).
constexpr int kUsbSearchDepth = 6;

std::string FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) {
        line.pop_back();
    }
    return line;
}

// The product string of the USB device above the terminal (the first folder up that has a
// vendor id), with its manufacturer in front when the product string does not already
// begin with it.
std::string UsbProductName(const fs::path& device, const fs::path& sysRoot) {
    std::error_code error;
    fs::path dir = fs::canonical(sysRoot / "class" / "tty" / device.filename() / "device", error);
    for (int i = 0; i < kUsbSearchDepth && !error && dir.has_parent_path();
         ++i, dir = dir.parent_path()) {
        if (!fs::exists(dir / "idVendor", error)) {
            continue;
        }
        const std::string product = FirstLine(dir / "product");
        const std::string maker = FirstLine(dir / "manufacturer");
        if (product.empty() || maker.empty() || product.rfind(maker, 0) == 0) {
            return product;
        }
        return maker + " " + product;
    }
    return {};
}

// The name of the first link in /dev/serial/by-id that leads to device.
std::string ByIdName(const fs::path& device, const fs::path& devRoot) {
    std::error_code error;
    fs::directory_iterator it(devRoot / "serial" / "by-id", error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code linkError;
        if (fs::canonical(it->path(), linkError) == device && !linkError) {
            return it->path().filename().string();
        }
    }
    return {};
}

} // namespace

std::string PortSystemName(const std::string& strPath, const std::string& strDevRoot,
                           const std::string& strSysRoot) {
    std::error_code error;
    const fs::path device = fs::canonical(strPath, error);
    if (error) {
        return {};
    }
    std::string name = UsbProductName(device, strSysRoot);
    if (name.empty()) {
        name = ByIdName(device, strDevRoot);
    }
    return name;
}
