#include "app/AppMessageBox.h"

#include "AppTestFolder.h"

#include <QApplication>
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
