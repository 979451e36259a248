#include "link/Protocol.h"

#include "link/PortDevice.h"

#include <algorithm>

namespace {

constexpr unsigned char kAck = 0x06;
constexpr unsigned char kIdentify = 0x02;
constexpr unsigned char kReadRequest = 0x52;
constexpr unsigned char kDataFrame = 0x57;
constexpr unsigned char kBlockLength = static_cast<unsigned char>(kBlockSize);
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

// A frame: its kind, the address in two bytes, the length, then the block.
constexpr int kFrameSize = 4 + kBlockLength;
constexpr int kIdSize = static_cast<int>(kModelIdSize);

// The receive queue of the cable's driver; emptying it takes at most this many bytes, so a
// device that never stops sending cannot hold the handshake.
constexpr int kReceiveQueueSize = 256;

// The bytes a 9600-baud line (11 bits a byte) carries in n units: no radio sends more within
// an exchange, so a faster device is not listened to for longer than that.
constexpr int LineBytes(int nUnits) {
    return static_cast<int>(static_cast<long long>(nUnits) * 9600 / 11 / 10000);
}

// A byte's time on the line, rounded up to whole units.
constexpr int kByteUnits = 12;

// Before a request the line must be quiet: bytes still queued belong to an earlier exchange.
// When there are any, the line has to stay quiet for one window, within two.
constexpr int DrainBound(int nWindow) {
    return 2 * nWindow;
}

// Time bounds of one block exchange once its request is sent: a read waits at most twelve
// frame windows and one answer window; a write one window for its ACK and, after a refusal,
// two more in which the line must fall quiet for one. The drain before the request has its own.
constexpr int kGetBlockBound = kFrameSize * kFrameWindow + kAnswerWindow;
constexpr int kPutBlockBound = 3 * kWriteAckWindow;
// After an ACK of the handshake that the radio did not answer in time: two answer windows in
// which the line must fall quiet for one.
constexpr int kAckSettleBound = 2 * kAnswerWindow;
// What a read exchange may take from the line: the drain before its request and its bound.
constexpr int kGetBlockBudget = LineBytes(DrainBound(kFrameWindow) + kGetBlockBound);

// What the line carries while a request of nCount bytes goes out with its gaps, and one more.
constexpr int SendingBytes(int nCount, int nGap) {
    return LineBytes(nCount * (nGap + kByteUnits)) + 1;
}

int UnitsLeft(const CLinkPort& port, SteadyClock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - port.Now());
    return std::max(0, static_cast<int>(left.count() / 100));
}

// Drops what is queued and, when there was anything, waits for the line to stay quiet for one
// window. Every byte taken is counted off nBudget.
void DrainLine(CLinkPort& port, int nWindow, int& nBudget) {
    const int queued = port.DropQueued(std::min(nBudget, kReceiveQueueSize));
    nBudget -= queued;
    if (queued > 0) {
        port.AwaitQuiet(nWindow, DrainBound(nWindow), nBudget);
    }
}

// Sends a request after draining the line; bytes that come in while it is being sent are no
// answer to it and are dropped. False when the line could not be emptied within the budget (or
// within what it can carry while the request is sent): an answer could not be told apart.
bool SendRequest(CLinkPort& port, const unsigned char* pRequest, int nCount, int nGap, int nWindow,
                 int& nBudget) {
    DrainLine(port, nWindow, nBudget);
    const int limit = std::min(nBudget, SendingBytes(nCount, nGap));
    const int dropped = port.SendRequest(pRequest, nCount, nGap, limit);
    nBudget -= dropped;
    return dropped < limit;
}

// The handshake's requests: each drains with a budget of its own, what the line carries while
// the PC waits for quiet and sends.
bool SendRequest(CLinkPort& port, const unsigned char* pRequest, int nCount, int nGap,
                 int nWindow) {
    int budget = LineBytes(DrainBound(nWindow)) + SendingBytes(nCount, nGap);
    return SendRequest(port, pRequest, nCount, nGap, nWindow, budget);
}

// After a refused or broken exchange: the rest of a late answer must not be taken for the
// answer to the next request, so the line has to stay quiet for one window first.
void SettleAfterFailure(CLinkPort& port, int nWindow, SteadyClock::time_point deadline,
                        int& nBudget) {
    port.AwaitQuiet(nWindow, UnitsLeft(port, deadline), nBudget);
}

// The PC's ACK during the handshake. The radio answers it with its own; one that has not come
// within its window may still be on its way, and a late 06 must not be taken for the answer to
// the next request: the line has to stay quiet for one window first.
void Acknowledge(CLinkPort& port) {
    SendRequest(port, &kAck, 1, kEnterAckGap, kAnswerWindow);
    if (port.RecvByte(kAnswerWindow) < 0) {
        int budget = LineBytes(kAckSettleBound);
        SettleAfterFailure(port, kAnswerWindow,
                           port.Now() + std::chrono::microseconds(kAckSettleBound * 100), budget);
    }
}

