// The Edit menu's commands on the main form's channel grid, used with the mouse and the
// keyboard as a user does: the channel clipboard, clearing, the row operations and the
// spreadsheet keys.
#include "app/AppMessageBox.h"
#include "app/CommandIds.h"
#include "app/DialogBuilder.h"
#include "app/DromelPgmApp.h"
#include "app/MainFrm.h"
#include "grid/GridCtrl.h"
#include "radio/ChannelClipboard.h"
#include "radio/ChannelCsv.h"
#include "radio/ChannelRules.h"
#include "views/DromelPgmView.h"

#include "AppTestFolder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>

namespace {

constexpr int IDC_CELL_EDIT = 1031;
constexpr int IDC_CELL_LIST = 1032;
constexpr int IDC_CELL_TONE = 1033;

// The program started on the shipped settings (model 2: 430 to 480 MHz) and English; channels
// 2..4 and 16 in use.
class EditCommands : public ::testing::Test {
protected:
    void SetUp() override {
        folder.CopyShippedLanguage("lang_en");
        std::ifstream in(DROMEL_SOURCE_DIR "/res/setting.ini", std::ios::binary);
        const std::string setting(std::istreambuf_iterator<char>(in), {});
        folder.dir.write("setting.ini", setting + "\n[setup]\nlanguage=lang_en\n");
        ASSERT_TRUE(app.InitInstance(folder.dir.path(), {}));
        const std::pair<int, const char*> used[] = {
            {2, "440.00000"}, {3, "446.00625"}, {4, "470.00000"}, {16, "435.00000"}};
        for (const auto& [n, rx] : used) {
            Doc().SetFreqText(n, true, rx);
            Doc().SetFreqText(n, false, rx);
        }
        Doc().SetToneText(2, true, "88.5");
        Doc().SetNarrow(4, true);
        Doc().UpdateAllViews();
        Doc().SetModifiedFlag(false);
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        Grid().setFocus();
    }
    void TearDown() override { Doc().SetModifiedFlag(false); }

    CMainFrame& Frame() const { return *app.MainFrame(); }
    CDromelPgmDoc& Doc() const { return app.GetDocument(); }
    CGridCtrl& Grid() const { return static_cast<CDromelPgmView*>(Frame().FormView())->Grid(); }
    QWidget* Editor(int id) const { return GetDlgItem(Frame().FormView(), id); }
    bool Enabled(int id) const { return Frame().CommandAction(id)->isEnabled(); }

    QPoint Centre(int row, int col) const {
        QRect rect;
        Grid().GetCellRect(row, col, rect);
        return rect.center();
    }
    // A click on the channel number selects the channel; with Shift, the channels up to it.
    void ClickRowHeader(int row, Qt::KeyboardModifiers mods = {}) const {
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, mods, Centre(row, 0));
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) const {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &Frame(), key, mods);
    }
    std::vector<std::string> Cells(int n) const {
        std::vector<std::string> cells;
        for (int col = 1; col < kChannelColumns; ++col) {
            cells.push_back(GetChannelCellText(Doc(), n, col));
        }
        return cells;
    }
    void SetClipboardText(const std::string& text) const {
        QApplication::clipboard()->setText(QString::fromStdString(text));
    }

    CDromelPgmApp& app = *CDromelPgmApp::Instance();
    AppTestFolder folder;
};

} // namespace

TEST_F(EditCommands, CopyRowsThenPasteThemIntoOtherRowsThroughTheGridsRules) {
    ClickRowHeader(2);
    ClickRowHeader(4, Qt::ShiftModifier);
    EXPECT_EQ(Grid().GetSelectedCellRange(), (CCellRange{2, 1, 4, 8}));
    Key(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data("text/csv").toStdString(), ExportChannelsCsv(Doc(), 2, 4));
    EXPECT_EQ(data->text().toStdString(), ChannelCellsTsv(Doc(), 2, 1, 4, 8));
    EXPECT_FALSE(Doc().IsModified());

    ClickRowHeader(10);
    Key(Qt::Key_V, Qt::ControlModifier);
    for (int n = 2; n <= 4; ++n) {
        EXPECT_EQ(Cells(n + 8), Cells(n)) << n;
    }
    EXPECT_EQ(Grid().GetItemText(12, 1), QStringLiteral("470.00000"));
    EXPECT_TRUE(Doc().IsModified());

    // Text from a spreadsheet: a value above the band comes in as the band's limit.
    SetClipboardText("999\t\t431\n");
    ClickRowHeader(6);
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Doc().GetFreqText(6, true), "480.00000");
    EXPECT_EQ(Doc().GetFreqText(6, false), "431.00000");
}

TEST_F(EditCommands, PasteWithAnUnusableRowChangesNothingAndNamesTheRow) {
    MessageBoxRecorder boxes;
    const MemoryImage before = Doc().Image();
    SetClipboardText("440\t\t440\nabc\n");
    ClickRowHeader(8);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Doc().Image(), before);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(boxes.boxes[0].text.contains(QStringLiteral("row 2: \"abc\"")))
        << boxes.boxes[0].text.toStdString();
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(EditCommands, CutAndDeleteClearTheSelectionOrTheFocusedCell) {
    ClickRowHeader(2);
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(Doc().IsRxEmpty(2));
    EXPECT_NE(QApplication::clipboard()->text().toStdString().find("440.00000"), std::string::npos);
    // The focused cell alone: the receive frequency cleared erases the channel.
    Grid().ClearSelection();
    Grid().SetFocusCell(3, 1);
    Key(Qt::Key_Delete);
    EXPECT_TRUE(Doc().IsRxEmpty(3));
    EXPECT_FALSE(Doc().IsRxEmpty(4));
}

TEST_F(EditCommands, RowOperationsAskBeforeDroppingChannel16AndFollowTheChannel) {
    ClickRowHeader(1);
    EXPECT_FALSE(Enabled(ID_EDIT_MOVE_UP));
    EXPECT_TRUE(Enabled(ID_EDIT_MOVE_DOWN));
    EXPECT_TRUE(Enabled(ID_EDIT_SORT));
    const MemoryImage before = Doc().Image();
    {
        MessageBoxRecorder boxes({IDNO});
        Frame().CommandAction(ID_EDIT_INSERT_CHANNEL)->trigger();
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].style, MB_YESNO | MB_ICONQUESTION);
        EXPECT_EQ(Doc().Image(), before);
    }
    {
        MessageBoxRecorder boxes({IDYES});
        Frame().CommandAction(ID_EDIT_INSERT_CHANNEL)->trigger();
        EXPECT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(Doc().GetFreqText(3, true), "440.00000");
        EXPECT_TRUE(Doc().IsRxEmpty(16));
    }
    {
        MessageBoxRecorder boxes;
        Frame().CommandAction(ID_EDIT_INSERT_CHANNEL)->trigger(); // 16 is empty now: no question
        EXPECT_TRUE(boxes.boxes.empty());
    }
    // Ctrl+Down moves the channel at the focus, and the focus goes with it.
    Grid().SetFocusCell(4, 2);
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Doc().GetFreqText(5, true), "440.00000");
    EXPECT_EQ(Grid().GetFocusCell(), (CCellID{5, 2}));
    Key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(Doc().GetFreqText(4, true), "440.00000");

    Frame().CommandAction(ID_EDIT_DELETE_CHANNEL)->trigger();
    EXPECT_EQ(Doc().GetFreqText(4, true), "446.00625");
    Frame().CommandAction(ID_EDIT_SORT)->trigger();
    EXPECT_EQ(Doc().GetFreqText(1, true), "446.00625");
    EXPECT_EQ(Doc().GetFreqText(2, true), "470.00000");
    EXPECT_EQ(Grid().GetItemText(2, 1), QStringLiteral("470.00000"));
    EXPECT_FALSE(Enabled(ID_EDIT_SORT));
}

TEST_F(EditCommands, SpreadsheetKeysOpenTheEditorOfTheFocusedCell) {
    auto* edit = qobject_cast<QLineEdit*>(Editor(IDC_CELL_EDIT));
    auto* list = qobject_cast<QComboBox*>(Editor(IDC_CELL_LIST));
    // A typed character opens the editor with that character.
    Grid().SetFocusCell(2, 1);
    QTest::keyClicks(&Grid(), QStringLiteral("4"));
    ASSERT_TRUE(edit->isVisible());
    EXPECT_EQ(edit->text(), QStringLiteral("4"));
    QTest::keyClicks(edit, QStringLiteral("45"));
    Key(Qt::Key_Return);
    EXPECT_EQ(Doc().GetFreqText(2, true), "445.00000");

    // F2 opens it with the cell's text; inside it the clipboard keys work on its text.
    Grid().SetFocusCell(3, 1);
    Key(Qt::Key_F2);
    ASSERT_TRUE(edit->isVisible());
    EXPECT_EQ(edit->text(), QStringLiteral("446.00625"));
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("446.00625"));
    Key(Qt::Key_Escape);
    EXPECT_FALSE(edit->isVisible());

    // A list cell: the first letter of an entry chooses it, Space opens the list.
    Grid().SetFocusCell(3, kColScan);
    QTest::keyClicks(&Grid(), QStringLiteral("n"));
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->currentText(), QStringLiteral("No"));
    Key(Qt::Key_Return);
    EXPECT_FALSE(Doc().GetScanAdd(3));
    QTest::keyClick(&Grid(), Qt::Key_Space);
    EXPECT_TRUE(list->isVisible());
    Key(Qt::Key_Escape);

    // A greyed cell opens nothing.
    Grid().SetFocusCell(7, 3);
    QTest::keyClicks(&Grid(), QStringLiteral("4"));
    EXPECT_FALSE(edit->isVisible());
    EXPECT_FALSE(Editor(IDC_CELL_TONE)->isVisible());
}
