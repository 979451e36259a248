// What the simulated radio answers: it takes the PC's bytes one at a time and returns the
// bytes of its answer, with the faults it was told to show.
#pragma once

#include "tools/radiosim/SimImage.h"

#include <string>
#include <vector>

struct SimFaults {
    int silentAfter = -1; // after this many blocks, no answer until the next "PROGRAM"
    int dropEvery = 0;    // every Nth data frame loses its last byte
    int wrongAddress = 0; // the Nth data frame echoes the next block's address
    int wrongLength = 0;  // the Nth data frame carries another length byte
    int lateFrame = 0;    // the Nth data frame stops halfway and finishes late
    int nakBlock = -1;    // a written block at this address is answered with 15, not stored
    int lateAck = -1;     // the first written block at this address is acknowledged late
    bool babble = false;  // from the first block request on, the radio sends without pause
    bool noAck = false;   // "PROGRAM" is never answered
    bool wrongId = false; // the identification differs from the image
    bool shortId = false; // the identification has 7 bytes instead of 8
    int hangupAfter = -1; // after this many blocks the line is closed
    int lateProgram = 0;  // the first "PROGRAM" is acknowledged this many milliseconds late
};

// One piece of an answer: bytes sent back to back after a pause (in microseconds) on top of
// the line time.
struct SimReply {
    std::vector<unsigned char> bytes;
    int pauseMicros = 0;
};

class CSimRadio {
public:
    CSimRadio(const SimImage& image, const SimFaults& faults);

    // Takes one byte from the PC; returns what the radio sends back (possibly nothing).
    std::vector<SimReply> Receive(unsigned char byte);
    // Forgets a partly received message, as the radio does after a pause on the line.
    void ResetMessage() { m_message.clear(); }
    // True once a block was asked for after the blocks to serve before the hang-up.
    bool HangUpDue() const { return m_bHangUp; }
    // True once the radio has started sending without pause.
    bool Babbling() const { return m_bBabbling; }
    const SimImage& Image() const { return m_image; }
    // The first byte of the last whole message taken ('P' for "PROGRAM"), which tells what an
    // answer answers; -1 before the first.
    int LastRequest() const { return m_nLastRequest; }
    // The address of the last whole read request or data frame taken.
    int LastAddress() const { return m_nLastAddress; }
    // How many whole messages the radio has taken.
    long long Messages() const { return m_nMessages; }

private:
    std::vector<SimReply> Complete();
    std::vector<SimReply> DataFrame(int nAddress);
    std::vector<SimReply> StoreBlock();
    bool Silent() const;

    SimImage m_image;
    SimFaults m_faults;
    std::vector<unsigned char> m_message;
    bool m_bProgramMode = false;
    bool m_bSilenced = false;
    bool m_bHangUp = false;
    bool m_bBabbling = false;
    int m_nBlocks = 0;
    int m_nFrames = 0;
    int m_nLastRequest = -1;
    int m_nLastAddress = -1;
    long long m_nMessages = 0;
};
