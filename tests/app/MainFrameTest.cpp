#include "app/AppPaths.h"
#include "app/CommandTable.h"
#include "app/DialogBuilder.h"
#include "app/DromelPgmApp.h"
#include "app/MainFrm.h"
#include "link/TestModeDlg.h"
#include "views/TestFreqDlg.h"

#include "AppTestFolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

struct MenuText {
    std::string key;
    std::string text; // as the language file writes it ("\t" two characters)
};

// The MENU_ keys of the shipped English language file, in the order the file holds them.
std::vector<MenuText> ShippedMenuTexts() {
    std::ifstream in(std::string(DROMEL_SOURCE_DIR) + "/res/lang_en.lng");
    std::vector<MenuText> texts;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::size_t equals = line.find('=');
        if (line.rfind("MENU_", 0) == 0 && equals != std::string::npos) {
            texts.push_back({line.substr(0, equals), line.substr(equals + 1)});
        }
    }
    return texts;
}

// The text as the menu shows it: "\t" in the file stands for a tab.
std::string Shown(std::string text) {
    for (std::size_t i = text.find("\\t"); i != std::string::npos; i = text.find("\\t", i)) {
        text.replace(i, 2, "\t");
    }
    return text;
}

// The shipped menu texts, each after prefix.
std::string MenuLanguage(const std::string& prefix) {
    std::string text = "[String]\n";
    for (const MenuText& m : ShippedMenuTexts()) {
        text += m.key + "=" + prefix + m.text + "\n";
    }
    return text;
}

// The ids of a menu's or toolbar's items in order; 0 for a separator.
std::vector<int> ItemIds(const QList<QAction*>& actions) {
    std::vector<int> ids;
    for (const QAction* action : actions) {
        ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
    }
    return ids;
}

// The menus of the menu bar, by position.
const char* const kMenuKeys[] = {"MENU_FILE", "MENU_EDIT", "MENU_PROGRAM", "MENU_SETUP",
                                 "MENU_HELP"};
constexpr int kMenuCount = static_cast<int>(std::size(kMenuKeys));

class StartUp : public ::testing::Test {
protected:
    void TearDown() override {
        QSettings().remove(QStringLiteral("Recent File List"));
        app.GetDocument().SetModifiedFlag(false);
    }

    bool Start(const std::string& setting, const QStringList& arguments = {}) {
        folder.dir.write("setting.ini", WithModelTable(setting));
        return app.InitInstance(folder.dir.path(), arguments);
    }
    CMainFrame& Frame() const { return *app.MainFrame(); }
    QMenu* Menu(int position) const { return Frame().menuBar()->actions()[position]->menu(); }
    QString MenuBarText(int position) const {
        return Frame().menuBar()->actions()[position]->text();
    }
    QString CommandText(int id) const { return Frame().CommandAction(id)->text(); }
    // The items of the menus in order, without separators and recent files.
    std::vector<QAction*> CommandActions() const {
        std::vector<QAction*> actions;
        for (int position = 0; position < kMenuCount; ++position) {
            for (QAction* action : Menu(position)->actions()) {
                const int id = action->data().toInt();
                if (!action->isSeparator() &&
                    (id < ID_FILE_MRU_FILE1 || id > ID_FILE_MRU_FILE1 + 3)) {
                    actions.push_back(action);
                }
            }
        }
        return actions;
    }

    CDromelPgmApp& app = *CDromelPgmApp::Instance();
    AppTestFolder folder;
};

} // namespace

TEST_F(StartUp, WithoutSettingFileTheProgramStopsWithTheFixedMessage) {
    folder.CopyShippedLanguage("lang_en");
    MessageBoxRecorder boxes;
    EXPECT_FALSE(app.InitInstance(folder.dir.path(), {}));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Can not find the file setting.ini!"));
    EXPECT_EQ(boxes.boxes[0].style, MB_ICONHAND);
    EXPECT_EQ(app.MainFrame(), nullptr);
}

