// What a screen reader learns of the grid through Qt's accessibility interfaces, and where
// the focus cell is when the keyboard focus comes to the grid or leaves it.
#include "grid/GridAccessible.h"
#include "GridTestSupport.h"

#include <QAccessible>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// A window with an edit field before and after a channel-sized grid, so that Tab has
// somewhere to come from and to go to.
class GridAccessTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&m_window);
        layout->addWidget(m_before);
        layout->addWidget(m_grid);
        layout->addWidget(m_after);
        m_window.resize(760, 420);
        LayOutChannelGrid(*m_grid);
        SetGridRowName(*m_grid, QStringLiteral("Channel %s"));
        ShowActive(m_window);
    }

    QAccessibleInterface* Table() const { return QAccessible::queryAccessibleInterface(m_grid); }
    int Index(int row, int col) const { return row * m_grid->GetColumnCount() + col; }

    NotifyRecorder m_window;
    QLineEdit* m_before = new QLineEdit(&m_window);
    CGridCtrl* m_grid = new CGridCtrl(0, 0, 0, 0, &m_window);
    QLineEdit* m_after = new QLineEdit(&m_window);
};

TEST_F(GridAccessTest, TheGridIsATableOfItsCellsWithHeaders) {
    QAccessibleInterface* table = Table();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    QAccessibleTableInterface* cells = table->tableInterface();
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(cells->rowCount(), 17);
    EXPECT_EQ(cells->columnCount(), 9);
    EXPECT_EQ(table->childCount(), 17 * 9);
    for (int col = 0; col < 9; ++col) {
        EXPECT_EQ(cells->columnDescription(col), QStringLiteral("Col %1").arg(col));
    }

    m_grid->SetItemState(3, 1, CS_READONLY);
    QAccessibleInterface* cell = cells->cellAt(3, 1);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("3.1"));
    EXPECT_TRUE(cell->state().readOnly);
    EXPECT_FALSE(cells->cellAt(3, 2)->state().readOnly);
    EXPECT_EQ(table->child(Index(3, 1)), cell);
    EXPECT_EQ(table->indexOfChild(cell), Index(3, 1));
    EXPECT_EQ(cell->parent(), table);

    QAccessibleTableCellInterface* place = cell->tableCellInterface();
    ASSERT_NE(place, nullptr);
    EXPECT_EQ(place->rowIndex(), 3);
    EXPECT_EQ(place->columnIndex(), 1);
    ASSERT_EQ(place->columnHeaderCells().size(), 1);
    EXPECT_EQ(place->columnHeaderCells()[0]->text(QAccessible::Name), QStringLiteral("Col 1"));
    EXPECT_EQ(place->columnHeaderCells()[0]->role(), QAccessible::ColumnHeader);
    ASSERT_EQ(place->rowHeaderCells().size(), 1);
    EXPECT_EQ(place->rowHeaderCells()[0]->text(QAccessible::Name), QStringLiteral("Channel 3.0"));
    EXPECT_EQ(GridCellName(*m_grid, 3, 1), QStringLiteral("Col 1, Channel 3.0"));

    // The cell sits where it is drawn, and the point finds it again.
    EXPECT_EQ(table->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);

    m_grid->SetItemText(3, 1, QStringLiteral("446.00625"));
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("446.00625"));

    // Fewer rows: the cells beyond them are no longer valid.
    m_grid->SetRowCount(3);
    EXPECT_FALSE(cell->isValid());
    EXPECT_EQ(table->childCount(), 3 * 9);
}

// Tab lands on the first cell, then on the last focus cell; the focused cell follows the
// focus cell while the grid has the keyboard focus; Ctrl+Tab leaves forwards and
// Ctrl+Shift+Tab backwards; Tab on the last cell leaves the grid.
TEST_F(GridAccessTest, FocusLandsOnACellAndTheKeysLeaveTheGrid) {
    m_before->setFocus();
    Key(Qt::Key_Tab);
    ASSERT_TRUE(m_grid->hasFocus());
    EXPECT_EQ(m_grid->GetFocusCell(), (CCellID{1, 1}));
    EXPECT_TRUE(m_grid->GetItemState(1, 1) & CS_FOCUSED);
    Key(Qt::Key_Down);
    EXPECT_EQ(m_grid->GetFocusCell(), (CCellID{2, 1}));
    EXPECT_EQ(Table()->focusChild(), Table()->tableInterface()->cellAt(2, 1));
    EXPECT_TRUE(Table()->focusChild()->state().focused);

    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(m_after->hasFocus());
    m_grid->SetFocusCell(4, 4);
    EXPECT_EQ(Table()->focusChild(), nullptr); // the grid has no keyboard focus
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_TRUE(m_grid->hasFocus());
    EXPECT_EQ(m_grid->GetFocusCell(), (CCellID{4, 4}));
    Key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(m_before->hasFocus());

    m_grid->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_End);
    for (int col = 4; col < 8; ++col) {
        Key(Qt::Key_Tab);
        ASSERT_TRUE(m_grid->hasFocus()) << col;
    }
    EXPECT_EQ(m_grid->GetFocusCell(), (CCellID{16, 8}));
    Key(Qt::Key_Tab);
    EXPECT_TRUE(m_after->hasFocus());
}

// A click on the grid's border, outside every cell, lands the focus on the first cell once
// the press is handled; a click on a cell focuses that cell alone.
TEST_F(GridAccessTest, AClickOutsideTheCellsLandsOnTheFirstCell) {
    m_before->setFocus();
    m_grid->setFrameShape(QFrame::Box);
    m_grid->setLineWidth(4);
    QTest::mouseClick(m_grid, Qt::LeftButton, {}, QPoint(1, 1));
    QCoreApplication::processEvents();
    ASSERT_TRUE(m_grid->hasFocus());
    EXPECT_EQ(m_grid->GetFocusCell(), (CCellID{1, 1}));

    m_grid->SetFocusCell(-1, -1);
    m_before->setFocus();
    m_window.Take();
    ClickCell(*m_grid, 5, 3);
    EXPECT_EQ(m_grid->GetFocusCell(), (CCellID{5, 3}));
    EXPECT_EQ(m_window.Take(),
              (std::vector<NotifyEntry>{
                  {GVN_FOCUSGAINED, 5, 3}, {GVN_BEGINLABELEDIT, 5, 3}, {CLICK_COMMAND, -1, -1}}));
}

} // namespace
