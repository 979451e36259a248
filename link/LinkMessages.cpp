#include "link/LinkMessages.h"

#include "app/LangString.h"
#include "link/TransferEngine.h"
#include "radio/ImageMap.h"

#include <cstdio>
#include <cstring>

namespace {

// The count of whole blocks below an address.
std::string Blocks(int nAddress) {
    return std::to_string(nAddress / static_cast<int>(kBlockSize));
}

} // namespace

std::string PortOpenErrorText(const std::string& device, PortOpenError error, int nErrno) {
    switch (error) {
    case PortAbsent:
        return FormatLangString("IDS_PORT_ABSENT", {device});
    case PortBusy:
        return FormatLangString("IDS_PORT_BUSY", {device});
    case PortLeftLocked:
        return FormatLangString("IDS_PORT_LEFTLOCKED", {device});
    case PortDenied:
        return FormatLangString("IDS_PORT_DENIED", {device});
    case PortNotSerial:
        return FormatLangString("IDS_PORT_NOTSERIAL", {device});
    case PortOtherError:
    case PortOpenOk:
        break;
    }
    return FormatLangString("IDS_PORT_FAILED", {device, std::strerror(nErrno)});
}

std::string LinkErrorText(LinkResult result, const CCommPort& port) {
    std::string text = GetLangString(LinkErrorKey(result));
    if (result == LinkPortFailed) {
        text += "\n" + PortOpenErrorText(port.Device(), port.OpenError(), port.OpenErrno());
    }
    return text;
}

std::string GaveUpText(bool bRead, int nAddress, int nEndAddress) {
    char address[16];
    std::snprintf(address, sizeof address, "0x%03X", static_cast<unsigned>(nAddress));
    return FormatLangString(bRead ? "IDS_GAVEUP_READ" : "IDS_GAVEUP_WRITE",
                            {address, Blocks(nAddress), Blocks(nEndAddress)});
}

std::string InterruptedText(bool bRead, int nAddress, int nEndAddress) {
    if (!bRead && nAddress == 0) {
        return GetLangString("IDS_STOP_WRITE_NONE");
    }
    return FormatLangString(bRead ? "IDS_STOP_READ" : "IDS_STOP_WRITE",
                            {Blocks(nAddress), Blocks(nEndAddress)});
}
