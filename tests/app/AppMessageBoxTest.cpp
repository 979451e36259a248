#include "app/AppMessageBox.h"

#include "AppTestFolder.h"

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Shows the real box with style and answers it with key once it is up.
int AnswerRealBox(int style, Qt::Key key, QString* caption = nullptr) {
    QTimer::singleShot(0, [key, caption] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (caption) {
            *caption = box->windowTitle();
        }
        QTest::keyClick(box, key);
    });
    return AppMessageBox(QStringLiteral("text"), QString(), style);
}

} // namespace

TEST(AppMessageBox, ButtonsAnswerWithTheirWindowsValues) {
    const AppMessageBoxResponder testResponder = SetAppMessageBoxResponder({});
    QString caption;
    EXPECT_EQ(AnswerRealBox(MB_OK | MB_ICONHAND, Qt::Key_Escape, &caption), IDOK);
    EXPECT_EQ(caption, QApplication::applicationName());
    EXPECT_EQ(AnswerRealBox(MB_OKCANCEL | MB_ICONQUESTION, Qt::Key_Escape), IDCANCEL);
    EXPECT_EQ(AnswerRealBox(MB_OKCANCEL, Qt::Key_Return), IDOK);
    EXPECT_EQ(AnswerRealBox(MB_OKCANCEL | MB_DEFBUTTON2, Qt::Key_Return), IDCANCEL);
    EXPECT_EQ(AnswerRealBox(MB_YESNO | MB_DEFBUTTON2, Qt::Key_Return), IDNO);
    EXPECT_EQ(AnswerRealBox(MB_YESNO, Qt::Key_Escape), IDNO);
    EXPECT_EQ(AnswerRealBox(MB_YESNOCANCEL | MB_ICONEXCLAMATION, Qt::Key_Escape), IDCANCEL);
    EXPECT_EQ(AnswerRealBox(MB_YESNOCANCEL, Qt::Key_Y), IDYES);
    SetAppMessageBoxResponder(testResponder);
}

TEST(AppMessageBox, ResponderAnswersInsteadOfTheBox) {
    MessageBoxRecorder boxes({IDNO});
    EXPECT_EQ(AppMessageBox(QStringLiteral("Save?"), QStringLiteral("Prompt"), MB_YESNOCANCEL),
              IDNO);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Prompt"));
    EXPECT_EQ(boxes.boxes[0].style, MB_YESNOCANCEL);
}

// A box belongs to the modal dialog the user is in, else to the main window, even when no
// window is active: a box without an owner leaves the keyboard nowhere once it closes.
TEST(AppMessageBox, BoxBelongsToTheOpenDialogElseToTheMainWindow) {
    const AppMessageBoxResponder testResponder = SetAppMessageBoxResponder({});
    QMainWindow main;
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QWidget other;
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    other.hide();
    ASSERT_EQ(QApplication::activeWindow(), nullptr);

    QWidget* owner = nullptr;
    const auto answerAndNoteOwner = [&owner] {
        QTimer::singleShot(0, [&owner] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_TRUE(qobject_cast<QMessageBox*>(box));
            owner = box->parentWidget();
            QTest::keyClick(box, Qt::Key_Escape);
        });
    };
    answerAndNoteOwner();
    AppMessageBox(QStringLiteral("text"), QString(), MB_OK);
    EXPECT_EQ(owner, &main);

    QDialog dialog(&main);
    QTimer::singleShot(0, &dialog, [&] {
        answerAndNoteOwner();
        AppMessageBox(QStringLiteral("text"), QString(), MB_OK);
        dialog.reject();
    });
    dialog.exec();
    EXPECT_EQ(owner, &dialog);
    SetAppMessageBoxResponder(testResponder);
}
