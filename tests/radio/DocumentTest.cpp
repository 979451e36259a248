#include "RadioFixture.h"

using DocumentTest = RadioTest;

TEST_F(DocumentTest, ResetImageReadsAsErased) {
    CDromelPgmDoc doc;
    for (int n = 1; n <= 32; ++n) {
        EXPECT_TRUE(doc.IsRxEmpty(n));
        EXPECT_EQ(doc.GetFreqText(n, true), "");
        EXPECT_EQ(doc.GetToneText(n, true), "None");
        EXPECT_EQ(doc.GetToneText(n, false), "None");
        EXPECT_FALSE(doc.GetOptCol6(n));
        EXPECT_FALSE(doc.GetOptCol8(n));
        EXPECT_TRUE(doc.GetNarrow(n));
        EXPECT_TRUE(doc.GetScanAdd(n));
    }
    EXPECT_EQ(doc.GetTimeOutTimer(), 0);
    EXPECT_EQ(doc.GetScanType(), 0);
    EXPECT_EQ(doc.GetPriorityChannel(), 0);
    EXPECT_EQ(doc.GetLoopBackTime(), 0);
    EXPECT_EQ(doc.GetRevertChannel(), 0);
    EXPECT_EQ(doc.GetDropoutDelay(), 9);
    EXPECT_EQ(doc.GetSquelchLevel(), 9);
    EXPECT_EQ(doc.GetMonitorKey(), 3);
    EXPECT_FALSE(doc.GetWiredClone());
    EXPECT_FALSE(doc.GetManualAdjust());
    EXPECT_TRUE(doc.GetBeepTone());
    EXPECT_TRUE(doc.GetBatterySave());
    EXPECT_EQ(doc.GetHeader(), kOwnHeader);
}

TEST_F(DocumentTest, OptionBytesReadWithClamping) {
    CDromelPgmDoc doc;
    doc.SetByte(0x3C1, 12);
    doc.SetByte(0x3C2, 7);
    doc.SetByte(0x3C3, 11);
    EXPECT_EQ(doc.GetSquelchLevel(), 9);
    EXPECT_EQ(doc.GetMonitorKey(), 3);
    EXPECT_EQ(doc.GetTimeOutTimer(), 0);
    doc.SetByte(0x3C3, 10);
    EXPECT_EQ(doc.GetTimeOutTimer(), 10);
    const std::pair<int, int> dropout[] = {{3, 0}, {7, 0}, {5, 0}, {50, 9}, {55, 9}, {27, 4}};
    for (auto [byte, index] : dropout) {
        doc.SetByte(0x3C9, static_cast<std::uint8_t>(byte));
        EXPECT_EQ(doc.GetDropoutDelay(), index) << byte;
    }
    const std::pair<int, int> loopBack[] = {{2, 0}, {51, 0}, {3, 1}, {50, 48}};
    for (auto [byte, index] : loopBack) {
        doc.SetByte(0x3C7, static_cast<std::uint8_t>(byte));
        EXPECT_EQ(doc.GetLoopBackTime(), index) << byte;
    }
    doc.SetByte(0x3C5, 1);
    EXPECT_EQ(doc.GetScanType(), 2);
    doc.SetByte(0x3C5, 2);
    EXPECT_EQ(doc.GetScanType(), 0);
    doc.SetByte(0x3C8, 2);
    EXPECT_EQ(doc.GetRevertChannel(), 3);
    doc.SetByte(0x3C8, 3);
    EXPECT_EQ(doc.GetRevertChannel(), 0);
}

TEST_F(DocumentTest, OptionIndexesWriteTheirStoredBytes) {
    CDromelPgmDoc doc;
    const auto& image = doc.Image();
    doc.SetPriorityChannel(16);
    EXPECT_EQ(image[0x3C6], 0xFF);
    doc.SetPriorityChannel(15);
    EXPECT_EQ(image[0x3C6], 14);
    doc.SetByte(0x3C6, 15);
    EXPECT_EQ(doc.GetPriorityChannel(), 16);
    doc.SetScanType(0);
    EXPECT_EQ(image[0x3C5], 0xFF);
    doc.SetScanType(2);
    EXPECT_EQ(image[0x3C5], 1);
    doc.SetLoopBackTime(0);
    EXPECT_EQ(image[0x3C7], 0xFF);
    doc.SetLoopBackTime(48);
    EXPECT_EQ(image[0x3C7], 50);
    doc.SetRevertChannel(0);
    EXPECT_EQ(image[0x3C8], 0xFF);
    doc.SetRevertChannel(3);
    EXPECT_EQ(image[0x3C8], 2);
    doc.SetDropoutDelay(0);
    EXPECT_EQ(image[0x3C9], 5);
    doc.SetTimeOutTimer(10);
    EXPECT_EQ(image[0x3C3], 10);
}

