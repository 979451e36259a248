// Every text a dialog shows fits its control: each template is built with each shipped
// language file, translated, its lists filled with what the program puts in them, and every
// label, check box, radio button and list entry is measured against the room the style
// leaves for the text.
#include "app/AppPaths.h"
#include "app/DialogBuilder.h"
#include "app/LangString.h"
#include "app/Profile.h"
#include "app/TranslateDialog.h"
#include "link/TransferEngine.h"
#include "radio/OptionLists.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <utility>

namespace {

constexpr const char* kLanguages[] = {"lang_en", "lang_cn"};
constexpr int kFormId = 101;
constexpr int kLanguageSetupId = 135;
constexpr int kTransferId = 136;
constexpr int kLoopBackId = 1011;
// The common style draws a list's current text one pixel inside each side of the edit field.
constexpr int kComboLabelInset = 2;

QStringList ToQt(const OptionList& list) {
    QStringList out;
    for (const std::string& entry : list) {
        out.append(QString::fromStdString(entry));
    }
    return out;
}

// The display names of the shipped languages, as the Language Setup list shows them.
QStringList LanguageNames() {
    QStringList names;
    for (const char* language : kLanguages) {
        names.append(QString::fromStdString(GetPrivateProfileString(
            "Face", "disp", "-----", 100, g_strAppDir + "/" + language + ".lng")));
    }
    return names;
}

// What the program puts into the lists of each template, by dialog and control id.
const std::map<std::pair<int, int>, std::function<QStringList()>>& ListContents() {
    static const std::map<std::pair<int, int>, std::function<QStringList()>> contents{
        {{kFormId, 1001}, [] { return ToQt(ModelList()); }},
        {{kFormId, 1002}, [] { return ToQt(MonitorKeyList()); }},
        {{kFormId, 1003}, [] { return ToQt(TimeOutList()); }},
        {{kFormId, 1004}, [] { return ToQt(SquelchList()); }},
        {{kFormId, 1008}, [] { return ToQt(ScanTypeList()); }},
        {{kFormId, 1009}, [] { return ToQt(PriorityList()); }},
        {{kFormId, 1010}, [] { return ToQt(RevertList(true)); }},
        {{kFormId, kLoopBackId}, [] { return ToQt(LoopBackList()); }},
        {{kFormId, 1013}, [] { return ToQt(DropoutList()); }},
        {{kLanguageSetupId, 1012}, LanguageNames},
    };
    return contents;
}

// Texts a label receives while its dialog is open, by dialog and control id.
QStringList RunTimeTexts(int dialogId, int id) {
    if (dialogId != kTransferId || id != 1034) {
        return {};
    }
    QStringList texts;
    for (const char* key :
         {"IDS_PROMPT_READ", "IDS_PROMPT_WRITE", "IDS_PROMPT_READFAIL", "IDS_PROMPT_WRITEFAIL"}) {
        texts.append(QString::fromStdString(GetLangString(key)));
    }
    for (const char* key : {"IDS_PROMPT_READ", "IDS_PROMPT_WRITE", "IDS_BACKUP_READING",
                            "IDS_VERIFY_READING", "IDS_COMPARE_READING"}) {
        texts.append(QString::fromStdString(FormatTransferStatus(GetLangString(key), 100)));
    }
    for (const char* key :
         {"IDS_HINT_READ", "IDS_HINT_WRITE", "IDS_HINT_COMPARE", "IDS_HINT_RESTORE"}) {
        texts.append(QString::fromStdString(GetLangString(key)));
    }
    // What the radio holds after a failed write, with the widest numbers and time.
    texts.append(QString::fromStdString(
        FormatLangString("IDS_WRITE_PARTIAL_PROGRAM", {"122", "123", "23:59"})));
    texts.append(
        QString::fromStdString(FormatLangString("IDS_WRITE_PARTIAL_NO_BACKUP", {"122", "123"})));
    texts.append(QString::fromStdString(
        FormatLangString("IDS_BACKUP_READ_FAILED", {GetLangString("IDS_PROMPT_READFAIL")})));
    return texts;
}

// The width the style gives the current text of a drop-down list.
int ComboTextRoom(const QComboBox* combo) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    option.currentText = combo->currentText();
    option.subControls = QStyle::SC_All;
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    return field.width() - kComboLabelInset;
}

