// Focus cell, keyboard, mouse, wheel, divider dragging and notifications of the grid.
#include "GridTestSupport.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// The grid inside a window that records what it is told, with a line edit after it in
// the tab order.
class GridWindow : public NotifyRecorder {
public:
    CGridCtrl m_grid;
    QLineEdit m_next;

    GridWindow() {
        m_grid.setParent(this);
        m_next.setParent(this);
        m_grid.setGeometry(0, 0, 500, 250);
        m_next.setGeometry(0, 260, 100, 20);
        resize(520, 300);
        LayOutChannelGrid(m_grid);
        ShowActive(*this);
        m_grid.setFocus();
        // The focus lands on the first cell; the cases start from a grid without a focus cell.
        m_grid.SetFocusCell(-1, -1);
        m_entries.clear();
    }

    int TopRow() const { return m_grid.GetTopleftNonFixedCell().row; }
};

constexpr NotifyEntry Click{CLICK_COMMAND, -1, -1};

} // namespace

TEST(GridInput, TabAndShiftTabWrapAndStopAtTheEnds) {
    GridWindow w;
    w.m_grid.SetFocusCell(5, 8);
    Key(Qt::Key_Tab);
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{6, 1}));
    Key(Qt::Key_Tab);
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{6, 2}));
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{5, 8}));

    // Wrapping to a row out of view scrolls it in, back at the left.
    w.m_grid.SetFocusCell(11, 8);
    Key(Qt::Key_Tab);
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{12, 1}));
    EXPECT_TRUE(w.m_grid.IsCellVisible(12, 1));
    EXPECT_EQ(w.m_grid.horizontalScrollBar()->value(), 0);

    // At the last cell the focus cell stays; Tab moves on to the next control.
    w.m_grid.SetFocusCell(16, 8);
    w.Take();
    Key(Qt::Key_Tab);
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{16, 8}));
    EXPECT_TRUE(w.Take().empty());
    EXPECT_TRUE(w.m_next.hasFocus());

    w.m_grid.setFocus();
    w.m_grid.SetFocusCell(1, 1);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{1, 1}));
}

TEST(GridInput, ArrowsPagesHomeAndEndMoveTheFocusAndScroll) {
    GridWindow w;
    w.m_grid.SetFocusCell(1, 1);
    Key(Qt::Key_Up);
    Key(Qt::Key_Left);
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{1, 1})); // fixed cells are never focused
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{2, 2}));

    Key(Qt::Key_End);
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{16, 2}));
    EXPECT_TRUE(w.m_grid.IsCellVisible(16, 2));
    Key(Qt::Key_Down);
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{16, 2}));
    Key(Qt::Key_Home);
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{1, 2}));
    EXPECT_EQ(w.TopRow(), 1);

    // Page Down moves the focus by as many rows as the top row moved.
    w.m_grid.SetFocusCell(3, 2);
    Key(Qt::Key_PageDown);
    const int moved = w.TopRow() - 1;
    EXPECT_GT(moved, 0);
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{3 + moved, 2}));
    Key(Qt::Key_End);
    Key(Qt::Key_PageDown); // the top row no longer moves: the last row
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{16, 2}));
    Key(Qt::Key_PageUp);
    Key(Qt::Key_PageUp);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{1, 2}));

    // Down from the last visible row scrolls it in and one row beyond.
    Key(Qt::Key_Home);
    const int lastVisible = w.m_grid.GetVisibleNonFixedCellRange().maxRow;
    w.m_grid.SetFocusCell(lastVisible, 2);
    ASSERT_FALSE(w.m_grid.IsCellVisible(lastVisible + 1, 2));
    const int top = w.TopRow();
    Key(Qt::Key_Down);
    EXPECT_GT(w.TopRow(), top);
    EXPECT_TRUE(w.m_grid.IsCellVisible(w.m_grid.GetFocusCell().row, 2));
}

TEST(GridInput, ClickNotifiesFocusChangeThenEditRequestThenClick) {
    GridWindow w;
    w.m_grid.SetFocusCell(1, 1);
    w.Take();

    QTest::mousePress(w.m_grid.viewport(), Qt::LeftButton, {}, CellCentre(w.m_grid, 3, 2));
    EXPECT_EQ(w.Take(), (std::vector<NotifyEntry>{{GVN_FOCUSLOST, 1, 1}, {GVN_FOCUSGAINED, 3, 2}}));
    QTest::mouseRelease(w.m_grid.viewport(), Qt::LeftButton, {}, CellCentre(w.m_grid, 3, 2));
    EXPECT_EQ(w.Take(), (std::vector<NotifyEntry>{{GVN_BEGINLABELEDIT, 3, 2}, Click}));

    // Clicking the focus cell asks for its edit only.
    ClickCell(w.m_grid, 3, 2);
    EXPECT_EQ(w.Take(), (std::vector<NotifyEntry>{{GVN_BEGINLABELEDIT, 3, 2}, Click}));
}

