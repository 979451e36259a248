// The channel grid of the main form: its layout, the cells shown from the document, and the
// cell editors placed over a cell and committed when they lose the keyboard focus.
#include "views/DromelPgmView.h"

#include "app/AppMessageBox.h"
#include "app/LangString.h"
#include "app/LangText.h"
#include "grid/DrawTextFormat.h"
#include "grid/GridAccessible.h"
#include "grid/GridLayout.h"
#include "radio/ChannelRules.h"
#include "radio/ColumnHeadings.h"
#include "radio/ValueNotice.h"

#include <array>

namespace {

constexpr int kChannelRows = kChannelCount;
constexpr int kHeaderHeight = 22;
constexpr int kRowHeight = 20;
constexpr std::array<int, kChannelColumns> kColumnWidths{44, 90, 90, 90, 90, 70, 70, 68, 74};

constexpr quint32 kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr quint32 kRight = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;

constexpr SGridLayout kLayout{.nRows = kChannelRows,
                              .columnWidths = kColumnWidths,
                              .nHeadingHeight = kHeaderHeight,
                              .nRowHeight = kRowHeight,
                              .nHeadingFormat = kCentred,
                              .nNumberFormat = kCentred};

quint32 CellFormat(int col) {
    return col == kColRxTone || col == kColTxTone ? kRight : kCentred;
}

} // namespace

void CDromelPgmView::FillGrid() {
    if (!FillFixedGrid(m_grid, kLayout, GetColumnHeadings(kChannelColumns),
                       [this](int n) { RefreshRow(n); })) {
        AppMessageBox(QStringLiteral("Out of memory."), QString(), MB_OK | MB_ICONHAND);
    }
    // Rows and blocks of cells can be selected for the Edit commands.
    m_grid.EnableSelection(true);
    SetGridRowName(m_grid, LangText("IDS_ACC_CHANNEL"));
}

void CDromelPgmView::RefreshRow(int n) {
    ShowReadOnlyCells(m_grid, n, [&](int col) { return IsChannelCellReadOnly(m_doc, n, col); });
    if (!m_doc.IsRxEmpty(n)) {
        m_editing.EndAll();
    }
    for (int c = 1; c < kChannelColumns; ++c) {
        ShowCell(n, c);
    }
    m_marks.ShowRow(m_grid, n);
    m_grid.RedrawRow(n);
}

void CDromelPgmView::ShowCell(int n, int col) {
    m_grid.SetItem(TextItem(n, col, QString::fromStdString(GetChannelCellText(m_doc, n, col)),
                            CellFormat(col)));
}

void CDromelPgmView::ConnectEditors() {
    m_editing.AddEditor(m_cellEdit, {kColRxFreq, kColTxFreq},
                        [this](int n, int col) { OnFreqEditKillFocus(n, col); });
    m_editing.AddEditor(m_cellTone, {kColRxTone, kColTxTone},
                        [this](int n, int col) { OnToneKillFocus(n, col); });
    m_editing.AddEditor(
        m_cellList, {kColScan, kColOpt6, kColBand, kColOpt8},
        [this](int n, int col) { OnListKillFocus(n, col); },
        [this](int col) {
            m_cellList.clear();
            for (const std::string& entry : ChannelListEntries(col)) {
                m_cellList.addItem(QString::fromStdString(entry));
            }
        });
}

void CDromelPgmView::ReportCommit(int n, int col, const std::string& given,
                                  const SStoredValue& stored) {
    m_marks.Unmark(n, col);
    if (stored.how != EStored::kAsGiven) {
        m_marks.Mark(n, col);
    }
    const std::string name =
        FormatLangString("IDS_CELL_NAME", {std::to_string(n), GetColumnHeadings(col + 1)[col]});
    QStringList texts;
    for (const std::string& notice : CommitNotices(name, given, stored)) {
        texts.append(QString::fromStdString(notice));
    }
    emit valueNotice(texts.join(QStringLiteral("  ")));
}

void CDromelPgmView::OnFreqEditKillFocus(int n, int col) {
    const std::string typed = m_cellEdit.text().toStdString();
    ReportCommit(n, col, typed, CommitChannelFreq(m_doc, n, col == kColRxFreq, typed));
    RefreshRow(n);
    // Erasing or creating a channel can change the scan list.
    UpdateScanControls();
}

void CDromelPgmView::OnToneKillFocus(int n, int col) {
    const std::string typed = m_cellTone.currentText().toStdString();
    ReportCommit(n, col, typed, CommitChannelTone(m_doc, n, col == kColRxTone, typed));
    RefreshRow(n);
}

void CDromelPgmView::OnListKillFocus(int n, int col) {
    const std::string chosen = m_cellList.currentText().toStdString();
    ReportCommit(n, col, chosen, CommitChannelList(m_doc, n, col, m_cellList.currentIndex()));
    RefreshRow(n);
    if (col == kColScan) {
        UpdateScanControls();
    }
}
