// The progress dialog of Read from Radio, Write to Radio, Compare with Radio and Restore
// Backup. Before OK the status line tells the user what to do; OK puts the radio into
// programming mode, then a 20 ms timer moves one 8-byte block per tick while the status line
// and the progress bar follow the transfer.
//
// A write (and a restore, which writes a backup) runs in up to three steps on the same port:
// unless the user turned it off, the radio is first read into a document of the dialog's own
// and kept as a backup file; then the data is written; then, when "Verify after writing" is
// on, the radio is read back and compared with what was written. A compare is that last step
// alone. A backup that cannot be read or saved stops before any block is written.
//
// Failures to start are reported in message boxes and close the dialog; a block that fails
// five times stops the timer and shows the failure in the status line (after a write: how many
// blocks the radio took, that it now holds a mix, and what to do), and OK starts that step
// again from its beginning. Cancel during a write asks first. A stop signal (SIGINT, SIGTERM,
// SIGHUP, caught by CStopSignals) stops the transfer between two blocks: the dialog releases
// the port, tells what the radio holds and closes. Every read, write, read-back and restore is
// one line of the programming history.
#pragma once

#include "link/CommPort.h"
#include "link/TransferEngine.h"
#include "radio/ImageDiff.h"

#include <QDialog>
#include <QTimer>

#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

enum class ETransferJob {
    kRead,    // the radio into the document
    kWrite,   // the document into the radio
    kCompare, // the radio read and compared with the document; the document stays
    kRestore, // a write whose document is a backup file
};

class CTransferDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDialogId = 136;
    static constexpr int kStatusId = 1034;
    static constexpr int kProgressId = 1024;
    static constexpr int kBackupCheckId = 1230;
    static constexpr int kVerifyCheckId = 1231;
    static constexpr int kTimerPeriod = 20; // ms

    // The transfer runs between the port and the document's memory image.
    CTransferDlg(CCommPort& port, CDromelPgmDoc& doc, QWidget* parent = nullptr);

    // true: read from the radio into the document; false: write the document to the radio.
    void SetMode(bool bRead);
    void SetJob(ETransferJob job);
    ETransferJob Job() const { return m_job; }
    // Shows the dialog until the transfer completes or the user closes it.
    int DoModal();

    // After a completed compare or a write that was read back: what differs between the
    // document and the radio; nothing when the radio was not read back.
    const std::optional<std::vector<FieldDiff>>& Differences() const { return m_diffs; }
    // The backup this dialog kept before writing; empty when it kept none.
    const std::string& BackupPath() const { return m_strBackupPath; }

    // Cancel, Esc and the close box: a write under way goes on unless the user confirms.
    void reject() override;

    // Per-user settings of the write: keep a backup first, read back and compare afterwards.
    static bool BackupSetting();
    static bool VerifySetting();

signals:
    // A read has put the radio's image into the document.
    void imageRead();
    // A transfer opened, reopened or lost the port (a device plugged in again, or gone).
    void portStateChanged();
    // A stop signal ended the transfer; text tells how far it came and what the radio holds.
    void transferInterrupted(const QString& text);
    // The job completed; text says what was done ("Read: 128 blocks from COM1 at 15:42").
    void transferCompleted(const QString& text);

protected:
    // Closing while blocks move because a stop signal came stops the transfer first.
    void done(int result) override;

private:
    enum class EStep {
        kRead,     // the radio into the document
        kBackup,   // the radio into the scratch document, then kept as a backup
        kWrite,    // the document into the radio
        kReadBack, // the radio into the scratch document, then compared with the document
    };

    void OnInitDialog();
    void OnOK();
    void OnTimer();
    void StartStep();
    void FinishStep();
    void GiveUp();
    bool IsWriteJob() const {
        return m_job == ETransferJob::kWrite || m_job == ETransferJob::kRestore;
    }
    EStep Step() const { return m_steps[m_nStep]; }
    QString StepStatus() const;
    QString PartialWriteText() const;
    void StoreChecks();
    void Record(const char* result);
    void NotifyPortState();
    void StopForSignal();

    CCommPort& m_port;
    CDromelPgmDoc& m_doc;
    CDromelPgmDoc m_scratch; // the radio as read for a backup or a comparison
    ETransferJob m_job = ETransferJob::kRead;
    std::vector<EStep> m_steps;
    std::size_t m_nStep = 0;
    std::optional<CTransferEngine> m_engine;
    std::optional<std::vector<FieldDiff>> m_diffs;
    std::string m_strBackupPath;
    QString m_strBackupTime; // "15:42" of the backup kept
    QTimer m_timer;
    QLabel* m_status = nullptr;
    QProgressBar* m_Progress = nullptr;
    QPushButton* m_okButton = nullptr;
    QCheckBox* m_backupCheck = nullptr;
    QCheckBox* m_verifyCheck = nullptr;
    bool m_bPortOpen = false;
    unsigned m_nPortOpenCount = 0;
};
