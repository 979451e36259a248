// The Test Frequency dialog edited with the mouse and the keyboard as a user does: tone cells
// that open as frequencies are typed, ENTER and ESC that never close it, OK that keeps the
// edits and Cancel or the close box that put back every byte.
#include "views/TestFreqDlg.h"

#include "app/AppMessageBox.h"
#include "app/AppPaths.h"
#include "app/DialogBuilder.h"
#include "grid/GridTestSupport.h"
#include "radio/RadioFixture.h"

#include "ProgramFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

namespace {

// The language file without the line of key.
std::string Without(std::string language, const std::string& key) {
    const std::size_t at = language.find("\n" + key + "=");
    language.erase(at + 1, language.find('\n', at + 1) - at);
    return language;
}

class TestFreqDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.MakeCurrent();
        m_doc.NewDocument();
        // Stored tones on test channel 17 (row 1), to see that clearing keeps them.
        m_doc.SetToneText(17, true, "88.5");
        m_doc.SetToneText(17, false, "D023N");
    }

    void Open() {
        m_dlg = std::make_unique<CTestFreqDlg>(m_doc);
        m_dlg->show();
        m_dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dlg.get()));
    }

    CGridCtrl& Grid() const { return m_dlg->Grid(); }
    QString Cell(int row, int col) const { return Grid().GetItemText(row, col); }
    bool IsGreyed(int row, int col) const {
        return (Grid().GetItemState(row, col) & CS_READONLY) != 0;
    }
    QWidget* Item(int id) const { return GetDlgItem(m_dlg.get(), id); }
    bool EditorOpen() const {
        return ::EditorOpen({Item(CTestFreqDlg::kFreqEditId), Item(CTestFreqDlg::kToneEditId)});
    }
    void ClickCell(int row, int col) const { ::ClickCell(Grid(), row, col); }
    void EnterText(int row, int col, const QString& keys) const {
        ::EnterText(Grid(), row, col, keys, [this] { return EditorOpen(); });
    }
    QAbstractButton* Button(int id) const { return qobject_cast<QAbstractButton*>(Item(id)); }

    ProgramFolder m_dir;
    CDromelPgmDoc m_doc;
    std::unique_ptr<CTestFreqDlg> m_dlg;
};

} // namespace

