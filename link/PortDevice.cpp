#include "link/PortDevice.h"

#include "app/AppPaths.h"
#include "app/Profile.h"

std::string GetPortDevice(int nPort) {
    if (nPort < 1)
        return {};
    std::string key = "com" + std::to_string(nPort);
    std::string path = GetPrivateProfileString("ports", key, "", 260, g_strSettingFile);
    if (!path.empty())
        return path;
    return "/dev/ttyUSB" + std::to_string(nPort - 1);
}

int GetConfiguredPort() {
    std::string value = GetPrivateProfileString("setup", "com", "1", 8, g_strSettingFile);
    return value.empty() ? 0 : value[0] - '0';
}
