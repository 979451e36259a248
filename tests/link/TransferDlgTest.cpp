#include "link/TransferDlg.h"

#include "LinkFixture.h"
#include "app/AppMessageBox.h"
#include "app/AppTestFolder.h"
#include "app/CommandIds.h"
#include "app/DialogBuilder.h"
#include "app/MainFrm.h"
#include "app/Sha256.h"
#include "app/StopSignals.h"
#include "link/BackupStore.h"
#include "link/DifferencesDlg.h"
#include "link/HistoryLog.h"
#include "link/PortProbe.h"
#include "link/RestoreDlg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <sys/ioctl.h>

namespace {

constexpr int kWait = 20000; // ms; a full transfer takes under three seconds

class TransferDlgTest : public LinkFixture {
protected:
    void SetUp() override {
        LinkFixture::SetUp();
        m_doc.NewDocument();
        m_doc.ReplaceImage(Pattern(50));
        m_doc.SetModifiedFlag(false);
        m_doc.AddViewObserver([this] { ++m_nRefreshed; });
    }

    void StartRadio(const Image& radioImage, std::vector<std::string> options = {}) {
        options.insert(options.end(),
                       {"--fast", "--image", WriteImage("radio.bin", radioImage), "--trace",
                        m_dir.file("radio.trace"), "--save", m_dir.file("radio.dpm")});
        m_radio = std::make_unique<SimRadioProcess>(options);
        ASSERT_FALSE(m_radio->Path().empty());
        WriteSettings("com1=" + Cable(m_radio->Path()));
    }

    // Shows the dialog modally while user acts on it; the dialog's result.
    int Run(CTransferDlg& dlg, const std::function<void()>& user) {
        QTimer::singleShot(0, &dlg, user);
        return dlg.DoModal();
    }

    static QPushButton* Button(const CTransferDlg& dlg, int id) {
        return qobject_cast<QPushButton*>(GetDlgItem(&dlg, id));
    }
    // Pattern(seed) below the model parameters, radio's bytes from there on: data the radio
    // takes for its own type, so no type question comes.
    static Image ForTheRadio(int seed, const Image& radio) {
        Image image = Pattern(seed);
        std::copy(radio.begin() + 0x350, radio.end(), image.begin() + 0x350);
        return image;
    }
    static QCheckBox* Check(const CTransferDlg& dlg, int id) {
        return qobject_cast<QCheckBox*>(GetDlgItem(&dlg, id));
    }
    static QString Status(const CTransferDlg& dlg) {
        return GetControlText(GetDlgItem(&dlg, CTransferDlg::kStatusId));
    }
    static int Progress(const CTransferDlg& dlg) {
        return qobject_cast<QProgressBar*>(GetDlgItem(&dlg, CTransferDlg::kProgressId))->value();
    }

