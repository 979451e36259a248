#include "app/AppPaths.h"
#include "app/CommandIds.h"
#include "app/DialogBuilder.h"
#include "app/DromelPgmApp.h"
#include "app/LangText.h"
#include "app/MainFrm.h"
#include "grid/GridCtrl.h"

#include "AppTestFolder.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class DocumentCommands : public ::testing::Test {
protected:
    void SetUp() override {
        folder.CopyShippedLanguage("lang_en");
        std::ifstream in(DROMEL_SOURCE_DIR "/res/setting.ini", std::ios::binary);
        shippedSetting.assign(std::istreambuf_iterator<char>(in), {});
    }
    void TearDown() override {
        QSettings().remove(QStringLiteral("Recent File List"));
        app.GetDocument().SetModifiedFlag(false);
    }

    bool Start(const QStringList& arguments = {}) {
        folder.dir.write("setting.ini", shippedSetting + "\n[setup]\nlanguage=lang_en\n");
        return app.InitInstance(folder.dir.path(), arguments);
    }
    // A data file of this program for a new document of model 2.
    QString WriteDataFile(const std::string& name) const {
        SetAppDir(folder.dir.path());
        folder.dir.write("setting.ini", shippedSetting);
        CDromelPgmDoc doc;
        doc.NewDocument();
        EXPECT_TRUE(doc.SaveFile(folder.dir.file(name)));
        return QString::fromStdString(folder.dir.file(name));
    }
    CMainFrame& Frame() const { return *app.MainFrame(); }
    CDromelPgmDoc& Doc() const { return app.GetDocument(); }
    void Command(int id) const { Frame().CommandAction(id)->trigger(); }

    CDromelPgmApp& app = *CDromelPgmApp::Instance();
    AppTestFolder folder;
    std::string shippedSetting;
};

} // namespace

TEST_F(DocumentCommands, FileOnTheCommandLineIsOpenedQuietly) {
    const QString file = WriteDataFile("radio.dpm");
    MessageBoxRecorder boxes;
    ASSERT_TRUE(Start({file}));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("radio.dpm[*] - BriselPgm"));
    EXPECT_EQ(Doc().GetPathName(), file.toStdString());
    EXPECT_EQ(app.RecentFiles().value(0), file);
}

TEST_F(DocumentCommands, UnreadableFileOnTheCommandLineEndsTheProgram) {
    MessageBoxRecorder boxes;
    const std::string missing = folder.dir.file("missing.dpm");
    EXPECT_FALSE(Start({QString::fromStdString(missing)}));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(boxes.boxes[0].text.startsWith(
        QString::fromStdString("Cannot open the file " + missing + ": ")));
    EXPECT_EQ(boxes.boxes[0].style, MB_ICONHAND);
    EXPECT_EQ(app.MainFrame(), nullptr);
}

TEST_F(DocumentCommands, StartWithoutFileMakesADefaultModel2Document) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("default[*] - BriselPgm"));
    EXPECT_EQ(Doc().GetModel(), 2);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Frame().GetActiveDocument(), &Doc());
}

TEST_F(DocumentCommands, DroppedFilesAreOpened) {
    const QString file = WriteDataFile("dropped.dpm");
    ASSERT_TRUE(Start());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &drop);
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("dropped.dpm[*] - BriselPgm"));
}

TEST_F(DocumentCommands, NewAsksToSaveChangesThenWhetherToClear) {
    ASSERT_TRUE(Start());
    Doc().SetFreqText(1, true, "440");
    Doc().SetModifiedFlag(true);
    {
        MessageBoxRecorder boxes({IDCANCEL});
        Command(ID_FILE_NEW);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Save changes to default?"));
        EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Prompt"));
        EXPECT_EQ(boxes.boxes[0].style, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        EXPECT_TRUE(Doc().IsModified());
    }
    MessageBoxRecorder boxes({IDNO, IDOK});
    Command(ID_FILE_NEW);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].text.toStdString(),
              "All data of the radio in the program will be cleared. Continue?");
    EXPECT_EQ(boxes.boxes[1].style, MB_OKCANCEL | MB_ICONEXCLAMATION);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_TRUE(Doc().IsRxEmpty(1));
}

