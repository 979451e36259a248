#include "app/AppPaths.h"
#include "app/ComPortDlg.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/DialogBuilder.h"
#include "app/DromelPgmApp.h"
#include "app/LanguageDlg.h"
#include "app/MainFrm.h"
#include "app/Profile.h"
#include "app/StopSignals.h"
#include "grid/GridCtrl.h"
#include "link/PortProbe.h"
#include "views/DromelPgmView.h"

#include "../link/PtyPeer.h"
#include "CommandFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

namespace {

// Ports 1, 3 and 8 are pseudo-terminals (3 through a link in the program's folder), port 2
// is missing, port 4 is an ordinary file; 5 to 7 are missing too.
class PortSetup : public SetupCommands {
protected:
    void SetUp() override {
        std::filesystem::create_symlink(cable.path, folder.dir.file("cable"));
        folder.CopyShippedLanguage("lang_en");
        const std::string setting =
            "[setup]\ncom=3\nlanguage=lang_en\n[ports]\ncom1=" + other.path +
            "\ncom2=" + folder.dir.file("ttyUSB1") + "\ncom3=" + folder.dir.file("cable") +
            "\ncom4=" + folder.dir.write("plain", "") + "\n";
        std::string rest;
        for (int n = 5; n <= 7; ++n) {
            rest += "com" + std::to_string(n) + "=" + folder.dir.file("none") + "\n";
        }
        rest += "com8=" + eighth.path + "\n";
        ASSERT_TRUE(Start(setting + rest));
        ASSERT_TRUE(app.m_port.IsOpen());
        ASSERT_EQ(ProbePort(cable.path), PortBusy);
    }
    void Click(QWidget* widget) const { QTest::mouseClick(widget, Qt::LeftButton); }
    // A radio button takes clicks on its mark and its text.
    void Choose(QRadioButton* button) const {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    PtyPeer other;
    PtyPeer cable;
    PtyPeer eighth;
};

} // namespace

TEST_F(PortSetup, HeldPortIsCheckedAndPortsThatCannotOpenAreDisabledWithTheReason) {
    const std::string before = folder.dir.read("setting.ini");
    WithDialog<CComPortDlg>(ID_SETUP_PORT, [&](CComPortDlg& dlg) {
        EXPECT_TRUE(dlg.PortButton(3)->isEnabled());
        EXPECT_TRUE(dlg.PortButton(3)->isChecked());
        EXPECT_TRUE(dlg.PortButton(1)->isEnabled());
        EXPECT_FALSE(dlg.PortButton(1)->isChecked());
        EXPECT_TRUE(dlg.PortButton(1)->text().startsWith(QStringLiteral("COM1  ") +
                                                         QString::fromStdString(other.path)));
        EXPECT_TRUE(dlg.PortButton(8)->isEnabled());
        EXPECT_TRUE(dlg.PortButton(8)->text().startsWith(QStringLiteral("COM8  ") +
                                                         QString::fromStdString(eighth.path)));
        for (int n : {2, 4, 5, 6, 7}) {
            EXPECT_FALSE(dlg.PortButton(n)->isEnabled()) << n;
            EXPECT_FALSE(dlg.PortButton(n)->isChecked()) << n;
        }
        EXPECT_TRUE(dlg.PortButton(2)->toolTip().contains(
            QString::fromStdString(folder.dir.file("ttyUSB1")) + QStringLiteral(" is not there")));
        EXPECT_TRUE(dlg.PortButton(4)->toolTip().contains(QStringLiteral("is not a serial port")));
        EXPECT_TRUE(dlg.PortButton(3)->toolTip().contains(QStringLiteral("This program is using")));
        Click(GetDlgItem(&dlg, IDCANCEL));
        EXPECT_FALSE(dlg.isVisible());
    });
    EXPECT_EQ(folder.dir.read("setting.ini"), before);
    EXPECT_TRUE(app.m_port.IsOpen());
}

// The link to the held device goes away while the dialog is open: a reopen would fail.
TEST_F(PortSetup, ChoosingTheStoredPortReopensNothingAndWritesNothing) {
    const std::string before = folder.dir.read("setting.ini");
    WithDialog<CComPortDlg>(ID_SETUP_PORT, [&](CComPortDlg& dlg) {
        std::filesystem::remove(folder.dir.file("cable"));
        Choose(dlg.PortButton(3));
        Click(GetDlgItem(&dlg, IDOK));
    });
    EXPECT_EQ(folder.dir.read("setting.ini"), before);
    EXPECT_TRUE(app.m_port.IsOpen());
    EXPECT_EQ(ProbePort(cable.path), PortBusy);
    EXPECT_EQ(Frame().PortPaneText(), QStringLiteral("COM3"));
}

// The last port first, then the first one: each is opened in place of the one held.
TEST_F(PortSetup, ChoosingAnotherPortOpensItInsteadAndStoresIt) {
    const std::pair<int, const PtyPeer*> choices[] = {{8, &eighth}, {1, &other}};
    const PtyPeer* held = &cable;
    for (const auto& [n, peer] : choices) {
        SCOPED_TRACE(n);
        WithDialog<CComPortDlg>(ID_SETUP_PORT, [&](CComPortDlg& dlg) {
            Choose(dlg.PortButton(n));
            EXPECT_TRUE(dlg.PortButton(n)->isChecked());
            Click(GetDlgItem(&dlg, IDOK));
        });
        EXPECT_EQ(Setting("com"), std::to_string(n));
        EXPECT_EQ(Setting("language"), "lang_en"); // the rest of the file stays
        EXPECT_TRUE(app.m_port.IsOpen());
        EXPECT_EQ(ProbePort(peer->path), PortBusy);
        EXPECT_EQ(ProbePort(held->path), PortOpenOk);
        EXPECT_EQ(Frame().PortPaneText(), QStringLiteral("COM%1").arg(n));
        held = peer;
    }
}

TEST_F(SetupCommands, LanguageListIsSortedByDisplayNameWithTheLanguageInForceSelected) {
    folder.dir.write("a.lng", "[Face]\ndisp=Zulu\n");
    folder.dir.write("b.lng", "[Face]\ndisp=alpha\n");
    folder.dir.write("c.lng", "[Face]\ndisp=Middle\n");
    std::filesystem::create_directory(folder.dir.file("x.lng"));
    ASSERT_TRUE(Start("[setup]\nlanguage=c\n"));
    WithDialog<CLanguageDlg>(ID_SETUP_LANGUAGE, [&](CLanguageDlg& dlg) {
        QComboBox* list = dlg.LanguageList();
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->itemText(0), QStringLiteral("alpha"));
        EXPECT_EQ(list->itemText(1), QStringLiteral("Middle"));
        EXPECT_EQ(list->itemText(2), QStringLiteral("Zulu"));
        EXPECT_EQ(list->currentText(), QStringLiteral("Middle"));
    });
    EXPECT_EQ(Setting("language"), "c");
}