    CCommPort m_port;
    std::unique_ptr<SimRadioProcess> m_radio;
    CDromelPgmDoc m_doc;
    int m_nRefreshed = 0;
};

TEST_F(TransferDlgTest, ReadFillsTheDocumentWithoutMarkingItModified) {
    const Image radio = Pattern(3);
    StartRadio(radio);
    CTransferDlg dlg(m_port, m_doc);
    QSignalSpy imageRead(&dlg, &CTransferDlg::imageRead);
    dlg.SetMode(true);
    const int result = Run(dlg, [&] {
        EXPECT_EQ(dlg.windowTitle(), "Read from Radio");
        EXPECT_EQ(Status(dlg), "Connect, then OK to read");
        EXPECT_EQ(Progress(dlg), 0);
        QTest::mouseClick(Button(dlg, IDOK), Qt::LeftButton);
        EXPECT_FALSE(Button(dlg, IDOK)->isEnabled());
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(m_doc.Image(), radio);
    EXPECT_EQ(m_nRefreshed, 1);
    EXPECT_EQ(imageRead.count(), 1);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(Status(dlg), "Reading data 100%");
    EXPECT_EQ(Progress(dlg), 1024);
}

TEST_F(TransferDlgTest, WriteSendsTheDocumentAndLeavesItAlone) {
    const Image radio = Pattern(3);
    m_doc.ReplaceImage(radio);
    for (int i = 0; i < 0x350; ++i) {
        m_doc.SetByte(i, static_cast<std::uint8_t>(~radio[i]));
    }
    const Image docBefore = m_doc.Image();
    StartRadio(radio);
    CTransferDlg dlg(m_port, m_doc);
    dlg.SetMode(false);
    const int result = Run(dlg, [&] {
        EXPECT_EQ(dlg.windowTitle(), "Write to Radio");
        // Enter presses the default button, OK.
        QTest::keyClick(&dlg, Qt::Key_Return);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(Status(dlg), "Writing data 100%");
    EXPECT_EQ(Progress(dlg), 1024);
    EXPECT_EQ(m_doc.Image(), docBefore);
    EXPECT_EQ(m_nRefreshed, 0);
    ASSERT_EQ(m_radio->Stop(), 0);
    const Image saved = SavedImage("radio.dpm");
    EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + 0x3D8, docBefore.begin()));
}

TEST_F(TransferDlgTest, SilentRadioGivesUpAndOkStartsAgain) {
    const Image radio = Pattern(3);
    StartRadio(radio, {"--silent-after", "10"});
    const Image docBefore = m_doc.Image();
    CTransferDlg dlg(m_port, m_doc);
    dlg.SetMode(true);
    const int result = Run(dlg, [&] {
        QPushButton* ok = Button(dlg, IDOK);
        QTest::mouseClick(ok, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return ok->isEnabled(); }, kWait));
        EXPECT_EQ(Status(dlg), "Read failed");
        EXPECT_EQ(Progress(dlg), 80);
        EXPECT_EQ(m_doc.Image(), docBefore);
        EXPECT_TRUE(dlg.isVisible());
        // The radio answers again once it hears PROGRAM; the read starts over at block 0.
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_EQ(Status(dlg), "Reading data");
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(m_doc.Image(), radio);
    m_radio->Stop();
    EXPECT_EQ(CountSequence(Received("radio.trace"), {0x52, 0x00, 0x00, 0x08}), 2);
}

TEST_F(TransferDlgTest, CancelLeavesTheDocumentAsItWas) {
    StartRadio(Pattern(3));
    const Image docBefore = m_doc.Image();
    CTransferDlg before(m_port, m_doc);
    before.SetMode(true);
    // Esc before OK: nothing reaches the radio.
    EXPECT_EQ(Run(before, [&] { QTest::keyClick(&before, Qt::Key_Escape); }), QDialog::Rejected);

    CTransferDlg dlg(m_port, m_doc);
    dlg.SetMode(true);
    const int result = Run(dlg, [&] {
        QTest::mouseClick(Button(dlg, IDOK), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Progress(dlg) >= 256; }, kWait));
        QTest::mouseClick(Button(dlg, IDCANCEL), Qt::LeftButton);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    const int progress = Progress(dlg);
    QTest::qWait(100);
    EXPECT_EQ(Progress(dlg), progress);
    EXPECT_EQ(m_doc.Image(), docBefore);
    EXPECT_EQ(m_nRefreshed, 0);
    m_radio->Stop();
    const std::vector<int> received = Received("radio.trace");
    EXPECT_EQ(CountSequence(received, {'P', 'R', 'O', 'G', 'R', 'A', 'M'}), 1);
}

// A stop signal while blocks move: the dialog stops at its next tick (the block in flight is
// finished), or at once when the program closes it, releases the port, tells how far the
// transfer came and closes. The radio holds exactly the blocks counted; a read leaves the
// document as it was.
TEST_F(TransferDlgTest, StopSignalStopsTheTransferAndReleasesThePort) {
    for (const bool bRead : {true, false}) {
        const bool bClosedByProgram = !bRead;
        SCOPED_TRACE(bRead ? "read" : "write");
        m_port.Close();
        const Image radio = Pattern(3);
        m_doc.ReplaceImage(radio);
        for (int i = 0; i < 0x350; ++i) {
            m_doc.SetByte(i, static_cast<std::uint8_t>(~radio[i]));
        }
        const Image docBefore = m_doc.Image();
        StartRadio(radio);
        CStopSignals stops;
        CTransferDlg dlg(m_port, m_doc);
        QSignalSpy interrupted(&dlg, &CTransferDlg::transferInterrupted);
        dlg.SetMode(bRead);
        const int result = Run(dlg, [&] {
            Check(dlg, CTransferDlg::kBackupCheckId)->setChecked(false);
            QTest::mouseClick(Button(dlg, IDOK), Qt::LeftButton);
            ASSERT_TRUE(QTest::qWaitFor([&] { return Progress(dlg) >= 256; }, kWait));
            raise(SIGTERM);
            if (bClosedByProgram) {
                dlg.reject();
            }
        });
        EXPECT_EQ(result, QDialog::Rejected);
        EXPECT_FALSE(m_port.IsOpen());
        ASSERT_EQ(interrupted.count(), 1);
        const QString text = interrupted.at(0).at(0).toString();
        EXPECT_EQ(Status(dlg), text);
        const QString prefix = QStringLiteral("Stopped after ");
        ASSERT_TRUE(text.startsWith(prefix)) << text.toStdString();
        const int blocks = text.mid(prefix.size()).section(' ', 0, 0).toInt();
        EXPECT_EQ(text, QStringLiteral("Stopped after %1 of %2 %3")
                            .arg(blocks)
                            .arg(bRead ? 128 : 123)
                            .arg(bRead ? "read" : "written"));
        EXPECT_GT(blocks, 0);
        EXPECT_LT(blocks, bRead ? 128 : 123);
        EXPECT_EQ(m_doc.Image(), docBefore);
        EXPECT_EQ(m_nRefreshed, 0);
        // Neither the lock nor the exclusive use is left on the line.
        EXPECT_EQ(ProbePort(m_radio->Path()), PortOpenOk);
        const int fd = open(m_radio->Path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        int exclusive = 1;
        EXPECT_EQ(ioctl(fd, TIOCGEXCL, &exclusive), 0);
        EXPECT_EQ(exclusive, 0);
        close(fd);
        ASSERT_EQ(m_radio->Stop(), 0);
        if (!bRead) {
            const Image saved = SavedImage("radio.dpm");
            EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + 8 * blocks, docBefore.begin()));
            EXPECT_TRUE(
                std::equal(saved.begin() + 8 * blocks, saved.end(), radio.begin() + 8 * blocks));
        }
    }
}

TEST_F(TransferDlgTest, FailedStartsAreReportedAndCloseTheDialog) {
    struct Case {
        std::vector<std::string> radioOptions; // empty: no radio behind the port
        bool bRead;
        std::vector<int> answers;
        QString text;
        int style;
    };
    const Case cases[] = {
        {{},
         true,
         {IDOK},
         "Port cannot be opened\nNo device " + QString::fromStdString(m_dir.file("absent")),
         MB_OK | MB_ICONHAND},
        {{"--no-ack"}, true, {IDOK}, "Radio does not answer", MB_OK | MB_ICONHAND},
        {{"--short-id"}, true, {IDOK}, "Wrong reply", MB_OK | MB_ICONHAND},
        // A write reads the radio for its backup first.
        {{"--short-id"},
         false,
         {IDOK},
         "No backup, nothing written: Wrong reply",
         MB_OK | MB_ICONHAND},
        {{"--wrong-id"},
         false,
         {IDCANCEL},
         "Other radio type",
         MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        m_port.Close();
        m_radio.reset();
        if (c.radioOptions.empty()) {
            WriteSettings("com1=" + m_dir.file("absent"));
        } else {
            StartRadio(Pattern(3), c.radioOptions);
        }
        MessageBoxRecorder boxes(c.answers);
        CTransferDlg dlg(m_port, m_doc);
        dlg.SetMode(c.bRead);
        const int result = Run(dlg, [&] { QTest::mouseClick(Button(dlg, IDOK), Qt::LeftButton); });
        EXPECT_EQ(result, QDialog::Rejected);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, c.text);
        EXPECT_EQ(boxes.boxes[0].style, c.style);
        EXPECT_EQ(m_nRefreshed, 0);
    }
}

TEST_F(TransferDlgTest, FrameOpensTheConfiguredPortAndClosesItWhenItGoes) {
    StartRadio(Pattern(3));
    // Only the first character of [setup] com counts: 12 is COM1.
    m_dir.write("setting.ini", "[setup]\ncom=12\n[ports]\ncom1=" + m_radio->Path() + "\n");
    {
        CMainFrame frame(m_doc, m_port);
        EXPECT_TRUE(m_port.IsOpen());
        EXPECT_EQ(frame.PortPaneText(), "COM12");
    }
    EXPECT_FALSE(m_port.IsOpen());

    m_dir.write("setting.ini", "[setup]\ncom=2\n[ports]\ncom1=" + m_radio->Path() +
                                   "\ncom2=" + m_dir.file("absent") + "\n");
    {
        CMainFrame frame(m_doc, m_port);
        EXPECT_FALSE(m_port.IsOpen());
    }
}

TEST_F(TransferDlgTest, CtrlRReadsTheRadioThroughTheFrameAndTheMenusFollowTheLanguage) {
    const Image radio = Pattern(3);
    StartRadio(radio);
    CMainFrame frame(m_doc, m_port);
    frame.CommandAction(ID_FILE_NEW)->setText(QStringLiteral("stale"));
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QString title;
    QTimer::singleShot(0, &frame, [&] {
        auto* dlg = qobject_cast<CTransferDlg*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dlg);
        title = dlg->windowTitle();
        QTest::mouseClick(Button(*dlg, IDOK), Qt::LeftButton);
    });
    frame.CommandAction(ID_PROGRAM_READ)->trigger();
    EXPECT_EQ(title, "Read from Radio");
    EXPECT_EQ(m_doc.Image(), radio);
    EXPECT_EQ(frame.CommandAction(ID_FILE_NEW)->text(), "Fresh");
    EXPECT_EQ(frame.CommandAction(ID_PROGRAM_READ)->shortcut(), QKeySequence("Ctrl+R"));
    EXPECT_EQ(frame.CommandAction(ID_PROGRAM_WRITE)->shortcut(), QKeySequence("Ctrl+W"));
}

// The radio restarted on another terminal (the settings name it for COM1): the next Read
// opens COM1 afresh and succeeds at once, and the port pane follows. With no device left
// the message names it and the pane greys out.
TEST_F(TransferDlgTest, ReadAfterTheDeviceWasReplacedReopensThePort) {
    StartRadio(Pattern(3));
    CMainFrame frame(m_doc, m_port);
    auto* pane = frame.findChild<QLabel*>(QStringLiteral("portPane"));
    ASSERT_TRUE(pane);
    EXPECT_TRUE(pane->isEnabled());
    m_radio.reset();
    const Image radio = Pattern(4);
    StartRadio(radio);
    auto read = [&] {
        QTimer::singleShot(0, &frame, [&] {
            auto* dlg = qobject_cast<CTransferDlg*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dlg);
            QTest::mouseClick(Button(*dlg, IDOK), Qt::LeftButton);
        });
        frame.CommandAction(ID_PROGRAM_READ)->trigger();
    };
    read();
    EXPECT_EQ(m_doc.Image(), radio);
    EXPECT_TRUE(pane->isEnabled());
    EXPECT_EQ(pane->toolTip(), QString::fromStdString(m_dir.file("cable") + " open"));
    m_radio->Stop();
    EXPECT_EQ(CountSequence(Received("radio.trace"), {'P', 'R', 'O', 'G', 'R', 'A', 'M'}), 1);