TEST_F(DocumentTest, BitsKeepTheirNeighbours) {
    CDromelPgmDoc doc;
    const auto& image = doc.Image();
    doc.SetBeepTone(false);
    EXPECT_EQ(image[0x3C0], 0xFE);
    doc.SetBatterySave(false);
    EXPECT_EQ(image[0x3C0], 0xFC);
    doc.SetWiredClone(true);
    EXPECT_EQ(image[0x3C4], 0xFB);
    EXPECT_TRUE(doc.GetWiredClone());
    doc.SetManualAdjust(true);
    EXPECT_EQ(image[0x3C4], 0xEB);
    doc.SetOptCol6(1, true);
    doc.SetNarrow(1, false);
    doc.SetScanAdd(1, false);
    EXPECT_EQ(image[16 + 12], 0xEA);
    doc.SetOptCol8(1, true);
    EXPECT_EQ(image[16 + 12], 0xE8);
    EXPECT_TRUE(doc.GetOptCol8(1));
}

TEST_F(DocumentTest, ChannelFieldsAndComparisons) {
    CDromelPgmDoc doc;
    EXPECT_TRUE(doc.IsTxSameAsRx(3)); // two erased frequencies are equal
    doc.SetFreqText(3, true, "146.52");
    EXPECT_EQ(std::vector<std::uint8_t>(doc.Image().begin() + 48, doc.Image().begin() + 52),
              (std::vector<std::uint8_t>{0x00, 0x20, 0x65, 0x14}));
    EXPECT_EQ(doc.Image()[48 + 13], 0);
    EXPECT_FALSE(doc.IsRxEmpty(3));
    EXPECT_TRUE(doc.IsRxOrTxEmpty(3));
    EXPECT_FALSE(doc.IsTxSameAsRx(3));
    doc.SetFreqText(3, false, "146.52");
    EXPECT_TRUE(doc.IsTxSameAsRx(3));
    EXPECT_FALSE(doc.IsRxOrTxEmpty(3));
    doc.SetToneText(3, true, "D754I");
    EXPECT_FALSE(doc.IsTxToneSameAsRx(3));
    EXPECT_EQ(doc.GetToneText(3, true), "D754I");
    EXPECT_EQ(doc.GetToneText(3, false), "None");

    doc.SetFreqText(4, false, "146.52");
    EXPECT_TRUE(doc.IsRxEmpty(4));
    EXPECT_TRUE(doc.IsRxOrTxEmpty(4));
}

TEST_F(DocumentTest, ScanListCountsChannelsOneToFifteen) {
    CDromelPgmDoc doc;
    doc.SetScanType(1);
    doc.SetFreqText(16, true, "146.52");
    doc.SetFreqText(2, true, "146.52");
    EXPECT_FALSE(doc.HasScanList()); // channel 16 does not count
    EXPECT_EQ(doc.Image()[0x3C5], 0xFF);
    doc.SetScanType(1);
    doc.SetFreqText(15, true, "146.52");
    EXPECT_TRUE(doc.HasScanList());
    EXPECT_EQ(doc.GetScanType(), 1);
    doc.SetScanAdd(15, false);
    EXPECT_FALSE(doc.HasScanList());
    EXPECT_EQ(doc.GetScanType(), 0);
}

TEST_F(DocumentTest, RangeCheckComparesTheUnroundedValue) {
    CDromelPgmDoc doc;
    doc.SetModel(1); // 400 .. 470 MHz
    EXPECT_EQ(doc.CheckRange("470.00001"), 1);
    EXPECT_EQ(doc.CheckRange("470"), 0);
    EXPECT_EQ(doc.CheckRange("399.99999"), -1);
    EXPECT_EQ(doc.CheckRange(""), 0);
    EXPECT_EQ(doc.CheckRange("999999999"), 1);
    EXPECT_EQ(doc.GetLimitText(true), "470.00000");
    EXPECT_EQ(doc.GetLimitText(false), "400.00000");
}

TEST_F(DocumentTest, ObserversAreCalledUntilRemoved) {
    CDromelPgmDoc doc;
    int views = 0;
    int states = 0;
    const int view = doc.AddViewObserver([&] { ++views; });
    const int state = doc.AddStateObserver([&] { ++states; });
    doc.RefreshFromImage();
    doc.SetModifiedFlag(true);
    doc.SetModifiedFlag(true);
    EXPECT_EQ(views, 1);
    EXPECT_EQ(states, 1);
    doc.RemoveViewObserver(view);
    doc.RemoveStateObserver(state);
    doc.UpdateAllViews();
    doc.SetModifiedFlag(false);
    EXPECT_EQ(views, 1);
    EXPECT_EQ(states, 1);
}