TEST_F(TestFreqDlgTest, TypedFrequenciesOpenTheToneCellsOfTheirRow) {
    Open();
    // Rows 1 to 8 hold the model's default test channels, rows 9 to 16 are erased.
    EXPECT_EQ(Cell(1, 0), "1");
    EXPECT_FALSE(Cell(1, 1).isEmpty());
    EXPECT_EQ(Cell(1, 2), "88.5");
    for (const int col : {2, 4}) {
        EXPECT_TRUE(IsGreyed(9, col)) << col;
        EXPECT_EQ(Cell(9, col), "") << col;
    }
    ClickCell(9, 2);
    EXPECT_FALSE(EditorOpen());

    EnterText(9, 1, "446.5");
    EXPECT_EQ(Cell(9, 1), "446.50000");
    EXPECT_FALSE(IsGreyed(9, 2));
    EXPECT_EQ(Cell(9, 2), "None");
    EXPECT_EQ(Cell(9, 3), "");
    EXPECT_TRUE(IsGreyed(9, 4));
    EXPECT_EQ(Cell(9, 4), "");
    EXPECT_TRUE(m_dlg->isVisible());

    // Outside the model's band (400 to 480 MHz) the frequency is stored as typed.
    EnterText(9, 3, "999");
    EXPECT_EQ(m_doc.GetFreqText(25, false), "999.00000");
    EXPECT_FALSE(IsGreyed(9, 4));
    EXPECT_EQ(Cell(9, 4), "None");
    // Nine digits cannot wrap around: the largest frequency a field holds.
    EnterText(9, 1, "999999999");
    EXPECT_EQ(Cell(9, 1), "999.99999");
    EnterText(9, 1, "12");
    EXPECT_EQ(Cell(9, 1), "12.00000");

    // The tone editor upper-cases what is typed; the transmit tone does not follow.
    EnterText(9, 2, "d754i");
    EXPECT_EQ(m_doc.GetToneText(25, true), "D754I");
    EXPECT_EQ(Cell(9, 4), "None");
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(TestFreqDlgTest, ClearingTheReceiveFrequencyGreysBothTonesAndKeepsThem) {
    Open();
    const std::string tx = m_doc.GetFreqText(17, false);
    ASSERT_FALSE(tx.empty());
    EnterText(1, 1, "");
    EXPECT_TRUE(m_doc.IsRxEmpty(17));
    for (const int col : {2, 4}) {
        EXPECT_TRUE(IsGreyed(1, col)) << col;
        EXPECT_EQ(Cell(1, col), "") << col;
    }
    EXPECT_EQ(Cell(1, 3), QString::fromStdString(tx));
    EXPECT_EQ(m_doc.GetToneText(17, true), "88.5");
    EXPECT_EQ(m_doc.GetToneText(17, false), "D023N");
    // Typing it again brings the stored tones back.
    EnterText(1, 1, "455");
    EXPECT_EQ(Cell(1, 2), "88.5");
    EXPECT_EQ(Cell(1, 4), "D023N");
}

TEST_F(TestFreqDlgTest, CancelAndTheCloseBoxRestoreEveryByte) {
    for (int way = 0; way < 2; ++way) {
        SCOPED_TRACE(way);
        m_doc.SetModifiedFlag(way == 1);
        const MemoryImage before = m_doc.Image();
        Open();
        EnterText(2, 1, "");
        EnterText(10, 1, "147.5");
        EnterText(10, 2, "67");
        EnterText(3, 3, "470.125");
        ASSERT_NE(m_doc.Image(), before);
        // An editor still open when the dialog closes must not write afterwards.
        ClickCell(4, 1);
        Type("123");
        if (way == 0) {
            QTest::mouseClick(Button(IDCANCEL), Qt::LeftButton);
        } else {
            m_dlg->close();
        }
        EXPECT_EQ(m_dlg->result(), QDialog::Rejected);
        EXPECT_FALSE(m_dlg->isVisible());
        m_dlg.reset();
        EXPECT_EQ(m_doc.Image(), before);
        EXPECT_EQ(m_doc.IsModified(), way == 1);
    }
}

TEST_F(TestFreqDlgTest, OkKeepsTheEditsAndMarksTheDocumentOnlyWhenABytesChanged) {
    Open();
    QTest::mouseClick(Button(IDOK), Qt::LeftButton);
    EXPECT_EQ(m_dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(m_doc.IsModified());

    Open();
    EnterText(12, 1, "450");
    QTest::mouseClick(Button(IDOK), Qt::LeftButton);
    EXPECT_EQ(m_dlg->result(), QDialog::Accepted);
    EXPECT_EQ(m_doc.GetFreqText(28, true), "450.00000");
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(TestFreqDlgTest, TheDialogIsOneChangeToldWhenItClosesWithOk) {
    std::vector<SDocChange> told;
    m_doc.AddChangeObserver([&told](const SDocChange& c) { told.push_back(c); });
    const SDocState before = m_doc.State();
    for (const int button : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(button);
        Open();
        EnterText(2, 1, "");
        EnterText(10, 1, "147.5");
        EXPECT_TRUE(told.empty());
        QTest::mouseClick(Button(button), Qt::LeftButton);
        m_dlg.reset();
    }
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].kind, EDocChange::kTestFreq);
    // Cancel put every byte back, so the change runs from the state before both.
    EXPECT_TRUE(told[0].before == before);
    EXPECT_TRUE(told[0].after == m_doc.State());
    EXPECT_FALSE(told[0].before == told[0].after);
}

TEST_F(TestFreqDlgTest, EnterAndEscNeverCloseTheDialog) {
    Open();
    const MemoryImage before = m_doc.Image();
    const QString rx = Cell(1, 1);
    Grid().setFocus();
    Grid().SetFocusCell(1, 1);
    Key(Qt::Key_Escape);
    EXPECT_TRUE(m_dlg->isVisible());
    // ENTER on the grid opens the editor, ESC restores its text and ends the edit.
    Key(Qt::Key_Return);
    ASSERT_TRUE(EditorOpen());
    Type("7");
    Key(Qt::Key_Escape);
    EXPECT_FALSE(EditorOpen());
    EXPECT_EQ(Cell(1, 1), rx);
    EXPECT_EQ(m_doc.Image(), before);
    // The focus is back on the grid, where ENTER opens the editor again.
    EXPECT_TRUE(Grid().hasFocus());
    Key(Qt::Key_Escape);
    EXPECT_TRUE(m_dlg->isVisible());
    Key(Qt::Key_Return);
    EXPECT_TRUE(EditorOpen());
    Key(Qt::Key_Return);
    EXPECT_FALSE(EditorOpen());
    EXPECT_EQ(m_doc.Image(), before);
    // Nor on the dialog itself.
    m_dlg->setFocus();
    Key(Qt::Key_Escape);
    Key(Qt::Key_Return);
    EXPECT_TRUE(m_dlg->isVisible());
    // Not even on a focused button.
    for (const int id : {IDOK, IDCANCEL}) {
        Button(id)->setFocus();
        Key(Qt::Key_Return);
        Key(Qt::Key_Enter);
        Key(Qt::Key_Escape);
        EXPECT_TRUE(m_dlg->isVisible()) << id;
    }
    // ENTER in the tone editor commits and leaves the dialog open.
    ClickCell(1, 2);
    Type("100");
    Key(Qt::Key_Return);
    EXPECT_EQ(m_doc.GetToneText(17, true), "100.0");
    EXPECT_TRUE(m_dlg->isVisible());
    EXPECT_EQ(m_dlg->result(), 0);
}

TEST_F(TestFreqDlgTest, AMissingHeadingRepeatsTheOneBefore) {
    std::string language =
        Without(Without(ProgramFolder::Data("lang_en.lng"), "IDS_COL3"), "IDS_COL0");
    language.insert(language.find("[Resource]\n") + 11, "^155=Test channels\n");
    m_dir.write("lang_en.lng", language);
    Open();
    EXPECT_EQ(Cell(0, 0), "");
    EXPECT_EQ(Cell(0, 2), "RX Tone");
    EXPECT_EQ(Cell(0, 3), "RX Tone");
    EXPECT_EQ(Cell(0, 4), "TX Tone");
    EXPECT_EQ(m_dlg->windowTitle(), "Test channels");
}

// The last row stands for test channel 16 (record 32) as every other row stands for its
// own: its number, its values, and what is typed there goes to that record.
TEST_F(TestFreqDlgTest, LastRowShowsAndEditsTestChannelSixteen) {
    m_doc.SetFreqText(32, true, "447.25000");
    m_doc.SetToneText(32, true, "100.0");
    m_doc.SetFreqText(32, false, "448.50000");
    m_doc.SetToneText(32, false, "D754I");
    Open();
    const QStringList row = {"16", "447.25000", "100.0", "448.50000", "D754I"};
    for (int col = 0; col < 5; ++col) {
        EXPECT_EQ(Cell(16, col), row[col]) << col;
    }
    EnterText(16, 3, "449");
    EXPECT_EQ(m_doc.GetFreqText(32, false), "449.00000");
    EXPECT_EQ(Cell(16, 3), "449.00000");
    EXPECT_EQ(m_doc.GetFreqText(31, false), "");
}