    m_radio.reset();
    Unplug();
    MessageBoxRecorder boxes({IDOK});
    read();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text,
              QString::fromStdString("Port cannot be opened\nNo device " + m_dir.file("cable")));
    EXPECT_FALSE(pane->isEnabled());
}

// The entries the programming history gained since count was taken.
std::vector<SHistoryEntry> HistorySince(std::size_t count) {
    std::vector<SHistoryEntry> all = ReadHistory();
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(count, all.size())), all.end()};
}

// A real message box (not the tests' responder) answered with key once it is up.
void AnswerRealBoxWith(Qt::Key key, int triesLeft = 2000) {
    QTimer::singleShot(10, qApp, [key, triesLeft] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            QTest::keyClick(box, key);
        } else if (triesLeft > 0) {
            AnswerRealBoxWith(key, triesLeft - 1);
        }
    });
}

TEST_F(TransferDlgTest, EnterOnTheWrongTypeQuestionWritesNothing) {
    const Image radio = Pattern(3);
    StartRadio(radio, {"--wrong-id"});
    const std::size_t before = ReadHistory().size();
    const AppMessageBoxResponder testResponder = SetAppMessageBoxResponder({});
    AnswerRealBoxWith(Qt::Key_Return);
    CTransferDlg dlg(m_port, m_doc);
    dlg.SetMode(false);
    const int result = Run(dlg, [&] { QTest::mouseClick(Button(dlg, IDOK), Qt::LeftButton); });
    SetAppMessageBoxResponder(testResponder);
    EXPECT_EQ(result, QDialog::Rejected);
    ASSERT_EQ(m_radio->Stop(), 0);
    EXPECT_EQ(SavedImage("radio.dpm"), radio);
    const std::vector<SHistoryEntry> lines = HistorySince(before);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].operation, "write");
    EXPECT_EQ(lines[0].result, "refused");
}

