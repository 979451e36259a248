// CGridCtrl: painting on the screen and printing row by row.
#include "grid/DrawTextFormat.h"
#include "grid/GridCtrl.h"

#include <QFontInfo>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

namespace {

// Marks the painting done by the print operations for the duration of one of them.
class PrintingScope {
public:
    explicit PrintingScope(bool& printing) : m_printing(printing) { m_printing = true; }
    ~PrintingScope() { m_printing = false; }
    PrintingScope(const PrintingScope&) = delete;
    PrintingScope& operator=(const PrintingScope&) = delete;

private:
    bool& m_printing;
};

void DrawHLine(QPainter& painter, const QColor& colour, int x1, int x2, int y) {
    painter.setPen(QPen(colour, 1));
    painter.drawLine(x1, y, x2, y);
}

void DrawVLine(QPainter& painter, const QColor& colour, int x, int y1, int y2) {
    painter.setPen(QPen(colour, 1));
    painter.drawLine(x, y1, x, y2);
}

// A one-pixel frame on the outermost pixels of rect.
void DrawFrame(QPainter& painter, const QRect& rect, const QColor& colour) {
    DrawHLine(painter, colour, rect.left(), rect.right(), rect.top());
    DrawHLine(painter, colour, rect.left(), rect.right(), rect.bottom());
    DrawVLine(painter, colour, rect.left(), rect.top(), rect.bottom());
    DrawVLine(painter, colour, rect.right(), rect.top(), rect.bottom());
}

// A two-pixel raised edge: light outside and lighter inside at the top and left, darkest
// outside and dark inside at the bottom and right.
void DrawRaisedEdge(QPainter& painter, const QRect& rect, const SGridColours& c) {
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    DrawHLine(painter, c.midlight, rect.left(), rect.right(), rect.top());
    DrawVLine(painter, c.midlight, rect.left(), rect.top(), rect.bottom());
    DrawHLine(painter, c.shadow, rect.left(), rect.right(), rect.bottom());
    DrawVLine(painter, c.shadow, rect.right(), rect.top(), rect.bottom());
    DrawHLine(painter, c.light, inner.left(), inner.right(), inner.top());
    DrawVLine(painter, c.light, inner.left(), inner.top(), inner.bottom());
    DrawHLine(painter, c.dark, inner.left(), inner.right(), inner.bottom());
    DrawVLine(painter, c.dark, inner.right(), inner.top(), inner.bottom());
}

} // namespace

void CGridCtrl::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    if (m_bEditActive) {
        // The owner's editor covers this rectangle; painting there would show through.
        QRegion region(event->rect());
        region -= m_rectEdit;
        painter.setClipRegion(region);
    }
    PaintAll(painter, event->rect());
    if (!m_rectDragLine.isNull()) {
        painter.setClipping(false);
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.fillRect(m_rectDragLine, Qt::black);
    }
}

// The area covered by the fixed cells and the visible non-fixed cells, from (0, 0).
QRect CGridCtrl::VisibleCellsRect() const {
    const CCellRange visible = GetVisibleNonFixedCellRange();
    int right = GetFixedColumnWidth();
    for (int col = visible.minCol; col <= visible.maxCol; ++col) {
        right += m_arColWidths[col];
    }
    int bottom = GetFixedRowHeight();
    for (int row = visible.minRow; row <= visible.maxRow; ++row) {
        bottom += m_arRowHeights[row];
    }
    return {0, 0, right, bottom};
}

