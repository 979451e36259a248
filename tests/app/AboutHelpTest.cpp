#include "app/AboutDlg.h"
#include "app/AppPaths.h"
#include "app/CommandIds.h"
#include "app/DialogBuilder.h"
#include "app/HelpWnd.h"
#include "app/LangString.h"

#include "CommandFixture.h"

#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include <filesystem>

namespace {

constexpr int kWait = 30000; // ms; only a hang takes this long

class AboutBox : public SetupCommands {
protected:
    void SetUp() override {
        folder.CopyShippedLanguage("lang_en");
        ASSERT_TRUE(Start("[setup]\nlanguage=lang_en\n"));
    }
    // Moves the mouse to pos of the dialog and returns the cursor shape it shows there.
    static Qt::CursorShape CursorAt(CAboutDlg& dlg, QPoint pos) {
        QTest::mouseMove(dlg.windowHandle(), pos);
        return dlg.cursor().shape();
    }
    QUrl StartPage() const {
        return QUrl::fromLocalFile(
            QString::fromStdString(folder.dir.file("help/lang_en/index.html")));
    }
};

class Help : public SetupCommands {
protected:
    void SetUp() override {
        folder.CopyShippedLanguage("lang_en");
        folder.CopyShippedLanguage("lang_cn");
    }
    void CopyBuiltHelp(const std::string& name) const {
        std::filesystem::copy_file(std::string(DROMEL_BIN_DIR) + "/" + name, folder.dir.file(name));
    }
    CHelpWnd* Window() const { return Frame().HelpWindow(); }
    QUrl Page() const { return Window()->Browser()->source(); }
    // The help's start page for the help set of the language file title.
    static QUrl StartOf(const char* title) {
        return QUrl(QStringLiteral("qthelp://org.dromelpgm.help.%1/doc/index.html")
                        .arg(QLatin1String(title)));
    }
    // Types word into the index and opens what it finds.
    void LookUp(const QString& word) const {
        QHelpIndexModel* index = Window()->Engine()->indexModel();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return !index->isCreatingIndex() && index->rowCount() > 0; }, kWait));
        Window()->Tabs()->setCurrentIndex(1);
        QTest::keyClicks(Window()->IndexFilter(), word);
        QTest::keyClick(Window()->IndexFilter(), Qt::Key_Return);
    }
    // Searches the help's pages for word through the search pane; returns the pages found.
    QStringList Search(const QString& word) const {
        Window()->Tabs()->setCurrentIndex(2);
        // Typed as an input method would give it: the test keyboard has only ASCII keys.
        Window()->SearchInput()->setText(word);
        QTest::mouseClick(Window()->SearchButton(), Qt::LeftButton);
        QStringList pages;
        for (int i = 0; i < Window()->SearchResults()->count(); ++i) {
            pages.append(Window()->SearchResults()->item(i)->data(Qt::UserRole).toUrl().path());
        }
        EXPECT_FALSE(pages.isEmpty()) << word.toStdString();
        return pages;
    }
};

} // namespace

TEST_F(AboutBox, HandCursorExactlyOverTheLinkArea) {
    WithDialog<CAboutDlg>(ID_APP_ABOUT, [&](CAboutDlg& dlg) {
        QWidget* area = GetDlgItem(&dlg, CAboutDlg::kLinkAreaId);
        ASSERT_NE(area, nullptr);
        EXPECT_FALSE(area->isVisible());
        const QRect link = area->geometry();
        ASSERT_FALSE(link.isEmpty());
        for (QPoint inside :
             {link.topLeft(), link.bottomRight(), link.center(), QPoint(link.right(), link.top()),
              QPoint(link.left(), link.bottom())}) {
            EXPECT_EQ(CursorAt(dlg, inside), Qt::PointingHandCursor)
                << inside.x() << "," << inside.y();
        }
        for (QPoint outside :
             {link.topLeft() - QPoint(1, 0), link.topLeft() - QPoint(0, 1),
              link.bottomRight() + QPoint(1, 0), link.bottomRight() + QPoint(0, 1), QPoint(2, 2)}) {
            EXPECT_EQ(CursorAt(dlg, outside), Qt::ArrowCursor) << outside.x() << "," << outside.y();
        }
    });
}

