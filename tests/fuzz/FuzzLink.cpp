// The protocol and the transfer engine against a simulated radio on a virtual clock, with the
// radio's faults and each answer's disturbance taken from the input:
//   - a read that completes leaves the radio's bytes in the document; one that fails or gives
//     up leaves the document as it was;
//   - a write never changes the document, never touches the radio's memory from 0x3D8 on, and
//     when it completes the radio holds the document's bytes below 0x3D8 and its answer to the
//     last frame of every block was its ACK: no block counts as written on another's answer;
//   - the handshake and every block exchange end within their time bounds and take no more
//     bytes from the line than it can carry in that time.
#include "SimLinkPort.h"

#include "link/TransferEngine.h"
#include "tools/radiosim/SimImage.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const bool g_bTraceFailure = std::getenv("FUZZ_LINK_TRACE") != nullptr;

// Stops the run with the property that does not hold.
void Require(bool condition, const char* property) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_link: %s\n", property);
        std::abort();
    }
}

constexpr int kWriteEnd = 0x3D8;

// Time bounds in 0.1 ms units, and the bytes a 9600-baud line carries in them (11 bits a byte).
// The handshake: the settling delay, three "PROGRAM" requests each after a quiet line, the
// identification with the byte after it, the final ACK with the quiet window after a missing
// answer and, before a write, the model block and the repeated handshake after the type
// question.
constexpr int kReadHandshakeBound = 14000;
constexpr int kWriteHandshakeBound = 38000;
// Before a block request, two windows for a quiet line. A read block: its request, twelve
// frame windows and the window for the radio's ACK; or the request and the exchange's bound
// after a failure.
constexpr int kReadBlockBound = 1000 + 6600;
// A written block: the frame with its gaps and three ACK windows.
constexpr int kWriteBlockBound = 2000 + 3200;

constexpr long long LineBytes(int nUnits) {
    return static_cast<long long>(nUnits) * 9600 / 11 / 10000;
}

SteadyClock::duration Units(int n) {
    return std::chrono::microseconds(static_cast<long long>(n) * 100);
}

// The same bytes from begin to end; with FUZZ_LINK_TRACE the first difference is named.
void RequireSame(const MemoryImage& got, const MemoryImage& expected, std::size_t begin,
                 std::size_t end, const char* property) {
    const auto differ =
        std::mismatch(got.begin() + begin, got.begin() + end, expected.begin() + begin);
    if (differ.first != got.begin() + end && g_bTraceFailure) {
        std::fprintf(stderr, "fuzz_link: first difference at 0x%03X\n",
                     static_cast<unsigned>(differ.first - got.begin()));
    }
    Require(differ.first == got.begin() + end, property);
}

SimFaults ConsumeFaults(FuzzedDataProvider& data) {
    SimFaults faults;
    const auto block = [&data] { return data.ConsumeIntegralInRange(-1, 130); };
    faults.silentAfter = block();
    faults.dropEvery = data.ConsumeIntegralInRange(0, 8);
    faults.wrongAddress = block();
    faults.wrongLength = block();
    faults.lateFrame = block();
    faults.nakBlock = 8 * block();
    faults.lateAck = 8 * block();
    faults.hangupAfter = block();
    const unsigned flags = data.ConsumeIntegral<std::uint8_t>();
    faults.babble = (flags & 0x0F) == 0x0F;
    faults.noAck = (flags & 0x30) == 0x30;
    faults.wrongId = (flags & 0xC0) == 0xC0;
    faults.shortId = (flags & 0x03) == 0x02;
    faults.lateProgram = data.ConsumeIntegralInRange(0, 255);
    return faults;
}

void ConsumePatches(FuzzedDataProvider& data, MemoryImage& image) {
    const int patches = data.ConsumeIntegralInRange(0, 6);
    for (int i = 0; i < patches; ++i) {
        const std::size_t address = data.ConsumeIntegralInRange<std::size_t>(0, kImageSize - 1);
        image[address] = data.ConsumeIntegral<std::uint8_t>();
    }
}

const MemoryImage& RadioMemory() {
    static const MemoryImage memory = [] {
        SimImage image{};
        std::string error;
        Require(DefaultSimImage(image, error), "the simulated radio's memory is made");
        return image;
    }();
    return memory;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const bool read = data.ConsumeBool();
    const bool openFails = data.ConsumeIntegral<std::uint8_t>() == 0xFF;
    const bool goOn = data.ConsumeBool();
    const SimFaults faults = ConsumeFaults(data);
    MemoryImage memory = RadioMemory();
    ConsumePatches(data, memory);
    CDromelPgmDoc doc;
    MemoryImage image = memory;
    ConsumePatches(data, image);
    if (read) {
        // A document that differs from the radio wherever it can.
        for (std::uint8_t& b : image) {
            b = static_cast<std::uint8_t>(~b);
        }
    }
    doc.ReplaceImage(image);
    const MemoryImage before = doc.Image();

    CSimRadio radio(memory, faults);
    CSimLinkPort port(radio, data, openFails);
    CTransferEngine engine(port, read, doc);

    auto start = port.Now();
    long long taken = port.BytesTaken();
    const LinkResult result = engine.Start([goOn] { return goOn; });
    const int handshakeBound = read ? kReadHandshakeBound : kWriteHandshakeBound;
    Require(port.Now() - start <= Units(handshakeBound), "the handshake ends within its bound");
    // Emptying the receive queue first takes at most the driver's 256 bytes.
    Require(port.BytesTaken() - taken <= LineBytes(handshakeBound) + 256,
            "the handshake takes no more bytes than the line carries");

    TickResult tick = TickGaveUp;
    if (result == LinkReady) {
        const int bound = read ? kReadBlockBound : kWriteBlockBound;
        do {
            start = port.Now();
            taken = port.BytesTaken();
            tick = engine.Tick();
            Require(port.Now() - start <= Units(bound), "a block exchange ends within its bound");
            Require(port.BytesTaken() - taken <= LineBytes(bound) + 1,
                    "a block exchange takes no more bytes than the line carries");
        } while (tick == TickRunning);
    }

    if (read) {
        RequireSame(doc.Image(), tick == TickDone ? radio.Image() : before, 0, kImageSize,
                    "a read leaves the radio's bytes, or nothing, in the document");
    } else {
        RequireSame(doc.Image(), before, 0, kImageSize, "a write leaves the document as it was");
        RequireSame(radio.Image(), memory, kWriteEnd, kImageSize,
                    "a write leaves the radio's memory from 0x3D8 on as it was");
        if (tick == TickDone) {
            RequireSame(radio.Image(), before, 0, kWriteEnd,
                        "a completed write left the document's bytes in the radio");
            for (int address = 0; address < kWriteEnd; address += 8) {
                Require(port.LastFrameAcknowledged(address),
                        "a completed write had every block acknowledged by its own answer");
            }
        }
    }
    return 0;
}
