// A radio with a failing memory cell, on a pseudo-terminal of the test's own and served from a
// thread of the test: it answers as the simulated radio does and acknowledges every written
// block, but one address keeps a value of its own whatever is written there. A write then
// succeeds, and only reading the radio back shows that it differs.
#pragma once

#include "PtyPeer.h"
#include "tools/radiosim/SimRadio.h"

#include <array>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

class StuckByteRadio {
public:
    StuckByteRadio(const std::array<unsigned char, 1024>& image, int nAddress, unsigned char value)
        : m_radio(image, {}), m_nAddress(nAddress), m_value(value), m_thread([this] { Serve(); }) {}
    ~StuckByteRadio() {
        m_bStop = true;
        m_thread.join();
    }
    StuckByteRadio(const StuckByteRadio&) = delete;
    StuckByteRadio& operator=(const StuckByteRadio&) = delete;

    const std::string& Path() const { return m_peer.path; }

private:
    static constexpr unsigned char kDataFrame = 0x57; // 57, address, 08, eight bytes
    static constexpr std::size_t kFrameSize = 12;
    static constexpr auto kMessagePause = std::chrono::milliseconds(200);

    void Serve() {
        std::vector<unsigned char> frame; // the written block being received
        auto last = std::chrono::steady_clock::now();
        pollfd pfd{m_peer.master, POLLIN, 0};
        while (!m_bStop) {
            unsigned char byte = 0;
            if (poll(&pfd, 1, 10) != 1 || read(m_peer.master, &byte, 1) != 1) {
                continue;
            }
            const auto now = std::chrono::steady_clock::now();
            if (now - last > kMessagePause) {
                m_radio.ResetMessage();
                frame.clear();
            }
            last = now;
            // No other message of the PC holds the byte 57, so it starts a written block.
            if (!frame.empty() || byte == kDataFrame) {
                frame.push_back(byte);
                const int at = static_cast<int>(frame.size()) - 5; // the data byte's index
                if (at >= 0 && frame[1] * 256 + frame[2] + at == m_nAddress) {
                    byte = m_value;
                }
                if (frame.size() == kFrameSize) {
                    frame.clear();
                }
            }
            for (const SimReply& reply : m_radio.Receive(byte)) {
                if (write(m_peer.master, reply.bytes.data(), reply.bytes.size()) < 0) {
                    return;
                }
            }
        }
    }

    PtyPeer m_peer;
    CSimRadio m_radio;
    int m_nAddress;
    unsigned char m_value;
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
};
