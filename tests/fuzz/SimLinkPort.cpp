#include "SimLinkPort.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr auto kByteTime = std::chrono::nanoseconds(1'000'000'000LL * 11 / 9600);
// The radio forgets a partly received message after this long without a byte.
constexpr auto kMessagePause = std::chrono::milliseconds(200);
constexpr unsigned char kBabbleByte = 0x55;
// What the cable's driver holds at most; a babbling radio's bytes beyond it are lost.
constexpr std::size_t kDriverQueue = 4096;

SteadyClock::duration Units(int n) {
    return std::chrono::microseconds(static_cast<long long>(n) * 100);
}

// The window (0.1 ms units) the PC listens with for the answer to a message starting with
// this byte.
int AnswerWindow(int request) {
    switch (request) {
    case 0x02:
        return 350; // each byte of the identification
    case 0x57:
        return 1000; // the ACK of a written block
    default:
        return 500; // the ACK of "PROGRAM" or of an ACK, each byte of a data frame
    }
}

// What may happen to a message from the PC and the radio's answer to it; most go as they are.
// FUZZ_LINK_TRACE=1 prints the conversation, to follow a failing input.
const bool g_bTrace = std::getenv("FUZZ_LINK_TRACE") != nullptr;

void Trace(SteadyClock::time_point at, const char* what, int byte, long long extra = -1) {
    if (g_bTrace) {
        const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
            at.time_since_epoch() - std::chrono::hours(1));
        std::fprintf(stderr, "%10lld %-8s %02X", static_cast<long long>(us.count()), what, byte);
        if (extra >= 0) {
            std::fprintf(stderr, " %lld", extra);
        }
        std::fputc('\n', stderr);
    }
}

enum EDisturbance { kAsIs, kMissed, kLeftOut, kCutShort, kHeaderByte, kPause };

} // namespace

CSimLinkPort::CSimLinkPort(CSimRadio& radio, FuzzedDataProvider& disturb, bool openFails)
    : m_radio(radio), m_disturb(disturb), m_bOpenFails(openFails),
      m_now(SteadyClock::time_point{} + std::chrono::hours(1)), m_pcLineFree(m_now),
      m_radioLineFree(m_now), m_lastHeard(m_now) {}

bool CSimLinkPort::Open(int, unsigned) {
    if (m_bOpen || m_bOpenFails) {
        return false;
    }
    m_bOpen = true;
    m_bLost = false;
    return true;
}

void CSimLinkPort::Delay(int nTime) {
    m_now += Units(std::max(nTime, 0));
}

void CSimLinkPort::Write(const unsigned char* pBuffer, int nCount, int nGap) {
    for (int i = 0; i < nCount; ++i) {
        SendByte(pBuffer[i], nGap < 1 ? 0 : nGap);
    }
}

void CSimLinkPort::WaitGap(int nGap) {
    m_now = std::max(m_now, m_pcLineFree + Units(nGap));
}

void CSimLinkPort::PutByte(unsigned char byte, int) {
    if (!m_bOpen) {
        return;
    }
    // The write returns at once; the byte is on the wire after the bytes before it.
    m_pcLineFree = std::max(m_now, m_pcLineFree) + kByteTime;
    const auto heard = m_pcLineFree;
    Trace(heard, "pc", byte);
    if (heard - m_lastHeard > kMessagePause) {
        m_radio.ResetMessage();
    }
    m_lastHeard = heard;
    const CSimRadio before = m_radio;
    const std::vector<SimReply> replies = m_radio.Receive(byte);
    const bool frame = m_radio.Messages() != before.Messages() && m_radio.LastRequest() == 0x57 &&
                       m_radio.LastAddress() % 8 == 0 && m_radio.LastAddress() < 1024;
    const int address = m_radio.LastAddress();
    std::vector<unsigned char> answered;
    if (!replies.empty()) {
        answered = Answer(before, replies, heard);
    }
    if (frame) {
        m_frameAcked[static_cast<std::size_t>(address / 8)] =
            answered == std::vector<unsigned char>{0x06};
    }
    if (m_radio.HangUpDue()) {
        // The cable is pulled: what was on its way is lost with the device.
        m_bOpen = false;
        m_bLost = true;
        m_incoming.clear();
    }
}