// The width a check box or radio button leaves for its text beside the indicator.
int ButtonTextRoom(const QWidget* button, bool radio) {
    const QStyle* style = button->style();
    const int indicator = style->pixelMetric(
        radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr, button);
    const int spacing = style->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing
                                                 : QStyle::PM_CheckBoxLabelSpacing,
                                           nullptr, button);
    return button->width() - indicator - spacing;
}

// A label's text, broken into lines as the label breaks it, inside the label's contents:
// no line wider than the contents, and as many lines as the contents are high.
bool LabelTextFits(const QLabel* label, const QString& text) {
    const QRect room = label->contentsRect();
    QTextLayout layout(text, label->font());
    QTextOption option;
    option.setWrapMode(label->wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    qreal widest = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(room.width());
        widest = std::max(widest, line.naturalTextWidth());
        ++lines;
    }
    layout.endLayout();
    return widest <= room.width() && lines * label->fontMetrics().height() <= room.height();
}

struct Cut {
    int dialogId;
    int id;
    QString text;
};

std::vector<Cut> CutTextsOf(int dialogId) {
    QWidget window;
    BuildDialog(&window, dialogId);
    TranslateDialog(&window, dialogId);
    std::vector<Cut> cuts;
    for (const ControlTemplate& c : GetDialogTemplate(dialogId).controls) {
        QWidget* control = GetDlgItem(&window, c.id);
        if (c.Has("hidden")) {
            continue; // shown only as a cell editor, sized to its cell
        }
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            const auto list = ListContents().find({dialogId, c.id});
            EXPECT_NE(list, ListContents().end()) << "no contents for list " << c.id;
            if (list == ListContents().end()) {
                continue;
            }
            combo->addItems(list->second());
            for (int i = 0; i < combo->count(); ++i) {
                combo->setCurrentIndex(i);
                if (combo->fontMetrics().horizontalAdvance(combo->currentText()) >
                    ComboTextRoom(combo)) {
                    cuts.push_back({dialogId, c.id, combo->currentText()});
                }
            }
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            QStringList texts = RunTimeTexts(dialogId, c.id);
            texts.prepend(label->text());
            for (const QString& text : texts) {
                if (!LabelTextFits(label, text)) {
                    cuts.push_back({dialogId, c.id, text});
                }
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(control);
                   button &&
                   (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button))) {
            const bool radio = qobject_cast<QRadioButton*>(button) != nullptr;
            if (button->fontMetrics().horizontalAdvance(button->text()) >
                ButtonTextRoom(button, radio)) {
                cuts.push_back({dialogId, c.id, button->text()});
            }
        }
    }
    return cuts;
}

class TextFit : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        SetAppDir(std::string(DROMEL_SOURCE_DIR) + "/res");
        SetLanguageName(GetParam());
    }
};

} // namespace

TEST_P(TextFit, NoTemplateCutsALabelCheckBoxOrListText) {
    for (const DialogTemplate& dialog : DialogTemplates().dialogs) {
        for (const Cut& cut : CutTextsOf(dialog.id)) {
            ADD_FAILURE() << "dialog " << cut.dialogId << " control " << cut.id << " cuts \""
                          << cut.text.toStdString() << "\"";
        }
    }
}

// The Loop Back Time list holds 49 entries; it opens about 15 rows high, within the height
// its template gives field and list, and scrolls.
TEST_P(TextFit, LoopBackListOpensAboutFifteenRowsHigh) {
    QWidget form;
    BuildDialog(&form, kFormId);
    form.show();
    auto* list = qobject_cast<QComboBox*>(GetDlgItem(&form, kLoopBackId));
    ASSERT_NE(list, nullptr);
    list->addItems(ToQt(LoopBackList()));
    ASSERT_GT(list->count(), 15);
    list->showPopup();
    const QAbstractItemView* view = list->view();
    ASSERT_TRUE(view->isVisible());
    const int rows = view->height() / view->sizeHintForRow(0);
    EXPECT_GE(rows, 13);
    EXPECT_LE(rows, 15);
    const auto& controls = GetDialogTemplate(kFormId).controls;
    const auto loopBack =
        std::find_if(controls.begin(), controls.end(),
                     [](const ControlTemplate& c) { return c.id == kLoopBackId; });
    EXPECT_LE(view->window()->height(),
              DialogUnitsToPixels(DialogFont(), 0, 0, 0, loopBack->cy).height());
    list->hidePopup();
}

INSTANTIATE_TEST_SUITE_P(ShippedLanguages, TextFit, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });
