#include "link/Protocol.h"

#include "link/PortDevice.h"

#include <algorithm>

namespace {

constexpr unsigned char kAck = 0x06;
constexpr unsigned char kIdentify = 0x02;
constexpr unsigned char kReadRequest = 0x52;
constexpr unsigned char kDataFrame = 0x57;
constexpr unsigned char kBlockLength = 0x08;
constexpr unsigned char kProgramRequest[] = {'P', 'R', 'O', 'G', 'R', 'A', 'M'};

// Timings in 0.1 ms units.
constexpr int kSettleDelay = 1000;
constexpr int kProgramGapFirst = 150;
constexpr int kProgramGapRepeat = 10;
constexpr int kProgramAckWindow = 500;
constexpr int kHandshakeAttempts = 3;
constexpr int kIdentifyGap = 7;
constexpr int kIdentifyWindow = 350;
constexpr int kEnterAckGap = 10;
constexpr int kBlockAckGap = 5;
constexpr int kAnswerWindow = 500;
constexpr int kFrameGap = 5;
constexpr int kFrameWindow = 500;
constexpr int kWriteAckWindow = 1000;
constexpr int kRepeatPause = 10000;

constexpr int kFrameSize = 12;
constexpr int kIdSize = static_cast<int>(kModelIdSize);

void EmptyReceiveQueue(CCommPort& port) {
    while (port.RecvByte(0) >= 0) {
    }
}

void SendReadRequest(CCommPort& port, int nAddress) {
    const unsigned char request[] = {kReadRequest, static_cast<unsigned char>(nAddress / 256),
                                     static_cast<unsigned char>(nAddress % 256), kBlockLength};
    port.Write(request, sizeof request, kFrameGap);
}

bool IdentificationMatches(const unsigned char* reply, ConstImageSpan image) {
    for (int i = 0; i < kIdSize; ++i) {
        if (reply[i] != image[kModelIdOffset + kIdSize - 1 - i])
            return false;
    }
    return true;
}

} // namespace

LinkResult EnterProgramMode(CCommPort& port, bool bRead, ConstImageSpan image,
                            const MismatchQuestion& ask) {
    if (!port.IsOpen() && !port.Open(GetConfiguredPort(), 9600))
        return LinkPortFailed;
    port.Delay(kSettleDelay);
    EmptyReceiveQueue(port);

    int attempt = 0;
    for (;;) {
        port.Write(kProgramRequest, sizeof kProgramRequest, kProgramGapFirst);
        if (port.RecvByte(kProgramAckWindow) == kAck)
            break;
        if (++attempt == kHandshakeAttempts)
            return LinkNoConnection;
    }

    unsigned char id[kIdSize];
    port.SendByte(kIdentify, kIdentifyGap);
    if (port.Read(id, kIdSize, kIdentifyWindow) < kIdSize)
        return LinkWrongReply;

    if (!bRead) {
        bool matches = IdentificationMatches(id, image);
        if (matches) {
            port.SendByte(kAck, kEnterAckGap);
            port.RecvByte(kAnswerWindow);
            SendReadRequest(port, kModelParamsOffset);
            unsigned char frame[kFrameSize];
            if (port.Read(frame, kFrameSize, kFrameWindow) < kFrameSize)
                return LinkWrongReply;
            matches = std::equal(frame + 4, frame + kFrameSize, image.begin() + kModelParamsOffset);
        }
        if (!matches) {
            if (!ask || !ask())
                return LinkCancelled;
            port.Delay(kRepeatPause);
            port.Write(kProgramRequest, sizeof kProgramRequest, kProgramGapRepeat);
            port.RecvByte(kProgramAckWindow);
            port.SendByte(kIdentify, kIdentifyGap);
            port.Read(id, kIdSize, kIdentifyWindow);
        }
    }

    port.SendByte(kAck, kEnterAckGap);
    port.RecvByte(kAnswerWindow);
    return LinkReady;
}

bool GetBlock(CCommPort& port, ImageSpan image, int nAddress) {
    // Bytes of an earlier answer that came too late would be taken for this block's frame.
    EmptyReceiveQueue(port);
    SendReadRequest(port, nAddress);
    unsigned char frame[kFrameSize];
    if (port.Read(frame, kFrameSize, kFrameWindow) < kFrameSize)
        return false;
    if (frame[0] != kDataFrame || frame[1] != nAddress / 256 || frame[2] != nAddress % 256)
        return false;
    std::copy(frame + 4, frame + kFrameSize, image.begin() + nAddress);
    port.SendByte(kAck, kBlockAckGap);
    port.RecvByte(kAnswerWindow);
    return true;
}

bool PutBlock(CCommPort& port, ConstImageSpan image, int nAddress) {
    // A late acknowledgement of an earlier block must not count for this one.
    EmptyReceiveQueue(port);
    unsigned char frame[kFrameSize] = {kDataFrame, static_cast<unsigned char>(nAddress / 256),
                                       static_cast<unsigned char>(nAddress % 256), kBlockLength};
    std::copy(image.begin() + nAddress, image.begin() + nAddress + 8, frame + 4);
    port.Write(frame, kFrameSize, kFrameGap);
    return port.RecvByte(kWriteAckWindow) == kAck;
}
