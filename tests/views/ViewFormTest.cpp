// The option controls of the main form driven as a user does: filled from the document,
// changes stored through the document, the checks that refuse a change.
#include "grid/DrawTextFormat.h"
#include "radio/ImageFields.h"

#include "ViewFixture.h"

TEST_F(ViewTest, ShowsEveryOptionAndChannelOfTheDocument) {
    SetChannel(1, "446.50000", "446.50000");
    SetChannel(2, "446.62500", "441.00000");
    m_doc.SetMonitorKey(1);
    m_doc.SetTimeOutTimer(2);
    m_doc.SetSquelchLevel(5);
    m_doc.SetScanType(2);
    m_doc.SetPriorityChannel(2);
    m_doc.SetRevertChannel(3);
    m_doc.SetLoopBackTime(1);
    m_doc.SetDropoutDelay(9);
    m_doc.SetBeepTone(true);
    m_doc.SetBatterySave(false);
    m_doc.SetWiredClone(true);
    m_doc.UpdateAllViews();

    EXPECT_EQ(Combo(1001)->count(), 4);
    EXPECT_EQ(Combo(1001)->currentText(), "MV-16UE 400-480");
    EXPECT_EQ(Combo(1002)->currentText(), "Monitor");
    EXPECT_EQ(Combo(1003)->currentText(), "60");
    EXPECT_EQ(Combo(1003)->itemText(0), "Off");
    EXPECT_EQ(Combo(1004)->currentText(), "5");
    EXPECT_EQ(Combo(1008)->currentText(), "Carrier");
    EXPECT_EQ(Combo(1009)->currentText(), "2");
    EXPECT_EQ(Combo(1010)->count(), 4);
    EXPECT_EQ(Combo(1010)->currentText(), "mode 3");
    EXPECT_EQ(Combo(1011)->currentText(), "0.3");
    EXPECT_EQ(Combo(1013)->currentText(), "5.0");
    for (const int id : {1008, 1009, 1010, 1011, 1013}) {
        EXPECT_TRUE(Combo(id)->isEnabled()) << id;
    }
    EXPECT_TRUE(CheckBox(1006)->isChecked());
    EXPECT_FALSE(CheckBox(1007)->isChecked());
    EXPECT_TRUE(CheckBox(1005)->isChecked());

    // The grid: headings, channel numbers, the channels and the greyed empty ones.
    ASSERT_EQ(Grid().GetRowCount(), 17);
    ASSERT_EQ(Grid().GetColumnCount(), 9);
    EXPECT_EQ(Cell(0, 0), "CH");
    EXPECT_EQ(Cell(0, 8), "Opt 8");
    EXPECT_EQ(Cell(16, 0), "16");
    EXPECT_EQ(Cell(1, 1), "446.50000");
    EXPECT_EQ(Cell(2, 3), "441.00000");
    EXPECT_EQ(Cell(1, 2), QString::fromStdString(m_doc.GetToneText(1, true)));
    EXPECT_EQ(Cell(1, 5), "Yes");
    EXPECT_EQ(Cell(1, 7), "Wide");
    EXPECT_EQ(Cell(1, 8), "No");
    EXPECT_EQ(Grid().GetItemFormat(1, 2), DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(Grid().GetItemFormat(1, 3), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    for (int col = 1; col <= 8; ++col) {
        EXPECT_FALSE(IsGreyed(1, col)) << col;
        EXPECT_EQ(IsGreyed(3, col), col != 1) << col;
        EXPECT_EQ(Cell(3, col), "") << col;
    }
    EXPECT_FALSE(m_doc.IsModified());

    // A stored 15 reads back as priority index 16, which the list does not have: no
    // selection, and nothing is corrected.
    m_doc.SetByte(kFieldPriority.offset, 15);
    m_doc.UpdateAllViews();
    EXPECT_EQ(Combo(1009)->currentIndex(), -1);
    EXPECT_EQ(m_doc.GetPriorityChannel(), 16);
}

TEST_F(ViewTest, ChangingAnOptionStoresItAndMarksTheDocumentModified) {
    const int squelch = m_doc.GetSquelchLevel();
    Step(1004, 1);
    EXPECT_EQ(m_doc.Image()[kFieldSquelch.offset], squelch + 1);
    EXPECT_TRUE(m_doc.IsModified());

    m_doc.SetModifiedFlag(false);
    const bool beep = m_doc.GetBeepTone();
    QTest::mouseClick(CheckBox(1006), Qt::LeftButton);
    EXPECT_EQ((m_doc.Image()[kFieldBeepTone.offset] & 0x01) != 0, !beep);
    EXPECT_TRUE(m_doc.IsModified());

    // Wired clone mode is stored inverted.
    const bool clone = CheckBox(1005)->isChecked();
    QTest::mouseClick(CheckBox(1005), Qt::LeftButton);
    EXPECT_EQ((m_doc.Image()[kFieldWiredClone.offset] & 0x04) != 0, clone);

    m_doc.SetModifiedFlag(false);
    const int timeOut = m_doc.GetTimeOutTimer();
    Step(1003, 1);
    EXPECT_EQ(m_doc.GetTimeOutTimer(), timeOut + 1);
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(ViewTest, ScanControlsFollowTheScanListAndTheScanType) {
    EXPECT_FALSE(Combo(1008)->isEnabled());
    EXPECT_FALSE(Combo(1009)->isEnabled());

    SetChannel(1, "446.50000", "446.50000");
    SetChannel(2, "446.60000", "446.60000");
    m_doc.UpdateAllViews();
    EXPECT_TRUE(Combo(1008)->isEnabled());
    EXPECT_FALSE(Combo(1009)->isEnabled());

    Step(1008, 1);
    EXPECT_EQ(m_doc.GetScanType(), 1);
    EXPECT_TRUE(m_doc.IsModified());
    for (const int id : {1009, 1010, 1011, 1013}) {
        EXPECT_TRUE(Combo(id)->isEnabled()) << id;
    }
}

TEST_F(ViewTest, APriorityOnAnEmptyChannelIsRefused) {
    SetChannel(1, "446.50000", "446.50000");
    SetChannel(2, "446.60000", "446.60000");
    m_doc.SetScanType(1);
    m_doc.UpdateAllViews();
    EXPECT_EQ(Combo(1010)->count(), 3);

    MessageBoxRecorder boxes;
    Step(1009, 2);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(m_doc.GetPriorityChannel(), 2);
    EXPECT_EQ(Combo(1010)->count(), 4); // a priority channel offers the fourth revert mode
    EXPECT_TRUE(m_doc.IsModified());

    m_doc.SetModifiedFlag(false);
    Step(1009, 1);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "The priority channel is empty.");
    EXPECT_EQ(boxes.boxes[0].caption, "Error");
    EXPECT_EQ(boxes.boxes[0].style, MB_OK | MB_ICONHAND);
    EXPECT_EQ(Combo(1009)->currentIndex(), 2);
    EXPECT_EQ(m_doc.GetPriorityChannel(), 2);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(ViewTest, AModelChangeAsksAndThenStartsTheImageAfresh) {
    SetChannel(1, "446.50000", "446.50000");
    m_doc.UpdateAllViews();
    {
        MessageBoxRecorder boxes({IDCANCEL});
        Step(1001, -1);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, "All channels will be cleared.");
        EXPECT_EQ(boxes.boxes[0].caption, "Confirm");
        EXPECT_EQ(boxes.boxes[0].style, MB_OKCANCEL | MB_ICONEXCLAMATION);
    }
    EXPECT_EQ(m_doc.GetModel(), 2);
    EXPECT_EQ(Combo(1001)->currentIndex(), 2);
    EXPECT_FALSE(m_doc.IsRxEmpty(1));
    EXPECT_FALSE(m_doc.IsModified());

    MessageBoxRecorder boxes({IDOK});
    Step(1001, -1);
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(m_doc.GetModel(), 1);
    EXPECT_EQ(Combo(1001)->currentIndex(), 1);
    EXPECT_EQ(m_doc.GetLimitText(true), "470.00000");
    EXPECT_TRUE(m_doc.IsRxEmpty(1));
    EXPECT_EQ(Cell(1, 1), "");
    EXPECT_TRUE(IsGreyed(1, 3));
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(ViewTest, ALanguageChangeTranslatesTheFormAndTheHeadings) {
    SetChannel(1, "446.50000", "446.50000");
    m_doc.UpdateAllViews();
    EXPECT_EQ(GetControlText(GetDlgItem(m_view.get(), 1203)), "Monitor Key");
    m_dir.write("lang_cn.lng", "[String]\nIDS_YES=是\nIDS_NO=否\nIDS_NONE=无\nIDS_OFF=关\n"
                               "[Resource]\n^1203=监听键\n"
                               "[Face]\nIDS_COL1=接收频率\nIDS_COL2=接收亚音\n"
                               "[SCANTYPE]\n0=不扫描\n");
    SetLanguageName("lang_cn");
    m_doc.RefreshFromImage();

    EXPECT_EQ(GetControlText(GetDlgItem(m_view.get(), 1203)), "监听键");
    EXPECT_EQ(Cell(0, 0), "");
    EXPECT_EQ(Cell(0, 1), "接收频率");
    // A missing heading repeats the one before it.
    EXPECT_EQ(Cell(0, 3), "接收亚音");
    EXPECT_EQ(Cell(1, 5), "是");
    EXPECT_EQ(Combo(1003)->itemText(0), "关");
    EXPECT_EQ(Combo(1008)->count(), 1);
}