TEST_F(AboutBox, ClickOutsideTheLinkKeepsTheBoxAClickOnItOpensTheAddressAndCloses) {
    OpenUrlRecorder desktop;
    WithDialog<CAboutDlg>(ID_APP_ABOUT, [&](CAboutDlg& dlg) {
        const QRect link = dlg.LinkRect();
        QTest::mouseClick(&dlg, Qt::LeftButton, {}, link.bottomRight() + QPoint(1, 1));
        QTest::mouseClick(&dlg, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_TRUE(desktop.urls.empty());
        QTest::mouseClick(&dlg, Qt::LeftButton, {}, link.center());
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    });
    ASSERT_EQ(desktop.urls.size(), 1u);
    EXPECT_EQ(desktop.urls[0], StartPage());
}

TEST_F(AboutBox, EscEnterAndTheCloseBoxClose) {
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        WithDialog<CAboutDlg>(ID_APP_ABOUT, [&](CAboutDlg& dlg) {
            QTest::keyClick(&dlg, static_cast<Qt::Key>(key));
            EXPECT_FALSE(dlg.isVisible()) << key;
        });
    }
    WithDialog<CAboutDlg>(ID_APP_ABOUT, [&](CAboutDlg& dlg) {
        EXPECT_TRUE(dlg.close());
        EXPECT_FALSE(dlg.isVisible());
    });
}

TEST_F(AboutBox, VersionLabelComesFromTheLanguageFile) {
    WithDialog<CAboutDlg>(ID_APP_ABOUT, [&](CAboutDlg& dlg) {
        EXPECT_EQ(GetControlText(GetDlgItem(&dlg, CAboutDlg::kVersionId)),
                  QStringLiteral("Version ") + QStringLiteral(DROMEL_VERSION));
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("About DromelPgm"));
    });
    folder.dir.write("lang_en.lng", "[String]\nIDS_ABOUT_LINK=x\n");
    WithDialog<CAboutDlg>(ID_APP_ABOUT, [&](CAboutDlg& dlg) {
        EXPECT_EQ(GetControlText(GetDlgItem(&dlg, CAboutDlg::kVersionId)),
                  QStringLiteral("Version"));
    });
}

// The shipped language files carry the version the build knows.
TEST(ShippedLanguages, VersionLabelIsTheBuildsVersion) {
    EXPECT_EQ(QCoreApplication::applicationVersion(), QStringLiteral(DROMEL_VERSION));
    const std::pair<const char*, const char*> files[] = {{"lang_en", "Version "},
                                                         {"lang_cn", "版本 "}};
    for (const auto& [name, prefix] : files) {
        const std::string path = std::string(DROMEL_SOURCE_DIR) + "/res/" + name + ".lng";
        EXPECT_EQ(GetPrivateProfileString("Resource", "^1300", "", 100, path),
                  std::string(prefix) + DROMEL_VERSION)
            << name;
    }
}

TEST_F(Help, OpensOnTheStartPageOfTheLanguageAndFollowsAChange) {
    CopyBuiltHelp("lang_en.qch");
    CopyBuiltHelp("lang_cn.qch");
    ASSERT_TRUE(Start("[setup]\nlanguage=lang_en\n"));
    Command(ID_HELP_HELP)->trigger();
    ASSERT_NE(Window(), nullptr);
    EXPECT_TRUE(Window()->isVisible());
    EXPECT_EQ(Window()->HelpFile(), QString::fromStdString(folder.dir.file("lang_en.qch")));
    EXPECT_EQ(Page(), StartOf("lang_en"));
    EXPECT_EQ(Window()->Browser()->documentTitle(), QStringLiteral("DromelPgm Help"));
    EXPECT_EQ(Window()->windowTitle(), QStringLiteral("DromelPgm Help"));

    Command(ID_NEXT_LANGUAGE)->trigger(); // lang_cn comes before lang_en
    EXPECT_EQ(Page(), StartOf("lang_cn"));
    EXPECT_EQ(Window()->Browser()->documentTitle(), QStringLiteral("DromelPgm 帮助"));
    EXPECT_EQ(Window()->windowTitle(), QStringLiteral("DromelPgm 帮助"));
    EXPECT_EQ(Window()->Tabs()->tabText(0), QStringLiteral("目录"));

    // Back and forward between pages of the help.
    Window()->Browser()->setSource(
        StartOf("lang_cn").resolved(QUrl(QStringLiteral("messages.html"))));
    Window()->Browser()->backward();
    EXPECT_EQ(Page(), StartOf("lang_cn"));
}