TEST(GridInput, EditRequestCarriesTheCellAndReturnsTheAnswer) {
    GridWindow w;
    w.m_lAnswer = 42;
    w.m_grid.SetFocusCell(4, 3);
    EXPECT_EQ(w.m_grid.RequestEdit(4, 3), 42);
    const GridNotify& notify = w.m_last;
    EXPECT_EQ(notify.code, GVN_BEGINLABELEDIT);
    EXPECT_EQ(notify.hwndFrom, &w.m_grid);
    EXPECT_EQ(notify.item.mask, GVIF_ALL);
    EXPECT_EQ(notify.item.text, "4.3");
    EXPECT_EQ(notify.item.state, CS_FOCUSED);
    QRect rect;
    ASSERT_TRUE(w.m_grid.GetCellRect(4, 3, rect));
    EXPECT_EQ(notify.rect, QRect(w.m_grid.viewport()->mapToGlobal(rect.topLeft()), rect.size()));
    EXPECT_EQ(w.m_grid.GetEditRect(), rect);

    // An owner set on the grid takes the notifications from the parent.
    NotifyRecorder owner;
    w.m_grid.SetOwner(&owner);
    w.Take();
    Key(Qt::Key_Return);
    EXPECT_TRUE(w.Take().empty());
    EXPECT_EQ(owner.Take(), (std::vector<NotifyEntry>{{GVN_BEGINLABELEDIT, 4, 3}}));
}

TEST(GridInput, ReadOnlyCellsAndALockedGridGetFocusButNoEditRequest) {
    GridWindow w;
    w.m_grid.SetItemState(5, 4, CS_READONLY);
    ClickCell(w.m_grid, 5, 4);
    EXPECT_EQ(w.Take(), (std::vector<NotifyEntry>{{GVN_FOCUSGAINED, 5, 4}, Click}));
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{5, 4}));
    Key(Qt::Key_Return);
    EXPECT_TRUE(w.Take().empty());

    Key(Qt::Key_Right);
    w.Take();
    Key(Qt::Key_Return); // Enter asks for the edit of the focus cell
    EXPECT_EQ(w.Take(), (std::vector<NotifyEntry>{{GVN_BEGINLABELEDIT, 5, 5}}));

    w.m_grid.SetEditable(false);
    ClickCell(w.m_grid, 6, 6);
    EXPECT_EQ(w.Take(),
              (std::vector<NotifyEntry>{{GVN_FOCUSLOST, 5, 5}, {GVN_FOCUSGAINED, 6, 6}, Click}));
    Key(Qt::Key_Return);
    EXPECT_TRUE(w.Take().empty());
}

TEST(GridInput, HeaderPressFocusesTheFirstNonFixedCell) {
    GridWindow w;
    ClickCell(w.m_grid, 0, 3);
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{1, 3}));
    EXPECT_EQ(w.Take(), (std::vector<NotifyEntry>{{GVN_FOCUSGAINED, 1, 3}, Click}));
    ClickCell(w.m_grid, 7, 0);
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{7, 1}));
    // A press outside every cell leaves the focus and asks for its edit on release.
    w.m_grid.SetColumnCount(3);
    w.Take();
    QTest::mouseClick(w.m_grid.viewport(), Qt::LeftButton, {}, QPoint(490, 240));
    EXPECT_EQ(w.Take(), (std::vector<NotifyEntry>{{GVN_BEGINLABELEDIT, 7, 1}}));
}

