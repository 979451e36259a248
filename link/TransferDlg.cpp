#include "link/TransferDlg.h"

#include "app/AppMessageBox.h"
#include "app/AppPaths.h"
#include "app/DialogBuilder.h"
#include "app/FileReasonText.h"
#include "app/LangText.h"
#include "app/Settings.h"
#include "app/StopSignals.h"
#include "app/TranslateDialog.h"
#include "link/BackupStore.h"
#include "link/LinkMessages.h"
#include "link/PortDevice.h"
#include "link/TransferHistory.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTime>

namespace {

// Asked when the radio's type differs from the data about to be written; true to go on.
// Enter answers Cancel: writing into the wrong radio takes a deliberate OK.
bool AskWriteAnyway() {
    return AppMessageBox(LangText("IDS_CONFIRM_TYPE"), LangText("IDS_CONFIRM"),
                         MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDCANCEL;
}

constexpr const char* kBackupKey = "backup";
constexpr const char* kVerifyKey = "verify";

bool FlagSetting(const char* key, bool def) {
    return GetSettingString("setup", key, def ? "1" : "0", 2) != "0";
}

std::string Number(int n) {
    return std::to_string(n);
}

std::string Now() {
    return QTime::currentTime().toString(QStringLiteral("HH:mm")).toStdString();
}

} // namespace

CTransferDlg::CTransferDlg(CCommPort& port, CDromelPgmDoc& doc, QWidget* parent)
    : QDialog(parent), m_port(port), m_doc(doc) {
    BuildDialog(this, kDialogId);
    m_status = qobject_cast<QLabel*>(GetDlgItem(this, kStatusId));
    m_Progress = qobject_cast<QProgressBar*>(GetDlgItem(this, kProgressId));
    m_okButton = qobject_cast<QPushButton*>(GetDlgItem(this, IDOK));
    m_backupCheck = qobject_cast<QCheckBox*>(GetDlgItem(this, kBackupCheckId));
    m_verifyCheck = qobject_cast<QCheckBox*>(GetDlgItem(this, kVerifyCheckId));
    connect(m_okButton, &QPushButton::clicked, this, &CTransferDlg::OnOK);
    connect(qobject_cast<QPushButton*>(GetDlgItem(this, IDCANCEL)), &QPushButton::clicked, this,
            &CTransferDlg::reject);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kTimerPeriod);
    connect(&m_timer, &QTimer::timeout, this, &CTransferDlg::OnTimer);
    // Cancel, Esc and the close box end the transfer between two ticks.
    connect(this, &QDialog::finished, &m_timer, &QTimer::stop);
}

void CTransferDlg::SetMode(bool bRead) {
    SetJob(bRead ? ETransferJob::kRead : ETransferJob::kWrite);
}

void CTransferDlg::SetJob(ETransferJob job) {
    m_job = job;
}

bool CTransferDlg::BackupSetting() {
    return FlagSetting(kBackupKey, true);
}

bool CTransferDlg::VerifySetting() {
    return FlagSetting(kVerifyKey, false);
}

int CTransferDlg::DoModal() {
    OnInitDialog();
    return exec();
}

