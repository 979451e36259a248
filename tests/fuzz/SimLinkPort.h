// A line to a simulated radio on a virtual clock: the port the fuzz target hands to the
// protocol. Bytes take their 11 bits at 9600 baud on the wire in either direction; the radio
// (CSimRadio) answers each whole message, and the fuzz input disturbs each answer the way a
// radio on a poor cable might: the radio misses the PC's message, or its answer is left out,
// cut short, has a byte of its header changed, or pauses once before one of its bytes. A pause
// stays shorter than the PC's window for the byte and the quiet window it waits after a
// failure: an answer that comes later still cannot be told from the answer to the next
// request by a protocol without checksums. Time passes only when the protocol waits, so a
// whole transfer runs in microseconds.
#pragma once

#include "link/LinkPort.h"
#include "tools/radiosim/SimRadio.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <deque>

class CSimLinkPort final : public CLinkPort {
public:
    // The port opens unless openFails; disturbances are drawn from disturb as answers come.
    CSimLinkPort(CSimRadio& radio, FuzzedDataProvider& disturb, bool openFails);

    SteadyClock::time_point Now() const override { return m_now; }
    bool Open(int nPort, unsigned nBaud) override;
    bool IsOpen() const override { return m_bOpen; }
    bool CheckDevice() override { return m_bOpen; }
    bool HasLostDevice() const override { return m_bLost; }
    bool Reopen() override { return Open(0, 9600); }

    void Delay(int nTime) override;
    void Write(const unsigned char* pBuffer, int nCount, int nGap) override;
    void WaitGap(int nGap) override;
    void PutByte(unsigned char byte, int nGap) override;
    int RecvByte(int nWindow) override;

    // How many bytes the PC has taken from the line so far.
    long long BytesTaken() const { return m_nTaken; }
    // True when the radio's answer to the last data frame for the block at address was its
    // ACK, and it reached the line as it was sent (late, perhaps, but whole).
    bool LastFrameAcknowledged(int nAddress) const;

private:
    struct SArrival {
        SteadyClock::time_point at;
        unsigned char byte;
    };

    // Queues the radio's answer with the disturbance the input chooses; before is the radio as
    // it was before the message's last byte. Returns the bytes that reach the line.
    std::vector<unsigned char> Answer(const CSimRadio& before, const std::vector<SimReply>& replies,
                                      SteadyClock::time_point heard);
    void Babble(SteadyClock::time_point until);

    CSimRadio& m_radio;
    FuzzedDataProvider& m_disturb;
    bool m_bOpenFails;
    bool m_bOpen = false;
    bool m_bLost = false;
    SteadyClock::time_point m_now;
    SteadyClock::time_point m_pcLineFree;    // when the PC's last byte has left the wire
    SteadyClock::time_point m_radioLineFree; // when the radio's last byte has left the wire
    SteadyClock::time_point m_lastHeard;     // when the radio took the PC's last byte
    std::deque<SArrival> m_incoming;         // the radio's bytes, in the order they arrive
    std::array<bool, 128> m_frameAcked{};    // by block: the last data frame's answer was 06
    long long m_nTaken = 0;
};
