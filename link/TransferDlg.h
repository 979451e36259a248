// The progress dialog of Read from Radio and Write to Radio: OK puts the radio into
// programming mode, then a 20 ms timer moves one 8-byte block per tick while the status
// line and the progress bar follow the transfer. Failures to start are reported in message
// boxes and close the dialog; a block that fails five times stops the timer and shows the
// failure in the status line, and OK starts again from the beginning. A stop signal
// (SIGINT, SIGTERM, SIGHUP, caught by CStopSignals) stops the transfer between two blocks:
// the dialog releases the port, tells what the radio holds and closes.
#pragma once

#include "link/CommPort.h"
#include "link/TransferEngine.h"

#include <QDialog>
#include <QTimer>

#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;

class CTransferDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDialogId = 136;
    static constexpr int kStatusId = 1034;
    static constexpr int kProgressId = 1024;
    static constexpr int kTimerPeriod = 20; // ms

    // The transfer runs between the port and the document's memory image.
    CTransferDlg(CCommPort& port, CDromelPgmDoc& doc, QWidget* parent = nullptr);

    // true: read from the radio into the document; false: write the document to the radio.
    void SetMode(bool bRead);
    // Shows the dialog until the transfer completes or the user closes it.
    int DoModal();

signals:
    // A read has put the radio's image into the document.
    void imageRead();
    // A transfer opened, reopened or lost the port (a device plugged in again, or gone).
    void portStateChanged();
    // A stop signal ended the transfer; text tells how far it came and what the radio holds.
    void transferInterrupted(const QString& text);

protected:
    // Closing while blocks move because a stop signal came stops the transfer first.
    void done(int result) override;

private:
    void OnInitDialog();
    void OnOK();
    void OnTimer();
    void NotifyPortState();
    void StopForSignal();

    CCommPort& m_port;
    CDromelPgmDoc& m_doc;
    bool m_bRead = true;
    std::optional<CTransferEngine> m_engine;
    QTimer m_timer;
    QLabel* m_status = nullptr;
    QProgressBar* m_Progress = nullptr;
    QPushButton* m_okButton = nullptr;
    bool m_bPortOpen = false;
    unsigned m_nPortOpenCount = 0;
};
