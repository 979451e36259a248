// The in-place editors driven with keys as a user types.
#include "app/AppPaths.h"
#include "grid/CellCombo.h"
#include "grid/CellEdit.h"
#include "grid/CellList.h"

#include "GridTestSupport.h"
#include "TempDir.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// A form holding the editors and another control to act as their owner.
class EditorForm : public QWidget {
public:
    QLineEdit m_owner;
    CCellEdit m_edit;
    CCellCombo m_tone;
    CCellList m_list;

    EditorForm() : m_owner(this), m_edit(this), m_tone(this), m_list(this) {
        resize(400, 200);
        m_owner.setGeometry(0, 150, 100, 20);
        ShowActive(*this);
        m_owner.setFocus();
    }
};

const QRect CELL(44, 42, 90, 20);

} // namespace

TEST(CellEdit, BeginShowsTheTextSelectedAndEndHidesIt) {
    EditorForm form;
    EXPECT_FALSE(form.m_edit.isVisible());
    EXPECT_FALSE(form.m_edit.isEnabled());
    form.m_edit.Begin(CELL, "146.52000");
    EXPECT_TRUE(form.m_edit.isVisible());
    EXPECT_TRUE(form.m_edit.isEnabled());
    EXPECT_TRUE(form.m_edit.hasFocus());
    EXPECT_EQ(form.m_edit.geometry(), CELL);
    EXPECT_EQ(form.m_edit.selectedText(), "146.52000");
    EXPECT_EQ(form.m_edit.m_strInitial, "146.52000");
    form.m_edit.End();
    EXPECT_FALSE(form.m_edit.isVisible());
    EXPECT_FALSE(form.m_edit.isEnabled());
}

TEST(CellEdit, TakesDigitsOneDotAndNineCharacters) {
    EditorForm form;
    form.m_edit.Begin(CELL, "146.52000");
    Type("146.5x25");
    EXPECT_EQ(form.m_edit.text(), "146.525");
    Type(".");
    EXPECT_EQ(form.m_edit.text(), "146.525");
    Type("67");
    EXPECT_EQ(form.m_edit.text(), "146.52567"); // the ninth character
    Type("8");
    EXPECT_EQ(form.m_edit.text(), "146.52567"); // no tenth
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Home);
    Key(Qt::Key_Delete);
    EXPECT_EQ(form.m_edit.text(), "46.5256");

    // A "." typed over a selection that holds the one dot is refused all the same.
    form.m_edit.selectAll();
    Type(".");
    EXPECT_EQ(form.m_edit.text(), "46.5256");
    Type("-+ e,");
    EXPECT_EQ(form.m_edit.text(), "46.5256");
}

TEST(CellEdit, EscRestoresAndEnterCommitsByGivingTheFocusAway) {
    EditorForm form;
    QSignalSpy killFocus(&form.m_edit, &CCellEdit::KillFocus);
    form.m_edit.SetOwner(&form.m_owner);
    form.m_edit.Begin(CELL, "146.52000");
    Type("147");
    Key(Qt::Key_Escape);
    EXPECT_EQ(form.m_edit.text(), "146.52000");
    EXPECT_TRUE(form.m_owner.hasFocus());
    EXPECT_EQ(killFocus.count(), 1);

    // Without an owner, ENTER gives the focus to the parent.
    form.m_edit.SetOwner(nullptr);
    form.m_edit.Begin(CELL, "146.52000");
    Type("147");
    Key(Qt::Key_Return);
    EXPECT_EQ(form.m_edit.text(), "147");
    EXPECT_TRUE(form.hasFocus());
    EXPECT_EQ(killFocus.count(), 2);
}

TEST(CellEdit, AnOwnerThatIsGoneLeavesTheFocusWhereItIs) {
    EditorForm form;
    QSignalSpy killFocus(&form.m_edit, &CCellEdit::KillFocus);
    {
        QWidget owner(&form);
        form.m_edit.SetOwner(&owner);
    }
    form.m_edit.Begin(CELL, "146.52000");
    Type("1");
    Key(Qt::Key_Escape);
    EXPECT_EQ(form.m_edit.text(), "146.52000"); // ESC still restores
    EXPECT_TRUE(form.m_edit.hasFocus());
    EXPECT_EQ(killFocus.count(), 0);
}