TEST(GridInput, WheelScrollsByTheApplicationsLinesOrByPages) {
    GridWindow w;
    w.m_grid.resize(500, 120);
    const int oldLines = QApplication::wheelScrollLines();
    auto wheel = [&w](int delta) {
        const QPoint pos = CellCentre(w.m_grid, 2, 2);
        QWheelEvent event(pos, w.m_grid.viewport()->mapToGlobal(pos), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.m_grid.viewport(), &event);
        QCoreApplication::processEvents(); // the scroll requests are posted
    };

    QApplication::setWheelScrollLines(3);
    wheel(-120);
    EXPECT_EQ(w.TopRow(), 4);
    wheel(-40); // a third of a notch: one line
    EXPECT_EQ(w.TopRow(), 5);
    wheel(120);
    EXPECT_EQ(w.TopRow(), 2);

    QApplication::setWheelScrollLines(-1);
    const int page = w.m_grid.verticalScrollBar()->pageStep();
    w.m_grid.OnVScroll(CGridCtrl::SB_TOP);
    wheel(-120);
    EXPECT_EQ(w.m_grid.verticalScrollBar()->value(), page);
    wheel(120);
    EXPECT_EQ(w.m_grid.verticalScrollBar()->value(), 0);
    QApplication::setWheelScrollLines(oldLines);
}

TEST(GridInput, DraggingAColumnDividerSizesTheColumn) {
    GridWindow w;
    QWidget* client = w.m_grid.viewport();
    const QPoint divider(44 + 90 + 90 - 1, 10); // right edge of column 2 in the header
    QTest::mouseMove(client, divider);
    EXPECT_EQ(w.m_grid.GetMouseMode(), CGridCtrl::MOUSE_OVER_COL_DIVIDE);
    EXPECT_EQ(client->cursor().shape(), Qt::SizeHorCursor);
    QTest::mouseMove(client, QPoint(180, 10)); // the middle of the header
    EXPECT_EQ(w.m_grid.GetMouseMode(), CGridCtrl::MOUSE_NOTHING);
    EXPECT_EQ(client->cursor().shape(), Qt::ArrowCursor);

    // Released where pressed: nothing changes.
    QTest::mouseMove(client, divider);
    QTest::mousePress(client, Qt::LeftButton, {}, divider);
    EXPECT_EQ(w.m_grid.GetMouseMode(), CGridCtrl::MOUSE_SIZING_COL);
    QTest::mouseRelease(client, Qt::LeftButton, {}, divider);
    EXPECT_EQ(w.m_grid.GetColumnWidth(2), 90);

    // Dragged: the width runs to the pointer, and the first pixel right of the divider
    // (the left edge of column 3) still sizes column 2.
    QTest::mouseMove(client, divider + QPoint(1, 0));
    const QColor before = client->grab().toImage().pixelColor(260, 100);
    QTest::mousePress(client, Qt::LeftButton, {}, divider + QPoint(1, 0));
    QTest::mouseMove(client, QPoint(260, 12));
    // The sizing line inverts what lies under it, across the client height.
    const QColor line = client->grab().toImage().pixelColor(260, 100);
    EXPECT_EQ(line, QColor(255 - before.red(), 255 - before.green(), 255 - before.blue()));
    QTest::mouseRelease(client, Qt::LeftButton, {}, QPoint(260, 12));
    EXPECT_EQ(client->grab().toImage().pixelColor(260, 100).red(), before.red());
    EXPECT_EQ(w.m_grid.GetColumnWidth(2), 260 - 134);
    EXPECT_EQ(w.m_grid.GetColumnWidth(3), 90);

    // Dragged past the column's left edge, the width stops at 0.
    const QPoint newDivider(44 + 90 + 126 - 1, 10);
    QTest::mouseMove(client, newDivider);
    QTest::mousePress(client, Qt::LeftButton, {}, newDivider);
    QTest::mouseMove(client, QPoint(20, 10));
    QTest::mouseRelease(client, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(w.m_grid.GetColumnWidth(2), 0);

    w.m_grid.EnableResize(false, false);
    QTest::mouseMove(client, QPoint(44 + 90 - 1, 10));
    EXPECT_EQ(w.m_grid.GetMouseMode(), CGridCtrl::MOUSE_NOTHING);
}

TEST(GridInput, DraggingARowDividerSizesTheRow) {
    GridWindow w;
    QWidget* client = w.m_grid.viewport();
    const QPoint divider(20, 22 + 20 + 20 - 1); // bottom edge of row 2 in the fixed column
    QTest::mouseMove(client, divider);
    EXPECT_EQ(w.m_grid.GetMouseMode(), CGridCtrl::MOUSE_OVER_ROW_DIVIDE);
    EXPECT_EQ(client->cursor().shape(), Qt::SizeVerCursor);
    QTest::mousePress(client, Qt::LeftButton, {}, divider);
    QTest::mouseMove(client, QPoint(20, 100));
    QTest::mouseRelease(client, Qt::LeftButton, {}, QPoint(20, 100));
    EXPECT_EQ(w.m_grid.GetRowHeight(2), 100 - 42);
}

TEST(GridInput, SelectionByMouseAndByRange) {
    GridWindow w;
    w.m_grid.SetFocusCell(2, 2);
    QTest::mousePress(w.m_grid.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      CellCentre(w.m_grid, 4, 3));
    QTest::mouseRelease(w.m_grid.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                        CellCentre(w.m_grid, 4, 3));
    EXPECT_EQ(w.m_grid.GetSelectedCellRange(), (CCellRange{2, 2, 4, 3}));
    EXPECT_TRUE(w.m_grid.GetItemState(3, 3) & CS_SELECTED);

    ClickCell(w.m_grid, 0, 5); // a column header selects the whole column
    EXPECT_EQ(w.m_grid.GetSelectedCellRange(), (CCellRange{1, 5, 16, 5}));
    EXPECT_FALSE(w.m_grid.GetItemState(3, 3) & CS_SELECTED);

    w.m_grid.SetSelectedRange(1, 1, 2, 2);
    EXPECT_EQ(w.m_grid.GetSelectedCellRange(), (CCellRange{1, 1, 2, 2}));
    w.m_grid.ClearSelection();
    EXPECT_FALSE(w.m_grid.GetSelectedCellRange().IsValid());
    EXPECT_FALSE(w.m_grid.GetFocusCell().IsValid());

    // Switched off, as both owners have it, nothing is selected.
    w.m_grid.EnableSelection(false);
    ClickCell(w.m_grid, 0, 5);
    w.m_grid.SetSelectedRange(1, 1, 2, 2);
    EXPECT_FALSE(w.m_grid.GetSelectedCellRange().IsValid());
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{1, 5}));
}

