#include "link/TransferDlg.h"

#include "app/AppMessageBox.h"
#include "app/DialogBuilder.h"
#include "app/LangText.h"
#include "app/StopSignals.h"
#include "app/TranslateDialog.h"
#include "link/LinkMessages.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {

// Asked when the radio's type differs from the data about to be written; true to go on.
bool AskWriteAnyway() {
    return AppMessageBox(LangText("IDS_CONFIRM_TYPE"), LangText("IDS_CONFIRM"),
                         MB_OKCANCEL | MB_ICONQUESTION) != IDCANCEL;
}

} // namespace

CTransferDlg::CTransferDlg(CCommPort& port, CDromelPgmDoc& doc, QWidget* parent)
    : QDialog(parent), m_port(port), m_doc(doc) {
    BuildDialog(this, kDialogId);
    m_status = qobject_cast<QLabel*>(GetDlgItem(this, kStatusId));
    m_Progress = qobject_cast<QProgressBar*>(GetDlgItem(this, kProgressId));
    m_okButton = qobject_cast<QPushButton*>(GetDlgItem(this, IDOK));
    connect(m_okButton, &QPushButton::clicked, this, &CTransferDlg::OnOK);
    connect(qobject_cast<QPushButton*>(GetDlgItem(this, IDCANCEL)), &QPushButton::clicked, this,
            &QDialog::reject);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kTimerPeriod);
    connect(&m_timer, &QTimer::timeout, this, &CTransferDlg::OnTimer);
    // Cancel, Esc and the close box end the transfer between two ticks.
    connect(this, &QDialog::finished, &m_timer, &QTimer::stop);
}

void CTransferDlg::SetMode(bool bRead) {
    m_bRead = bRead;
}

int CTransferDlg::DoModal() {
    OnInitDialog();
    return exec();
}

// Nothing goes to the radio until the user presses OK.
void CTransferDlg::OnInitDialog() {
    TranslateDialog(this, kDialogId);
    setWindowTitle(LangText(m_bRead ? "IDS_READDATA" : "IDS_WRITEDATA"));
    m_Progress->setRange(0, CTransferEngine::kProgressRange);
    m_Progress->setValue(0);
    m_engine.emplace(m_port, m_bRead, m_doc);
    m_bPortOpen = m_port.IsOpen();
    m_nPortOpenCount = m_port.OpenCount();
}

void CTransferDlg::NotifyPortState() {
    if (m_port.IsOpen() == m_bPortOpen && m_port.OpenCount() == m_nPortOpenCount) {
        return;
    }
    m_bPortOpen = m_port.IsOpen();
    m_nPortOpenCount = m_port.OpenCount();
    emit portStateChanged();
}

void CTransferDlg::OnOK() {
    const LinkResult result = m_engine->Start(AskWriteAnyway);
    NotifyPortState();
    if (CStopSignals::Received() != 0) {
        StopForSignal();
        reject();
        return;
    }
    if (result != LinkReady) {
        if (!LinkErrorKey(result).empty()) {
            AppMessageBox(QString::fromStdString(LinkErrorText(result, m_port)),
                          LangText("IDS_ERROR"), MB_OK | MB_ICONHAND);
        }
        reject();
        return;
    }
    m_okButton->setEnabled(false);
    m_status->setText(QString::fromStdString(m_engine->Status()));
    m_timer.start();
}

void CTransferDlg::OnTimer() {
    // The tick that would end a complete transfer still runs.
    if (CStopSignals::Received() != 0 && m_engine->Address() < m_engine->EndAddress()) {
        StopForSignal();
        reject();
        return;
    }
    switch (m_engine->Tick()) {
    case TickDone:
        // The engine has put the image into the document and refreshed its views.
        if (m_bRead) {
            emit imageRead();
        }
        accept();
        return;
    case TickGaveUp:
        m_timer.stop();
        NotifyPortState();
        m_okButton->setEnabled(true);
        m_okButton->setFocus();
        m_status->setText(QString::fromStdString(m_engine->Status()));
        return;
    case TickRunning:
        m_status->setText(QString::fromStdString(m_engine->Status()));
        m_Progress->setValue(m_engine->ProgressPos());
        return;
    }
}

void CTransferDlg::done(int result) {
    if (m_timer.isActive() && CStopSignals::Received() != 0) {
        StopForSignal();
    }
    QDialog::done(result);
}

// The program is about to end: the port is released (its exclusive use and its lock) so that
// the next program opens it at once.
void CTransferDlg::StopForSignal() {
    m_timer.stop();
    m_port.Close();
    NotifyPortState();
    const QString text = QString::fromStdString(
        InterruptedText(m_bRead, m_engine->Address(), m_engine->EndAddress()));
    m_status->setText(text);
    emit transferInterrupted(text);
}