// The backup is the radio as it was; the write is read back and found equal; the history
// has one line for the write (with its backup) and one for the verify.
TEST_F(TransferDlgTest, WriteKeepsTheRadioAsABackupAndVerifies) {
    const Image radio = Pattern(3);
    const Image written = ForTheRadio(9, radio);
    m_doc.ReplaceImage(written);
    m_doc.FindModel();
    StartRadio(radio);
    const std::size_t before = ReadHistory().size();
    CTransferDlg dlg(m_port, m_doc);
    QSignalSpy completed(&dlg, &CTransferDlg::transferCompleted);
    dlg.SetMode(false);
    const int result = Run(dlg, [&] {
        EXPECT_TRUE(Check(dlg, CTransferDlg::kBackupCheckId)->isChecked());
        Check(dlg, CTransferDlg::kVerifyCheckId)->setChecked(true);
        QTest::mouseClick(Button(dlg, IDOK), Qt::LeftButton);
    });
    ASSERT_EQ(result, QDialog::Accepted);
    ASSERT_FALSE(dlg.BackupPath().empty());
    CDromelPgmDoc backup;
    ASSERT_TRUE(backup.LoadFile(dlg.BackupPath()));
    EXPECT_EQ(backup.Image(), radio);
    ASSERT_TRUE(dlg.Differences().has_value());
    EXPECT_TRUE(dlg.Differences()->empty());
    ASSERT_EQ(completed.count(), 1);
    EXPECT_TRUE(completed.at(0).at(0).toString().startsWith("Verified 123 to COM1"));
    // The check box is remembered for the next write.
    EXPECT_TRUE(CTransferDlg::VerifySetting());
    ASSERT_EQ(m_radio->Stop(), 0);
    const Image saved = SavedImage("radio.dpm");
    EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + 0x3D8, written.begin()));

    const std::vector<SHistoryEntry> lines = HistorySince(before);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].program, "DromelPgm");
    EXPECT_EQ(lines[0].operation, "write");
    EXPECT_EQ(lines[0].result, "ok");
    EXPECT_EQ(lines[0].blocks, 123);
    EXPECT_EQ(lines[0].backup, dlg.BackupPath());
    EXPECT_EQ(lines[0].port, "COM1");
    EXPECT_EQ(lines[0].sha256, Sha256Hex(written.data(), written.size()));
    EXPECT_EQ(lines[0].differences, -1);
    EXPECT_EQ(lines[1].operation, "verify");
    EXPECT_EQ(lines[1].result, "ok");
    EXPECT_EQ(lines[1].differences, 0);
}

