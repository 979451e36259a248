#include "tools/radiosim/SimRadio.h"

#include <algorithm>

namespace {

constexpr unsigned char kAck = 0x06;
constexpr unsigned char kNak = 0x15;
constexpr unsigned char kIdentify = 0x02;
constexpr unsigned char kReadRequest = 0x52;
constexpr unsigned char kDataFrame = 0x57;
constexpr char kProgram[] = "PROGRAM";
constexpr std::size_t kProgramLength = sizeof kProgram - 1;
constexpr int kLatePauseMicros = 60000;     // longer than the PC's 50 ms window for one byte
constexpr int kLateAckPauseMicros = 150000; // longer than the PC's 100 ms window for an ACK
constexpr int kBlock = static_cast<int>(kBlockSize);
constexpr int kEnd = static_cast<int>(kImageSize);

std::size_t MessageLength(unsigned char first) {
    switch (first) {
    case 'P':
        return kProgramLength;
    case kReadRequest:
        return 4;
    case kDataFrame:
        return 12;
    default:
        return 1;
    }
}

} // namespace

CSimRadio::CSimRadio(const SimImage& image, const SimFaults& faults)
    : m_image(image), m_faults(faults) {}

bool CSimRadio::Silent() const {
    return m_bSilenced || !m_bProgramMode;
}

std::vector<SimReply> CSimRadio::Receive(unsigned char byte) {
    m_message.push_back(byte);
    if (m_message[0] == 'P' && byte != static_cast<unsigned char>(kProgram[m_message.size() - 1])) {
        // Not a program request after all: start again from this byte.
        m_message.assign(1, byte);
    }
    if (m_message.size() < MessageLength(m_message[0])) {
        return {};
    }
    std::vector<SimReply> reply = Complete();
    m_message.clear();
    return reply;
}

std::vector<SimReply> CSimRadio::Complete() {
    unsigned char first = m_message[0];
    m_nLastRequest = first;
    ++m_nMessages;
    if (first == 'P') {
        m_bProgramMode = true;
        m_bSilenced = false;
        if (m_faults.noAck) {
            return {};
        }
        const int late = m_faults.lateProgram;
        m_faults.lateProgram = 0;
        return {{{kAck}, late * 1000}};
    }
    if (Silent()) {
        return {};
    }
    if (first == kIdentify) {
        SimReply id;
        // The model identification, last byte first.
        for (std::size_t i = kModelIdSize; i-- > 0;) {
            const unsigned char byte = m_image[kModelIdOffset + i];
            id.bytes.push_back(m_faults.wrongId ? byte ^ 0x5A : byte);
        }
        if (m_faults.shortId) {
            id.bytes.pop_back();
        }
        return {id};
    }
    if (first == kAck) {
        return {{{kAck}, 0}};
    }
    if (first != kReadRequest && first != kDataFrame) {
        return {};
    }

    int address = m_message[1] * 256 + m_message[2];
    m_nLastAddress = address;
    if (address % kBlock != 0 || address > kEnd - kBlock) {
        return {};
    }
    if (m_faults.hangupAfter >= 0 && m_nBlocks >= m_faults.hangupAfter) {
        m_bHangUp = true;
        return {};
    }
    if (m_faults.babble) {
        m_bBabbling = true;
        return {};
    }
    if (m_faults.silentAfter >= 0 && m_nBlocks >= m_faults.silentAfter) {
        m_bSilenced = true;
        m_faults.silentAfter = -1;
        return {};
    }
    ++m_nBlocks;
    return first == kReadRequest ? DataFrame(address) : StoreBlock();
}

std::vector<SimReply> CSimRadio::DataFrame(int nAddress) {
    ++m_nFrames;
    int echoed = m_nFrames == m_faults.wrongAddress ? (nAddress + kBlock) % kEnd : nAddress;
    std::vector<unsigned char> frame = {
        kDataFrame, static_cast<unsigned char>(echoed / 256),
        static_cast<unsigned char>(echoed % 256),
        static_cast<unsigned char>(m_nFrames == m_faults.wrongLength ? 0x10 : 0x08)};
    frame.insert(frame.end(), m_image.begin() + nAddress, m_image.begin() + nAddress + kBlock);
    if (m_faults.dropEvery > 0 && m_nFrames % m_faults.dropEvery == 0) {
        frame.pop_back();
    }
    if (m_nFrames == m_faults.lateFrame) {
        std::vector<unsigned char> rest(frame.begin() + 6, frame.end());
        frame.resize(6);
        return {{frame, 0}, {rest, kLatePauseMicros}};
    }
    return {{frame, 0}};
}

std::vector<SimReply> CSimRadio::StoreBlock() {
    int address = m_message[1] * 256 + m_message[2];
    if (address == m_faults.nakBlock) {
        return {{{kNak}, 0}};
    }
    std::copy(m_message.begin() + 4, m_message.end(), m_image.begin() + address);
    if (address == m_faults.lateAck) {
        m_faults.lateAck = -1;
        return {{{kAck}, kLateAckPauseMicros}};
    }
    return {{{kAck}, 0}};
}