// One "PROGRAM" request; true when the radio acknowledged it in time.
bool RequestProgramMode(CLinkPort& port, int nGap) {
    return SendRequest(port, kProgramRequest, sizeof kProgramRequest, nGap, kProgramAckWindow) &&
           port.RecvByte(kProgramAckWindow) == kAck;
}

// Asks for the identification. An identification that starts with 06 and runs on past its
// eight bytes began with a late ACK: it is not the radio's identification.
bool RequestIdentification(CLinkPort& port, unsigned char* pId) {
    SendRequest(port, &kIdentify, 1, kIdentifyGap, kIdentifyWindow);
    if (port.Read(pId, kIdSize, kIdentifyWindow) < kIdSize) {
        return false;
    }
    return pId[0] != kAck || port.RecvByte(kIdentifyWindow) < 0;
}

bool SendReadRequest(CLinkPort& port, int nAddress, int& nBudget) {
    const unsigned char request[] = {kReadRequest, static_cast<unsigned char>(nAddress / 256),
                                     static_cast<unsigned char>(nAddress % 256), kBlockLength};
    return SendRequest(port, request, sizeof request, kFrameGap, kFrameWindow, nBudget);
}

// A data frame that answers the read request for nAddress: its leading byte and its address.
// The length byte is not examined.
bool FrameFits(const unsigned char* pFrame, int nAddress) {
    return pFrame[0] == kDataFrame && pFrame[1] == nAddress / 256 && pFrame[2] == nAddress % 256;
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
    port.DropQueued(kReceiveQueueSize);

    // Each attempt waits for a quiet line first, and an ACK that came in while "PROGRAM" was
    // being sent answers an earlier attempt: so a late ACK never counts for a later request.
    int attempt = 0;
    while (!RequestProgramMode(port, kProgramGapFirst)) {
        if (++attempt == kHandshakeAttempts) {
            return LinkNoConnection;
        }
    }

    unsigned char id[kIdSize];
    if (!RequestIdentification(port, id)) {
        return LinkWrongReply;
    }

    if (!bRead) {
        bool matches = IdentificationMatches(id, image);
        if (matches) {
            Acknowledge(port);
            int budget = kGetBlockBudget;
            unsigned char frame[kFrameSize];
            if (!SendReadRequest(port, kModelParamsOffset, budget) ||
                port.Read(frame, kFrameSize, kFrameWindow) < kFrameSize ||
                !FrameFits(frame, kModelParamsOffset)) {
                return LinkWrongReply;
            }
            matches = std::equal(frame + 4, frame + kFrameSize, image.begin() + kModelParamsOffset);
        }
        if (!matches) {
            if (!ask || !ask()) {
                return LinkCancelled;
            }
            port.Delay(kRepeatPause);
            RequestProgramMode(port, kProgramGapRepeat);
            RequestIdentification(port, id);
        }
    }

    Acknowledge(port);
    return LinkReady;
}

bool GetBlock(CLinkPort& port, ImageSpan image, int nAddress) {
    int budget = kGetBlockBudget;
    if (!SendReadRequest(port, nAddress, budget)) {
        return false;
    }
    const auto deadline = port.Now() + std::chrono::microseconds(kGetBlockBound * 100);
    unsigned char frame[kFrameSize];
    const int got = port.Read(frame, kFrameSize, kFrameWindow);
    budget -= got;
    if (got < kFrameSize || !FrameFits(frame, nAddress)) {
        SettleAfterFailure(port, kFrameWindow, deadline, budget);
        return false;
    }
    std::copy(frame + 4, frame + kFrameSize, image.begin() + nAddress);
    port.SendByte(kAck, kBlockAckGap);
    port.RecvByte(kAnswerWindow);
    return true;
}

bool PutBlock(CLinkPort& port, ConstImageSpan image, int nAddress) {
    int budget = LineBytes(DrainBound(kWriteAckWindow) + kPutBlockBound);
    unsigned char frame[kFrameSize] = {kDataFrame, static_cast<unsigned char>(nAddress / 256),
                                       static_cast<unsigned char>(nAddress % 256), kBlockLength};
    std::copy(image.begin() + nAddress, image.begin() + nAddress + kBlockLength, frame + 4);
    // Only an ACK that came after the frame's last byte was handed over answers the frame.
    if (!SendRequest(port, frame, kFrameSize, kFrameGap, kWriteAckWindow, budget)) {
        return false;
    }
    const auto deadline = port.Now() + std::chrono::microseconds(kPutBlockBound * 100);
    const int answer = port.RecvByte(kWriteAckWindow);
    if (answer == kAck) {
        return true;
    }
    // A refusal or no answer in time: an ACK that comes late must not count for the next
    // block, nor may the next block's answer be mistaken for this one's.
    budget -= answer >= 0 ? 1 : 0;
    SettleAfterFailure(port, kWriteAckWindow, deadline, budget);
    return false;
}
