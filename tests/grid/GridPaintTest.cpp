// What the grid paints on the screen and prints, checked pixel by pixel.
#include "GridTestSupport.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Distinct colours for every role the grid paints with.
QPalette TestPalette() {
    QPalette pal;
    pal.setColor(QPalette::Base, QColor(250, 250, 240));    // cell background
    pal.setColor(QPalette::Text, QColor(20, 20, 20));       // cell text
    pal.setColor(QPalette::WindowText, QColor(30, 30, 30)); // fixed text
    pal.setColor(QPalette::Button, QColor(200, 200, 200));  // fixed background
    pal.setColor(QPalette::Dark, QColor(0, 0, 255));        // grid lines, outer area
    pal.setColor(QPalette::Light, QColor(0, 255, 0));       // edge top-left
    pal.setColor(QPalette::Midlight, QColor(0, 255, 255));  // raised edge outer top-left
    pal.setColor(QPalette::Shadow, QColor(255, 0, 0));      // edge bottom-right
    pal.setColor(QPalette::Highlight, QColor(255, 0, 255));
    return pal;
}

const QColor WHITE(255, 255, 255);
const QColor GRID(0, 0, 255);
const QColor LIGHT(0, 255, 0);
const QColor MIDLIGHT(0, 255, 255);
const QColor SHADOW(255, 0, 0);
const QColor FIXED_BK(200, 200, 200);
const QColor CELL_BK(250, 250, 240);
const QColor TEXT(20, 20, 20);

// Column left edges of the channel grid's layout.
constexpr int LEFT[10] = {0, 44, 134, 224, 314, 404, 474, 544, 612, 686};

class PaintedGrid : public QWidget {
public:
    CGridCtrl m_grid;
    PaintedGrid() {
        m_grid.setParent(this);
        m_grid.setPalette(TestPalette());
        m_grid.setGeometry(0, 0, 760, 400);
        resize(760, 400);
        LayOutChannelGrid(m_grid);
        for (int col = 1; col < 9; ++col) {
            m_grid.SetItemText(1, col, ""); // the pixel checks run through row 1
        }
        ShowActive(*this);
    }
    QImage Screen() {
        QImage image(m_grid.viewport()->size(), QImage::Format_RGB32);
        image.fill(QColor(1, 2, 3));
        m_grid.viewport()->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        return image;
    }
};

bool HasInk(const QImage& image, const QRect& rect, const QColor& background) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (image.pixelColor(x, y) != background) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

TEST(GridPaint, PrintedHeaderAndRowHaveLinesButNoFocusFrameOrRaisedEdges) {
    PaintedGrid w;
    w.m_grid.SetFocusCell(1, 2);
    QImage image(760, 120, QImage::Format_RGB32);
    image.fill(WHITE);
    {
        QPainter painter(&image);
        painter.translate(10, 5); // the printout's origin for the header
        w.m_grid.PrintFixedRows(painter);
        painter.translate(0, 22);
        w.m_grid.PrintRow(painter, 1);
    }
    const int headerMid = 5 + 11;
    const int rowTop = 5 + 22;
    const int rowMid = rowTop + 10;

    // Grid lines: outer left and top, the right edge of every column, the bottom of each row.
    EXPECT_EQ(image.pixelColor(10, headerMid), GRID);
    EXPECT_EQ(image.pixelColor(10, rowMid), GRID);
    EXPECT_EQ(image.pixelColor(300, 5), GRID);
    for (int col = 1; col <= 9; ++col) {
        EXPECT_EQ(image.pixelColor(10 + LEFT[col] - 1, headerMid), GRID) << col;
        EXPECT_EQ(image.pixelColor(10 + LEFT[col] - 1, rowMid), GRID) << col;
    }
    EXPECT_EQ(image.pixelColor(300, rowTop - 1), GRID);
    EXPECT_EQ(image.pixelColor(300, rowTop + 19), GRID);
    EXPECT_EQ(image.pixelColor(10 + 686, rowMid), WHITE); // nothing right of the grid

    // The header of the focus column keeps its plain one-pixel edge: no raised edge.
    EXPECT_EQ(image.pixelColor(10 + LEFT[2], headerMid), LIGHT);
    EXPECT_EQ(image.pixelColor(10 + LEFT[2] + 1, headerMid), WHITE);
    // No focus frame around (1, 2) and no backgrounds on paper.
    EXPECT_EQ(image.pixelColor(10 + LEFT[2], rowMid), WHITE);
    EXPECT_EQ(image.pixelColor(10 + LEFT[2] + 40, rowTop), WHITE);
    EXPECT_EQ(image.pixelColor(10 + LEFT[2] + 40, rowMid), WHITE);
    // A printed row draws its fixed column as an ordinary cell, without the header's edge.
    EXPECT_EQ(image.pixelColor(10 + 20, rowTop), WHITE);
    EXPECT_EQ(image.pixelColor(10 + LEFT[1] - 2, rowMid), WHITE);
    // Texts are printed.
    EXPECT_TRUE(HasInk(image, QRect(10 + 50, 7, 80, 18), WHITE));
    EXPECT_TRUE(HasInk(image, QRect(12, rowTop + 2, 38, 16), WHITE));
}

