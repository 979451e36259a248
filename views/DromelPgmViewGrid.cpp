// The channel grid of the main form: its layout, the cells shown from the document, and the
// cell editors placed over a cell and committed when they lose the keyboard focus.
#include "views/DromelPgmView.h"

#include "app/AppMessageBox.h"
#include "app/LangString.h"
#include "grid/DrawTextFormat.h"
#include "radio/ChannelRules.h"

#include <array>

namespace {

constexpr int kChannelRows = 16;
constexpr int kHeaderHeight = 22;
constexpr int kRowHeight = 20;
constexpr std::array<int, kChannelColumns> kColumnWidths{44, 90, 90, 90, 90, 70, 70, 68, 74};
constexpr std::size_t kFaceBuffer = 30;

constexpr quint32 kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr quint32 kRight = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;

quint32 CellFormat(int col) {
    return col == kColRxTone || col == kColTxTone ? kRight : kCentred;
}

GridItem TextItem(int row, int col, const QString& text) {
    GridItem item;
    item.row = row;
    item.col = col;
    item.mask = GVIF_TEXT | GVIF_FORMAT;
    item.text = text;
    item.format = CellFormat(col);
    return item;
}

} // namespace

void CDromelPgmView::SetUpGrid() {
    m_grid.EnableResize(false, false);
    m_grid.ClearSelection();
    m_grid.EnableSelection(false);
    m_grid.ClearSelection();
    for (int c = 0; c < kChannelColumns; ++c) {
        m_grid.SetColumnWidth(c, kColumnWidths[c]);
    }
    m_grid.SetRowHeight(0, kHeaderHeight);
    for (int n = 1; n <= kChannelRows; ++n) {
        m_grid.SetRowHeight(n, kRowHeight);
    }
}

void CDromelPgmView::FillGrid() {
    if (m_grid.GetRowCount() != kChannelRows + 1) {
        if (!m_grid.SetRowCount(kChannelRows + 1) || !m_grid.SetColumnCount(kChannelColumns) ||
            !m_grid.SetFixedRowCount(1) || !m_grid.SetFixedColumnCount(1)) {
            AppMessageBox(QStringLiteral("Out of memory."), QString(), MB_OK | MB_ICONHAND);
            return;
        }
        SetUpGrid();
    }
    m_grid.SetRedraw(false);
    // A heading missing from the language file repeats the one before it.
    std::string heading;
    for (int c = 0; c < kChannelColumns; ++c) {
        heading = GetLangValue("Face", "IDS_COL" + std::to_string(c), heading, kFaceBuffer);
        GridItem item = TextItem(0, c, QString::fromStdString(heading));
        item.format = kCentred;
        m_grid.SetItem(item);
    }
    for (int n = 1; n <= kChannelRows; ++n) {
        m_grid.SetItem(TextItem(n, kColNumber, QString::number(n)));
        RefreshRow(n);
    }
    m_grid.SetRedraw(true, true);
}

void CDromelPgmView::RefreshRow(int n) {
    const QColor grey = palette().color(QPalette::Disabled, QPalette::Text);
    for (int c = 1; c < kChannelColumns; ++c) {
        const quint32 state = m_grid.GetItemState(n, c);
        if (IsChannelCellReadOnly(m_doc, n, c)) {
            m_grid.SetItemState(n, c, state | CS_READONLY);
            m_grid.SetItemFgColour(n, c, grey);
        } else {
            m_grid.SetItemState(n, c, state & ~CS_READONLY);
            m_grid.SetItemFgColour(n, c, QColor());
        }
    }
    if (!m_doc.IsRxEmpty(n)) {
        m_editing.EndAll();
    }
    for (int c = 1; c < kChannelColumns; ++c) {
        ShowCell(n, c);
    }
    m_grid.RedrawRow(n);
}

void CDromelPgmView::ShowCell(int n, int col) {
    m_grid.SetItem(TextItem(n, col, QString::fromStdString(GetChannelCellText(m_doc, n, col))));
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

void CDromelPgmView::OnFreqEditKillFocus(int n, int col) {
    CommitChannelFreq(m_doc, n, col == kColRxFreq, m_cellEdit.text().toStdString());
    RefreshRow(n);
    // Erasing or creating a channel can change the scan list.
    UpdateScanControls();
}

void CDromelPgmView::OnToneKillFocus(int n, int col) {
    CommitChannelTone(m_doc, n, col == kColRxTone, m_cellTone.currentText().toStdString());
    RefreshRow(n);
}

void CDromelPgmView::OnListKillFocus(int n, int col) {
    CommitChannelList(m_doc, n, col, m_cellList.currentIndex());
    RefreshRow(n);
    if (col == kColScan) {
        UpdateScanControls();
    }
}