TEST_F(StartUp, ABrokenSettingFileIsNamedAndTheProgramStartsWithWhatItHas) {
    folder.CopyShippedLanguage("lang_en");
    folder.CopyShippedLanguage("lang_cn");
    const std::string path = folder.dir.file("setting.ini");
    const struct {
        std::string content; // empty: a folder
        QString en;
        QString cn;
    } cases[] = {
        {"", QStringLiteral(" is not a file (it is a folder or a device)"),
         QStringLiteral(" 不是文件（而是文件夹或设备）")},
        {std::string("\x00\xFF\x13garbage\x00[mod", 14),
         QStringLiteral(" names no radio models (section [model]"),
         QStringLiteral(" 中没有对讲机机型")},
        {"[setup]\nlanguage=lang_cn\n[model]\n; none yet\n", QString(),
         QStringLiteral(" 中没有对讲机机型")},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(path);
        if (c.content.empty()) {
            std::filesystem::create_directory(path);
        } else {
            folder.dir.write("setting.ini", c.content);
        }
        const bool chinese = c.en.isEmpty() || QLocale::system().name() == QStringLiteral("zh_CN");
        MessageBoxRecorder boxes;
        ASSERT_TRUE(app.InitInstance(folder.dir.path(), {})) << c.content;
        ASSERT_EQ(boxes.boxes.size(), 1u) << c.content;
        EXPECT_EQ(boxes.boxes[0].text.left(boxes.boxes[0].text.indexOf(QLatin1Char('/'))),
                  chinese ? QStringLiteral("设置文件 ") : QStringLiteral("The settings file "));
        EXPECT_TRUE(
            boxes.boxes[0].text.contains(QString::fromStdString(path) + (chinese ? c.cn : c.en)))
            << boxes.boxes[0].text.toStdString();
        EXPECT_EQ(boxes.boxes[0].caption,
                  chinese ? QStringLiteral("错误") : QStringLiteral("Error"));
        EXPECT_EQ(boxes.boxes[0].style, MB_OK | MB_ICONEXCLAMATION);
        EXPECT_TRUE(Frame().isVisible());
    }
    std::filesystem::remove_all(path);
}

TEST_F(StartUp, LanguageFromTheSettingFileShowsChinese) {
    folder.CopyShippedLanguage("lang_en");
    folder.CopyShippedLanguage("lang_cn");
    ASSERT_TRUE(Start("[setup]\nlanguage=lang_cn\n"));
    EXPECT_EQ(g_strLangFile, folder.dir.file("lang_cn.lng"));
    EXPECT_EQ(MenuBarText(0), QStringLiteral("文件(&F)"));
    EXPECT_EQ(CommandText(ID_PROGRAM_READ), QStringLiteral("读取对讲机(&R)\tCtrl+R"));
    EXPECT_EQ(GetControlText(GetDlgItem(Frame().FormView(), 1203)), QStringLiteral("监听键"));
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_TRUE(Frame().acceptDrops());
}

TEST_F(StartUp, LanguageValueIsUsedUnchanged) {
    folder.CopyShippedLanguage("lang_cn");
    ASSERT_TRUE(Start("[setup]\nlanguage=lang_cn.lng\n"));
    EXPECT_EQ(g_strLangFile, folder.dir.file("lang_cn.lng.lng"));
    EXPECT_EQ(MenuBarText(0), QStringLiteral("Not Found"));
}

TEST_F(StartUp, EmptySettingFileStartsInTheLocaleLanguageOnPort1) {
    if (QLocale::system().name() == QStringLiteral("zh_CN")) {
        GTEST_SKIP() << "the English choice needs a locale other than Chinese (China)";
    }
    folder.CopyShippedLanguage("lang_en");
    folder.dir.write("setting.ini", "");
    MessageBoxRecorder boxes;
    ASSERT_TRUE(app.InitInstance(folder.dir.path(), {}));
    ASSERT_EQ(boxes.boxes.size(), 1u); // the empty file names no models
    EXPECT_TRUE(boxes.boxes[0].text.contains(QStringLiteral("names no radio models")));
    EXPECT_EQ(g_strLangFile, folder.dir.file("lang_en.lng"));
    EXPECT_EQ(MenuBarText(0), QStringLiteral("&File"));
    EXPECT_EQ(CommandText(ID_FILE_NEW), QStringLiteral("&New\tCtrl+N"));
    EXPECT_EQ(Frame().PortPaneText(), QStringLiteral("COM1"));
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("default[*] - BriselPgm"));
    EXPECT_FALSE(app.m_bSilentNew); // the first document was made without the question
}