// Nothing goes to the radio until the user presses OK.
void CTransferDlg::OnInitDialog() {
    TranslateDialog(this, kDialogId);
    const char* title = "IDS_WRITEDATA";
    const char* hint = "IDS_HINT_WRITE";
    switch (m_job) {
    case ETransferJob::kRead:
        title = "IDS_READDATA";
        hint = "IDS_HINT_READ";
        break;
    case ETransferJob::kCompare:
        title = "IDS_COMPAREDATA";
        hint = "IDS_HINT_COMPARE";
        break;
    case ETransferJob::kRestore:
        title = "IDS_RESTOREDATA";
        hint = "IDS_HINT_RESTORE";
        break;
    case ETransferJob::kWrite:
        break;
    }
    setWindowTitle(LangText(title));
    m_status->setText(LangText(hint));
    if (!IsWriteJob()) {
        // Without the check boxes the buttons move up into their place.
        m_backupCheck->hide();
        m_verifyCheck->hide();
        const int rise = m_okButton->y() - m_backupCheck->y();
        for (QWidget* button : {GetDlgItem(this, IDOK), GetDlgItem(this, IDCANCEL)}) {
            button->move(button->x(), button->y() - rise);
        }
        setFixedSize(width(), height() - rise);
    }
    m_backupCheck->setChecked(BackupSetting());
    m_verifyCheck->setChecked(VerifySetting());
    m_Progress->setRange(0, CTransferEngine::kProgressRange);
    m_Progress->setValue(0);
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

// The check boxes' states become the user's settings; one that cannot be stored is named and
// applies to this write only.
void CTransferDlg::StoreChecks() {
    const std::pair<const char*, QCheckBox*> checks[] = {{kBackupKey, m_backupCheck},
                                                         {kVerifyKey, m_verifyCheck}};
    for (const auto& [key, check] : checks) {
        if (FlagSetting(key, key == kBackupKey) == check->isChecked()) {
            continue;
        }
        const FileResult saved = WriteSettingString("setup", key, check->isChecked() ? "1" : "0");
        if (!saved) {
            const std::string file = UsesUserSettings() ? UserSettingFile() : g_strSettingFile;
            AppMessageBox(LangText("IDS_ERROR_SETTING", {file, FileReasonText(saved)}),
                          LangText("IDS_ERROR"), MB_OK | MB_ICONHAND);
            return;
        }
    }
}

// OK starts the job, or, after a step gave up, that step again (a write that failed is not
// backed up a second time: the backup taken holds the radio as it was before).
void CTransferDlg::OnOK() {
    if (m_steps.empty()) {
        switch (m_job) {
        case ETransferJob::kRead:
            m_steps = {EStep::kRead};
            break;
        case ETransferJob::kCompare:
            m_steps = {EStep::kReadBack};
            break;
        case ETransferJob::kWrite:
        case ETransferJob::kRestore:
            StoreChecks();
            if (m_backupCheck->isChecked()) {
                m_steps.push_back(EStep::kBackup);
            }
            m_steps.push_back(EStep::kWrite);
            if (m_verifyCheck->isChecked()) {
                m_steps.push_back(EStep::kReadBack);
            }
            break;
        }
        m_backupCheck->setEnabled(false);
        m_verifyCheck->setEnabled(false);
    }
    StartStep();
}

void CTransferDlg::StartStep() {
    const bool bRead = Step() != EStep::kWrite;
    CDromelPgmDoc& doc = Step() == EStep::kRead || Step() == EStep::kWrite ? m_doc : m_scratch;
    m_engine.emplace(m_port, bRead, doc);
    const LinkResult result = m_engine->Start(AskWriteAnyway);
    NotifyPortState();
    if (CStopSignals::Received() != 0) {
        StopForSignal();
        QDialog::reject();
        return;
    }
    if (result != LinkReady) {
        Record(result == LinkCancelled ? "refused" : "failed");
        if (!LinkErrorKey(result).empty()) {
            const std::string error = LinkErrorText(result, m_port);
            const QString text = Step() == EStep::kBackup
                                     ? LangText("IDS_BACKUP_READ_FAILED", {error})
                                     : QString::fromStdString(error);
            AppMessageBox(text, LangText("IDS_ERROR"), MB_OK | MB_ICONHAND);
        }
        QDialog::reject();
        return;
    }
    m_okButton->setEnabled(false);
    m_Progress->setValue(0);
    m_status->setText(StepStatus());
    m_timer.start();
}

// The status line of the step under way: the engine's for a plain read or write, the step's
// own text with the percentage for a backup and a read-back.
QString CTransferDlg::StepStatus() const {
    switch (Step()) {
    case EStep::kBackup:
        return QString::fromStdString(FormatTransferStatus(
            LangText("IDS_BACKUP_READING").toStdString(), m_engine->Percent()));
    case EStep::kReadBack:
        return QString::fromStdString(FormatTransferStatus(
            LangText(m_job == ETransferJob::kCompare ? "IDS_COMPARE_READING" : "IDS_VERIFY_READING")
                .toStdString(),
            m_engine->Percent()));
    case EStep::kRead:
    case EStep::kWrite:
        break;
    }
    return QString::fromStdString(m_engine->Status());
}

void CTransferDlg::OnTimer() {
    // The tick that would end a complete transfer still runs.
    if (CStopSignals::Received() != 0 && m_engine->Address() < m_engine->EndAddress()) {
        StopForSignal();
        QDialog::reject();
        return;
    }
    switch (m_engine->Tick()) {
    case TickDone:
        m_timer.stop();
        FinishStep();
        return;
    case TickGaveUp:
        GiveUp();
        return;
    case TickRunning:
        m_status->setText(StepStatus());
        m_Progress->setValue(m_engine->ProgressPos());
        return;
    }
}

// A step has moved its last block: the next step starts, or the job is done.
void CTransferDlg::FinishStep() {
    const std::string port = PortNameOf(std::to_string(GetConfiguredPort()));
    const std::string blocks = Number(m_engine->BlocksAcknowledged());
    QString done;
    switch (Step()) {
    case EStep::kRead:
        // The engine has put the image into the document and refreshed its views.
        Record("ok");
        emit imageRead();
        done = LangText("IDS_DONE_READ", {blocks, port, Now()});
        break;
    case EStep::kBackup: {
        const SBackupSaved saved = SaveBackup(m_scratch, port);
        if (!saved.result) {
            Record("failed");
            AppMessageBox(
                LangText("IDS_BACKUP_SAVE_FAILED", {saved.path, FileReasonText(saved.result)}),
                LangText("IDS_ERROR"), MB_OK | MB_ICONHAND);
            QDialog::reject();
            return;
        }
        m_strBackupPath = saved.path;
        m_strBackupTime = QString::fromStdString(Now());
        break;
    }
    case EStep::kWrite:
        Record("ok");
        done = LangText("IDS_DONE_WRITE", {blocks, port, Now()});
        break;
    case EStep::kReadBack:
        m_diffs = DiffWrittenImage(m_doc, m_scratch, false);
        Record(m_diffs->empty() ? "ok" : "differs");
        if (m_job == ETransferJob::kCompare) {
            done = LangText("IDS_DONE_COMPARE",
                            {port, Now(), Number(static_cast<int>(m_diffs->size()))});
        } else if (m_diffs->empty()) {
            done =
                LangText("IDS_DONE_VERIFIED", {Number(CTransferEngine::kWriteBlocks), port, Now()});
        } else {
            done = LangText("IDS_DONE_VERIFY_DIFFERS", {Number(CTransferEngine::kWriteBlocks), port,
                                                        Number(static_cast<int>(m_diffs->size()))});
        }
        break;
    }
    if (++m_nStep < m_steps.size()) {
        StartStep();
        return;
    }
    emit transferCompleted(done);
    accept();
}

// Five attempts at one block failed: the status line says so (after a write, what the radio
// holds now) and OK tries the step again.
void CTransferDlg::GiveUp() {
    m_timer.stop();
    NotifyPortState();
    Record("failed");
    switch (Step()) {
    case EStep::kWrite:
        m_status->setText(PartialWriteText());
        break;
    case EStep::kBackup:
        m_status->setText(LangText("IDS_BACKUP_READ_FAILED", {m_engine->Status()}));
        break;
    case EStep::kRead:
    case EStep::kReadBack:
        m_status->setText(QString::fromStdString(m_engine->Status()));
        break;
    }
    m_okButton->setEnabled(true);
    m_okButton->setFocus();
}

// How many blocks the radio took, that it holds part old, part new data, and what to do:
// write again, or restore the backup kept before the write.
QString CTransferDlg::PartialWriteText() const {
    const std::string blocks = Number(m_engine->BlocksAcknowledged());
    const std::string total = Number(CTransferEngine::kWriteBlocks);
    return m_strBackupPath.empty() ? LangText("IDS_WRITE_PARTIAL_NO_BACKUP", {blocks, total})
                                   : LangText("IDS_WRITE_PARTIAL_PROGRAM",
                                              {blocks, total, m_strBackupTime.toStdString()});
}

void CTransferDlg::reject() {
    if (m_timer.isActive() && CStopSignals::Received() == 0) {
        if (Step() == EStep::kWrite && m_engine->BlocksAcknowledged() > 0) {
            m_timer.stop();
            const int answer = AppMessageBox(
                LangText("IDS_CONFIRM_STOP_WRITE", {Number(m_engine->BlocksAcknowledged()),
                                                    Number(CTransferEngine::kWriteBlocks)}),
                LangText("IDS_CONFIRM"), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
            if (answer != IDYES) {
                m_timer.start();
                return;
            }
            Record("cancelled");
            const QString text = PartialWriteText();
            m_status->setText(text);
            AppMessageBox(text, LangText("IDS_WRITEDATA"), MB_OK | MB_ICONEXCLAMATION);
        } else {
            Record("cancelled");
        }
    }
    QDialog::reject();
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
    Record("interrupted");
    const QString text = QString::fromStdString(
        InterruptedText(Step() != EStep::kWrite, m_engine->Address(), m_engine->EndAddress()));
    m_status->setText(text);
    emit transferInterrupted(text);
}

// One line of the programming history for the step that ended with result. A read names the
// memory it received only when it completed; a write names what it sent, and the radio's
// model as its backup read it.
void CTransferDlg::Record(const char* result) {
    const std::string outcome = result;
    const bool bCompleted = outcome == "ok" || outcome == "differs";
    STransferRecord record;
    record.result = result;
    record.port = PortNameOf(std::to_string(GetConfiguredPort()));
    record.device = m_port.Device();
    record.backup = m_strBackupPath;
    record.blocks = m_engine ? m_engine->BlocksAcknowledged() : 0;
    switch (Step()) {
    case EStep::kRead:
        record.operation = "read";
        record.radio = bCompleted ? &m_doc : nullptr;
        break;
    case EStep::kBackup:
    case EStep::kWrite:
        record.operation = m_job == ETransferJob::kRestore ? "restore" : "write";
        record.sent = &m_doc;
        record.radio = m_strBackupPath.empty() ? nullptr : &m_scratch;
        break;
    case EStep::kReadBack:
        record.operation = "verify";
        record.sent = &m_doc;
        record.radio = bCompleted ? &m_scratch : nullptr;
        record.differences = m_diffs ? static_cast<int>(m_diffs->size()) : -1;
        break;
    }
    const FileResult written = AppendHistory(TransferHistoryEntry(record));
    if (!written) {
        AppMessageBox(LangText("IDS_HISTORY_FAILED", {HistoryFile(), FileReasonText(written)}),
                      LangText("IDS_ERROR"), MB_OK | MB_ICONEXCLAMATION);
    }
}