TEST_F(DocumentCommands, ExitAsksToSaveChanges) {
    ASSERT_TRUE(Start());
    Doc().SetModifiedFlag(true);
    {
        MessageBoxRecorder boxes({IDCANCEL});
        Command(ID_APP_EXIT);
        EXPECT_EQ(boxes.boxes.size(), 1u);
        EXPECT_TRUE(Frame().isVisible());
    }
    MessageBoxRecorder boxes({IDNO});
    Command(ID_APP_EXIT);
    EXPECT_FALSE(Frame().isVisible());
}

TEST_F(DocumentCommands, SaveAsWritesTheFileAndSaveAsksBeforeOverwriting) {
    ASSERT_TRUE(Start());
    const QString file = QString::fromStdString(folder.dir.file("out.dpm"));
    {
        FileDialogRecorder files({file});
        Command(ID_FILE_SAVE_AS);
        ASSERT_EQ(files.requests.size(), 1u);
        EXPECT_TRUE(files.requests[0].save);
        EXPECT_TRUE(files.requests[0].directory.endsWith(QStringLiteral("default.dpm")));
        EXPECT_EQ(files.requests[0].filter, QStringLiteral("Radio Program Data Files(*.dpm)"));
        EXPECT_EQ(files.requests[0].defaultSuffix, QStringLiteral("dpm"));
    }
    EXPECT_EQ(std::filesystem::file_size(file.toStdString()), 1072u);
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("out.dpm[*] - BriselPgm"));
    EXPECT_EQ(app.RecentFiles().value(0), file);
    EXPECT_EQ(Frame().menuBar()->actions()[0]->menu()->actions()[12]->text(),
              QStringLiteral("&1 ") + file);

    Doc().SetModifiedFlag(true);
    MessageBoxRecorder boxes({IDCANCEL});
    Command(ID_FILE_SAVE);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Save the data to the file\n") + file);
    EXPECT_TRUE(Doc().IsModified());
}

// The warning comes and the image is erased, but the foreign file neither names the window nor
// enters the recent files, and Save asks where to save instead of overwriting it.
TEST_F(DocumentCommands, ForeignFileLendsNeitherItsNameNorARecentEntry) {
    const QString kept = WriteDataFile("kept.dpm");
    ASSERT_TRUE(Start({kept}));
    const std::string foreign = folder.dir.write("foreign.dpm", std::string(1072, 'x'));
    {
        MessageBoxRecorder boxes;
        FileDialogRecorder files({QString::fromStdString(foreign)});
        Command(ID_FILE_OPEN);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, LangText("IDS_WARN_LOAD"));
    }
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("default[*] - BriselPgm"));
    EXPECT_EQ(app.RecentFiles(), QStringList{kept});
    FileDialogRecorder cancelled({QString()});
    Command(ID_FILE_SAVE);
    ASSERT_EQ(cancelled.requests.size(), 1u);
    EXPECT_TRUE(cancelled.requests[0].save);
    EXPECT_EQ(folder.dir.read("foreign.dpm"), std::string(1072, 'x'));
}

// The dialog also takes its file-type filter from the language file in force.
TEST_F(DocumentCommands, OpenStartsInTheFolderOfTheLastFile) {
    const QString file = WriteDataFile("a.dpm");
    ASSERT_TRUE(Start({file}));
    std::string language = folder.dir.read("lang_en.lng");
    const std::string filter = "IDS_FILE_FILTER=Radio Program Data Files(*.dpm)";
    ASSERT_NE(language.find(filter), std::string::npos);
    language.replace(language.find(filter), filter.size(), "IDS_FILE_FILTER=Sheets(*.dpm)");
    folder.dir.write("lang_en.lng", language);
    FileDialogRecorder files({file});
    Command(ID_FILE_OPEN);
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_FALSE(files.requests[0].save);
    EXPECT_EQ(files.requests[0].filter, QStringLiteral("Sheets(*.dpm)"));
    EXPECT_EQ(files.requests[0].directory, QString::fromStdString(folder.dir.path()));
    EXPECT_EQ(Doc().GetPathName(), file.toStdString());
}

