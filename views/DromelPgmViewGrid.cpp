// The channel grid of the main form: its layout, the cells shown from the document, and the
// cell editors placed over a cell and committed when they lose the keyboard focus.
#include "views/DromelPgmView.h"

#include "app/AppMessageBox.h"
#include "app/LangString.h"
#include "grid/DrawTextFormat.h"
#include "grid/GridNotify.h"
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
        m_cellEdit.End();
        m_cellTone.End();
        m_cellList.End();
    }
    for (int c = 1; c < kChannelColumns; ++c) {
        ShowCell(n, c);
    }
    m_grid.RedrawRow(n);
}

void CDromelPgmView::ShowCell(int n, int col) {
    m_grid.SetItem(TextItem(n, col, QString::fromStdString(GetChannelCellText(m_doc, n, col))));
}

bool CDromelPgmView::event(QEvent* event) {
    if (event->type() == GridNotifyEvent::EventType()) {
        auto* notify = static_cast<GridNotifyEvent*>(event);
        if (notify->Notify().hwndFrom == &m_grid && notify->Notify().code == GVN_BEGINLABELEDIT) {
            OnGridBeginEdit(notify->Notify());
            notify->SetResult(0);
        }
        return true;
    }
    return QWidget::event(event);
}

void CDromelPgmView::OnGridBeginEdit(const GridNotify& notify) {
    // The editors are children of the form, lying above the grid.
    const QRect rect(mapFromGlobal(notify.rect.topLeft()), notify.rect.size());
    const int col = notify.item.col;
    if (notify.item.row < 1 || notify.item.row > kChannelRows || col < 1 ||
        col >= kChannelColumns) {
        return;
    }
    m_nEditRow = notify.item.row;
    m_nEditCol = col;
    m_grid.SetEditActive(true);
    switch (col) {
    case kColRxFreq:
    case kColTxFreq:
        m_cellEdit.Begin(rect, notify.item.text);
        break;
    case kColRxTone:
    case kColTxTone:
        m_cellTone.Begin(rect, notify.item.text);
        break;
    default:
        m_cellList.clear();
        for (const std::string& entry : ChannelListEntries(col)) {
            m_cellList.addItem(QString::fromStdString(entry));
        }
        m_cellList.Begin(rect, notify.item.text);
        break;
    }
}

// The cell of the editor that is closing, and the form back to idle; false when no edit of
// the present document was open.
bool CDromelPgmView::TakeEditCell(int& n, int& col) {
    n = m_nEditRow;
    col = m_nEditCol;
    m_nEditRow = 0;
    m_grid.SetEditActive(false);
    return n >= 1 && n <= kChannelRows;
}

void CDromelPgmView::OnFreqEditKillFocus() {
    int n = 0;
    int col = 0;
    if (!TakeEditCell(n, col)) {
        m_cellEdit.End();
        return;
    }
    CommitChannelFreq(m_doc, n, col == kColRxFreq, m_cellEdit.text().toStdString());
    m_cellEdit.End();
    RefreshRow(n);
    // Erasing or creating a channel can change the scan list.
    UpdateScanControls();
}

void CDromelPgmView::OnToneKillFocus() {
    int n = 0;
    int col = 0;
    if (!TakeEditCell(n, col)) {
        m_cellTone.End();
        return;
    }
    CommitChannelTone(m_doc, n, col == kColRxTone, m_cellTone.currentText().toStdString());
    m_cellTone.End();
    RefreshRow(n);
}

void CDromelPgmView::OnListKillFocus() {
    int n = 0;
    int col = 0;
    if (!TakeEditCell(n, col)) {
        m_cellList.End();
        return;
    }
    CommitChannelList(m_doc, n, col, m_cellList.currentIndex());
    m_cellList.End();
    RefreshRow(n);
    if (col == kColScan) {
        UpdateScanControls();
    }
}
