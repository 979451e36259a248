#include "views/TestFreqDlg.h"

#include "app/AppMessageBox.h"
#include "app/DialogBuilder.h"
#include "app/LangText.h"
#include "app/TranslateDialog.h"
#include "grid/DDXGrid.h"
#include "grid/DrawTextFormat.h"
#include "grid/GridAccessible.h"
#include "grid/GridLayout.h"
#include "radio/ColumnHeadings.h"
#include "radio/OptionLists.h"

#include <QAbstractButton>
#include <QKeyEvent>

#include <array>

namespace {

constexpr int kTestRows = kLastChannel - kFirstTestChannel + 1;
constexpr int kRowHeight = 20;
constexpr std::array<int, kTestFreqColumns> kColumnWidths{40, 90, 90, 90, 90};

constexpr quint32 kHeading = DT_CENTER | DT_WORDBREAK;
constexpr quint32 kFreqFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr quint32 kToneFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;

constexpr SGridLayout kLayout{.nRows = kTestRows,
                              .columnWidths = kColumnWidths,
                              .nHeadingHeight = kRowHeight,
                              .nRowHeight = kRowHeight,
                              .nHeadingFormat = kHeading,
                              .nNumberFormat = kHeading};

bool IsEnterOrEsc(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

} // namespace

CTestFreqDlg::CTestFreqDlg(CDromelPgmDoc& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_backup(doc),
      m_change(std::in_place, doc, EDocChange::kTestFreq), m_editing(*this, m_grid) {
    BuildDialog(this, kDialogId);
    AttachToDlgControl(this, kToneEditId, m_cellTone);
    AttachToDlgControl(this, kFreqEditId, m_cellEdit);
    DDX_Grid(this, kGridId, m_grid);
    // ENTER and ESC in an editor give the keyboard focus back to the grid, so that the
    // keyboard goes on working there; the dialog itself takes no keys.
    m_cellEdit.SetOwner(&m_grid);
    m_cellTone.SetOwner(&m_grid);
    // A focused OK or Cancel button would take ENTER as a press.
    for (const int id : {IDOK, IDCANCEL}) {
        auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(this, id));
        button->installEventFilter(this);
        connect(button, &QAbstractButton::clicked, this,
                id == IDOK ? &CTestFreqDlg::accept : &CTestFreqDlg::reject);
    }
    m_editing.AddEditor(m_cellEdit, {kTestColRxFreq, kTestColTxFreq},
                        [this](int r, int col) { OnFreqEditKillFocus(r, col); });
    m_editing.AddEditor(m_cellTone, {kTestColRxTone, kTestColTxTone},
                        [this](int r, int col) { OnToneKillFocus(r, col); });
    OnInitDialog();
}

int CTestFreqDlg::DoModal() {
    return exec();
}

void CTestFreqDlg::OnInitDialog() {
    TranslateDialog(this, kDialogId);
    if (!FillFixedGrid(m_grid, kLayout, GetColumnHeadings(kTestFreqColumns),
                       [this](int r) { RefreshRow(r); })) {
        AppMessageBox(QStringLiteral("Out of memory."), QString(), MB_OK | MB_ICONHAND);
        return;
    }
    SetGridRowName(m_grid, LangText("IDS_ACC_TESTCHANNEL"));
    m_cellTone.clear();
    for (const std::string& tone : ToneList()) {
        m_cellTone.addItem(QString::fromStdString(tone));
    }
}

void CTestFreqDlg::RefreshRow(int r) {
    ShowReadOnlyCells(m_grid, r, [&](int col) { return IsTestCellReadOnly(m_doc, r, col); });
    m_editing.EndAll();
    for (int c = 1; c < kTestFreqColumns; ++c) {
        ShowCell(r, c);
    }
    m_grid.RedrawRow(r);
}

void CTestFreqDlg::ShowCell(int r, int col) {
    const bool tone = col == kTestColRxTone || col == kTestColTxTone;
    m_grid.SetItem(TextItem(r, col, QString::fromStdString(GetTestCellText(m_doc, r, col)),
                            tone ? kToneFormat : kFreqFormat));
}

void CTestFreqDlg::OnFreqEditKillFocus(int r, int col) {
    CommitTestFreq(m_doc, r, col == kTestColRxFreq, m_cellEdit.text().toStdString());
    RefreshRow(r);
}

void CTestFreqDlg::OnToneKillFocus(int r, int col) {
    CommitTestTone(m_doc, r, col == kTestColRxTone, m_cellTone.currentText().toStdString());
    RefreshRow(r);
}

void CTestFreqDlg::accept() {
    m_backup.Keep(m_doc);
    QDialog::accept();
    m_change.reset();
}

void CTestFreqDlg::reject() {
    // An editor still open would commit when the closing dialog takes its focus.
    m_editing.Drop();
    m_editing.EndAll();
    m_backup.Restore(m_doc);
    QDialog::reject();
    m_change.reset();
}

bool CTestFreqDlg::eventFilter(QObject* watched, QEvent* event) {
    if (IsEnterOrEsc(event)) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CTestFreqDlg::keyPressEvent(QKeyEvent* event) {
    if (IsEnterOrEsc(event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
