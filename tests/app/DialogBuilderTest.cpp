#include "app/DialogBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

TEST(DialogBuilder, DialogUnitsFollowTheDialogFont) {
    const QFont font = DialogFont();
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
    // Average character width 6 and height 12 pixels: x units of 1.5, y units of 1.5 pixels.
    EXPECT_EQ(DialogUnitsToPixels(font, 4, 8, 486, 325), QRect(6, 12, 729, 488));
    EXPECT_EQ(DialogUnitsToPixels(font, 1, 1, 0, 0), QRect(2, 2, 0, 0)); // rounded
    // A text takes the dialog units it takes in the templates' own font: the average letter
    // is one horizontal unit wide.
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    EXPECT_NEAR(QFontMetrics(font).horizontalAdvance(letters) / 52.0, 6.0, 0.1);
}

TEST(DialogBuilder, EveryTemplateControlIsMadeWithItsId) {
    for (const DialogTemplate& dialogTemplate : DialogTemplates().dialogs) {
        QDialog dialog;
        BuildDialog(&dialog, dialogTemplate.id);
        EXPECT_EQ(dialog.property("dlgId").toInt(), dialogTemplate.id);
        const auto& controls = dialogTemplate.controls;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const ControlTemplate& c = controls[i];
            QWidget* control = GetDlgItem(&dialog, c.id);
            ASSERT_NE(control, nullptr) << "control " << c.id << " of " << dialogTemplate.id;
            EXPECT_EQ(GetDlgCtrlID(control), c.id);
            EXPECT_EQ(control->isEnabled(), !c.Has("disabled")) << c.id;
            EXPECT_EQ(control->isHidden(), c.Has("hidden")) << c.id;
            const QRect rect = DialogUnitsToPixels(DialogFont(), c.x, c.y, c.cx, c.cy);
            EXPECT_EQ(control->pos(), rect.topLeft()) << c.id;
            // Lists, check boxes and radio buttons may be widened for their text.
            const bool text = c.kind == ControlKind::DropList || c.kind == ControlKind::DropDown ||
                              c.kind == ControlKind::Check || c.kind == ControlKind::Radio;
            if (text) {
                EXPECT_GE(control->width(), rect.width()) << c.id;
            } else {
                EXPECT_EQ(control->width(), rect.width()) << c.id;
            }
            if (!c.text.empty()) {
                EXPECT_EQ(GetControlText(control).toStdString(), c.text) << c.id;
            }
        }
        EXPECT_EQ(GetDlgItem(&dialog, 4711), nullptr);
    }
}

TEST(DialogBuilder, ControlsHaveTheKindOfTheirTemplate) {
    QDialog port;
    BuildDialog(&port, 130);
    EXPECT_EQ(port.windowTitle(), QStringLiteral("Communication Port"));
    EXPECT_EQ(port.size(), DialogUnitsToPixels(DialogFont(), 0, 0, 330, 140).size());
    EXPECT_TRUE(qobject_cast<QGroupBox*>(GetDlgItem(&port, 1211)));
    for (int id = 1014; id <= 1021; ++id) {
        auto* radio = qobject_cast<QRadioButton*>(GetDlgItem(&port, id));
        ASSERT_NE(radio, nullptr);
        EXPECT_EQ(radio->text(), QStringLiteral("COM%1").arg(id - 1013));
    }
    auto* ok = qobject_cast<QPushButton*>(GetDlgItem(&port, 1));
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(qobject_cast<QPushButton*>(GetDlgItem(&port, 2))->isDefault());

    QDialog transfer;
    BuildDialog(&transfer, 136);
    EXPECT_TRUE(qobject_cast<QProgressBar*>(GetDlgItem(&transfer, 1024)));
    EXPECT_TRUE(qobject_cast<QLabel*>(GetDlgItem(&transfer, 1034)));

    QDialog testMode;
    BuildDialog(&testMode, 147);
    EXPECT_EQ(qobject_cast<QLineEdit*>(GetDlgItem(&testMode, 1047))->echoMode(),
              QLineEdit::Password);
    EXPECT_NE(qobject_cast<QSpinBox*>(GetDlgItem(&testMode, 1065)), nullptr);
    EXPECT_TRUE(qobject_cast<QCheckBox*>(GetDlgItem(&testMode, 1049)));
}

