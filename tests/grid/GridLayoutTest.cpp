// Cells, counts, sizes, fonts and geometry of the grid.
#include "GridTestSupport.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

class ExtentGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;
    using CGridCtrl::GetCellExtent;
};

class CountingGrid : public CGridCtrl {
public:
    int m_nCreated = 0;
    int m_nDestroyed = 0;

protected:
    void CreateCell(int row, int col) override {
        ++m_nCreated;
        CGridCtrl::CreateCell(row, col);
    }
    void DestroyCell(int row, int col) override {
        ++m_nDestroyed;
        CGridCtrl::DestroyCell(row, col);
    }
};

} // namespace

TEST(GridLayout, CountsCreateAndDestroyCellsAndDropTheFocusWithThem) {
    NotifyRecorder owner;
    CountingGrid grid;
    grid.setParent(&owner);
    LayOutChannelGrid(grid);
    EXPECT_EQ(grid.m_nCreated, 153);
    EXPECT_EQ(grid.m_nDestroyed, 0);

    grid.SetFocusCell(12, 3);
    grid.SetItemText(12, 3, "gone");
    owner.Take();
    ASSERT_TRUE(grid.SetRowCount(10));
    EXPECT_EQ(grid.m_nDestroyed, 63);
    EXPECT_FALSE(grid.GetFocusCell().IsValid());
    EXPECT_TRUE(owner.Take().empty()); // the cell is gone: nothing to tell about it
    EXPECT_EQ(grid.GetRowCount(), 10);
    EXPECT_EQ(grid.GetItemText(12, 3), "");

    // Growing again gives fresh cells with the default height.
    ASSERT_TRUE(grid.SetRowCount(13));
    EXPECT_EQ(grid.GetItemText(12, 3), "");
    EXPECT_EQ(grid.GetItemState(12, 3), 0u);
    EXPECT_EQ(grid.GetRowHeight(12), grid.GetDefaultRowHeight());

    // A focus cell that stays survives shrinking; fixed counts follow the counts down.
    grid.SetFocusCell(2, 2);
    grid.SetColumnCount(3);
    EXPECT_EQ(grid.GetFocusCell(), (CCellID{2, 2}));
    grid.SetRowCount(0);
    EXPECT_EQ(grid.GetFixedRowCount(), 0);
    EXPECT_FALSE(grid.GetFocusCell().IsValid());
    EXPECT_FALSE(grid.SetRowCount(-1));
    EXPECT_FALSE(grid.SetFixedColumnCount(-2));
}

TEST(GridLayout, NewRowsInheritTheFormatOfTheRowAbove) {
    CGridCtrl grid(3, 3, 1, 1);
    for (int col = 0; col < 3; ++col) {
        GridItem item;
        item.row = 2;
        item.col = col;
        item.mask = GVIF_FORMAT;
        item.format = 0x20 + col;
        grid.SetItem(item);
    }
    grid.SetRowCount(5);
    EXPECT_EQ(grid.GetItemFormat(3, 0), 0); // column 0 starts with 0
    EXPECT_EQ(grid.GetItemFormat(3, 1), 0x21);
    EXPECT_EQ(grid.GetItemFormat(4, 2), 0x22); // passed on down through row 3
    grid.SetColumnCount(4);
    EXPECT_EQ(grid.GetItemFormat(0, 3), 0); // row 0 starts with 0
    EXPECT_EQ(grid.GetItemFormat(4, 3), 0);
    EXPECT_EQ(grid.GetItemFormat(9, 9), -1);
}