// A radio that stops answering during the backup read: the write stops before any block is
// sent, with the backup's own message; no backup file is left.
TEST_F(TransferDlgTest, BackupThatCannotBeReadWritesNothing) {
    const Image radio = Pattern(3);
    StartRadio(radio, {"--silent-after", "10"});
    CTransferDlg dlg(m_port, m_doc);
    dlg.SetMode(false);
    Run(dlg, [&] {
        QPushButton* ok = Button(dlg, IDOK);
        QTest::mouseClick(ok, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return ok->isEnabled(); }, kWait));
        EXPECT_EQ(Status(dlg), "No backup, nothing written: Read failed");
        dlg.reject();
    });
    EXPECT_TRUE(dlg.BackupPath().empty());
    ASSERT_EQ(m_radio->Stop(), 0);
    EXPECT_EQ(SavedImage("radio.dpm"), radio);
}

// A block the radio refuses: the write gives up and says how many blocks the radio took and
// which backup holds its old memory; after a Cancel confirmed mid-write, the same.
TEST_F(TransferDlgTest, StoppedWriteNamesTheBlocksTheRadioTook) {
    m_doc.ReplaceImage(ForTheRadio(50, Pattern(3)));
    StartRadio(Pattern(3), {"--nak-block", "256"});
    CTransferDlg failed(m_port, m_doc);
    failed.SetMode(false);
    Run(failed, [&] {
        QPushButton* ok = Button(failed, IDOK);
        QTest::mouseClick(ok, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return ok->isEnabled(); }, kWait));
        EXPECT_TRUE(Status(failed).startsWith("Radio took 32 of 123, backup at ") &&
                    Status(failed).endsWith(", restore it from the menu"))
            << Status(failed).toStdString();
        failed.reject();
    });

    m_port.Close();
    StartRadio(Pattern(3));
    MessageBoxRecorder boxes({IDNO, IDYES, IDOK});
    CTransferDlg cancelled(m_port, m_doc);
    cancelled.SetMode(false);
    const int result = Run(cancelled, [&] {
        Check(cancelled, CTransferDlg::kBackupCheckId)->setChecked(false);
        QTest::mouseClick(Button(cancelled, IDOK), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Progress(cancelled) >= 256; }, kWait));
        // No: the write goes on.
        QTest::mouseClick(Button(cancelled, IDCANCEL), Qt::LeftButton);
        EXPECT_TRUE(cancelled.isVisible());
        const int progress = Progress(cancelled);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Progress(cancelled) > progress; }, kWait));
        QTest::mouseClick(Button(cancelled, IDCANCEL), Qt::LeftButton);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    ASSERT_EQ(boxes.boxes.size(), 3u);
    EXPECT_TRUE(boxes.boxes[0].text.startsWith("Stop? "));
    const QString prefix = QStringLiteral("Radio took ");
    ASSERT_TRUE(boxes.boxes[2].text.startsWith(prefix)) << boxes.boxes[2].text.toStdString();
    const int blocks = boxes.boxes[2].text.mid(prefix.size()).section(' ', 0, 0).toInt();
    EXPECT_EQ(boxes.boxes[2].text, QStringLiteral("Radio took %1 of 123, no backup").arg(blocks));
    EXPECT_EQ(boxes.boxes[1].text, QStringLiteral("Stop? %1 of 123").arg(blocks));
    ASSERT_EQ(m_radio->Stop(), 0);
    const Image saved = SavedImage("radio.dpm");
    EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + 8 * blocks, m_doc.Image().begin()));
    EXPECT_TRUE(
        std::equal(saved.begin() + 8 * blocks, saved.end(), Pattern(3).begin() + 8 * blocks));
}