TEST(DialogBuilder, GridPlaceholderIsAPlainWidget) {
    QWidget form;
    BuildDialog(&form, 101);
    QWidget* grid = GetDlgItem(&form, 1030);
    ASSERT_NE(grid, nullptr);
    EXPECT_STREQ(grid->metaObject()->className(), "QWidget");
    EXPECT_EQ(grid->objectName(), QStringLiteral("GridCtrlWnd"));
    EXPECT_EQ(grid->geometry(), DialogUnitsToPixels(DialogFont(), 7, 93, 471, 229));
    EXPECT_EQ(form.size(), DialogUnitsToPixels(DialogFont(), 0, 0, 486, 325).size());
    auto* model = qobject_cast<QComboBox*>(GetDlgItem(&form, 1001));
    ASSERT_NE(model, nullptr);
    EXPECT_FALSE(model->isEditable());
}

TEST(DialogBuilder, SortedListKeepsItsEntriesInOrder) {
    QDialog dialog;
    BuildDialog(&dialog, 135);
    auto* list = qobject_cast<QComboBox*>(GetDlgItem(&dialog, 1012));
    ASSERT_NE(list, nullptr);
    list->addItem(QStringLiteral("beta"));
    list->addItem(QStringLiteral("Alpha"));
    list->addItem(QStringLiteral("-----"));
    list->addItem(QStringLiteral("Gamma"));
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->itemText(0), QStringLiteral("-----"));
    EXPECT_EQ(list->itemText(1), QStringLiteral("Alpha"));
    EXPECT_EQ(list->itemText(2), QStringLiteral("beta"));
    EXPECT_EQ(list->itemText(3), QStringLiteral("Gamma"));
    list->setCurrentIndex(list->findText(QStringLiteral("beta")));
    EXPECT_EQ(list->currentText(), QStringLiteral("beta"));
}

TEST(DialogBuilder, UpperCaseComboTurnsTypedLettersIntoCapitals) {
    QWidget form;
    BuildDialog(&form, 101);
    auto* tone = qobject_cast<QComboBox*>(GetDlgItem(&form, 1033));
    ASSERT_NE(tone, nullptr);
    ASSERT_TRUE(tone->isEditable());
    tone->setEnabled(true);
    tone->show();
    QTest::keyClicks(tone->lineEdit(), QStringLiteral("d023n"));
    EXPECT_EQ(tone->currentText(), QStringLiteral("D023N"));
}

// An up-down control is one number field: what is typed counts at once, and a number
// beyond the range is its top while it is typed.
TEST(DialogBuilder, AnUpDownIsOneNumberFieldThatKeepsItsRange) {
    QDialog dialog;
    BuildDialog(&dialog, 147);
    auto* spin = qobject_cast<QSpinBox*>(GetDlgItem(&dialog, 1065));
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->geometry(), DialogUnitsToPixels(DialogFont(), 80, 40, 50, 12));
    spin->setRange(0, 255);
    spin->setEnabled(true);
    const std::pair<const char*, const char*> typed[] = {
        {"2", "2"},     {"20", "20"},    {"200", "200"},
        {"999", "255"}, {"2550", "255"}, {"99999999999999999999", "255"},
        {"x1", "1"},
    };
    for (const auto& [keys, shown] : typed) {
        spin->selectAll();
        QTest::keyClicks(spin, keys);
        EXPECT_EQ(spin->text(), shown) << keys;
        EXPECT_EQ(spin->value(), QString(shown).toInt()) << keys;
    }
}
