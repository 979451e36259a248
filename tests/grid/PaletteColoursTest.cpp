// The grid's colours keep their contrast under light, dark and high-contrast palettes, on
// the screen and on paper.
#include "grid/PaletteColours.h"
#include "GridTestSupport.h"
#include "grid/GridLayout.h"

#include <QImage>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace {

QPalette MakePalette(QColor window, QColor windowText, QColor base, QColor text, QColor button,
                     QColor dark, QColor disabledText, QColor highlight, QColor highlightText) {
    QPalette pal(windowText, button, button.lighter(130), dark.darker(120), dark, text, text, base,
                 window);
    pal.setColor(QPalette::Dark, dark);
    pal.setColor(QPalette::Disabled, QPalette::Text, disabledText);
    pal.setColor(QPalette::Highlight, highlight);
    pal.setColor(QPalette::HighlightedText, highlightText);
    return pal;
}

struct PaletteCase {
    const char* name;
    QPalette palette;
};

std::vector<PaletteCase> Palettes() {
    return {
        {"light", QApplication::style()->standardPalette()},
        // The dark palette users give the Fusion style.
        {"dark", MakePalette(QColor(53, 53, 53), Qt::white, QColor(42, 42, 42), Qt::white,
                             QColor(53, 53, 53), QColor(35, 35, 35), QColor(127, 127, 127),
                             QColor(42, 130, 218), Qt::white)},
        {"high contrast",
         MakePalette(Qt::black, Qt::white, Qt::black, Qt::white, Qt::black, Qt::white,
                     QColor(63, 242, 63), QColor(26, 235, 255), Qt::black)},
        // A theme whose own pairs fall short everywhere.
        {"dim", MakePalette(QColor(60, 60, 60), QColor(110, 110, 110), QColor(50, 50, 50),
                            QColor(100, 100, 100), QColor(70, 70, 70), QColor(55, 55, 55),
                            QColor(65, 65, 65), QColor(120, 120, 140), QColor(150, 150, 150))},
    };
}

} // namespace

TEST(PaletteColours, ContrastOfKnownPairs) {
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(Qt::white, Qt::white), 1.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(QColor(0x76, 0x76, 0x76), Qt::white), 4.54, 0.01);
    EXPECT_NEAR(ContrastRatio(Qt::white, QColor(0x76, 0x76, 0x76)), 4.54, 0.01);
    // A colour that meets the ratio stays as it is.
    EXPECT_EQ(ReadableOn(QColor(0, 0, 255), Qt::white, kTextContrast), QColor(0, 0, 255));
}

TEST(PaletteColours, TextFocusFrameAndLinesKeepTheirContrastUnderEveryPalette) {
    for (const PaletteCase& c : Palettes()) {
        SCOPED_TRACE(c.name);
        const SGridColours g = GridColours(c.palette);
        EXPECT_GE(ContrastRatio(g.text, g.cellBk), kTextContrast);
        EXPECT_GE(ContrastRatio(g.focusFrame, g.cellBk), kTextContrast);
        EXPECT_GE(ContrastRatio(g.greyText, g.cellBk), kTextContrast);
        EXPECT_GE(ContrastRatio(g.fixedText, g.fixedBk), kTextContrast);
        EXPECT_GE(ContrastRatio(g.highlightText, g.highlight), kTextContrast);
        EXPECT_GE(ContrastRatio(g.gridLines, g.cellBk), kLineContrast);
        // Greyed cells still look unlike the others.
        EXPECT_NE(g.greyText, g.text);
    }
}

namespace {

class DarkGrid : public QWidget {
public:
    CGridCtrl m_grid;
    DarkGrid() {
        m_grid.setParent(this);
        m_grid.setPalette(Palettes()[1].palette);
        m_grid.setGeometry(0, 0, 760, 400);
        resize(760, 400);
        LayOutChannelGrid(m_grid);
        ShowActive(*this);
    }
};

QRect CellRect(const CGridCtrl& grid, int row, int col) {
    QRect rect;
    EXPECT_TRUE(grid.GetCellRect(row, col, rect));
    return rect;
}

// The contrast of the pixel of rect that stands out most from background.
double StrongestInk(const QImage& image, const QRect& rect, const QColor& background) {
    double best = 1.0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            best = std::max(best, ContrastRatio(image.pixelColor(x, y), background));
        }
    }
    return best;
}

} // namespace

TEST(PaletteColours, DarkScreenShowsFocusFrameLinesAndGreyedTextReadably) {
    DarkGrid w;
    w.m_grid.SetItemText(1, 2, QStringLiteral("446.00625"));
    w.m_grid.SetItemText(2, 2, QStringLiteral("446.00625"));
    ShowReadOnlyCells(w.m_grid, 2, [](int col) { return col == 2; });
    w.m_grid.SetFocusCell(1, 3);
    QImage screen(w.m_grid.viewport()->size(), QImage::Format_RGB32);
    w.m_grid.viewport()->render(&screen, QPoint(), QRegion(), QWidget::RenderFlags());

    const QRect focus = CellRect(w.m_grid, 1, 3);
    const QColor cellBk = screen.pixelColor(focus.center());
    EXPECT_GE(ContrastRatio(screen.pixelColor(focus.left(), focus.center().y()), cellBk),
              kTextContrast);
    const QRect plain = CellRect(w.m_grid, 3, 4);
    EXPECT_GE(ContrastRatio(screen.pixelColor(plain.right(), plain.center().y()), cellBk),
              kLineContrast);
    EXPECT_GE(StrongestInk(screen, CellRect(w.m_grid, 1, 2), cellBk), kTextContrast);
    EXPECT_GE(StrongestInk(screen, CellRect(w.m_grid, 2, 2).adjusted(0, 0, -1, -1), cellBk),
              kTextContrast);
}

TEST(PaletteColours, DarkPaletteStillPrintsDarkTextOnWhitePaper) {
    DarkGrid w;
    w.m_grid.SetItemText(1, 2, QStringLiteral("446.00625"));
    QImage paper(760, 60, QImage::Format_RGB32);
    paper.fill(Qt::white);
    {
        QPainter painter(&paper);
        w.m_grid.PrintFixedRows(painter);
        painter.translate(0, w.m_grid.GetFixedRowHeight());
        w.m_grid.PrintRow(painter, 1);
    }
    const int top = w.m_grid.GetFixedRowHeight();
    const int left = w.m_grid.GetColumnWidth(0);
    EXPECT_GE(StrongestInk(paper, QRect(left + 2, 2, 80, top - 4), Qt::white), kTextContrast);
    EXPECT_GE(StrongestInk(paper, QRect(left + 2, top + 2, 80, 16), Qt::white), kTextContrast);
}