// Compare reads the radio into a document of its own: the form's document stays, and the
// differences are named by meaning.
TEST_F(TransferDlgTest, CompareNamesTheDifferencesAndLeavesTheDocument) {
    m_doc.ReplaceImage(Pattern(3));
    StartRadio(Pattern(3));
    m_doc.SetFreqText(1, true, "446.00625");
    const Image docBefore = m_doc.Image();
    CTransferDlg dlg(m_port, m_doc);
    dlg.SetJob(ETransferJob::kCompare);
    ASSERT_EQ(Run(dlg, [&] { QTest::mouseClick(Button(dlg, IDOK), Qt::LeftButton); }),
              QDialog::Accepted);
    EXPECT_EQ(m_doc.Image(), docBefore);
    ASSERT_TRUE(dlg.Differences().has_value());
    ASSERT_FALSE(dlg.Differences()->empty());
    const QString text = CDifferencesDlg::DifferencesText(*dlg.Differences());
    EXPECT_TRUE(text.startsWith("ch1 rx: file 446.00625, radio ")) << text.toStdString();
}

// Runs action on the active modal window once it is a TDlg, checking every 10 ms.
template <class TDlg> void WhenShown(std::function<void(TDlg&)> action, int triesLeft = 2000) {
    QTimer::singleShot(10, qApp, [action, triesLeft] {
        if (auto* dlg = qobject_cast<TDlg*>(QApplication::activeModalWidget())) {
            action(*dlg);
        } else if (triesLeft > 0) {
            WhenShown<TDlg>(action, triesLeft - 1);
        }
    });
}