TEST(GridLayout, ItemsSizesAndFixedCounts) {
    NotifyRecorder owner;
    CGridCtrl grid(0, 0, 0, 0, &owner);
    EXPECT_TRUE(grid.SetFixedRowCount(2)); // grows the row count
    EXPECT_TRUE(grid.SetFixedColumnCount(1));
    EXPECT_EQ(grid.GetRowCount(), 2);
    EXPECT_EQ(grid.GetColumnCount(), 1);
    grid.SetRowCount(5);
    grid.SetColumnCount(4);

    GridItem item;
    item.row = 3;
    item.col = 2;
    item.mask = GVIF_TEXT | GVIF_STATE | GVIF_PARAM | GVIF_FGCLR;
    item.text = "146.52000";
    item.state = CS_READONLY;
    item.param = 77;
    item.fgColour = Qt::gray;
    ASSERT_TRUE(grid.SetItem(item));
    GridItem read;
    read.row = 3;
    read.col = 2;
    read.mask = GVIF_ALL;
    ASSERT_TRUE(grid.GetItem(read));
    EXPECT_EQ(read.text, "146.52000");
    EXPECT_EQ(read.state, CS_READONLY);
    EXPECT_EQ(read.param, 77u);
    EXPECT_EQ(read.fgColour, QColor(Qt::gray));
    EXPECT_FALSE(read.bkColour.isValid()); // the grid's own colour
    EXPECT_EQ(read.image, -1);
    EXPECT_EQ(read.font, grid.font());

    read.row = 5;
    EXPECT_FALSE(grid.GetItem(read));
    EXPECT_FALSE(grid.SetItemText(-1, 0, "x"));
    EXPECT_EQ(grid.GetItemText(0, 4), "");
    EXPECT_EQ(grid.GetItemImage(7, 0), -1);
    EXPECT_EQ(grid.GetRowHeight(5), -1);
    EXPECT_EQ(grid.GetColumnWidth(-1), -1);
    EXPECT_FALSE(grid.SetRowHeight(1, -1));
    EXPECT_FALSE(grid.SetColumnWidth(4, 10));
    EXPECT_TRUE(grid.SetColumnWidth(0, 0));

    // Fixing the rows over the focus cell clears the focus, with its notification.
    grid.SetFocusCell(2, 1);
    owner.Take();
    grid.SetFixedRowCount(3);
    EXPECT_FALSE(grid.GetFocusCell().IsValid());
    EXPECT_EQ(owner.Take(), (std::vector<NotifyEntry>{{GVN_FOCUSLOST, 2, 1}}));

    grid.DeleteAllItems();
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetColumnCount(), 0);
    EXPECT_EQ(grid.GetFixedRowCount(), 0);
    EXPECT_EQ(grid.GetFixedColumnCount(), 0);
}

TEST(GridLayout, FontGivesMarginAndDefaultSizes) {
    CGridCtrl grid(2, 2, 1, 1);
    QFont font("Liberation Sans");
    font.setPixelSize(30);
    const int oldHeight = grid.GetRowHeight(1);
    grid.setFont(font);
    const QFontMetrics metrics(font);
    const int margin = metrics.horizontalAdvance(' ');
    EXPECT_EQ(grid.GetMargin(), margin);
    EXPECT_EQ(grid.GetDefaultRowHeight(),
              metrics.height() + std::max(0, metrics.leading()) + 2 * margin);
    EXPECT_EQ(grid.GetDefaultColumnWidth(), 2 * (margin + 6 * metrics.averageCharWidth()));
    EXPECT_EQ(grid.GetRowHeight(1), oldHeight); // existing sizes stay
    EXPECT_EQ(grid.GetItemFont(1, 1), font);    // every cell takes the font
    grid.SetRowCount(3);
    EXPECT_EQ(grid.GetRowHeight(2), grid.GetDefaultRowHeight());
}

