// The line to the radio as the programming protocol sees it: a port that is opened, waits,
// sends bytes after gaps and receives bytes within time windows, on a clock of its own.
// CCommPort is the serial port of the programming cable; the protocol's fuzz target drives the
// same protocol through a simulated line on a virtual clock.
//
// Every duration is counted in units of 0.1 ms.
#pragma once

#include "link/PreciseWait.h"

class CLinkPort {
public:
    virtual ~CLinkPort() = default;
    CLinkPort(const CLinkPort&) = delete;
    CLinkPort& operator=(const CLinkPort&) = delete;

    // The port's clock: deadlines of an exchange are counted from it.
    virtual SteadyClock::time_point Now() const = 0;

    // Opens COM port nPort; a port that is already open stays open and the call fails.
    virtual bool Open(int nPort, unsigned nBaud) = 0;
    virtual bool IsOpen() const = 0;
    // Closes the port when its device has hung up or vanished since it was opened; true while
    // the port stays open.
    virtual bool CheckDevice() = 0;
    // True when the port closed because its device hung up or vanished (not by Close).
    virtual bool HasLostDevice() const = 0;
    // Opens again, with the same baud rate, what was opened last.
    virtual bool Reopen() = 0;

    virtual void Delay(int nTime) = 0;
    // gap < 1: all bytes in one write. Otherwise each byte after its own gap.
    virtual void Write(const unsigned char* pBuffer, int nCount, int nGap) = 0;
    // Waits out the gap before the next byte sent (nGap > 0). The gap is idle time on the
    // line: it starts once the previous byte sent has left the wire.
    virtual void WaitGap(int nGap) = 0;
    // Hands one byte to the line at once; nGap is the gap it was sent after.
    virtual void PutByte(unsigned char byte, int nGap) = 0;
    // A byte 0 to 255, or -1 when none came within the window (window <= 0: none queued).
    virtual int RecvByte(int nWindow) = 0;

    // gap > 0: the byte waits for its gap first.
    void SendByte(unsigned char byte, int nGap);
    // Sends a request byte by byte after its gaps. Whatever the line brought in before the
    // request's last byte is handed over cannot answer the request: it is taken and dropped,
    // at most nMaxDrop bytes. Returns how many bytes were dropped.
    int SendRequest(const unsigned char* pBuffer, int nCount, int nGap, int nMaxDrop);
    // Takes and drops what is queued now, at most nMaxBytes; returns how many bytes that was.
    int DropQueued(int nMaxBytes);
    // window < 1: whatever is queued, up to nCount bytes. Otherwise each byte gets a fresh
    // window; returns how many bytes came before a window ran out.
    int Read(unsigned char* pBuffer, int nCount, int nWindow);
    // Takes and drops bytes until none has come for nQuiet units, each taken byte counted off
    // nBudget. False when the line does not go quiet within nBound units, or the budget ran
    // out first.
    bool AwaitQuiet(int nQuiet, int nBound, int& nBudget);

protected:
    CLinkPort() = default;
};