// Restore Backup lists the newest backup first and writes it back byte for byte, keeping a
// backup of the radio as it was; the form's document stays as it is.
TEST_F(TransferDlgTest, RestoreWritesTheChosenBackupBack) {
    const Image radio = Pattern(3);
    CDromelPgmDoc kept;
    kept.NewDocument();
    kept.ReplaceImage(ForTheRadio(7, radio));
    // A day ahead: newer than every backup the other tests of this run keep.
    const std::time_t tomorrow = std::time(nullptr) + 24 * 3600;
    const SBackupSaved saved = SaveBackup(kept, "COM1", tomorrow);
    ASSERT_TRUE(saved.result);
    StartRadio(radio);
    const std::size_t before = ReadHistory().size();
    CMainFrame frame(m_doc, m_port);
    const Image docBefore = m_doc.Image();
    QString newest;
    WhenShown<CRestoreDlg>([&](CRestoreDlg& dlg) {
        QTreeWidgetItem* first = dlg.List()->topLevelItem(0);
        ASSERT_TRUE(first);
        newest = first->text(0);
        EXPECT_EQ(first->text(1), "COM1");
        EXPECT_EQ(dlg.List()->currentItem(), first);
        QTest::keyClick(&dlg, Qt::Key_Return);
        WhenShown<CTransferDlg>([](CTransferDlg& transfer) {
            EXPECT_EQ(transfer.windowTitle(), "Restore Backup to Radio");
            QTest::mouseClick(Button(transfer, IDOK), Qt::LeftButton);
        });
    });
    frame.CommandAction(ID_PROGRAM_RESTORE)->trigger();
    EXPECT_EQ(newest, CRestoreDlg::StampText(BackupStamp(tomorrow)));
    EXPECT_EQ(m_doc.Image(), docBefore);
    ASSERT_EQ(m_radio->Stop(), 0);
    const Image restored = SavedImage("radio.dpm");
    EXPECT_TRUE(std::equal(restored.begin(), restored.begin() + 0x3D8, kept.Image().begin()));
    const std::vector<SHistoryEntry> lines = HistorySince(before);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].operation, "restore");
    EXPECT_EQ(lines[0].file, saved.path);
    CDromelPgmDoc backup;
    ASSERT_TRUE(backup.LoadFile(lines[0].backup));
    EXPECT_EQ(backup.Image(), radio);
}

} // namespace
