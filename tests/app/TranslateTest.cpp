#include "app/AppPaths.h"
#include "app/DialogBuilder.h"
#include "app/LangString.h"
#include "app/TranslateDialog.h"

#include "TempDir.h"

#include <QAccessible>
#include <QDialog>
#include <QLabel>

#include <gtest/gtest.h>

#include <map>

namespace {

QString TextOf(const QWidget& dialog, int id) {
    return GetControlText(GetDlgItem(&dialog, id));
}

std::string ShippedLanguage(const char* name) {
    return std::string(DROMEL_SOURCE_DIR) + "/res/" + name + ".lng";
}

// Controls whose text the user reads: captioned controls with a template text.
bool IsCaptioned(const ControlTemplate& c) {
    return !c.text.empty() && !c.Has("hidden") &&
           (c.kind == ControlKind::Group || c.kind == ControlKind::Static ||
            c.kind == ControlKind::Button || c.kind == ControlKind::Check ||
            c.kind == ControlKind::Radio);
}

} // namespace

TEST(TranslateDialog, ResourceEntriesReplaceCaptionAndControlTexts) {
    TempDir dir;
    g_strLangFile = dir.write("x.lng", "[Resource]\n"
                                       "^130=Serial Port\n"
                                       "^1211=Ports\n"
                                       "^1014=First\\nPort\n"
                                       "^1015=\"\"\n"
                                       "^1=Fine\n");
    QDialog dialog;
    BuildDialog(&dialog, 130);
    TranslateDialog(&dialog, 130);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Serial Port"));
    EXPECT_EQ(TextOf(dialog, 1211), QStringLiteral("Ports"));
    EXPECT_EQ(TextOf(dialog, 1014), QStringLiteral("First\\nPort")); // used as written
    EXPECT_EQ(TextOf(dialog, 1015), QStringLiteral("COM2"));         // empty entry: unchanged
    EXPECT_EQ(TextOf(dialog, 1016), QStringLiteral("COM3"));         // no entry: unchanged
    EXPECT_EQ(TextOf(dialog, 1), QStringLiteral("Fine"));
    EXPECT_EQ(TextOf(dialog, 2), QStringLiteral("Cancel"));
}

TEST(TranslateDialog, ControlsSharingAnIdAllTakeTheText) {
    TempDir dir;
    g_strLangFile = dir.write("x.lng", "[Resource]\n^1=Same\n");
    QDialog dialog;
    BuildDialog(&dialog, 136);
    GetDlgItem(&dialog, 2)->setProperty("ctrlId", 1);
    TranslateDialog(&dialog, 136);
    int same = 0;
    for (QObject* child : dialog.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        same += widget && GetDlgCtrlID(widget) == 1 && GetControlText(widget) == "Same";
    }
    EXPECT_EQ(same, 2);
}

TEST(TranslateDialog, OnlyDirectChildrenAreVisited) {
    TempDir dir;
    g_strLangFile = dir.write("x.lng", "[Resource]\n^1082=Code\n");
    QDialog dialog;
    BuildDialog(&dialog, 147);
    auto* container = new QWidget(&dialog);
    auto* inner = new QLabel(QStringLiteral("inner"), container);
    inner->setProperty("ctrlId", 1082);
    TranslateDialog(&dialog, 147);
    EXPECT_EQ(TextOf(dialog, 1082), QStringLiteral("Code"));
    EXPECT_EQ(inner->text(), QStringLiteral("inner"));
}

TEST(TranslateDialog, WithoutLanguageFileEveryDialogKeepsItsTemplateTexts) {
    TempDir dir;
    g_strLangFile = dir.file("missing.lng");
    for (const DialogTemplate& t : DialogTemplates().dialogs) {
        QDialog dialog;
        BuildDialog(&dialog, t.id);
        TranslateDialog(&dialog, t.id);
        if (!t.Has("child")) {
            EXPECT_EQ(dialog.windowTitle().toStdString(), t.caption) << t.id;
        }
        for (const ControlTemplate& c : t.controls) {
            if (!c.text.empty()) {
                EXPECT_EQ(TextOf(dialog, c.id).toStdString(), c.text) << c.id;
            }
        }
    }
}

TEST(TranslateDialog, SwappingTheLanguageFileChangesEveryCaptionedText) {
    for (const DialogTemplate& t : DialogTemplates().dialogs) {
        QDialog english;
        BuildDialog(&english, t.id);
        g_strLangFile = ShippedLanguage("lang_en");
        TranslateDialog(&english, t.id);
        QDialog chinese;
        BuildDialog(&chinese, t.id);
        g_strLangFile = ShippedLanguage("lang_cn");
        TranslateDialog(&chinese, t.id);
        for (const ControlTemplate& c : t.controls) {
            if (!IsCaptioned(c)) {
                continue;
            }
            for (const char* file : {"lang_en", "lang_cn"}) {
                g_strLangFile = ShippedLanguage(file);
                EXPECT_NE(GetLangResource(c.id), "") << file << " lacks ^" << c.id;
            }
            if (c.text.rfind("COM", 0) != 0) { // port names read the same in every language
                EXPECT_NE(TextOf(english, c.id), TextOf(chinese, c.id)) << c.id;
            }
        }
        if (!t.caption.empty()) {
            EXPECT_NE(english.windowTitle(), chinese.windowTitle()) << t.id;
        }
    }
}

// Every control of every template has a name for screen readers in both languages; a control
// without a text of its own is named from the language file, so its name follows the language
// when the same dialog is translated again. A status line without a template text is named by
// what its dialog shows in it.
TEST(TranslateDialog, EveryControlHasAnAccessibleNameInEachLanguage) {
    for (const DialogTemplate& t : DialogTemplates().dialogs) {
        QDialog dialog;
        BuildDialog(&dialog, t.id);
        std::map<int, QString> english;
        for (const char* file : {"lang_en", "lang_cn"}) {
            g_strLangFile = ShippedLanguage(file);
            TranslateDialog(&dialog, t.id);
            for (const ControlTemplate& c : t.controls) {
                if (c.kind == ControlKind::Static && c.text.empty()) {
                    continue;
                }
                QAccessibleInterface* control =
                    QAccessible::queryAccessibleInterface(GetDlgItem(&dialog, c.id));
                ASSERT_NE(control, nullptr) << c.id;
                const QString name = control->text(QAccessible::Name);
                EXPECT_FALSE(name.isEmpty()) << file << ": dialog " << t.id << " control " << c.id;
                if (english.contains(c.id) && c.text.empty()) {
                    EXPECT_NE(name, english[c.id]) << "dialog " << t.id << " control " << c.id;
                }
                english.emplace(c.id, name);
            }
        }
    }
}

TEST(TranslateDialog, AControlIsNamedAfterTheLabelBeforeIt) {
    g_strLangFile = ShippedLanguage("lang_en");
    QDialog dialog;
    BuildDialog(&dialog, 101);
    TranslateDialog(&dialog, 101);
    const auto name = [&](int id) { return GetDlgItem(&dialog, id)->accessibleName(); };
    EXPECT_EQ(name(1001), QStringLiteral("Model Information")); // its group
    EXPECT_EQ(name(1002), QStringLiteral("Monitor Key"));
    EXPECT_EQ(name(1013), QStringLiteral("Dropout Delay Time [s]"));
    EXPECT_EQ(name(1030), QStringLiteral("Channels"));
}
