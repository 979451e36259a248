// Undo and Redo of the Edit menu driven as a user would: every kind of change made through
// the form or its dialogs is taken back and done again byte for byte with the modified flag
// as it was, the menu names the step, the title marks unsaved changes, a cell editor keeps
// its own undo keys, and File > Import / Export Channels work as dpmtool does.
#include "app/CommandIds.h"
#include "app/DialogBuilder.h"
#include "app/DromelPgmApp.h"
#include "app/MainFrm.h"
#include "grid/GridCtrl.h"
#include "grid/GridTestSupport.h"
#include "radio/ChannelCsv.h"
#include "radio/ChannelRules.h"
#include "radio/TestModeRules.h"
#include "views/DromelPgmView.h"
#include "views/TestFreqDlg.h"

#include "AppTestFolder.h"
#include "DpmtoolRunner.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int IDC_MODEL = 1001;
constexpr int IDC_SQUELCH = 1004;
constexpr int IDC_BEEP = 1006;

// The columns a channel CSV file needs, and a row of them for channel n on rx MHz.
const std::string kCsvHeader =
    "Location,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,Skip\n";
std::string CsvRow(int n, const char* rx, const char* mode = "FM") {
    return std::to_string(n) + "," + rx + ",,0,,88.5,88.5,023,NN," + mode + ",\n";
}

// Public: the table's cases drive the program through the fixture.
class UndoCommands : public ::testing::Test {
public:
    void SetUp() override {
        folder.CopyShippedLanguage("lang_en");
        std::ifstream in(DROMEL_SOURCE_DIR "/res/setting.ini", std::ios::binary);
        const std::string setting{std::istreambuf_iterator<char>(in), {}};
        folder.dir.write("setting.ini", setting + "\n[setup]\nlanguage=lang_en\n");
        ASSERT_TRUE(app.InitInstance(folder.dir.path(), {}));
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }
    void TearDown() override {
        QSettings().remove(QStringLiteral("Recent File List"));
        Doc().SetModifiedFlag(false);
    }

    CMainFrame& Frame() const { return *app.MainFrame(); }
    CDromelPgmDoc& Doc() const { return app.GetDocument(); }
    CDromelPgmView& View() const { return *qobject_cast<CDromelPgmView*>(Frame().FormView()); }
    QAction* Command(int id) const { return Frame().CommandAction(id); }
    QWidget* Control(int id) const { return GetDlgItem(&View(), id); }
    bool EditorOpen() const { return ::EditorOpen({Control(1031), Control(1032), Control(1033)}); }
    void EnterText(int row, int col, const QString& keys) {
        ::EnterText(View().Grid(), row, col, keys, [this] { return EditorOpen(); });
    }
    // The form shows what a form built afresh on the document shows: every cell with its
    // greying, every option list with its entries and state, every check box.
    void ExpectFormAsDocument(const char* name) const {
        CDromelPgmView fresh(Doc());
        EXPECT_EQ(Shown(View()), Shown(fresh)) << name;
    }
    static QStringList Shown(CDromelPgmView& view) {
        QStringList shown;
        const CGridCtrl& grid = view.Grid();
        for (int row = 1; row <= kChannelCount; ++row) {
            for (int col = 1; col < kChannelColumns; ++col) {
                const bool grey = (grid.GetItemState(row, col) & CS_READONLY) != 0;
                shown << grid.GetItemText(row, col) + (grey ? "/grey" : "");
            }
        }
        for (const QComboBox* combo : view.findChildren<QComboBox*>()) {
            if (!combo->isHidden()) {
                shown << QStringLiteral("%1 %2 of %3 %4")
                             .arg(combo->objectName(), combo->currentText())
                             .arg(combo->count())
                             .arg(combo->isEnabled());
            }
        }
        for (const QCheckBox* box : view.findChildren<QCheckBox*>()) {
            shown << QStringLiteral("%1 %2").arg(box->objectName()).arg(box->isChecked());
        }
        return shown;
    }
    // Runs user in the modal dialog that command id opens.
    void InDialog(int id, const std::function<void(QWidget*)>& user) {
        QTimer::singleShot(0, &Frame(), [&] { user(QApplication::activeModalWidget()); });
        Command(id)->trigger();
    }

    CDromelPgmApp& app = *CDromelPgmApp::Instance();
    AppTestFolder folder;
};

struct UndoCase {
    const char* name;
    std::function<void(UndoCommands&)> change;
    const char* undoText;
    bool marks = true; // the change sets the modified flag (a read leaves it)
};

const UndoCase kCases[] = {
    {"check box", [](UndoCommands& t) { QTest::mouseClick(t.Control(IDC_BEEP), Qt::LeftButton); },
     "&Undo Option Change\tCtrl+Z"},
    {"option list",
     [](UndoCommands& t) {
         t.Control(IDC_SQUELCH)->setFocus();
         QTest::keyClick(t.Control(IDC_SQUELCH), Qt::Key_Down);
     },
     "&Undo Option Change\tCtrl+Z"},
    {"model change, band limits clamped",
     [](UndoCommands& t) {
         MessageBoxRecorder boxes({IDOK});
         t.Control(IDC_MODEL)->setFocus();
         QTest::keyClick(t.Control(IDC_MODEL), Qt::Key_Up);
         ASSERT_EQ(boxes.boxes.size(), 1u);
     },
     "&Undo Model Change\tCtrl+Z"},
    {"frequency cell", [](UndoCommands& t) { t.EnterText(2, kColRxFreq, QStringLiteral("999")); },
     "&Undo Rx Freq [MHz]\tCtrl+Z"},
    {"tone cell", [](UndoCommands& t) { t.EnterText(1, kColRxTone, QStringLiteral("67.0")); },
     "&Undo Rx CTC/DCS\tCtrl+Z"},
    {"list cell",
     [](UndoCommands& t) {
         ClickCell(t.View().Grid(), 1, kColBand);
         ASSERT_TRUE(t.EditorOpen());
         Key(Qt::Key_Down);
         Key(Qt::Key_Return);
     },
     "&Undo Bandwidth\tCtrl+Z"},
    {"Test Frequency OK",
     [](UndoCommands& t) {
         t.InDialog(ID_PROGRAM_TESTFREQ, [&](QWidget* dlg) {
             ASSERT_TRUE(qobject_cast<CTestFreqDlg*>(dlg));
             CommitTestFreq(t.Doc(), 3, true, "455");
             QTest::mouseClick(qobject_cast<QAbstractButton*>(GetDlgItem(dlg, IDOK)),
                               Qt::LeftButton);
         });
     },
     "&Undo Test Frequency\tCtrl+Z"},
    {"Test Mode Save",
     [](UndoCommands& t) {
         AlignmentValues values = GetAlignmentValues(t.Doc());
         values[2] = 99;
         SaveTestMode(t.Doc(), true, values);
     },
     "&Undo Test Mode\tCtrl+Z"},
    {"completed read",
     [](UndoCommands& t) {
         MemoryImage radio = t.Doc().Image();
         std::fill(radio.begin() + 0x20, radio.begin() + 0x30, 0x00);
         radio[0x3F1] = 0x42;
         t.Doc().ReplaceImage(radio, EDocChange::kRead);
         t.Doc().RefreshFromImage();
     },
     "&Undo Read from Radio\tCtrl+Z", false},
    {"CSV import",
     [](UndoCommands& t) {
         t.folder.dir.write("in.csv", kCsvHeader + CsvRow(3, "446.1", "NFM") + CsvRow(4, "446.2"));
         FileDialogRecorder files({QString::fromStdString(t.folder.dir.file("in.csv"))});
         t.Command(ID_FILE_IMPORT_CSV)->trigger();
     },
     "&Undo Import 2 channels\tCtrl+Z"},
};

} // namespace

TEST_F(UndoCommands, EveryKindOfChangeIsOneStepTakenBackAndDoneAgain) {
    for (const UndoCase& c : kCases) {
        MessageBoxRecorder boxes;
        Doc().SetModifiedFlag(false);
        ASSERT_TRUE(app.InitInstance(folder.dir.path(), {}));
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        // Channel 1 in use, then saved: the saved state has one step before it.
        EnterText(1, kColRxFreq, QStringLiteral("446.5"));
        ASSERT_TRUE(Doc().SaveFile(folder.dir.file("saved.dpm")));
        const SDocState before = Doc().State();
        EXPECT_FALSE(Command(ID_EDIT_REDO)->isEnabled()) << c.name;

        c.change(*this);
        const SDocState after = Doc().State();
        ASSERT_NE(after, before) << c.name;
        EXPECT_EQ(Doc().IsModified(), c.marks) << c.name;
        EXPECT_EQ(Frame().isWindowModified(), c.marks) << c.name;
        EXPECT_EQ(Command(ID_EDIT_UNDO)->text().toStdString(), c.undoText) << c.name;

        Command(ID_EDIT_UNDO)->trigger();
        EXPECT_EQ(Doc().State(), before) << c.name;
        ExpectFormAsDocument(c.name);
        EXPECT_FALSE(Doc().IsModified()) << c.name;
        EXPECT_FALSE(Frame().isWindowModified()) << c.name;
        const std::string step = std::string(c.undoText).substr(6);
        EXPECT_EQ(Command(ID_EDIT_REDO)->text().toStdString(),
                  "&Redo " + step.substr(0, step.size() - 1) + "Y")
            << c.name;

        Command(ID_EDIT_REDO)->trigger();
        EXPECT_EQ(Doc().State(), after) << c.name;
        ExpectFormAsDocument(c.name);
        EXPECT_EQ(Doc().IsModified(), c.marks) << c.name;
        EXPECT_FALSE(Command(ID_EDIT_REDO)->isEnabled()) << c.name;

        // Past the saved state: the first step, and nothing more to undo.
        Command(ID_EDIT_UNDO)->trigger();
        Command(ID_EDIT_UNDO)->trigger();
        EXPECT_TRUE(Doc().IsRxEmpty(1)) << c.name;
        EXPECT_TRUE(Doc().IsModified()) << c.name;
        EXPECT_FALSE(Command(ID_EDIT_UNDO)->isEnabled()) << c.name;
        EXPECT_EQ(Command(ID_EDIT_UNDO)->text(), QStringLiteral("&Undo\tCtrl+Z")) << c.name;
    }
}

TEST_F(UndoCommands, KeysUndoTheDocumentAndInsideAnEditorItsText) {
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("default[*] - BriselPgm"));
    EXPECT_FALSE(Frame().isWindowModified());
    EnterText(1, kColRxFreq, QStringLiteral("446.5"));
    EnterText(2, kColRxFreq, QStringLiteral("446.6"));
    EXPECT_TRUE(Frame().isWindowModified());

    // In the open editor, Ctrl+Z takes back what was typed there, not the document's step.
    ClickCell(View().Grid(), 3, kColRxFreq);
    auto* edit = qobject_cast<QLineEdit*>(Control(1031));
    ASSERT_TRUE(edit->isVisible());
    Type(QStringLiteral("44"));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QString());
    EXPECT_EQ(Doc().GetFreqText(2, true), "446.60000");
    Key(Qt::Key_Escape);

    // On the grid the keys are the commands': both shortcuts of each.
    View().Grid().setFocus();
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Doc().IsRxEmpty(2));
    Key(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_TRUE(Doc().IsRxEmpty(1));
    EXPECT_FALSE(Frame().isWindowModified());
    Key(Qt::Key_Y, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Doc().GetFreqText(2, true), "446.60000");

    // New starts a fresh history.
    MessageBoxRecorder boxes({IDNO, IDOK});
    Command(ID_FILE_NEW)->trigger();
    EXPECT_FALSE(Command(ID_EDIT_UNDO)->isEnabled());
    EXPECT_FALSE(Command(ID_EDIT_REDO)->isEnabled());
}

TEST_F(UndoCommands, ExportAndImportMatchDpmtool) {
    EnterText(1, kColRxFreq, QStringLiteral("446.5"));
    EnterText(5, kColRxFreq, QStringLiteral("440.125"));
    ASSERT_TRUE(Doc().SaveFile(folder.dir.file("radio.dpm")));
    const std::string exported = folder.dir.file("program.csv");
    {
        FileDialogRecorder files({QString::fromStdString(exported)});
        Command(ID_FILE_EXPORT_CSV)->trigger();
        ASSERT_EQ(files.requests.size(), 1u);
        EXPECT_TRUE(files.requests[0].save);
    }
    const DpmtoolRunner dpmtool(folder.dir);
    ASSERT_EQ(dpmtool.Finish(dpmtool.Start("export radio.dpm tool.csv")).status, 0);
    EXPECT_EQ(folder.dir.read("program.csv"), folder.dir.read("tool.csv"));

    // Imported into a new document, the channels come back as they were exported.
    const SDocState saved = Doc().State();
    MessageBoxRecorder boxes({IDOK});
    Command(ID_FILE_NEW)->trigger();
    FileDialogRecorder files({QString::fromStdString(exported)});
    Command(ID_FILE_IMPORT_CSV)->trigger();
    EXPECT_TRUE(boxes.boxes.size() == 1u) << "only New's question";
    EXPECT_EQ(Doc().Image(), saved.image);
    EXPECT_EQ(View().Grid().GetItemText(5, kColRxFreq), QStringLiteral("440.12500"));
}

TEST_F(UndoCommands, ImportNamesWhatItCouldNotUseAndChangesNothingOnAForeignFile) {
    struct Case {
        std::string csv;
        bool changes;
        const char* named;
    };
    const Case cases[] = {
        {"just,some,words\n", false, "is not a channel CSV file"},
        {kCsvHeader + CsvRow(2, "446.1") + CsvRow(99, "446.2"), true, "1 rows could not be used"},
        {kCsvHeader + CsvRow(2, "999"), true, "above the model's band"},
    };
    for (const Case& c : cases) {
        Doc().NewDocument();
        folder.dir.write("in.csv", c.csv);
        MessageBoxRecorder boxes;
        FileDialogRecorder files({QString::fromStdString(folder.dir.file("in.csv"))});
        const SDocState before = Doc().State();
        Command(ID_FILE_IMPORT_CSV)->trigger();
        EXPECT_EQ(Doc().State() != before, c.changes) << c.csv;
        ASSERT_EQ(boxes.boxes.size(), 1u) << c.csv;
        EXPECT_TRUE(boxes.boxes[0].text.contains(QString::fromLatin1(c.named)))
            << boxes.boxes[0].text.toStdString();
    }
}