TEST_F(StartUp, MenusHoldEveryItemAndSeparator) {
    ASSERT_TRUE(Start(""));
    ASSERT_EQ(Frame().menuBar()->actions().size(), kMenuCount);
    EXPECT_EQ(ItemIds(Menu(0)->actions()),
              (std::vector<int>{57600, 57601, 57603, 57604, 0, 32800, 32801, 0, 57607, 57609, 57606,
                                0, 57616, 57617, 57618, 57619, 0, 57665}));
    EXPECT_EQ(ItemIds(Menu(1)->actions()),
              (std::vector<int>{57643, 57644, 0, 57635, 57634, 57637, 57632, 0, 57642, 0, 32810,
                                32811, 32812, 32813, 32814}));
    EXPECT_EQ(ItemIds(Menu(2)->actions()),
              (std::vector<int>{32772, 32773, 32795, 32796, 0, 32774, 32784}));
    EXPECT_EQ(ItemIds(Menu(3)->actions()), (std::vector<int>{32771, 0, 32776}));
    EXPECT_EQ(ItemIds(Menu(4)->actions()), (std::vector<int>{32775, 0, 57664}));
    EXPECT_EQ(ItemIds(Frame().ToolBar()->actions()),
              (std::vector<int>{57600, 57601, 57603, 0, 32772, 32773, 0, 57607, 0, 32778, 57664}));
    for (QAction* action : Frame().ToolBar()->actions()) {
        if (!action->isSeparator()) {
            EXPECT_EQ(action->icon().availableSizes().value(0), QSize(16, 15));
        }
    }
}