void CGridCtrl::PaintAll(QPainter& painter, const QRect& clip) {
    const SGridColours& colours = GetColours();
    const QRect client = viewport()->rect();
    const int fixedWidth = GetFixedColumnWidth();
    const int fixedHeight = GetFixedRowHeight();
    const CCellRange visible = GetVisibleNonFixedCellRange();
    const QRect cells = VisibleCellsRect();

    painter.fillRect(QRect(0, 0, fixedWidth, cells.height()), colours.fixedBk);
    painter.fillRect(QRect(fixedWidth, 0, cells.width() - fixedWidth, fixedHeight),
                     colours.fixedBk);
    painter.fillRect(
        QRect(fixedWidth, fixedHeight, cells.width() - fixedWidth, cells.height() - fixedHeight)
            .intersected(clip),
        colours.cellBk);
    painter.fillRect(QRect(cells.width(), 0, client.width() - cells.width(), client.height()),
                     colours.outerBk);
    painter.fillRect(QRect(0, cells.height(), cells.width(), client.height() - cells.height()),
                     colours.outerBk);

    // Left edges of the fixed and visible columns, top edges of the fixed and visible rows.
    std::vector<std::pair<int, int>> cols; // column, left edge
    std::vector<std::pair<int, int>> rows; // row, top edge
    int x = 0;
    for (int col = 0; col < m_nFixedCols; x += m_arColWidths[col++]) {
        cols.emplace_back(col, x);
    }
    for (int col = visible.minCol; col <= visible.maxCol; x += m_arColWidths[col++]) {
        cols.emplace_back(col, x);
    }
    int y = 0;
    for (int row = 0; row < m_nFixedRows; y += m_arRowHeights[row++]) {
        rows.emplace_back(row, y);
    }
    for (int row = visible.minRow; row <= visible.maxRow; y += m_arRowHeights[row++]) {
        rows.emplace_back(row, y);
    }

    // Fixed corner, then the fixed columns, then the fixed rows, then the other cells.
    for (int pass = 0; pass < 4; ++pass) {
        for (const auto& [row, top] : rows) {
            const bool fixedRow = row < m_nFixedRows;
            for (const auto& [col, left] : cols) {
                const bool fixedCol = col < m_nFixedCols;
                const int cellPass = fixedRow && fixedCol ? 0 : fixedCol ? 1 : fixedRow ? 2 : 3;
                if (cellPass != pass) {
                    continue;
                }
                const QRect rect(left, top, m_arColWidths[col], m_arRowHeights[row]);
                if (!rect.intersects(clip)) {
                    continue;
                }
                if (pass < 3) {
                    PaintFixedCell(painter, row, col, rect, false);
                } else {
                    PaintCell(painter, row, col, rect, false);
                }
            }
        }
    }
    PaintGridLines(painter, visible, cells);
}

void CGridCtrl::PaintGridLines(QPainter& painter, const CCellRange& visible, const QRect& cells) {
    const QColor colour = GetColours().gridLines;
    const int fixedWidth = GetFixedColumnWidth();
    const int fixedHeight = GetFixedRowHeight();
    if (m_nGridLines == GVL_VERT || m_nGridLines == GVL_BOTH) {
        int x = fixedWidth;
        for (int col = visible.minCol; col <= visible.maxCol; ++col) {
            x += m_arColWidths[col];
            DrawVLine(painter, colour, x - 1, fixedHeight, cells.height() - 1);
        }
    }
    if (m_nGridLines == GVL_HORZ || m_nGridLines == GVL_BOTH) {
        int y = fixedHeight;
        for (int row = visible.minRow; row <= visible.maxRow; ++row) {
            y += m_arRowHeights[row];
            DrawHLine(painter, colour, fixedWidth, cells.width() - 1, y - 1);
        }
    }
}

void CGridCtrl::PaintCell(QPainter& painter, int row, int col, QRect rect, bool erase) {
    const GridCell* cell = Cell(row, col);
    if (!cell) {
        return;
    }
    const SGridColours& colours = GetColours();
    const QColor bk = cell->bkColour.isValid() ? cell->bkColour : colours.cellBk;
    // A read-only cell is greyed unless its owner gave it a colour of its own.
    QColor fg = cell->fgColour.isValid()           ? cell->fgColour
                : (cell->state & CS_READONLY) != 0 ? colours.greyText
                                                   : colours.text;
    // A cell's own background (the tint of a changed value) belongs to the screen: paper
    // stays blank behind every cell.
    if (!m_bPrinting && (cell->bkColour.isValid() || erase)) {
        painter.fillRect(rect, bk);
    }
    if (!m_bPrinting) {
        if (cell->state & CS_FOCUSED) {
            painter.fillRect(rect, bk);
            DrawFrame(painter, rect, colours.focusFrame);
        } else if (cell->state & CS_SELECTED) {
            painter.fillRect(rect, colours.highlight);
            fg = colours.highlightText;
        }
        if (cell->state & CS_MARKED) {
            DrawFrame(painter, rect, colours.focusFrame);
        }
    }
    painter.setPen(fg);
    DrawCellContent(painter, *cell, rect.adjusted(m_nMargin, 0, -m_nMargin, 0));
}

void CGridCtrl::PaintFixedCell(QPainter& painter, int row, int col, QRect rect, bool erase) {
    const GridCell* cell = Cell(row, col);
    if (!cell) {
        return;
    }
    const SGridColours& colours = GetColours();
    if (!m_bPrinting && (cell->bkColour.isValid() || erase)) {
        painter.fillRect(rect, cell->bkColour.isValid() ? cell->bkColour : colours.fixedBk);
    }

    // The headers of the focus cell's row and column stand out with a raised edge.
    const bool raised = !m_bPrinting && m_idCurrentCell.IsValid() &&
                        (row == m_idCurrentCell.row || col == m_idCurrentCell.col);
    if (raised) {
        DrawRaisedEdge(painter, rect, colours);
    } else {
        DrawHLine(painter, colours.light, rect.left(), rect.right(), rect.top());
        DrawVLine(painter, colours.light, rect.left(), rect.top(), rect.bottom());
        DrawHLine(painter, colours.shadow, rect.left(), rect.right(), rect.bottom());
        DrawVLine(painter, colours.shadow, rect.right(), rect.top(), rect.bottom());
    }
    painter.setPen(cell->fgColour.isValid() ? cell->fgColour : colours.fixedText);
    DrawCellContent(painter, *cell, rect.adjusted(1 + m_nMargin, 1, -1 - m_nMargin, -1));
}

