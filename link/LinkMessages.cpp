#include "link/LinkMessages.h"

#include "app/LangString.h"
#include "link/TransferEngine.h"

#include <cstdio>
#include <cstring>

namespace {

// The language text of key with each "%s" replaced by the next of the arguments.
std::string FormatLang(const std::string& key, std::initializer_list<std::string> args) {
    std::string text = GetLangString(key);
    std::size_t from = 0;
    for (const std::string& arg : args) {
        std::size_t at = text.find("%s", from);
        if (at == std::string::npos) {
            break;
        }
        text.replace(at, 2, arg);
        from = at + arg.size();
    }
    return text;
}

} // namespace

std::string PortOpenErrorText(const std::string& device, PortOpenError error, int nErrno) {
    switch (error) {
    case PortAbsent:
        return FormatLang("IDS_PORT_ABSENT", {device});
    case PortBusy:
        return FormatLang("IDS_PORT_BUSY", {device});
    case PortDenied:
        return FormatLang("IDS_PORT_DENIED", {device});
    case PortNotSerial:
        return FormatLang("IDS_PORT_NOTSERIAL", {device});
    case PortOtherError:
    case PortOpenOk:
        break;
    }
    return FormatLang("IDS_PORT_FAILED", {device, std::strerror(nErrno)});
}

std::string LinkErrorText(LinkResult result, const CCommPort& port) {
    std::string text = GetLangString(LinkErrorKey(result));
    if (result == LinkPortFailed) {
        text += "\n" + PortOpenErrorText(port.Device(), port.OpenError(), port.OpenErrno());
    }
    return text;
}

std::string BlockFailText(int nAddress) {
    char address[16];
    std::snprintf(address, sizeof address, "0x%03X", static_cast<unsigned>(nAddress));
    return FormatLang("IDS_FAIL_BLOCK", {address});
}
