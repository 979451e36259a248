// The keyboard stays with the program: when the transfer dialog and its message boxes close,
// the main window is the active window again and its shortcuts work without a click.
#include "app/AppMessageBox.h"
#include "app/DromelPgmApp.h"
#include "app/LangText.h"
#include "app/MainFrm.h"

#include "AppTestFolder.h"
#include "link/PtyPeer.h"
#include "link/SimRadioProcess.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs action on the active modal window once it is one that matches, checking again every
// 10 ms (for at most 30 s) while the program waits in a modal loop or on the radio.
void WhenModal(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> action,
               int triesLeft = 3000) {
    QTimer::singleShot(10, qApp, [matches, action, triesLeft] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && matches(modal)) {
            action(modal);
        } else if (triesLeft > 0) {
            WhenModal(matches, action, triesLeft - 1);
        }
    });
}

bool IsMessageBox(QWidget* widget) {
    return qobject_cast<QMessageBox*>(widget) != nullptr;
}

bool IsTransferDialog(QWidget* widget) {
    return !IsMessageBox(widget) && qobject_cast<QDialog*>(widget) != nullptr;
}

class FocusReturn : public ::testing::Test {
protected:
    void SetUp() override { m_previous = SetAppMessageBoxResponder({}); }
    void TearDown() override {
        SetAppMessageBoxResponder(m_previous);
        app.GetDocument().SetModifiedFlag(false);
    }

    // Starts the program with COM1 on device.
    void Start(const std::string& device) {
        folder.CopyShippedLanguage("lang_en");
        folder.dir.write(
            "setting.ini",
            WithModelTable("[setup]\nlanguage=lang_en\ncom=1\n[ports]\ncom1=" + device + "\n"));
        ASSERT_TRUE(app.InitInstance(folder.dir.path(), {}));
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }

    // Ctrl+R (read) or Ctrl+W (write), OK in the transfer dialog, and the box that comes up
    // answered with key; returns the box's text.
    QString TransferAndAnswerTheBox(Qt::Key command, Qt::Key key) {
        QString text;
        WhenModal(IsTransferDialog,
                  [](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
        WhenModal(IsMessageBox, [key, &text](QWidget* box) {
            text = qobject_cast<QMessageBox*>(box)->text();
            QTest::keyClick(box, key);
        });
        QTest::keyClick(QApplication::focusWidget(), command, Qt::ControlModifier);
        QTest::qWait(50);
        return text;
    }

    void ExpectKeyboardInTheMainWindow() const {
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(QApplication::activeWindow(), &Frame());
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->window(), &Frame());
    }

    CMainFrame& Frame() const { return *app.MainFrame(); }

    CDromelPgmApp& app = *CDromelPgmApp::Instance();
    AppTestFolder folder;

private:
    AppMessageBoxResponder m_previous;
};

} // namespace

TEST_F(FocusReturn, AfterThePortCannotBeOpened) {
    Start(folder.dir.file("no-such-device"));
    // The message names the device after the general text.
    EXPECT_TRUE(TransferAndAnswerTheBox(Qt::Key_R, Qt::Key_Escape)
                    .startsWith(LangText("IDS_ERROR_PORTOPEN")));
    ExpectKeyboardInTheMainWindow();
}

TEST_F(FocusReturn, AfterTheRadioDoesNotAnswer) {
    PtyPeer silent;
    Start(silent.path);
    EXPECT_EQ(TransferAndAnswerTheBox(Qt::Key_R, Qt::Key_Return), LangText("IDS_ERROR_PORTCONN"));
    ExpectKeyboardInTheMainWindow();

    // Ctrl+N reaches the main window: the question about clearing the data comes up.
    bool asked = false;
    WhenModal(IsMessageBox, [&asked](QWidget* box) {
        asked = true;
        QTest::keyClick(box, Qt::Key_Escape);
    });
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(asked);
}

TEST_F(FocusReturn, AfterCancelOnTheTypeQuestion) {
    SimRadioProcess radio({"--fast", "--wrong-id"});
    ASSERT_FALSE(radio.Path().empty());
    Start(radio.Path());
    EXPECT_EQ(TransferAndAnswerTheBox(Qt::Key_W, Qt::Key_Escape), LangText("IDS_CONFIRM_TYPE"));
    ExpectKeyboardInTheMainWindow();
}
