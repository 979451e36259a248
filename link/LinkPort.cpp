#include "link/LinkPort.h"

namespace {

SteadyClock::duration Units(int n) {
    return std::chrono::microseconds(static_cast<long long>(n) * 100);
}

} // namespace

int CLinkPort::Read(unsigned char* pBuffer, int nCount, int nWindow) {
    for (int i = 0; i < nCount; ++i) {
        const int byte = RecvByte(nWindow < 1 ? 0 : nWindow);
        if (byte < 0) {
            return i;
        }
        pBuffer[i] = static_cast<unsigned char>(byte);
    }
    return nCount;
}

bool CLinkPort::AwaitQuiet(int nQuiet, int nBound, int nMaxBytes) {
    const auto bound = Now() + Units(nBound);
    for (int taken = 0; taken < nMaxBytes; ++taken) {
        if (Now() + Units(nQuiet) > bound) {
            return false; // no room left for a whole quiet window
        }
        if (RecvByte(nQuiet) < 0) {
            return true;
        }
    }
    return false;
}
