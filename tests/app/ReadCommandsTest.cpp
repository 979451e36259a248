// Program > Read from Radio over a document with unsaved changes, in the program itself: the
// save-changes question comes first, and a read leaves the document without a file name.
#include "app/CommandIds.h"
#include "app/DialogBuilder.h"
#include "app/DromelPgmApp.h"
#include "app/MainFrm.h"
#include "link/TransferDlg.h"

#include "AppTestFolder.h"
#include "link/SimRadioProcess.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

constexpr int kWait = 20000; // ms

class ReadCommands : public ::testing::Test {
protected:
    void TearDown() override {
        QSettings().remove(QStringLiteral("Recent File List"));
        app.GetDocument().SetModifiedFlag(false);
    }

    // The program on COM1 with a simulated radio whose memory is all radioByte, and a.dpm
    // (a new model-2 document) opened and edited.
    void StartWithEditedFile() {
        folder.CopyShippedLanguage("lang_en");
        const std::string image = folder.dir.write("radio.bin", std::string(1024, '\x5A'));
        m_radio = std::make_unique<SimRadioProcess>(std::vector<std::string>{
            "--fast", "--image", image, "--trace", folder.dir.file("radio.trace")});
        ASSERT_FALSE(m_radio->Path().empty());
        folder.dir.write("setting.ini",
                         WithModelTable("[setup]\nlanguage=lang_en\ncom=1\nbackup=0\n[ports]\n"
                                        "com1=" +
                                        m_radio->Path() + "\n"));
        m_file = folder.dir.file("a.dpm");
        ASSERT_TRUE(app.InitInstance(folder.dir.path(), {}));
        CDromelPgmDoc fresh;
        fresh.NewDocument();
        ASSERT_TRUE(fresh.SaveFile(m_file));
        ASSERT_TRUE(app.OpenDocumentFile(QString::fromStdString(m_file)));
        Doc().SetByte(0, 0x12);
        Doc().SetModifiedFlag(true);
    }

    // Read from Radio with OK pressed in the transfer dialog, if it comes; true when it came.
    bool Read() {
        bool shown = false;
        QTimer::singleShot(0, &Frame(), [&] {
            auto* dlg = qobject_cast<CTransferDlg*>(QApplication::activeModalWidget());
            if (dlg) {
                shown = true;
                QTest::mouseClick(qobject_cast<QPushButton*>(GetDlgItem(dlg, IDOK)),
                                  Qt::LeftButton);
            }
        });
        Frame().CommandAction(ID_PROGRAM_READ)->trigger();
        return shown;
    }

    CMainFrame& Frame() const { return *app.MainFrame(); }
    CDromelPgmDoc& Doc() const { return app.GetDocument(); }

    CDromelPgmApp& app = *CDromelPgmApp::Instance();
    AppTestFolder folder;
    std::unique_ptr<SimRadioProcess> m_radio;
    std::string m_file;
};

} // namespace

// Yes saves the edits into a.dpm, then reads; No reads without saving; Cancel sends nothing.
// After a read the document names no file (Save asks where) and the recent files stay.
TEST_F(ReadCommands, UnsavedEditsAreOfferedForSavingBeforeARead) {
    struct Case {
        int answer;
        bool bRead;
        std::uint8_t savedByte; // byte 0 of a.dpm's image afterwards
    };
    const Case cases[] = {{IDYES, true, 0x12}, {IDNO, true, 0xFF}, {IDCANCEL, false, 0xFF}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        StartWithEditedFile();
        const QStringList recent = app.RecentFiles();
        MessageBoxRecorder boxes({c.answer});
        EXPECT_EQ(Read(), c.bRead);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Save changes to a.dpm?"));
        EXPECT_EQ(static_cast<std::uint8_t>(folder.dir.read("a.dpm").at(48)), c.savedByte);
        EXPECT_EQ(app.RecentFiles(), recent);
        if (c.bRead) {
            EXPECT_EQ(Doc().Image()[0], 0x5A);
            EXPECT_EQ(Doc().GetPathName(), "");
            EXPECT_EQ(Frame().windowTitle(), QStringLiteral("default[*] - BriselPgm"));
        } else {
            EXPECT_EQ(Doc().Image()[0], 0x12);
            EXPECT_EQ(Doc().GetPathName(), m_file);
        }
        m_radio->Stop();
        // The trace has a line " rx " for each byte the radio received.
        std::ifstream trace(folder.dir.file("radio.trace"));
        const std::string received{std::istreambuf_iterator<char>(trace), {}};
        EXPECT_EQ(received.find(" rx ") != std::string::npos, c.bRead);
        Doc().SetModifiedFlag(false);
    }
}
