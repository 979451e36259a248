#include "link/PortDevice.h"

#include "app/Settings.h"

std::string GetPortDevice(int nPort) {
    if (nPort < 1) {
        return {};
    }
    std::string key = "com" + std::to_string(nPort);
    std::string path = GetSettingString("ports", key, "", 260);
    if (!path.empty()) {
        return path;
    }
    return "/dev/ttyUSB" + std::to_string(nPort - 1);
}

int GetConfiguredPort() {
    std::string value = GetSettingString("setup", "com", "1", 8);
    return value.empty() ? 0 : value[0] - '0';
}
