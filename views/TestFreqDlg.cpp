#include "views/TestFreqDlg.h"

#include "app/AppMessageBox.h"
#include "app/DialogBuilder.h"
#include "app/LangString.h"
#include "app/TranslateDialog.h"
#include "grid/DDXGrid.h"
#include "grid/DrawTextFormat.h"
#include "radio/OptionLists.h"

#include <QAbstractButton>
#include <QKeyEvent>

#include <array>

namespace {

constexpr int kTestRows = 16;
constexpr int kRowHeight = 20;
constexpr std::array<int, kTestFreqColumns> kColumnWidths{40, 90, 90, 90, 90};
constexpr std::size_t kFaceBuffer = 30;

constexpr quint32 kHeading = DT_CENTER | DT_WORDBREAK;
constexpr quint32 kFreqFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr quint32 kToneFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;

GridItem TextItem(int row, int col, const QString& text, quint32 format) {
    GridItem item;
    item.row = row;
    item.col = col;
    item.mask = GVIF_TEXT | GVIF_FORMAT;
    item.text = text;
    item.format = format;
    return item;
}

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
    if (m_grid.GetRowCount() != kTestRows + 1 && !SetUpGrid()) {
        AppMessageBox(QStringLiteral("Out of memory."), QString(), MB_OK | MB_ICONHAND);
        return;
    }
    m_grid.SetRedraw(false);
    // A heading missing from the language file repeats the one before it.
    std::string heading;
    for (int c = 0; c < kTestFreqColumns; ++c) {
        heading = GetLangValue("Face", "IDS_COL" + std::to_string(c), heading, kFaceBuffer);
        m_grid.SetItem(TextItem(0, c, QString::fromStdString(heading), kHeading));
    }
    for (int r = 1; r <= kTestRows; ++r) {
        m_grid.SetItem(TextItem(r, kTestColNumber, QString::number(r), kHeading));
        RefreshRow(r);
    }
    m_grid.SetRedraw(true, true);
    m_cellTone.clear();
    for (const std::string& tone : ToneList()) {
        m_cellTone.addItem(QString::fromStdString(tone));
    }
}

bool CTestFreqDlg::SetUpGrid() {
    if (!m_grid.SetRowCount(kTestRows + 1) || !m_grid.SetColumnCount(kTestFreqColumns) ||
        !m_grid.SetFixedRowCount(1) || !m_grid.SetFixedColumnCount(1)) {
        return false;
    }
    m_grid.EnableResize(false, false);
    m_grid.ClearSelection();
    m_grid.EnableSelection(false);
    m_grid.ClearSelection();
    for (int c = 0; c < kTestFreqColumns; ++c) {
        m_grid.SetColumnWidth(c, kColumnWidths[c]);
    }
    for (int r = 0; r <= kTestRows; ++r) {
        m_grid.SetRowHeight(r, kRowHeight);
    }
    return true;
}

void CTestFreqDlg::RefreshRow(int r) {
    const QColor grey = palette().color(QPalette::Disabled, QPalette::Text);
    for (int c = 1; c < kTestFreqColumns; ++c) {
        const quint32 state = m_grid.GetItemState(r, c);
        if (IsTestCellReadOnly(m_doc, r, c)) {
            m_grid.SetItemState(r, c, state | CS_READONLY);
            m_grid.SetItemFgColour(r, c, grey);
        } else {
            m_grid.SetItemState(r, c, state & ~CS_READONLY);
            m_grid.SetItemFgColour(r, c, QColor());
        }
    }
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