TEST_F(Help, IndexAndSearchFindDialoutInEachLanguage) {
    CopyBuiltHelp("lang_en.qch");
    CopyBuiltHelp("lang_cn.qch");
    for (const char* language : {"lang_en", "lang_cn"}) {
        ASSERT_TRUE(Start(std::string("[setup]\nlanguage=") + language + "\n"));
        Command(ID_HELP_HELP)->trigger();
        ASSERT_NE(Window()->Engine(), nullptr) << language;
        LookUp(QStringLiteral("dialout"));
        EXPECT_EQ(Page().path(), QStringLiteral("/doc/connect.html")) << language;
        EXPECT_EQ(Page().fragment(), QStringLiteral("dialout")) << language;
        EXPECT_TRUE(Search(QStringLiteral("dialout")).contains(QStringLiteral("/doc/connect.html")))
            << language;
    }
}

TEST_F(Help, MissingHelpFileIsReportedInTheWindowByName) {
    ASSERT_TRUE(Start("[setup]\nlanguage=lang_en\n"));
    OpenUrlRecorder desktop;
    Command(ID_HELP_HELP)->trigger();
    ASSERT_NE(Window(), nullptr);
    EXPECT_TRUE(Window()->isVisible());
    EXPECT_EQ(Window()->Engine(), nullptr);
    EXPECT_EQ(Window()->Browser()->toPlainText(),
              QStringLiteral("The help file %1 was not found. Install the program again, or "
                             "copy the help file beside it.")
                  .arg(QString::fromStdString(folder.dir.file("lang_en.qch"))));
    EXPECT_TRUE(desktop.urls.empty());
}

TEST_F(Help, OnlyACompiledHtmlHelpFileGoesToTheDesktopsViewer) {
    folder.dir.write("lang_en.chm", "ITSF");
    ASSERT_TRUE(Start("[setup]\nlanguage=lang_en\n"));
    OpenUrlRecorder desktop;
    Command(ID_HELP_HELP)->trigger();
    ASSERT_EQ(desktop.urls.size(), 1u);
    EXPECT_EQ(desktop.urls[0],
              QUrl::fromLocalFile(QString::fromStdString(folder.dir.file("lang_en.chm"))));
    EXPECT_TRUE(Window() == nullptr || !Window()->isVisible());
}

// Words of a language written without spaces are found inside longer runs of text.
TEST_F(Help, SearchFindsEveryPageHoldingTheTextInBothLanguages) {
    CopyBuiltHelp("lang_en.qch");
    CopyBuiltHelp("lang_cn.qch");
    ASSERT_TRUE(Start("[setup]\nlanguage=lang_cn\n"));
    Command(ID_HELP_HELP)->trigger();
    ASSERT_NE(Window()->Engine(), nullptr);
    EXPECT_EQ(Window()->SearchButton()->text(), QStringLiteral("搜索"));
    EXPECT_GE(Search(QStringLiteral("频率")).size(), 3);
    EXPECT_TRUE(Search(QStringLiteral("亚音")).contains(QStringLiteral("/doc/editing.html")));
    EXPECT_TRUE(Search(QStringLiteral("测试频率")).contains(QStringLiteral("/doc/editing.html")));
    ASSERT_TRUE(Start("[setup]\nlanguage=lang_en\n"));
    Command(ID_HELP_HELP)->trigger();
    const QStringList pages = Search(QStringLiteral("  RASTER "));
    EXPECT_EQ(pages.value(0), QStringLiteral("/doc/editing.html"));
}
