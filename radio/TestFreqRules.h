// What the Test Frequency grid does to the document: the sixteen test channels (records 17
// to 32, grid rows 1..16) are written as typed, without the limits, without the transmit
// side following; OK keeps them and marks the document modified when any byte changed, so
// closing the program asks to save them; Cancel puts back the whole image as it was when the
// dialog opened.
#pragma once

#include "radio/DromelPgmDoc.h"
#include "radio/StoredValue.h"

// Columns of the Test Frequency grid.
enum TestFreqColumn {
    kTestColNumber = 0,
    kTestColRxFreq = 1,
    kTestColRxTone = 2,
    kTestColTxFreq = 3,
    kTestColTxTone = 4,
};
constexpr int kTestFreqColumns = 5;

// Grid row r (1..16) shows channel record r + 16.
constexpr int TestChannel(int r) {
    return r + 16;
}

// Frequencies are always editable; the receive tone needs a receive frequency, the transmit
// tone both frequencies.
bool IsTestCellReadOnly(const CDromelPgmDoc& doc, int r, int col);
// The cell text as the grid shows it: empty in read-only cells.
std::string GetTestCellText(const CDromelPgmDoc& doc, int r, int col);
// Stores the text as typed (moved onto the raster; empty erases the frequency). Both return
// how the value was stored (StoredValue.h).
SStoredValue CommitTestFreq(CDromelPgmDoc& doc, int r, bool rx, const std::string& text);
SStoredValue CommitTestTone(CDromelPgmDoc& doc, int r, bool rx, const std::string& text);

// The copy of the document taken when the dialog opens, for its Cancel.
class CTestFreqBackup {
public:
    explicit CTestFreqBackup(const CDromelPgmDoc& doc) : m_backup(doc.State()) {}
    // Puts back all 1024 bytes of the image; the modified flag stays as it is.
    void Restore(CDromelPgmDoc& doc) const {
        doc.ReplaceImage(m_backup.image, EDocChange::kTestFreqUndo);
    }
    // Keeps the changes made since the copy as one change; the document is marked modified
    // when any byte differs from the copy.
    void Keep(CDromelPgmDoc& doc) const {
        const CDocEdit kept(doc, EDocChange::kTestFreq, m_backup);
    }

private:
    SDocState m_backup;
};
