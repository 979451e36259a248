// The editing round between a grid and its in-place editors, on a plain window: which cells
// open which editor, what the commit is handed, and an edit dropped before its editor closes.
#include "grid/GridEditing.h"
#include "grid/CellEdit.h"
#include "grid/CellList.h"

#include "GridTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct SCommit {
    int row;
    int col;
    QString text;
    bool editorHidden;
    bool editActive;
};

class GridEditingTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_grid.setParent(&m_window);
        m_edit.setParent(&m_window);
        m_list.setParent(&m_window);
        m_grid.setGeometry(10, 10, 700, 380);
        m_window.resize(720, 400);
        LayOutChannelGrid(m_grid);
        m_editing.AddEditor(m_edit, {1, 3}, [this](int row, int col) {
            m_commits.push_back(
                {row, col, m_edit.text(), m_edit.isHidden(), m_grid.IsEditActive()});
        });
        m_editing.AddEditor(
            m_list, {7},
            [this](int row, int col) {
                m_commits.push_back(
                    {row, col, m_list.currentText(), m_list.isHidden(), m_grid.IsEditActive()});
            },
            [this](int col) {
                m_list.clear();
                m_list.addItems({QStringLiteral("Wide %1").arg(col), QStringLiteral("Narrow")});
            });
        ShowActive(m_window);
    }

    QWidget m_window;
    CGridCtrl m_grid;
    CCellEdit m_edit;
    CCellList m_list;
    CGridEditing m_editing{m_window, m_grid};
    std::vector<SCommit> m_commits;
};

} // namespace

TEST_F(GridEditingTest, TheColumnsEditorOpensOverTheCellAndTheCommitGetsItsCell) {
    ClickCell(m_grid, 2, 5); // a column without an editor
    EXPECT_FALSE(m_editing.IsEditing());
    EXPECT_TRUE(m_edit.isHidden() && m_list.isHidden());

    ClickCell(m_grid, 4, 3);
    ASSERT_TRUE(m_editing.IsEditing());
    EXPECT_TRUE(m_edit.isVisible());
    EXPECT_TRUE(m_grid.IsEditActive());
    QRect cell;
    m_grid.GetCellRect(4, 3, cell);
    EXPECT_EQ(m_edit.geometry().topLeft(), m_grid.viewport()->mapTo(&m_window, cell.topLeft()));
    EXPECT_EQ(m_edit.text(), "4.3");
    QTest::keyClicks(&m_edit, "12");
    QTest::keyClick(&m_edit, Qt::Key_Return);
    ASSERT_EQ(m_commits.size(), 1u);
    EXPECT_EQ(m_commits[0].row, 4);
    EXPECT_EQ(m_commits[0].col, 3);
    EXPECT_EQ(m_commits[0].text, "12");
    EXPECT_TRUE(m_commits[0].editorHidden);
    EXPECT_FALSE(m_commits[0].editActive);
    EXPECT_FALSE(m_editing.IsEditing());

    // A list editor is filled for its column before it opens.
    ClickCell(m_grid, 6, 7);
    ASSERT_TRUE(m_list.isVisible());
    EXPECT_EQ(m_list.itemText(0), "Wide 7");
    m_grid.setFocus();
    ASSERT_EQ(m_commits.size(), 2u);
    EXPECT_EQ(m_commits[1].row, 6);
    EXPECT_EQ(m_commits[1].col, 7);
}

TEST_F(GridEditingTest, ADroppedEditClosesWithoutACommit) {
    ClickCell(m_grid, 2, 1);
    ASSERT_TRUE(m_edit.isVisible());
    QTest::keyClicks(&m_edit, "5");
    m_editing.Drop();
    EXPECT_FALSE(m_grid.IsEditActive());
    m_grid.setFocus();
    EXPECT_TRUE(m_commits.empty());
    EXPECT_TRUE(m_edit.isHidden());

    // The next edit commits again.
    ClickCell(m_grid, 3, 1);
    m_grid.setFocus();
    EXPECT_EQ(m_commits.size(), 1u);
}
