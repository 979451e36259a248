// Qt's own texts (standard buttons, file dialogs, the editors' context menus) follow the
// locale the language file in force names in [Face] locale.
#include "app/AppMessageBox.h"
#include "app/AppPaths.h"
#include "app/DromelPgmApp.h"

#include "AppTestFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The texts of the buttons of a real OK/Cancel box, in order.
QStringList StandardButtonTexts() {
    const AppMessageBoxResponder testResponder = SetAppMessageBoxResponder({});
    QStringList texts;
    QTimer::singleShot(0, [&texts] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        texts.append(box->button(QMessageBox::Ok)->text());
        texts.append(box->button(QMessageBox::Cancel)->text());
        QTest::keyClick(box, Qt::Key_Escape);
    });
    AppMessageBox(QStringLiteral("text"), QString(), MB_OKCANCEL);
    SetAppMessageBoxResponder(testResponder);
    return texts;
}

QString FileDialogOverwriteQuestion() {
    return QCoreApplication::translate("QFileDialog",
                                       "%1 already exists.\nDo you want to replace it?");
}

class QtTranslation : public ::testing::Test {
protected:
    void TearDown() override {
        app.GetDocument().SetModifiedFlag(false);
        SetLanguageName("lang_en");
        app.ApplyLanguage();
    }

    CDromelPgmApp& app = *CDromelPgmApp::Instance();
    AppTestFolder folder;
};

} // namespace

TEST_F(QtTranslation, StandardTextsFollowTheLanguageFromStartToEachChange) {
    folder.CopyShippedLanguage("lang_en");
    folder.CopyShippedLanguage("lang_cn");
    folder.dir.write("setting.ini", WithModelTable("[setup]\nlanguage=lang_cn\n"));
    ASSERT_TRUE(app.InitInstance(folder.dir.path(), {}));
    EXPECT_EQ(StandardButtonTexts(), (QStringList{QStringLiteral("确定"), QStringLiteral("取消")}));
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Undo"), QStringLiteral("撤消(&U)"));
    EXPECT_TRUE(FileDialogOverwriteQuestion().contains(QStringLiteral("已存在")));

    SetLanguageName("lang_en");
    app.ApplyLanguage();
    EXPECT_EQ(StandardButtonTexts(), (QStringList{QStringLiteral("OK"), QStringLiteral("Cancel")}));
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Undo"), QStringLiteral("&Undo"));

    SetLanguageName("lang_cn");
    app.ApplyLanguage();
    EXPECT_EQ(StandardButtonTexts(), (QStringList{QStringLiteral("确定"), QStringLiteral("取消")}));
}

// A language file without [Face] locale leaves Qt's texts in English.
TEST_F(QtTranslation, LanguageWithoutLocaleIsEnglish) {
    folder.dir.write("lang_xx.lng", "[Face]\ndisp=Other\n");
    folder.dir.write("setting.ini", WithModelTable("[setup]\nlanguage=lang_xx\n"));
    ASSERT_TRUE(app.InitInstance(folder.dir.path(), {}));
    EXPECT_EQ(StandardButtonTexts(), (QStringList{QStringLiteral("OK"), QStringLiteral("Cancel")}));
    EXPECT_EQ(FileDialogOverwriteQuestion(),
              QStringLiteral("%1 already exists.\nDo you want to replace it?"));
}