TEST_F(StartUp, SwappingTheLanguageFileChangesEveryMenuItem) {
    const std::vector<MenuText> shipped = ShippedMenuTexts();
    ASSERT_EQ(shipped.size(), 37u);
    const auto shippedText = [&shipped](const std::string& key) {
        for (const MenuText& m : shipped) {
            if (m.key == key) {
                return Shown(m.text);
            }
        }
        return std::string("(no " + key + ")");
    };
    folder.dir.write("a.lng", MenuLanguage("A:"));
    folder.dir.write("b.lng", MenuLanguage("B:"));
    ASSERT_TRUE(Start("[setup]\nlanguage=a\n"));
    for (const char* prefix : {"A:", "B:"}) {
        g_strLangFile = folder.dir.file(prefix == std::string("A:") ? "a.lng" : "b.lng");
        app.ApplyLanguage();
        std::vector<std::string> expected;
        std::vector<std::string> shown;
        for (int i = 0; i < kMenuCount; ++i) {
            expected.push_back(prefix + shippedText(kMenuKeys[i]));
            shown.push_back(MenuBarText(i).toStdString());
        }
        for (QAction* action : CommandActions()) {
            expected.push_back(prefix +
                               shippedText(FindCommand(action->data().toInt())->pszMenuKey));
            shown.push_back(action->text().toStdString());
        }
        // The keys of later menu items follow the first ones in the file.
        std::sort(shown.begin(), shown.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(shown.size(), shipped.size());
    }
    g_strLangFile = folder.dir.file("none.lng");
    app.ApplyLanguage();
    for (int i = 0; i < kMenuCount; ++i) {
        EXPECT_EQ(MenuBarText(i), QStringLiteral("Not Found"));
    }
    const std::vector<QAction*> commands = CommandActions();
    EXPECT_EQ(commands.size(), 32u);
    for (QAction* action : commands) {
        EXPECT_EQ(action->text(), QStringLiteral("Not Found")) << action->data().toInt();
    }
}

TEST_F(StartUp, FormTextsFollowTheLanguage) {
    folder.CopyShippedLanguage("lang_en");
    folder.CopyShippedLanguage("lang_cn");
    ASSERT_TRUE(Start("[setup]\nlanguage=lang_en\n"));
    QWidget* label = GetDlgItem(Frame().FormView(), 1206);
    EXPECT_EQ(GetControlText(label), QStringLiteral("Squelch Level"));
    g_strLangFile = folder.dir.file("lang_cn.lng");
    app.ApplyLanguage();
    EXPECT_EQ(GetControlText(label), QStringLiteral("静噪等级"));
    g_strLangFile = folder.dir.file("none.lng");
    app.ApplyLanguage();
    EXPECT_EQ(GetControlText(label), QStringLiteral("静噪等级")); // nothing to replace it
}

TEST_F(StartUp, ToolTipsAreLookedUpAtEachShowingAndCut) {
    folder.dir.write("t.lng", "[String]\nIDS_TIP_57600=0123456789abcdefghijklmno\n");
    ASSERT_TRUE(Start("[setup]\nlanguage=t\n"));
    EXPECT_EQ(CMainFrame::ToolTipText(57600), QStringLiteral("0123456789abcdefghi"));
    EXPECT_EQ(CMainFrame::ToolTipText(57601), QStringLiteral("Not Found"));

    Frame().show();
    QWidget* button = Frame().ToolBar()->widgetForAction(Frame().CommandAction(ID_FILE_NEW));
    ASSERT_NE(button, nullptr);
    const auto showTip = [button] {
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(button, &help);
        return QToolTip::text();
    };
    EXPECT_EQ(showTip(), QStringLiteral("0123456789abcdefghi"));
    folder.dir.write("t.lng", "[String]\nIDS_TIP_57600=Neu\n");
    EXPECT_EQ(showTip(), QStringLiteral("Neu"));
    QToolTip::hideText();
}

TEST_F(StartUp, PortPaneShowsTheWholeSetting) {
    ASSERT_TRUE(Start("[setup]\nlanguage=x\n"));
    EXPECT_EQ(Frame().PortPaneText(), QStringLiteral("COM1"));
    folder.dir.write("setting.ini", "[setup]\ncom=12\n");
    Frame().UpdatePortPane();
    EXPECT_EQ(Frame().PortPaneText(), QStringLiteral("COM12"));
    ASSERT_TRUE(Start("[setup]\ncom=3\n"));
    EXPECT_EQ(Frame().PortPaneText(), QStringLiteral("COM3"));
}

TEST_F(StartUp, WindowIs750By600AtMostAndTheFormFits) {
    ASSERT_TRUE(Start(""));
    EXPECT_EQ(Frame().size(), QSize(750, 600));
    EXPECT_EQ(Frame().maximumSize(), QSize(750, 600));
    Frame().resize(900, 800);
    EXPECT_EQ(Frame().size(), QSize(750, 600));
    Frame().resize(600, 500);
    EXPECT_EQ(Frame().size(), QSize(600, 500));
    Frame().resize(750, 600);
    QApplication::processEvents();
    const QSize form = DialogUnitsToPixels(DialogFont(), 0, 0, 486, 325).size();
    EXPECT_EQ(Frame().FormView()->size(), form);
    auto* scroll = qobject_cast<QScrollArea*>(Frame().centralWidget());
    ASSERT_NE(scroll, nullptr);
    EXPECT_GE(scroll->viewport()->width(), form.width());
    EXPECT_GE(scroll->viewport()->height(), form.height());
    EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
}

TEST_F(StartUp, AcceleratorsIssueCommandsAndClipboardKeysActOnTheCellEditor) {
    ASSERT_TRUE(Start(""));
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(Frame().FormView(), 1031));
    ASSERT_NE(edit, nullptr);
    edit->setEnabled(true);
    edit->show();
    edit->setFocus();
    edit->setText(QStringLiteral("146"));
    edit->selectAll();

    // New asks whether to clear the data, Open asks for a file, Print shows the print
    // dialog: all are cancelled.
    MessageBoxRecorder boxes({IDCANCEL});
    FileDialogRecorder files;
    PrintDialogRecorder print;
    std::vector<int> commands;
    for (const SCommandInfo& info : kCommandTable) {
        QObject::connect(Frame().CommandAction(info.nId), &QAction::triggered, &Frame(),
                         [&commands, id = info.nId] { commands.push_back(id); });
    }
    // Inside the editor the clipboard keys work on its text, not on the grid; Alt+Backspace
    // does nothing.
    QClipboard* clipboard = QApplication::clipboard();
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("146"));
    QTest::keyClick(edit, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("146"));
    clipboard->setText(QStringLiteral("7"));
    QTest::keyClick(edit, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("146"));
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QString());
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("146146"));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(edit->text(), QString());
    QTest::keyClicks(edit, QStringLiteral("5"));
    EXPECT_EQ(edit->text(), QStringLiteral("5"));
    EXPECT_TRUE(commands.empty());

    const std::pair<Qt::Key, int> accelerators[] = {
        {Qt::Key_N, ID_FILE_NEW},   {Qt::Key_O, ID_FILE_OPEN},    {Qt::Key_S, ID_FILE_SAVE},
        {Qt::Key_P, ID_FILE_PRINT}, {Qt::Key_R, ID_PROGRAM_READ}, {Qt::Key_W, ID_PROGRAM_WRITE}};
    for (const auto& [key, id] : accelerators) {
        commands.clear();
        // Read and Write open the transfer dialog; it is closed before anything is sent.
        QTimer::singleShot(0, &Frame(), [] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                dialog->close();
            }
        });
        QTest::keyClick(edit, key, Qt::ControlModifier);
        ASSERT_EQ(commands.size(), 1u) << id;
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        edit->setFocus();
        EXPECT_EQ(commands[0], id);
    }
    commands.clear();
    QTest::keyClick(edit, Qt::Key_T, Qt::ControlModifier); // Test Mode has no accelerator
    EXPECT_TRUE(commands.empty());
}