TEST_F(DocumentCommands, RecentFileThatIsGoneLeavesTheList) {
    const QString kept = WriteDataFile("kept.dpm");
    const QString gone = QString::fromStdString(folder.dir.file("gone.dpm"));
    QSettings settings;
    settings.setValue(QStringLiteral("Recent File List/File1"), gone);
    settings.setValue(QStringLiteral("Recent File List/File2"), kept);
    settings.sync();
    ASSERT_TRUE(Start());
    MessageBoxRecorder boxes;
    Frame().menuBar()->actions()[0]->menu()->actions()[12]->trigger();
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(app.RecentFiles(), QStringList{kept});

    Doc().SetModifiedFlag(true);
    MessageBoxRecorder cancel({IDCANCEL});
    Frame().menuBar()->actions()[0]->menu()->actions()[12]->trigger();
    EXPECT_EQ(app.RecentFiles(), QStringList{kept}); // only not opened: it stays
    EXPECT_EQ(Doc().GetPathName(), "");
}

TEST_F(DocumentCommands, ApplyLanguageIdentifiesTheModelAgain) {
    ASSERT_TRUE(Start());
    ASSERT_EQ(Doc().GetModel(), 2);
    for (std::size_t a = 0x3D0; a < 0x3D8; ++a) {
        Doc().SetByte(a, 0xFF);
    }
    app.ApplyLanguage();
    EXPECT_EQ(Doc().GetModel(), -1);
    EXPECT_FALSE(Doc().IsModified());
}

// A value typed into a cell without Enter reaches the document before the question about
// unsaved changes, whatever command or window close comes next.
TEST_F(DocumentCommands, ATypedCellValueIsNeverLost) {
    ASSERT_TRUE(Start());
    const QString file = QString::fromStdString(folder.dir.file("typed.dpm"));
    auto* grid = Frame().FormView()->findChild<CGridCtrl*>();
    ASSERT_NE(grid, nullptr);
    Frame().show();
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    const auto typeIntoCell = [&](int row, const QString& text) {
        QRect cell;
        grid->GetCellRect(row, 1, cell);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(Frame().FormView(), 1031));
        ASSERT_TRUE(edit && edit->isVisible());
        QTest::keyClicks(edit, text);
    };

    // New: the question comes, Cancel keeps the typed value in the document.
    typeIntoCell(2, QStringLiteral("446.1"));
    {
        MessageBoxRecorder boxes({IDCANCEL});
        Command(ID_FILE_NEW);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(Doc().GetFreqText(2, true), "446.10000");
        EXPECT_TRUE(Doc().IsModified());
    }

    // Exit: the question comes and Yes saves the typed value.
    Doc().SetModifiedFlag(false);
    typeIntoCell(3, QStringLiteral("446.2"));
    {
        MessageBoxRecorder boxes({IDYES});
        FileDialogRecorder files({file});
        Command(ID_APP_EXIT);
        ASSERT_EQ(boxes.boxes.size(), 1u);
    }
    CDromelPgmDoc saved;
    ASSERT_TRUE(saved.LoadFile(file.toStdString()));
    EXPECT_EQ(saved.GetFreqText(2, true), "446.10000");
    EXPECT_EQ(saved.GetFreqText(3, true), "446.20000");
}

// A document replaced while an editor is open closes the editor; its text is dropped.
TEST_F(DocumentCommands, ReplacingTheDocumentClosesAnOpenEditor) {
    const QString file = WriteDataFile("other.dpm");
    ASSERT_TRUE(Start());
    auto* grid = Frame().FormView()->findChild<CGridCtrl*>();
    Frame().show();
    QRect cell;
    grid->GetCellRect(4, 1, cell);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(Frame().FormView(), 1031));
    ASSERT_TRUE(edit && edit->isVisible());
    ASSERT_TRUE(app.OpenDocumentFile(file));
    EXPECT_FALSE(edit->isVisible());
    EXPECT_TRUE(Doc().IsRxEmpty(4));
}