TEST_F(SetupCommands, ChosenLanguageSwitchesMenusFormGridAndToolTipsAndIsStored) {
    folder.CopyShippedLanguage("lang_en");
    folder.CopyShippedLanguage("lang_cn");
    ASSERT_TRUE(Start("[setup]\nlanguage=lang_en\n"));
    WithDialog<CLanguageDlg>(ID_SETUP_LANGUAGE, [&](CLanguageDlg& dlg) {
        EXPECT_EQ(dlg.LanguageList()->currentText(), QStringLiteral("English"));
        QTest::keyClick(dlg.LanguageList(), Qt::Key_Down);
        EXPECT_EQ(dlg.LanguageList()->currentText(), QStringLiteral("简体中文"));
        QTest::mouseClick(GetDlgItem(&dlg, IDOK), Qt::LeftButton);
    });
    EXPECT_EQ(Setting("language"), "lang_cn");
    EXPECT_EQ(g_strLangFile, folder.dir.file("lang_cn.lng"));
    const std::string cn = folder.dir.file("lang_cn.lng");
    const auto expected = [&](const char* section, const std::string& key) {
        return QString::fromStdString(GetPrivateProfileString(section, key, "?", 100, cn))
            .replace(QStringLiteral("\\t"), QStringLiteral("\t"));
    };
    const char* const menus[] = {"MENU_FILE", "MENU_EDIT", "MENU_PROGRAM", "MENU_SETUP",
                                 "MENU_HELP"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Frame().menuBar()->actions()[i]->text(), expected("String", menus[i]));
    }
    for (const SCommandInfo& info : kCommandTable) {
        if (info.pszMenuKey) {
            EXPECT_EQ(Command(info.nId)->text(), expected("String", info.pszMenuKey)) << info.nId;
        }
    }
    auto* view = qobject_cast<CDromelPgmView*>(Frame().FormView());
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(view->Grid().GetItemText(0, c), expected("Face", "IDS_COL" + std::to_string(c)));
    }
    EXPECT_EQ(GetControlText(GetDlgItem(view, 1206)), QStringLiteral("静噪等级"));
    EXPECT_EQ(CMainFrame::ToolTipText(ID_NEXT_LANGUAGE), QStringLiteral("下一种语言"));
}

