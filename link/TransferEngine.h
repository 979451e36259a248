// The transfer of the whole memory image between the document and the radio, one 8-byte
// block per tick. The transfer dialog calls Tick from its 20 ms timer; dpmtool calls it in a
// loop. Both show Status, Percent and ProgressPos after each tick.
#pragma once

#include "link/Protocol.h"
#include "radio/DromelPgmDoc.h"

#include <string>

enum TickResult {
    TickRunning, // a block was tried; call Tick again
    TickDone,    // the end address was reached; after a read the document holds the image
    TickGaveUp   // five attempts at one block failed; Status holds the failure text
};

class CTransferEngine {
public:
    // A read's position is its address.
    static constexpr int kProgressRange = static_cast<int>(kImageSize);
    // The blocks a write sends (a read takes all kImageSize / kBlockSize).
    static constexpr int kWriteBlocks = static_cast<int>(kWrittenEnd / kBlockSize);

    // After a completed read the document's image is replaced and the document identifies
    // its model again and updates all views (RefreshFromImage); its modified flag stays as
    // it was. The program translates its menus again as well. A read that fails or is
    // abandoned leaves the document untouched.
    CTransferEngine(CLinkPort& port, bool bRead, CDromelPgmDoc& doc);

    // Takes a fresh copy of the document's image and puts the radio into programming mode.
    // On LinkReady the first tick starts at address 0 and Status holds the start prompt.
    LinkResult Start(const MismatchQuestion& ask);

    TickResult Tick();

    bool IsRead() const { return m_bRead; }
    int Address() const { return m_nAddress; }
    int EndAddress() const;
    // Blocks done so far: for a write those the radio acknowledged, for a read those received.
    int BlocksAcknowledged() const;
    int Percent() const;
    int ProgressPos() const;
    const std::string& Status() const { return m_strStatus; }

private:
    CLinkPort& m_port;
    bool m_bRead;
    CDromelPgmDoc& m_doc;
    int m_nAddress = 0;
    int m_nTries = 0;
    MemoryImage m_workImage{};
    std::string m_strStatus;
};

// The string key of the message for a failed start, or empty for LinkReady and
// LinkCancelled (which close without a message).
std::string LinkErrorKey(LinkResult result);

// The status line after a tick: the previous text cut before its first digit (and the
// character before it), a blank, the percentage and a percent sign.
std::string FormatTransferStatus(const std::string& previous, int nPercent);
