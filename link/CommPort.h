// The serial port to the radio's programming cable: opened by COM number (or by device
// path), configured for the radio's fixed line settings, and driven byte by byte with
// precise gaps before each byte sent and time windows for each byte received.
//
// Every duration is counted in units of 0.1 ms. A gap is the idle time on the line before a
// byte: the port remembers when its previous byte has left the wire (11 bits at the baud
// rate) and counts the gap from then. A device that vanishes or hangs up closes the port;
// the waits still run their full length, so the caller sees a silent radio.
#pragma once

#include "link/PreciseWait.h"

#include <ostream>
#include <string>

class CCommPort {
public:
    CCommPort() = default;
    ~CCommPort();
    CCommPort(const CCommPort&) = delete;
    CCommPort& operator=(const CCommPort&) = delete;

    // Opens COM port nPort (the device of GetPortDevice). Fails when the device is absent,
    // is not a terminal, is held by another open (from this process or another), or the
    // baud rate is not supported. A port that is already open stays open and the call
    // fails: callers close first when they change ports.
    bool Open(int nPort, unsigned nBaud);
    // The same for a device given by its path.
    bool OpenDevice(const std::string& strPath, unsigned nBaud);
    void Close();
    bool IsOpen() const { return m_hPort >= 0; }

    void StartTimer(int nTimeout);
    bool TimerExpired();
    void Delay(int nTime);

    // gap < 1: all bytes in one write. Otherwise each byte after its own gap.
    void Write(const unsigned char* pBuffer, int nCount, int nGap);
    // gap > 0: the byte waits for its gap first.
    void SendByte(unsigned char byte, int nGap);
    // window < 1: whatever is queued, up to nCount bytes. Otherwise each byte gets a fresh
    // window; returns how many bytes came before a window ran out.
    int Read(unsigned char* pBuffer, int nCount, int nWindow);
    // A byte 0 to 255, or -1 when none came within the window (window <= 0: none queued).
    int RecvByte(int nWindow);

    // Every byte sent and received is written to pTrace (nullptr: none), one line each:
    // "<microseconds> tx <hex> gap <gap>" or "<microseconds> rx <hex>".
    void SetTrace(std::ostream* pTrace);

private:
    SteadyClock::time_point Deadline() const;
    int ReadNow();
    void WriteNow(const unsigned char* pBuffer, int nCount, int nGap);
    void DeviceLost();
    long long TraceTime() const;

    int m_hPort = -1;
    unsigned m_nBaud = 9600;
    int m_nTimeout = 0;
    SteadyClock::time_point m_liStart;
    SteadyClock::time_point m_liNow;
    SteadyClock::time_point m_tLineIdle; // when the last byte sent has left the wire
    std::ostream* m_pTrace = nullptr;
    SteadyClock::time_point m_tTraceStart;
};