TEST_F(SetupCommands, NextLanguageTakesTurnsInFileNameOrder) {
    for (const char* name : {"b", "a", "c"}) {
        folder.dir.write(std::string(name) + ".lng", std::string("[String]\nMENU_FILE=") + name);
    }
    std::filesystem::create_directory(folder.dir.file("x.lng"));
    ASSERT_TRUE(Start("[setup]\nlanguage=a\n"));
    const auto menu = [&] { return Frame().menuBar()->actions()[0]->text(); };
    for (const char* expected : {"b", "c", "a", "b", "c"}) {
        Command(ID_NEXT_LANGUAGE)->trigger();
        EXPECT_EQ(g_strLangFile, folder.dir.file(std::string(expected) + ".lng"));
        EXPECT_EQ(Setting("language"), expected);
        EXPECT_EQ(menu(), QString::fromLatin1(expected));
    }
    // The file in force (c) is deleted: the first file follows.
    std::filesystem::remove(folder.dir.file("c.lng"));
    Command(ID_NEXT_LANGUAGE)->trigger();
    EXPECT_EQ(Setting("language"), "a");
    EXPECT_EQ(menu(), QStringLiteral("a"));
}

TEST_F(SetupCommands, NextLanguageWithoutLanguageFilesChangesNothing) {
    std::filesystem::create_directory(folder.dir.file("x.lng"));
    ASSERT_TRUE(Start("[setup]\nlanguage=lang_en\n"));
    const std::string before = folder.dir.read("setting.ini");
    const std::string langFile = g_strLangFile;
    const QString menu = Frame().menuBar()->actions()[0]->text();
    Command(ID_NEXT_LANGUAGE)->trigger();
    EXPECT_EQ(g_strLangFile, langFile);
    EXPECT_EQ(folder.dir.read("setting.ini"), before);
    EXPECT_EQ(Frame().menuBar()->actions()[0]->text(), menu);
}

TEST_F(SetupCommands, LanguageThatCannotBeStoredIsInForceAndReported) {
    folder.CopyShippedLanguage("lang_en");
    folder.CopyShippedLanguage("lang_cn");
    ASSERT_TRUE(Start("[setup]\nlanguage=lang_en\n"));
    std::filesystem::remove(folder.dir.file("setting.ini"));
    std::filesystem::create_directory(folder.dir.file("setting.ini"));
    MessageBoxRecorder boxes;
    Command(ID_NEXT_LANGUAGE)->trigger();
    EXPECT_EQ(g_strLangFile, folder.dir.file("lang_cn.lng"));
    EXPECT_EQ(Frame().menuBar()->actions()[0]->text(), QStringLiteral("文件(&F)"));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(boxes.boxes[0].text.startsWith(QStringLiteral("无法将设置保存到 ") +
                                               QString::fromStdString(g_strSettingFile)));
    std::filesystem::remove(folder.dir.file("setting.ini"));
}

TEST_F(SetupCommands, EverySetupAndHelpCommandHasItsOwnersHandler) {
    ASSERT_TRUE(Start(""));
    for (int id : {ID_SETUP_PORT, ID_SETUP_LANGUAGE, ID_NEXT_LANGUAGE, ID_APP_ABOUT}) {
        EXPECT_EQ(Frame().CommandHandler(id), QStringLiteral("CDromelPgmApp")) << id;
    }
    EXPECT_EQ(Frame().CommandHandler(ID_HELP_HELP), QStringLiteral("CMainFrame"));
}

// A stop signal while a dialog is open: the dialog closes and the program's event loop ends
// with 128 + the signal, the document's question about unsaved changes not asked.
TEST_F(SetupCommands, StopSignalClosesTheDialogsAndEndsTheProgramWithItsStatus) {
    ASSERT_TRUE(Start("[setup]\nlanguage=lang_en\n"));
    app.GetDocument().SetModifiedFlag(true);
    CStopSignals stops(true);
    ASSERT_TRUE(stops.IsCatching());
    app.EndOnStopSignal(stops.WakeFd());
    QWidget* shown = nullptr;
    QTimer::singleShot(0, &Frame(), [&] {
        QTimer::singleShot(0, &Frame(), [&] {
            shown = QApplication::activeModalWidget();
            raise(SIGHUP);
        });
        Command(ID_APP_ABOUT)->trigger();
    });
    MessageBoxRecorder boxes;
    EXPECT_EQ(app.exec(), 129);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(boxes.boxes.empty());
}