bool CSimLinkPort::LastFrameAcknowledged(int nAddress) const {
    return m_frameAcked[static_cast<std::size_t>(nAddress / 8)];
}

std::vector<unsigned char> CSimLinkPort::Answer(const CSimRadio& before,
                                                const std::vector<SimReply>& replies,
                                                SteadyClock::time_point heard) {
    // The answer byte by byte, each with the pause before it.
    std::vector<std::pair<unsigned char, SteadyClock::duration>> bytes;
    for (const SimReply& reply : replies) {
        for (std::size_t i = 0; i < reply.bytes.size(); ++i) {
            bytes.emplace_back(reply.bytes[i], i == 0 ? std::chrono::microseconds(reply.pauseMicros)
                                                      : SteadyClock::duration{});
        }
    }
    const bool paused = std::any_of(bytes.begin(), bytes.end(), [](const auto& b) {
        return b.second > SteadyClock::duration::zero();
    });
    const int disturbance = m_disturb.ConsumeIntegralInRange(0, 12);
    Trace(heard, "answer", m_radio.LastRequest(), disturbance);
    switch (disturbance) {
    case kMissed:
        // The radio did not take the message at all: it neither acts on it nor answers.
        m_radio = before;
        m_radio.ResetMessage();
        return {};
    case kLeftOut:
        return {};
    case kCutShort:
        bytes.resize(m_disturb.ConsumeIntegralInRange<std::size_t>(0, bytes.size() - 1));
        break;
    case kHeaderByte:
        bytes[m_disturb.ConsumeIntegralInRange<std::size_t>(
                  0, std::min<std::size_t>(bytes.size(), 4) - 1)]
            .first = m_disturb.ConsumeIntegral<unsigned char>();
        break;
    case kPause:
        // One pause an answer (the radio's own late answers have theirs): the PC's window for
        // the byte and the quiet window after it, less the request's last byte, which the PC
        // starts listening during, and the paused byte's own time on the wire.
        if (!paused) {
            const auto longest = Units(2 * AnswerWindow(m_radio.LastRequest())) - 2 * kByteTime;
            bytes[m_disturb.ConsumeIntegralInRange<std::size_t>(0, bytes.size() - 1)].second =
                std::chrono::microseconds(m_disturb.ConsumeIntegralInRange<long long>(
                    0, std::chrono::duration_cast<std::chrono::microseconds>(longest).count() - 1));
        }
        break;
    default:
        break;
    }
    auto at = std::max(heard, m_radioLineFree);
    std::vector<unsigned char> sent;
    for (const auto& [byte, pauseBefore] : bytes) {
        at += pauseBefore + kByteTime;
        Trace(at, "radio", byte);
        m_incoming.push_back({at, byte});
        sent.push_back(byte);
    }
    m_radioLineFree = std::max(m_radioLineFree, at);
    return sent;
}

void CSimLinkPort::Babble(SteadyClock::time_point until) {
    if (!m_radio.Babbling()) {
        return;
    }
    while (m_radioLineFree + kByteTime <= until) {
        m_radioLineFree += kByteTime;
        if (m_incoming.size() < kDriverQueue) {
            m_incoming.push_back({m_radioLineFree, kBabbleByte});
        }
    }
}

int CSimLinkPort::RecvByte(int nWindow) {
    const auto deadline = m_now + Units(std::max(nWindow, 0));
    if (!m_bOpen) {
        m_now = deadline;
        return -1;
    }
    Babble(deadline);
    if (m_incoming.empty() || m_incoming.front().at > deadline) {
        m_now = deadline;
        return -1;
    }
    m_now = std::max(m_now, m_incoming.front().at);
    const unsigned char byte = m_incoming.front().byte;
    Trace(m_now, "taken", byte);
    m_incoming.pop_front();
    ++m_nTaken;
    return byte;
}
