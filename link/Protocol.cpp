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

// The receive queue of the cable's driver; emptying it takes at most this many bytes, so a
// device that never stops sending cannot hold the handshake.
constexpr int kReceiveQueueSize = 256;

// Time bounds of one block exchange once its request is sent: a read waits at most twelve
// frame windows and one answer window; a write one window for its ACK and, after a refusal,
// two more in which the line must fall quiet for one.
constexpr int kGetBlockBound = kFrameSize * kFrameWindow + kAnswerWindow;
constexpr int kPutBlockBound = 3 * kWriteAckWindow;
// After an ACK of the handshake that the radio did not answer in time: two answer windows in
// which the line must fall quiet for one.
constexpr int kAckSettleBound = 2 * kAnswerWindow;

// The bytes a 9600-baud line (11 bits a byte) carries in n units: no radio sends more within
// an exchange, so a faster device is not listened to for longer than that.
constexpr int LineBytes(int nUnits) {
    return static_cast<int>(static_cast<long long>(nUnits) * 9600 / 11 / 10000);
}

int UnitsLeft(const CLinkPort& port, SteadyClock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - port.Now());
    return std::max(0, static_cast<int>(left.count() / 100));
}

// Takes what the receive queue holds now (bounded); returns how many bytes that was.
int EmptyReceiveQueue(CLinkPort& port, int nMaxBytes) {
    int taken = 0;
    while (taken < nMaxBytes && port.RecvByte(0) >= 0) {
        ++taken;
    }
    return taken;
}

// After a refused or broken exchange: the rest of a late answer must not be taken for the
// answer to the next request, so the line has to stay quiet for one window first.
void SettleAfterFailure(CLinkPort& port, int nWindow, SteadyClock::time_point deadline,
                        int nMaxBytes) {
    port.AwaitQuiet(nWindow, UnitsLeft(port, deadline), nMaxBytes);
}

// The radio answers the PC's ACK with its own. One that has not come within its window may
// still be on its way, and a late 06 must not be taken for the ACK of the first block written:
// the line has to stay quiet for one window first.
void AwaitAckAnswer(CLinkPort& port) {
    if (port.RecvByte(kAnswerWindow) < 0) {
        SettleAfterFailure(port, kAnswerWindow,
                           port.Now() + std::chrono::microseconds(kAckSettleBound * 100),
                           LineBytes(kAckSettleBound));
    }
}

void SendReadRequest(CLinkPort& port, int nAddress) {
    const unsigned char request[] = {kReadRequest, static_cast<unsigned char>(nAddress / 256),
                                     static_cast<unsigned char>(nAddress % 256), kBlockLength};
    port.Write(request, sizeof request, kFrameGap);
}

bool IdentificationMatches(const unsigned char* reply, ConstImageSpan image) {
    for (int i = 0; i < kIdSize; ++i) {
        if (reply[i] != image[kModelIdOffset + kIdSize - 1 - i]) {
            return false;
        }
    }
    return true;
}

} // namespace

LinkResult EnterProgramMode(CLinkPort& port, bool bRead, ConstImageSpan image,
                            const MismatchQuestion& ask) {
    // A device that hung up or vanished since the port was opened (a cable pulled and
    // plugged in again, a radio restarted) is opened afresh the way it was opened before.
    if (port.IsOpen()) {
        port.CheckDevice();
    }
    if (!port.IsOpen()) {
        bool opened = port.HasLostDevice() ? port.Reopen() : port.Open(GetConfiguredPort(), 9600);
        if (!opened) {
            return LinkPortFailed;
        }
    }
    port.Delay(kSettleDelay);
    EmptyReceiveQueue(port, kReceiveQueueSize);

    int attempt = 0;
    for (;;) {
        port.Write(kProgramRequest, sizeof kProgramRequest, kProgramGapFirst);
        if (port.RecvByte(kProgramAckWindow) == kAck) {
            break;
        }
        if (++attempt == kHandshakeAttempts) {
            return LinkNoConnection;
        }
    }

    unsigned char id[kIdSize];
    port.SendByte(kIdentify, kIdentifyGap);
    if (port.Read(id, kIdSize, kIdentifyWindow) < kIdSize) {
        return LinkWrongReply;
    }

    if (!bRead) {
        bool matches = IdentificationMatches(id, image);
        if (matches) {
            port.SendByte(kAck, kEnterAckGap);
            AwaitAckAnswer(port);
            SendReadRequest(port, kModelParamsOffset);
            unsigned char frame[kFrameSize];
            if (port.Read(frame, kFrameSize, kFrameWindow) < kFrameSize) {
                return LinkWrongReply;
            }
            matches = std::equal(frame + 4, frame + kFrameSize, image.begin() + kModelParamsOffset);
        }
        if (!matches) {
            if (!ask || !ask()) {
                return LinkCancelled;
            }
            port.Delay(kRepeatPause);
            port.Write(kProgramRequest, sizeof kProgramRequest, kProgramGapRepeat);
            port.RecvByte(kProgramAckWindow);
            port.SendByte(kIdentify, kIdentifyGap);
            port.Read(id, kIdSize, kIdentifyWindow);
        }
    }

    port.SendByte(kAck, kEnterAckGap);
    AwaitAckAnswer(port);
    return LinkReady;
}

bool GetBlock(CLinkPort& port, ImageSpan image, int nAddress) {
    // Bytes queued before the request belong to no answer of this exchange.
    int budget = LineBytes(kGetBlockBound) - EmptyReceiveQueue(port, kReceiveQueueSize);
    SendReadRequest(port, nAddress);
    const auto deadline = port.Now() + std::chrono::microseconds(kGetBlockBound * 100);
    unsigned char frame[kFrameSize];
    const int got = port.Read(frame, kFrameSize, kFrameWindow);
    if (got < kFrameSize || frame[0] != kDataFrame || frame[1] != nAddress / 256 ||
        frame[2] != nAddress % 256) {
        SettleAfterFailure(port, kFrameWindow, deadline, budget - got);
        return false;
    }
    std::copy(frame + 4, frame + kFrameSize, image.begin() + nAddress);
    port.SendByte(kAck, kBlockAckGap);
    port.RecvByte(kAnswerWindow);
    return true;
}

bool PutBlock(CLinkPort& port, ConstImageSpan image, int nAddress) {
    int budget = LineBytes(kPutBlockBound) - EmptyReceiveQueue(port, kReceiveQueueSize);
    unsigned char frame[kFrameSize] = {kDataFrame, static_cast<unsigned char>(nAddress / 256),
                                       static_cast<unsigned char>(nAddress % 256), kBlockLength};
    std::copy(image.begin() + nAddress, image.begin() + nAddress + 8, frame + 4);
    port.Write(frame, kFrameSize, kFrameGap);
    const auto deadline = port.Now() + std::chrono::microseconds(kPutBlockBound * 100);
    const int answer = port.RecvByte(kWriteAckWindow);
    if (answer == kAck) {
        return true;
    }
    // A refusal or no answer in time: an ACK that comes late must not count for the next
    // block, nor may the next block's answer be mistaken for this one's.
    SettleAfterFailure(port, kWriteAckWindow, deadline, budget - (answer >= 0 ? 1 : 0));
    return false;
}