TEST_F(StartUp, RecentFilesComeFromTheUserSettings) {
    QSettings settings;
    settings.setValue(QStringLiteral("Recent File List/File1"), QStringLiteral("/data/a.dpm"));
    settings.setValue(QStringLiteral("Recent File List/File2"), QStringLiteral("/data/b&c.dpm"));
    settings.sync();
    ASSERT_TRUE(Start(""));
    EXPECT_EQ(QApplication::organizationName(), QStringLiteral("Marrow radio program software"));
    EXPECT_EQ(app.RecentFiles(), (QStringList{"/data/a.dpm", "/data/b&c.dpm"}));
    const QList<QAction*> file = Menu(0)->actions();
    EXPECT_EQ(file[12]->text(), QStringLiteral("&1 /data/a.dpm"));
    EXPECT_EQ(file[13]->text(), QStringLiteral("&2 /data/b&&c.dpm"));
    EXPECT_FALSE(file[14]->isVisible());
    EXPECT_FALSE(file[15]->isVisible());

    QSettings().remove(QStringLiteral("Recent File List"));
    ASSERT_TRUE(Start(""));
    const QList<QAction*> empty = Menu(0)->actions();
    EXPECT_TRUE(empty[12]->isVisible());
    EXPECT_FALSE(empty[12]->isEnabled());
    EXPECT_FALSE(empty[13]->isVisible());
}

TEST_F(StartUp, ExitClosesTheWindow) {
    ASSERT_TRUE(Start(""));
    ASSERT_TRUE(Frame().isVisible());
    Frame().CommandAction(ID_APP_EXIT)->trigger();
    EXPECT_FALSE(Frame().isVisible());
}

// Each command reaches one handler, on the object the command table names.
TEST_F(StartUp, EveryCommandReachesItsOwnersHandler) {
    ASSERT_TRUE(Start(""));
    const auto ownerClass = [](ECommandOwner owner) {
        switch (owner) {
        case ECommandOwner::kApp:
            return QStringLiteral("CDromelPgmApp");
        case ECommandOwner::kFrame:
            return QStringLiteral("CMainFrame");
        case ECommandOwner::kView:
            return QStringLiteral("CDromelPgmView");
        }
        return QString();
    };
    for (const SCommandInfo& info : kCommandTable) {
        const QString handler = Frame().CommandHandler(info.nId);
        if (!handler.isEmpty()) {
            EXPECT_EQ(handler, ownerClass(info.eOwner)) << info.nId;
        }
    }
    EXPECT_EQ(Frame().CommandHandler(ID_FILE_NEW), QStringLiteral("CDromelPgmApp"));
    EXPECT_EQ(Frame().CommandHandler(ID_PROGRAM_READ), QStringLiteral("CMainFrame"));
    EXPECT_EQ(Frame().CommandHandler(ID_PROGRAM_TEST), QStringLiteral("CMainFrame"));
    EXPECT_EQ(Frame().CommandHandler(ID_PROGRAM_TESTFREQ), QStringLiteral("CDromelPgmApp"));
}

// The Program menu's two service windows, in the shipped Chinese: Save and Exit keep their
// own texts rather than the OK and Cancel ones.
TEST_F(StartUp, TestModeAndTestFrequencyOpenOnTheDocument) {
    folder.CopyShippedLanguage("lang_cn");
    ASSERT_TRUE(Start("[setup]\nlanguage=lang_cn\n"));
    QStringList seen;
    QTimer::singleShot(0, &Frame(), [&] {
        auto* dlg = qobject_cast<CTestModeDlg*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dlg);
        seen << dlg->windowTitle() << GetControlText(GetDlgItem(dlg, CTestModeDlg::kSaveId))
             << GetControlText(GetDlgItem(dlg, CTestModeDlg::kExitId));
        dlg->reject();
    });
    Frame().CommandAction(ID_PROGRAM_TEST)->trigger();
    EXPECT_EQ(seen, (QStringList{"测试模式", "保存", "退出"}));

    seen.clear();
    CDromelPgmDoc& doc = app.GetDocument();
    const MemoryImage before = doc.Image();
    QTimer::singleShot(0, &Frame(), [&] {
        auto* dlg = qobject_cast<CTestFreqDlg*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dlg);
        seen << dlg->windowTitle() << dlg->Grid().GetItemText(0, 1);
        doc.SetByte(0x110, 0x12);
        QTest::mouseClick(qobject_cast<QAbstractButton*>(GetDlgItem(dlg, IDCANCEL)),
                          Qt::LeftButton);
    });
    Frame().CommandAction(ID_PROGRAM_TESTFREQ)->trigger();
    EXPECT_EQ(seen.size(), 2);
    EXPECT_EQ(seen.value(0), "测试频率");
    EXPECT_EQ(seen.value(1), "接收频率 [MHz]");
    EXPECT_EQ(doc.Image(), before);
}