TEST(GridPaint, ScreenShowsFocusFrameRaisedHeadersAndLinesByMode) {
    PaintedGrid w;
    w.m_grid.SetFocusCell(1, 2);
    QImage screen = w.Screen();
    const int rowMid = 22 + 10;
    EXPECT_EQ(screen.pixelColor(LEFT[2], rowMid), TEXT); // focus frame in the text colour
    EXPECT_EQ(screen.pixelColor(LEFT[2] + 40, 22), TEXT);
    EXPECT_EQ(screen.pixelColor(LEFT[2], 11), MIDLIGHT); // raised header
    EXPECT_EQ(screen.pixelColor(LEFT[2] + 1, 11), LIGHT);
    EXPECT_EQ(screen.pixelColor(LEFT[3], 11), LIGHT); // plain header
    EXPECT_EQ(screen.pixelColor(LEFT[3] + 1, 11), FIXED_BK);
    EXPECT_EQ(screen.pixelColor(LEFT[4] - 1, 60), GRID);  // vertical line
    EXPECT_EQ(screen.pixelColor(300, 22 + 40 - 1), GRID); // horizontal line
    EXPECT_EQ(screen.pixelColor(LEFT[4] + 30, 50), CELL_BK);
    EXPECT_EQ(screen.pixelColor(720, 50), GRID); // the outer area right of the last column

    // Mode 1: no vertical lines between non-fixed cells; fixed cells keep their edges.
    w.m_grid.SetGridLines(CGridCtrl::GVL_HORZ);
    screen = w.Screen();
    EXPECT_EQ(screen.pixelColor(LEFT[4] - 1, 50), CELL_BK);
    EXPECT_EQ(screen.pixelColor(300, 22 + 40 - 1), GRID);
    EXPECT_EQ(screen.pixelColor(LEFT[1] - 1, 50), SHADOW);
    EXPECT_EQ(screen.pixelColor(LEFT[3], 11), LIGHT);

    // The header edge follows the focus.
    w.m_grid.SetFocusCell(3, 4);
    screen = w.Screen();
    EXPECT_EQ(screen.pixelColor(LEFT[2] + 1, 11), FIXED_BK);
    EXPECT_EQ(screen.pixelColor(LEFT[4] + 1, 11), LIGHT);
    EXPECT_EQ(screen.pixelColor(1, 22 + 40 + 10), LIGHT);
}

TEST(GridPaint, OwnBackgroundsSelectionAndTheEditRectangle) {
    PaintedGrid w;
    GridItem item;
    item.row = 2;
    item.col = 3;
    item.mask = GVIF_BKCLR;
    item.bkColour = QColor(255, 255, 0);
    w.m_grid.SetItem(item);
    w.m_grid.SetSelectedRange(3, 3, 3, 3);
    QImage screen = w.Screen();
    EXPECT_EQ(screen.pixelColor(LEFT[3] + 5, 42 + 5), QColor(255, 255, 0));
    EXPECT_EQ(screen.pixelColor(LEFT[3] + 5, 62 + 5), QColor(255, 0, 255));

    // While the owner's editor covers a cell, the grid leaves that cell alone.
    w.m_grid.SetFocusCell(4, 4);
    w.m_grid.RequestEdit(4, 4);
    w.m_grid.SetEditActive(true);
    screen = w.Screen();
    EXPECT_EQ(screen.pixelColor(LEFT[4] + 5, 82 + 5), QColor(1, 2, 3));
    EXPECT_EQ(screen.pixelColor(LEFT[5] + 5, 82 + 5), CELL_BK);
    w.m_grid.SetEditActive(false);
    screen = w.Screen();
    EXPECT_EQ(screen.pixelColor(LEFT[4] + 5, 82 + 5), CELL_BK);
}
