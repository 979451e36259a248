// The Test Mode window driven as a dealer does: the access code typed key by key, the spin
// buttons moved with the arrow keys, Save and Exit clicked; and a write to the simulated radio
// after Save, which must leave the radio's alignment values alone.
#include "link/TestModeDlg.h"

#include "LinkFixture.h"
#include "app/AppMessageBox.h"
#include "app/CommandIds.h"
#include "app/DialogBuilder.h"
#include "app/MainFrm.h"
#include "link/TransferDlg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

namespace {

const QString kCode = QStringLiteral("52917");

class TestModeDlgTest : public LinkFixture {
protected:
    void SetUp() override {
        LinkFixture::SetUp();
        // OK and Cancel texts of the language file must not rename Save and Exit.
        m_dir.write("lang_en.lng", "[String]\nIDS_PROMPT_WRITE=Writing data\n"
                                   "[Resource]\n^1=Okay\n^2=Abort\n^1127=Leave\n");
        m_doc.NewDocument();
        m_doc.SetModifiedFlag(false);
    }

    void Open(CTestModeDlg& dlg) {
        dlg.show();
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    }

    static QWidget* Item(const CTestModeDlg& dlg, int id) { return GetDlgItem(&dlg, id); }
    static QPushButton* Save(const CTestModeDlg& dlg) {
        return qobject_cast<QPushButton*>(Item(dlg, CTestModeDlg::kSaveId));
    }
    static QPushButton* Exit(const CTestModeDlg& dlg) {
        return qobject_cast<QPushButton*>(Item(dlg, CTestModeDlg::kExitId));
    }
    static QCheckBox* ManualAdjust(const CTestModeDlg& dlg) {
        return qobject_cast<QCheckBox*>(Item(dlg, CTestModeDlg::kManualAdjustId));
    }
    static QSpinBox* Spin(const CTestModeDlg& dlg, int i) {
        return qobject_cast<QSpinBox*>(Item(dlg, CTestModeDlg::kValueIds[i]));
    }

    static void Type(const CTestModeDlg& dlg, const QString& text) {
        QWidget* field = Item(dlg, CTestModeDlg::kAccessCodeId);
        field->setFocus();
        QTest::keyClicks(field, text);
    }
    // Moves spin i by steps with the arrow keys.
    static void Step(const CTestModeDlg& dlg, int i, int steps) {
        QSpinBox* spin = Spin(dlg, i);
        spin->setFocus();
        for (int k = 0; k < std::abs(steps); ++k) {
            QTest::keyClick(spin, steps > 0 ? Qt::Key_Up : Qt::Key_Down);
        }
    }

    static bool IsUnlocked(const CTestModeDlg& dlg) {
        bool all = Save(dlg)->isEnabled() && ManualAdjust(dlg)->isEnabled();
        for (int i = 0; i < kAlignmentCount; ++i) {
            all = all && Spin(dlg, i)->isEnabled();
        }
        return all;
    }

    static void ClickManualAdjust(const CTestModeDlg& dlg) {
        QCheckBox* box = ManualAdjust(dlg);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }

    CDromelPgmDoc m_doc;
    std::unique_ptr<SimRadioProcess> m_radio;
};

TEST_F(TestModeDlgTest, TypingTheCodeUnlocksAtItsLastDigit) {
    CTestModeDlg dlg(m_doc);
    Open(dlg);
    EXPECT_EQ(Save(dlg)->text(), "Save");
    EXPECT_EQ(Exit(dlg)->text(), "Leave");
    EXPECT_EQ(qobject_cast<QLineEdit*>(Item(dlg, CTestModeDlg::kAccessCodeId))->echoMode(),
              QLineEdit::Password);
    for (int i = 0; i < kCode.size() - 1; ++i) {
        Type(dlg, kCode.mid(i, 1));
        EXPECT_FALSE(Save(dlg)->isEnabled()) << i;
        EXPECT_FALSE(ManualAdjust(dlg)->isEnabled()) << i;
        EXPECT_FALSE(Spin(dlg, 0)->isEnabled()) << i;
        EXPECT_EQ(Spin(dlg, 0)->text(), "") << i;
    }
    Type(dlg, kCode.right(1));
    EXPECT_TRUE(IsUnlocked(dlg));
    // A blank image: every value is 255.
    for (int i = 0; i < kAlignmentCount; ++i) {
        EXPECT_EQ(Spin(dlg, i)->text(), "255") << i;
        EXPECT_EQ(Spin(dlg, i)->value(), 255) << i;
    }
    EXPECT_FALSE(ManualAdjust(dlg)->isChecked());
}

TEST_F(TestModeDlgTest, TheNumberCountsAndAWrongCodeStaysLocked) {
    const MemoryImage before = m_doc.Image();
    {
        CTestModeDlg dlg(m_doc);
        Open(dlg);
        Type(dlg, "52918");
        EXPECT_FALSE(IsUnlocked(dlg));
        Type(dlg, "0");
        EXPECT_FALSE(Save(dlg)->isEnabled());
        // ENTER presses nothing while Save is disabled; the image is untouched.
        QTest::keyClick(Item(dlg, CTestModeDlg::kAccessCodeId), Qt::Key_Return);
        EXPECT_EQ(m_doc.Image(), before);
        EXPECT_TRUE(dlg.isVisible());
    }
    CTestModeDlg dlg(m_doc);
    Open(dlg);
    m_doc.SetByte(0x3F5, 0);
    Type(dlg, " 00" + kCode + "abc");
    EXPECT_TRUE(IsUnlocked(dlg));
    // A value of 0 is shown too, although the spin starts at 0.
    EXPECT_EQ(Spin(dlg, 5)->text(), "0");
    // Editing the field further keeps the dialog unlocked.
    QTest::keyClick(Item(dlg, CTestModeDlg::kAccessCodeId), Qt::Key_Home);
    QTest::keyClicks(Item(dlg, CTestModeDlg::kAccessCodeId), "9");
    EXPECT_TRUE(IsUnlocked(dlg));
}

TEST_F(TestModeDlgTest, ManualAdjustIsBitFourInverted) {
    m_doc.SetByte(0x3C4, 0xEF);
    CTestModeDlg dlg(m_doc);
    Open(dlg);
    Type(dlg, kCode);
    EXPECT_TRUE(ManualAdjust(dlg)->isChecked());
    ClickManualAdjust(dlg);
    EXPECT_FALSE(ManualAdjust(dlg)->isChecked());
    QTest::mouseClick(Save(dlg), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(m_doc.Image()[0x3C4], 0xFF);
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(TestModeDlgTest, SaveStoresAllTwelveValuesAndMarksTheDocument) {
    const MemoryImage before = m_doc.Image();
    CTestModeDlg dlg(m_doc);
    Open(dlg);
    Type(dlg, kCode);
    Step(dlg, 0, -55); // Battery Low 200
    EXPECT_EQ(Spin(dlg, 0)->text(), "200");
    Step(dlg, 11, -5); // Rx High, one of the six right-hand values
    Step(dlg, 6, 3);   // Rx Center stays at the top of its range
    QTest::mouseClick(Save(dlg), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(m_doc.Image()[0x3F0], 0xC8);
    EXPECT_EQ(m_doc.Image()[0x3FB], 250);
    EXPECT_EQ(m_doc.Image()[0x3F6], 255);
    for (std::size_t a = 0; a < kImageSize; ++a) {
        if (a != 0x3F0 && a != 0x3FB) {
            EXPECT_EQ(m_doc.Image()[a], before[a]) << a;
        }
    }
    EXPECT_TRUE(m_doc.IsModified());

    // Saving what is there already leaves the document unmodified.
    m_doc.SetModifiedFlag(false);
    CTestModeDlg again(m_doc);
    Open(again);
    Type(again, kCode);
    EXPECT_EQ(Spin(again, 0)->text(), "200");
    QTest::keyClick(Item(again, CTestModeDlg::kAccessCodeId), Qt::Key_Return);
    EXPECT_EQ(again.result(), QDialog::Accepted);
    EXPECT_FALSE(m_doc.IsModified());
}

// Each value is one field: typed digits show at once, a number beyond the byte is taken as
// 255 while it is typed, the keys step it, and Tab goes on to the next value's field.
TEST_F(TestModeDlgTest, ValuesAreTypedAndSteppedInOneFieldEach) {
    struct SCase {
        const char* pszTyped;
        const char* pszShown;
        Qt::Key step;
        int nStored;
    };
    const SCase cases[] = {
        {"200", "200", Qt::Key_unknown, 0xC8}, {"999", "255", Qt::Key_unknown, 255},
        {"7", "7", Qt::Key_PageUp, 17},        {"12", "12", Qt::Key_PageDown, 2},
        {"300", "255", Qt::Key_Down, 254},
    };
    for (const SCase& c : cases) {
        CTestModeDlg dlg(m_doc);
        Open(dlg);
        Type(dlg, kCode);
        QSpinBox* battery = Spin(dlg, 0);
        battery->setFocus();
        battery->selectAll();
        QTest::keyClicks(battery, c.pszTyped);
        EXPECT_EQ(battery->text(), c.pszShown) << c.pszTyped;
        if (c.step != Qt::Key_unknown) {
            QTest::keyClick(battery, c.step);
        }
        QTest::keyClick(battery, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), Spin(dlg, 1)) << c.pszTyped;
        QTest::mouseClick(Save(dlg), Qt::LeftButton);
        EXPECT_EQ(m_doc.Image()[0x3F0], c.nStored) << c.pszTyped;
    }
}

TEST_F(TestModeDlgTest, ExitEscAndTheCloseBoxNeverChangeTheImage) {
    const MemoryImage before = m_doc.Image();
    for (int way = 0; way < 3; ++way) {
        CTestModeDlg dlg(m_doc);
        Open(dlg);
        Type(dlg, kCode);
        Step(dlg, 2, -10);
        ClickManualAdjust(dlg);
        if (way == 0) {
            QTest::mouseClick(Exit(dlg), Qt::LeftButton);
        } else if (way == 1) {
            QTest::keyClick(Spin(dlg, 2), Qt::Key_Escape);
        } else {
            dlg.close();
        }
        EXPECT_EQ(dlg.result(), QDialog::Rejected) << way;
        EXPECT_FALSE(dlg.isVisible()) << way;
        EXPECT_EQ(m_doc.Image(), before) << way;
        EXPECT_FALSE(m_doc.IsModified()) << way;
    }
}

TEST_F(TestModeDlgTest, SavedAlignmentValuesNeverReachTheRadio) {
    const Image radio = Pattern(3);
    m_doc.ReplaceImage(radio);
    for (int i = 0; i < 0x350; ++i) {
        m_doc.SetByte(i, static_cast<std::uint8_t>(~radio[i]));
    }
    m_radio = std::make_unique<SimRadioProcess>(std::vector<std::string>{
        "--fast", "--image", WriteImage("radio.bin", radio), "--save", m_dir.file("radio.dpm")});
    ASSERT_FALSE(m_radio->Path().empty());
    WriteSettings("com1=" + m_radio->Path());

    {
        CTestModeDlg dlg(m_doc);
        Open(dlg);
        Type(dlg, kCode);
        for (int i = 0; i < kAlignmentCount; ++i) {
            Step(dlg, i, Spin(dlg, i)->value() < 128 ? 1 : -1);
        }
        ClickManualAdjust(dlg);
        QTest::mouseClick(Save(dlg), Qt::LeftButton);
    }
    for (int i = 0; i < kAlignmentCount; ++i) {
        ASSERT_NE(m_doc.Image()[0x3F0 + i], radio[0x3F0 + i]) << i;
    }
    ASSERT_NE(m_doc.Image()[0x3C4], radio[0x3C4]);

    CCommPort port;
    CTransferDlg write(port, m_doc);
    write.SetMode(false);
    QTimer::singleShot(0, &write, [&] {
        QTest::mouseClick(qobject_cast<QPushButton*>(GetDlgItem(&write, IDOK)), Qt::LeftButton);
    });
    ASSERT_EQ(write.DoModal(), QDialog::Accepted);
    port.Close();
    ASSERT_EQ(m_radio->Stop(), 0);
    const Image saved = SavedImage("radio.dpm");
    EXPECT_TRUE(std::equal(saved.begin() + 0x3F0, saved.begin() + 0x3FC, radio.begin() + 0x3F0));
    // The switch lies in the written range and does go.
    EXPECT_EQ(saved[0x3C4], m_doc.Image()[0x3C4]);
}

TEST_F(TestModeDlgTest, TheFramesTestModeCommandOpensTheDialog) {
    CCommPort port;
    CMainFrame frame(m_doc, port);
    EXPECT_EQ(frame.CommandHandler(ID_PROGRAM_TEST), "CMainFrame");
    bool opened = false;
    QTimer::singleShot(0, &frame, [&] {
        auto* dlg = qobject_cast<CTestModeDlg*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dlg);
        opened = true;
        Type(*dlg, kCode);
        Step(*dlg, 0, -1);
        QTest::mouseClick(Save(*dlg), Qt::LeftButton);
    });
    frame.CommandAction(ID_PROGRAM_TEST)->trigger();
    EXPECT_TRUE(opened);
    EXPECT_EQ(m_doc.Image()[0x3F0], 254);
}

} // namespace