// Image at the left of rect, then the text in the cell's font and format, transparently.
void CGridCtrl::DrawCellContent(QPainter& painter, const GridCell& cell, QRect rect) {
    QFont font = cell.font;
    if (m_bPrinting) {
        // On paper the cell keeps its size on screen; the caller's mapping scales both.
        font.setPixelSize(QFontInfo(cell.font).pixelSize());
    }
    painter.setFont(font);
    if (m_pImageList && cell.image >= 0 && cell.image < static_cast<int>(m_pImageList->size())) {
        const QPixmap& image = (*m_pImageList)[cell.image];
        painter.drawPixmap(rect.topLeft(), image);
        rect.setLeft(rect.left() + image.width() + m_nMargin + 1);
    }
    painter.drawText(rect, DrawTextFlags(cell.format), cell.text);
}

QSize CGridCtrl::GetCellExtent(int row, int col) const {
    const GridCell* cell = Cell(row, col);
    if (!cell) {
        return {};
    }
    QFont font = cell->font;
    if (row < m_nFixedRows || col < m_nFixedCols) {
        font.setWeight(QFont::DemiBold);
    }
    const QSize text = QFontMetrics(font).size(0, cell->text);
    QSize size(text.width() + 4 * m_nMargin, text.height() + 2 * m_nMargin);
    if (m_pImageList && cell->image >= 0 && cell->image < static_cast<int>(m_pImageList->size())) {
        const QPixmap& image = (*m_pImageList)[cell->image];
        size.rwidth() += image.width();
        size.setHeight(std::max(size.height(), image.height()));
    }
    return size;
}

void CGridCtrl::PrintFixedRows(QPainter& painter) {
    const PrintingScope printing(m_bPrinting);
    int top = 0;
    for (int row = 0; row < m_nFixedRows; top += m_arRowHeights[row++]) {
        int left = 0;
        for (int col = 0; col < GetColumnCount(); left += m_arColWidths[col++]) {
            PaintFixedCell(painter, row, col,
                           QRect(left, top, m_arColWidths[col], m_arRowHeights[row]), false);
        }
    }
    PrintLines(painter, 0, m_nFixedRows - 1);
}

void CGridCtrl::PrintRow(QPainter& painter, int row) {
    if (row < 0 || row >= GetRowCount()) {
        return;
    }
    const PrintingScope printing(m_bPrinting);
    int left = 0;
    for (int col = 0; col < GetColumnCount(); left += m_arColWidths[col++]) {
        PaintCell(painter, row, col, QRect(left, 0, m_arColWidths[col], m_arRowHeights[row]),
                  false);
    }
    PrintLines(painter, row, row);
}

// Grid lines of the rows firstRow..lastRow drawn from y = 0: the left edge of the first
// column and the right edge of every column, the bottom edge of every row, and the top edge
// when the first of them is the grid's first row.
void CGridCtrl::PrintLines(QPainter& painter, int firstRow, int lastRow) {
    if (firstRow > lastRow) {
        return;
    }
    const QColor colour = GetColours().gridLines;
    int height = 0;
    for (int row = firstRow; row <= lastRow; ++row) {
        height += m_arRowHeights[row];
    }
    const int width = GetVirtualWidth();
    if (m_nGridLines == GVL_VERT || m_nGridLines == GVL_BOTH) {
        DrawVLine(painter, colour, 0, 0, height - 1);
        int x = 0;
        for (int col = 0; col < GetColumnCount(); ++col) {
            x += m_arColWidths[col];
            DrawVLine(painter, colour, x - 1, 0, height - 1);
        }
    }
    if (m_nGridLines == GVL_HORZ || m_nGridLines == GVL_BOTH) {
        if (firstRow == 0) {
            DrawHLine(painter, colour, 0, width - 1, 0);
        }
        int y = 0;
        for (int row = firstRow; row <= lastRow; ++row) {
            y += m_arRowHeights[row];
            DrawHLine(painter, colour, 0, width - 1, y - 1);
        }
    }
}