TEST(GridInput, ASizeChangeTakesTheKeyboardFocus) {
    GridWindow w;
    w.m_next.setFocus();
    ASSERT_TRUE(w.m_next.hasFocus());
    w.m_grid.resize(480, 240);
    EXPECT_TRUE(w.m_grid.hasFocus());
}

TEST(GridInput, CtrlTabIsLeftToTheWindowAround) {
    GridWindow w;
    w.m_grid.SetFocusCell(3, 3);
    w.Take();
    Key(Qt::Key_Tab, Qt::ControlModifier);
    Key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(w.m_grid.GetFocusCell(), (CCellID{3, 3}));
    EXPECT_TRUE(w.Take().empty());
}

TEST(GridInput, DeletingAllItemsLeavesNoSelectionBehind) {
    GridWindow w;
    w.m_grid.SetSelectedRange(2, 2, 3, 3);
    w.m_grid.EnableSelection(false);
    w.m_grid.DeleteAllItems();
    EXPECT_FALSE(w.m_grid.GetSelectedCellRange().IsValid());
    LayOutChannelGrid(w.m_grid);
    EXPECT_FALSE(w.m_grid.GetSelectedCellRange().IsValid());
    EXPECT_FALSE(w.m_grid.GetItemState(2, 2) & CS_SELECTED);
}

TEST(GridInput, TheWheelOverAScrollBarScrollsByLinesToo) {
    GridWindow w;
    w.m_grid.resize(500, 120);
    const int oldLines = QApplication::wheelScrollLines();
    QApplication::setWheelScrollLines(3);
    QScrollBar* bar = w.m_grid.verticalScrollBar();
    const QPoint pos = bar->rect().center();
    QWheelEvent event(pos, bar->mapToGlobal(pos), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &event);
    QCoreApplication::processEvents(); // the scroll requests are posted
    EXPECT_EQ(w.TopRow(), 4);
    EXPECT_EQ(bar->value(), 3 * 20);
    QApplication::setWheelScrollLines(oldLines);
}

TEST(GridInput, PlainArrowsMoveTheSelectionAndShiftArrowsExtendIt) {
    GridWindow w;
    w.m_grid.SetFocusCell(2, 2);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_EQ(w.m_grid.GetSelectedCellRange(), (CCellRange{3, 3, 3, 3}));
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(w.m_grid.GetSelectedCellRange(), (CCellRange{3, 3, 4, 4}));
    EXPECT_TRUE(w.m_grid.GetItemState(3, 4) & CS_SELECTED);
    for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_End, Qt::Key_Home}) {
        Key(key);
        const CCellID focus = w.m_grid.GetFocusCell();
        EXPECT_EQ(w.m_grid.GetSelectedCellRange(),
                  (CCellRange{focus.row, focus.col, focus.row, focus.col}))
            << key;
    }
    EXPECT_FALSE(w.m_grid.GetItemState(4, 4) & CS_SELECTED);
}
