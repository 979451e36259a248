// The Edit menu of the main form: the channel clipboard, clearing cells and the row
// operations, each one change of the document.
#include "views/DromelPgmView.h"

#include "app/AppMessageBox.h"
#include "app/CommandIds.h"
#include "app/LangText.h"
#include "radio/ChannelClipboard.h"
#include "radio/ChannelCsv.h"
#include "radio/ChannelRows.h"
#include "radio/ChannelRules.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <algorithm>

namespace {

const QString kCsvMime = QStringLiteral("text/csv");

bool IsWholeRows(const CCellRange& block) {
    return block.minCol == 1 && block.maxCol == kChannelColumns - 1;
}

} // namespace

CCellRange CDromelPgmView::EditBlock() const {
    CCellRange block = m_grid.GetSelectedCellRange();
    if (!block.IsValid()) {
        const CCellID focus = m_grid.GetFocusCell();
        block = {focus.row, focus.col, focus.row, focus.col};
    }
    block.minRow = std::max(block.minRow, 1);
    block.minCol = std::max(block.minCol, 1);
    block.maxRow = std::min(block.maxRow, kChannelCount);
    block.maxCol = std::min(block.maxCol, kChannelColumns - 1);
    return block.IsValid() ? block : CCellRange{};
}

int CDromelPgmView::EditRow() const {
    const CCellID focus = m_grid.GetFocusCell();
    if (focus.row >= 1 && focus.row <= kChannelCount) {
        return focus.row;
    }
    const CCellRange block = EditBlock();
    return block.IsValid() ? block.minRow : 0;
}

bool CDromelPgmView::CanEdit(int id) const {
    const bool block = EditBlock().IsValid();
    const int row = EditRow();
    switch (id) {
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_CLEAR:
        return block;
    case ID_EDIT_PASTE: {
        const QMimeData* data = QApplication::clipboard()->mimeData();
        return block && data && (data->hasText() || data->hasFormat(kCsvMime));
    }
    case ID_EDIT_SELECT_ALL:
        return true;
    case ID_EDIT_INSERT_CHANNEL:
    case ID_EDIT_DELETE_CHANNEL:
        return row > 0;
    case ID_EDIT_MOVE_UP:
        return row > 1;
    case ID_EDIT_MOVE_DOWN:
        return row > 0 && row < kChannelCount;
    case ID_EDIT_SORT:
        return !IsSortedByFrequency(m_doc);
    default:
        return false;
    }
}

void CDromelPgmView::RefreshChannels() {
    FillForm();
    for (int n = 1; n <= kChannelCount; ++n) {
        RefreshRow(n);
    }
}

void CDromelPgmView::OnEditCopy() {
    const CCellRange block = EditBlock();
    if (!block.IsValid()) {
        return;
    }
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(
        ChannelCellsTsv(m_doc, block.minRow, block.minCol, block.maxRow, block.maxCol)));
    if (IsWholeRows(block)) {
        data->setData(kCsvMime, QByteArray::fromStdString(
                                    ExportChannelsCsv(m_doc, block.minRow, block.maxRow)));
    }
    QApplication::clipboard()->setMimeData(data);
}

void CDromelPgmView::OnEditCut() {
    OnEditCopy();
    OnEditClear();
}

void CDromelPgmView::OnEditClear() {
    const CCellRange block = EditBlock();
    if (!block.IsValid()) {
        return;
    }
    ClearChannelCells(m_doc, block.minRow, block.minCol, block.maxRow, block.maxCol);
    RefreshChannels();
}

void CDromelPgmView::OnEditPaste() {
    const CCellRange block = EditBlock();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!block.IsValid() || !data) {
        return;
    }
    const CCellID focus = m_grid.GetFocusCell();
    const bool atFocus = focus.row >= 1 && focus.col >= 1;
    const std::string text =
        data->hasFormat(kCsvMime) ? data->data(kCsvMime).toStdString() : data->text().toStdString();
    const SPasteResult pasted = PasteChannels(m_doc, atFocus ? focus.row : block.minRow,
                                              atFocus ? focus.col : block.minCol, text);
    if (!pasted.refused.empty()) {
        std::string rows;
        for (const std::string& row : pasted.refused) {
            rows += (rows.empty() ? "" : "\n") + row;
        }
        AppMessageBox(LangText("IDS_PASTE_REFUSED", {rows}), LangText("IDS_ERROR"),
                      MB_OK | MB_ICONHAND);
        return;
    }
    RefreshChannels();
}

void CDromelPgmView::OnEditSelectAll() {
    m_grid.SetSelectedRange(1, 1, kChannelCount, kChannelColumns - 1);
}

void CDromelPgmView::OnEditInsertChannel() {
    const int n = EditRow();
    if (n == 0) {
        return;
    }
    if (IsChannelInUse(m_doc, kChannelCount) &&
        AppMessageBox(LangText("IDS_INSERT_DROPS"), LangText("IDS_CONFIRM"),
                      MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    InsertChannel(m_doc, n);
    RefreshChannels();
}

void CDromelPgmView::OnEditDeleteChannel() {
    const int n = EditRow();
    if (n == 0) {
        return;
    }
    DeleteChannel(m_doc, n);
    RefreshChannels();
}

void CDromelPgmView::OnEditMoveUp() {
    MoveEditRow(true);
}

void CDromelPgmView::OnEditMoveDown() {
    MoveEditRow(false);
}

void CDromelPgmView::MoveEditRow(bool up) {
    const int n = EditRow();
    const CCellID focus = m_grid.GetFocusCell();
    if (!MoveChannel(m_doc, n, up)) {
        return;
    }
    RefreshChannels();
    // The focus and the selection go along with the channel.
    const int to = up ? n - 1 : n + 1;
    m_grid.SetFocusCell(to, std::max(focus.col, 1));
    m_grid.SetSelectedRange(to, 1, to, kChannelColumns - 1);
}

void CDromelPgmView::OnEditSort() {
    SortByFrequency(m_doc);
    RefreshChannels();
}