TEST(GridLayout, CellRectanglesFollowTheScrollPosition) {
    CGridCtrl grid;
    LayOutChannelGrid(grid);
    grid.resize(400, 150);
    ShowActive(grid);
    const int clientHeight = grid.viewport()->height();
    const int clientWidth = grid.viewport()->width();

    QRect rect;
    ASSERT_TRUE(grid.GetCellRect(0, 0, rect));
    EXPECT_EQ(rect, QRect(0, 0, 44, 22));
    ASSERT_TRUE(grid.GetCellRect(2, 2, rect));
    EXPECT_EQ(rect, QRect(134, 42, 90, 20));
    EXPECT_EQ(rect.right(), 223); // left + width - 1

    // Pixel ranges over the non-fixed cells; a page is their visible part.
    EXPECT_EQ(grid.verticalScrollBar()->maximum(), 16 * 20 - (clientHeight - 22));
    EXPECT_EQ(grid.verticalScrollBar()->pageStep(), clientHeight - 22);
    EXPECT_EQ(grid.horizontalScrollBar()->maximum(), 642 - (clientWidth - 44));

    EXPECT_EQ(grid.GetCellFromPt({50, 30}), (CCellID{1, 1}));
    EXPECT_EQ(grid.GetCellFromPt({10, 10}), (CCellID{0, 0}));
    EXPECT_FALSE(grid.GetCellFromPt({10, 400}).IsValid());

    grid.OnVScroll(CGridCtrl::SB_LINEDOWN);
    grid.OnVScroll(CGridCtrl::SB_LINEDOWN);
    EXPECT_EQ(grid.verticalScrollBar()->value(), 40);
    EXPECT_EQ(grid.GetTopleftNonFixedCell(), (CCellID{3, 1}));
    EXPECT_FALSE(grid.GetCellRect(2, 2, rect)); // scrolled out at the top
    EXPECT_FALSE(grid.IsCellVisible(2, 2));
    ASSERT_TRUE(grid.GetCellRect(3, 0, rect)); // the fixed column scrolls with its rows
    EXPECT_EQ(rect, QRect(0, 22, 44, 20));
    EXPECT_EQ(grid.GetCellFromPt({50, 30}), (CCellID{3, 1}));
    grid.OnVScroll(CGridCtrl::SB_LINEUP);
    EXPECT_EQ(grid.verticalScrollBar()->value(), 20);

    grid.EnsureCellVisible(16, 8);
    ASSERT_TRUE(grid.GetCellRect(16, 8, rect));
    EXPECT_LE(rect.bottom(), grid.viewport()->rect().bottom());
    EXPECT_LE(rect.right(), grid.viewport()->rect().right());
    grid.OnVScroll(CGridCtrl::SB_TOP);
    grid.OnHScroll(CGridCtrl::SB_TOP);
    EXPECT_EQ(grid.GetTopleftNonFixedCell(), (CCellID{1, 1}));
    grid.OnVScroll(CGridCtrl::SB_PAGEDOWN);
    EXPECT_EQ(grid.verticalScrollBar()->value(), clientHeight - 22);
    grid.OnVScroll(CGridCtrl::SB_BOTTOM);
    EXPECT_EQ(grid.GetVisibleNonFixedCellRange().maxRow, 16);
}

TEST(GridLayout, CellExtentHoldsTextMarginsAndImage) {
    ExtentGrid grid(2, 2, 1, 1);
    grid.SetItemText(1, 1, "146.52000");
    const QFontMetrics metrics(grid.GetItemFont(1, 1));
    const int margin = grid.GetMargin();
    const QSize text = metrics.size(0, "146.52000");
    EXPECT_EQ(grid.GetCellExtent(1, 1),
              QSize(text.width() + 4 * margin, text.height() + 2 * margin));

    const std::vector<QPixmap> images{QPixmap(16, 80)};
    grid.SetImageList(&images);
    GridItem item;
    item.row = 1;
    item.col = 1;
    item.mask = GVIF_IMAGE;
    item.image = 0;
    grid.SetItem(item);
    EXPECT_EQ(grid.GetCellExtent(1, 1), QSize(text.width() + 4 * margin + 16, 80));
    EXPECT_EQ(grid.GetCellExtent(5, 5), QSize());
}
