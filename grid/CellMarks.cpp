#include "grid/CellMarks.h"

#include "grid/GridCtrl.h"

namespace {

// A third of the highlight over the base: visible on light and dark themes, and the text
// colour of the theme stays readable on it.
QColor MarkColour(const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    const QColor highlight = palette.color(QPalette::Highlight);
    const auto mix = [](int b, int h) { return (2 * b + h) / 3; };
    return QColor(mix(base.red(), highlight.red()), mix(base.green(), highlight.green()),
                  mix(base.blue(), highlight.blue()));
}

} // namespace

void CCellMarks::ShowRow(CGridCtrl& grid, int row) const {
    const QColor mark = MarkColour(grid.palette());
    for (int c = 1; c < grid.GetColumnCount(); ++c) {
        GridItem item;
        item.row = row;
        item.col = c;
        item.mask = GVIF_BKCLR;
        item.bkColour = IsMarked(row, c) ? mark : QColor();
        grid.SetItem(item);
    }
}