TEST(CellCombo, BeginRenewsTheNoneEntryAndTypingIsUpperCaseUpToFive) {
    TempDir dir;
    g_strLangFile = dir.write("lang.lng", "[String]\nIDS_NONE=Off\n");
    EditorForm form;
    form.m_tone.addItems({"None", "67.0", "D023N"});
    form.m_tone.Begin(CELL, "67.0");
    EXPECT_EQ(form.m_tone.itemText(0), "Off");
    EXPECT_EQ(form.m_tone.count(), 3);
    EXPECT_EQ(form.m_tone.currentText(), "67.0");
    EXPECT_TRUE(form.m_tone.isVisible());
    EXPECT_EQ(form.m_tone.geometry(), CELL);
    EXPECT_TRUE(form.m_tone.hasFocus());

    Type("d754i");
    EXPECT_EQ(form.m_tone.currentText(), "D754I");
    Type("n");
    EXPECT_EQ(form.m_tone.currentText(), "D754I");

    // After a language change the next Begin shows the new none text.
    g_strLangFile = dir.write("lang2.lng", "[String]\nIDS_NONE=Aus\n");
    form.m_tone.Begin(CELL, "D754I");
    EXPECT_EQ(form.m_tone.itemText(0), "Aus");
    EXPECT_EQ(form.m_tone.count(), 3);
}

TEST(CellCombo, EscRestoresTheBeginTextAndCommits) {
    TempDir dir;
    g_strLangFile = dir.write("lang.lng", "[String]\nIDS_NONE=None\n");
    EditorForm form;
    QSignalSpy killFocus(&form.m_tone, &CCellCombo::KillFocus);
    form.m_tone.addItems({"None", "67.0"});
    form.m_tone.SetOwner(&form.m_owner);
    form.m_tone.Begin(CELL, "67.0");
    Type("100");
    Key(Qt::Key_Escape);
    EXPECT_EQ(form.m_tone.currentText(), "67.0");
    EXPECT_TRUE(form.m_owner.hasFocus());
    EXPECT_EQ(killFocus.count(), 1);

    // Its drop-down list borrows the focus without ending the edit.
    form.m_tone.Begin(CELL, "67.0");
    form.m_tone.showPopup();
    QCoreApplication::processEvents();
    form.m_tone.hidePopup();
    QCoreApplication::processEvents();
    EXPECT_EQ(killFocus.count(), 1);
    EXPECT_TRUE(form.m_tone.hasFocus());
    form.m_tone.lineEdit()->selectAll();
    Type("d023n");
    Key(Qt::Key_Return);
    EXPECT_EQ(form.m_tone.currentText(), "D023N");
    EXPECT_EQ(killFocus.count(), 2);
}

TEST(CellList, SelectsByTheBeginTextAndEscReselectsIt) {
    EditorForm form;
    QSignalSpy killFocus(&form.m_list, &CCellList::KillFocus);
    QSignalSpy selChange(&form.m_list, &CCellList::SelChange);
    form.m_list.addItems({"Yes", "No"});
    form.m_list.SetOwner(&form.m_owner);

    form.m_list.Begin(CELL, "no");
    EXPECT_EQ(form.m_list.currentIndex(), 1);
    EXPECT_TRUE(form.m_list.hasFocus());
    EXPECT_EQ(selChange.count(), 0);

    Key(Qt::Key_Up);
    EXPECT_EQ(form.m_list.currentIndex(), 0);
    EXPECT_EQ(selChange.count(), 1);
    Key(Qt::Key_Escape);
    EXPECT_EQ(form.m_list.currentIndex(), 1);
    EXPECT_EQ(selChange.count(), 1);
    EXPECT_TRUE(form.m_owner.hasFocus());
    EXPECT_EQ(killFocus.count(), 1);

    form.m_list.Begin(CELL, "Maybe");
    EXPECT_EQ(form.m_list.currentIndex(), -1);
    Key(Qt::Key_Return);
    EXPECT_EQ(killFocus.count(), 2);
    form.m_list.End();
    EXPECT_FALSE(form.m_list.isVisible());
    EXPECT_FALSE(form.m_list.isEnabled());
}

TEST(CellEdit, AClickElsewhereCommits) {
    EditorForm form;
    QSignalSpy killFocus(&form.m_edit, &CCellEdit::KillFocus);
    form.m_edit.Begin(CELL, "146.52000");
    QTest::mouseClick(&form.m_owner, Qt::LeftButton);
    EXPECT_EQ(killFocus.count(), 1);
}

TEST(CellEdit, TextFromAnInputMethodIsFilteredLikeTypedText) {
    EditorForm form;
    form.m_edit.Begin(CELL, "");
    QInputMethodEvent event;
    event.setCommitString(QStringLiteral("14x6.5.2"));
    QApplication::sendEvent(&form.m_edit, &event);
    EXPECT_EQ(form.m_edit.text(), "146.52");
}
