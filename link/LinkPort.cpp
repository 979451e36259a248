#include "link/LinkPort.h"

namespace {

SteadyClock::duration Units(int n) {
    return std::chrono::microseconds(static_cast<long long>(n) * 100);
}

} // namespace

void CLinkPort::SendByte(unsigned char byte, int nGap) {
    if (nGap > 0) {
        WaitGap(nGap);
    }
    PutByte(byte, nGap);
}

int CLinkPort::SendRequest(const unsigned char* pBuffer, int nCount, int nGap, int nMaxDrop) {
    if (nCount < 1) {
        return 0;
    }
    for (int i = 0; i + 1 < nCount; ++i) {
        SendByte(pBuffer[i], nGap);
    }
    if (nGap > 0) {
        WaitGap(nGap);
    }
    const int dropped = DropQueued(nMaxDrop);
    PutByte(pBuffer[nCount - 1], nGap);
    return dropped;
}

int CLinkPort::DropQueued(int nMaxBytes) {
    int taken = 0;
    while (taken < nMaxBytes && RecvByte(0) >= 0) {
        ++taken;
    }
    return taken;
}

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

bool CLinkPort::AwaitQuiet(int nQuiet, int nBound, int& nBudget) {
    const auto bound = Now() + Units(nBound);
    for (; nBudget > 0; --nBudget) {
        if (Now() + Units(nQuiet) > bound) {
            return false; // no room left for a whole quiet window
        }
        if (RecvByte(nQuiet) < 0) {
            return true;
        }
    }
    return false;
}
