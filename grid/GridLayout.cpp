#include "grid/GridLayout.h"

#include "grid/GridCtrl.h"

namespace {

bool SetUpGrid(CGridCtrl& grid, const SGridLayout& layout) {
    if (grid.GetRowCount() == layout.nRows + 1) {
        return true;
    }
    const int columns = static_cast<int>(layout.columnWidths.size());
    if (!grid.SetRowCount(layout.nRows + 1) || !grid.SetColumnCount(columns) ||
        !grid.SetFixedRowCount(1) || !grid.SetFixedColumnCount(1)) {
        return false;
    }
    grid.EnableResize(false, false);
    grid.ClearSelection();
    grid.EnableSelection(false);
    grid.ClearSelection();
    for (int c = 0; c < columns; ++c) {
        grid.SetColumnWidth(c, layout.columnWidths[c]);
    }
    grid.SetRowHeight(0, layout.nHeadingHeight);
    for (int r = 1; r <= layout.nRows; ++r) {
        grid.SetRowHeight(r, layout.nRowHeight);
    }
    return true;
}

} // namespace

GridItem TextItem(int row, int col, const QString& text, quint32 format) {
    GridItem item;
    item.row = row;
    item.col = col;
    item.mask = GVIF_TEXT | GVIF_FORMAT;
    item.text = text;
    item.format = format;
    return item;
}

bool FillFixedGrid(CGridCtrl& grid, const SGridLayout& layout,
                   const std::vector<std::string>& headings,
                   const std::function<void(int row)>& showRow) {
    if (!SetUpGrid(grid, layout)) {
        return false;
    }
    grid.SetRedraw(false);
    for (std::size_t c = 0; c < headings.size(); ++c) {
        grid.SetItem(TextItem(0, static_cast<int>(c), QString::fromStdString(headings[c]),
                              layout.nHeadingFormat));
    }
    for (int r = 1; r <= layout.nRows; ++r) {
        grid.SetItem(TextItem(r, 0, QString::number(r), layout.nNumberFormat));
        showRow(r);
    }
    grid.SetRedraw(true, true);
    return true;
}

void ShowReadOnlyCells(CGridCtrl& grid, int row, const std::function<bool(int col)>& isReadOnly) {
    for (int c = 1; c < grid.GetColumnCount(); ++c) {
        const quint32 state = grid.GetItemState(row, c);
        grid.SetItemState(row, c, isReadOnly(c) ? state | CS_READONLY : state & ~CS_READONLY);
    }
}
