// The serial port to the radio's programming cable: opened by COM number (or by device
// path), configured for the radio's fixed line settings, and driven byte by byte with
// precise gaps before each byte sent and time windows for each byte received.
//
// Every duration is counted in units of 0.1 ms. A gap is the idle time on the line before a
// byte: the port remembers when its previous byte has left the wire (11 bits at the baud
// rate) and counts the gap from then. A device that vanishes or hangs up closes the port;
// the waits still run their full length, so the caller sees a silent radio. Such a lost
// device can be opened again the way it was opened before (Reopen).
#pragma once

#include "link/LinkPort.h"
#include "link/PortOpenError.h"

#include <ostream>
#include <string>

class CCommPort : public CLinkPort {
public:
    CCommPort() = default;
    ~CCommPort() override;

    SteadyClock::time_point Now() const override { return SteadyClock::now(); }

    // Opens COM port nPort (the device of GetPortDevice). Fails when the device is absent,
    // is not a terminal, is held by another open (from this process or another), or the
    // baud rate is not supported. A port that is already open stays open and the call
    // fails: callers close first when they change ports.
    bool Open(int nPort, unsigned nBaud) override;
    // The same for a device given by its path.
    bool OpenDevice(const std::string& strPath, unsigned nBaud);
    void Close();
    bool IsOpen() const override { return m_hPort >= 0; }

    // The device path of the last open, whether it succeeded or not; why it failed, and the
    // system's error number then.
    const std::string& Device() const { return m_strDevice; }
    PortOpenError OpenError() const { return m_nOpenError; }
    int OpenErrno() const { return m_nOpenErrno; }
    // How many times the port has been opened: a change tells that it was opened anew.
    unsigned OpenCount() const { return m_nOpenCount; }

    // Closes the port when its device has hung up or vanished since it was opened, or its
    // path now names another device; true while the port stays open.
    bool CheckDevice() override;
    // True when the port closed because its device hung up or vanished (not by Close).
    bool HasLostDevice() const override { return m_bLost; }
    // Opens again, with the same baud rate, what was opened last: the COM port of the same
    // number (its device looked up afresh) or the same device path. Closes first.
    bool Reopen() override;

    void StartTimer(int nTimeout);
    bool TimerExpired();
    void Delay(int nTime) override;

    void Write(const unsigned char* pBuffer, int nCount, int nGap) override;
    void WaitGap(int nGap) override;
    void PutByte(unsigned char byte, int nGap) override;
    int RecvByte(int nWindow) override;

    // Every byte sent and received is written to pTrace (nullptr: none), one line each:
    // "<microseconds> tx <hex> gap <gap> idle <idle>" or "<microseconds> rx <hex>". The idle
    // time is what the line actually had before the byte (in 0.1 ms units, one decimal):
    // from the end of the previous byte on the line either way to the moment the byte was
    // handed to the device.
    void SetTrace(std::ostream* pTrace);

private:
    bool OpenPath(const std::string& strPath, unsigned nBaud);
    SteadyClock::time_point Deadline() const;
    int ReadNow();
    void WriteNow(const unsigned char* pBuffer, int nCount, int nGap);
    void DeviceLost();
    long long TraceTime() const;

    int m_hPort = -1;
    unsigned m_nBaud = 9600;
    int m_nPort = 0; // the COM number of the last Open; 0 after OpenDevice
    std::string m_strDevice;
    PortOpenError m_nOpenError = PortOpenOk;
    int m_nOpenErrno = 0;
    unsigned m_nOpenCount = 0;
    bool m_bLost = false;
    int m_nTimeout = 0;
    SteadyClock::time_point m_liStart;
    SteadyClock::time_point m_tLineIdle; // when the last byte sent has left the wire
    SteadyClock::time_point m_tLastRx;   // when the last byte received was taken
    std::ostream* m_pTrace = nullptr;
    SteadyClock::time_point m_tTraceStart;
};
