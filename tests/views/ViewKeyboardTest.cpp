// The main form and the Test Frequency dialog used with the keyboard alone, as a user who
// cannot or does not use the mouse does.
#include "ViewFixture.h"
#include "app/AppMessageBox.h"
#include "grid/GridAccessible.h"
#include "grid/GridCell.h"
#include "views/TestFreqDlg.h"

#include <QAccessible>
#include <QLineEdit>

namespace {

// Tabs from the focus until grid has it; false after more Tabs than the window has stops.
bool TabTo(const QWidget& grid) {
    for (int i = 0; i < 40 && !grid.hasFocus(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return grid.hasFocus();
}

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

TEST_F(ViewTest, KeyboardAloneSetsAChannel) {
    Combo(1001)->setFocus(); // the form's first control
    ASSERT_TRUE(TabTo(Grid()));
    EXPECT_EQ(Grid().GetFocusCell(), (CCellID{1, 1}));
    EXPECT_TRUE(Grid().GetItemState(1, 1) & CS_FOCUSED);
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    // The editor reads as an edit field named after its cell.
    EXPECT_FALSE(editor->accessibleName().isEmpty());
    EXPECT_EQ(editor->accessibleName(), GridCellName(Grid(), 2, 1));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(editor)->role(), QAccessible::EditableText);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, "446.00625");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(m_doc.GetFreqText(2, true), "446.00625");
    ASSERT_TRUE(Grid().hasFocus());
    EXPECT_EQ(Grid().GetFocusCell(), (CCellID{2, 1}));

    // Ctrl+Tab leaves the grid; Shift+Tab comes back to the cell it left.
    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_FALSE(Grid().hasFocus());
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_TRUE(Grid().hasFocus());
    EXPECT_EQ(Grid().GetFocusCell(), (CCellID{2, 1}));
    // Tab from the last cell leaves it too.
    Grid().SetFocusCell(16, 8);
    Key(Qt::Key_Tab);
    EXPECT_FALSE(Grid().hasFocus());
}

TEST(TestFreqKeyboard, TheTestGridTakesTheSameKeys) {
    ProgramFolder dir;
    dir.MakeCurrent();
    CDromelPgmDoc doc;
    doc.NewDocument();
    CTestFreqDlg dlg(doc);
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    GetDlgItem(&dlg, IDOK)->setFocus();
    ASSERT_TRUE(TabTo(dlg.Grid()));
    EXPECT_EQ(dlg.Grid().GetFocusCell(), (CCellID{1, 1}));
    Key(Qt::Key_PageDown);
    EXPECT_GT(dlg.Grid().GetFocusCell().row, 1);
    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_FALSE(dlg.Grid().hasFocus());
    dlg.reject();
}

} // namespace
