#include "RadioFixture.h"

#include "radio/CellTyping.h"
#include "radio/ChannelRules.h"
#include "radio/ColumnHeadings.h"
#include "radio/TestFreqRules.h"

class GridRulesTest : public RadioTest {
protected:
    void SetUp() override {
        RadioTest::SetUp();
        m_doc.NewDocument();
        m_doc.SetModel(1); // 400 .. 470 MHz
    }

    std::vector<std::string> Row(int n) const {
        std::vector<std::string> cells;
        for (int col = 1; col <= 8; ++col) {
            cells.push_back(GetChannelCellText(m_doc, n, col));
        }
        return cells;
    }

    CDromelPgmDoc m_doc;
};

TEST_F(GridRulesTest, EmptyChannelGreysAllButTheReceiveFrequency) {
    for (int col = 2; col <= 8; ++col) {
        EXPECT_TRUE(IsChannelCellReadOnly(m_doc, 3, col)) << col;
    }
    EXPECT_FALSE(IsChannelCellReadOnly(m_doc, 3, kColRxFreq));
    EXPECT_EQ(Row(3), std::vector<std::string>(8));
}

TEST_F(GridRulesTest, ReceiveFrequencyOnAnEmptyChannelFillsTheRow) {
    CommitChannelFreq(m_doc, 3, true, "446.52");
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(Row(3), (std::vector<std::string>{"446.52000", "None", "446.52000", "None", "Yes",
                                                "No", "Wide", "No"}));
    for (int col = 1; col <= 8; ++col) {
        EXPECT_FALSE(IsChannelCellReadOnly(m_doc, 3, col)) << col;
    }
}

TEST_F(GridRulesTest, TransmitFollowsOnlyWhenItWasEqual) {
    CommitChannelFreq(m_doc, 1, true, "446.52");
    CommitChannelFreq(m_doc, 1, true, "447");
    EXPECT_EQ(m_doc.GetFreqText(1, false), "447.00000");
    CommitChannelFreq(m_doc, 1, false, "446.62");
    CommitChannelFreq(m_doc, 1, true, "448");
    EXPECT_EQ(m_doc.GetFreqText(1, true), "448.00000");
    EXPECT_EQ(m_doc.GetFreqText(1, false), "446.62000");
}

TEST_F(GridRulesTest, FrequenciesClampToTheModelLimits) {
    CommitChannelFreq(m_doc, 2, true, "999");
    EXPECT_EQ(m_doc.GetFreqText(2, true), "470.00000");
    CommitChannelFreq(m_doc, 2, false, "12");
    EXPECT_EQ(m_doc.GetFreqText(2, false), "400.00000");
    CommitChannelFreq(m_doc, 2, false, "999999999");
    EXPECT_EQ(m_doc.GetFreqText(2, false), "470.00000");
}

TEST_F(GridRulesTest, ClearingTransmitGreysTheTransmitTone) {
    CommitChannelFreq(m_doc, 4, true, "440");
    CommitChannelTone(m_doc, 4, false, "88.5");
    CommitChannelFreq(m_doc, 4, false, "");
    EXPECT_EQ(m_doc.GetToneText(4, false), "None");
    EXPECT_TRUE(IsChannelCellReadOnly(m_doc, 4, kColTxTone));
    EXPECT_FALSE(IsChannelCellReadOnly(m_doc, 4, kColRxTone));
    EXPECT_EQ(GetChannelCellText(m_doc, 4, kColTxTone), "");
}

TEST_F(GridRulesTest, ClearingReceiveErasesTheChannel) {
    CommitChannelFreq(m_doc, 6, true, "440");
    CommitChannelFreq(m_doc, 6, false, "445");
    CommitChannelTone(m_doc, 6, true, "D754I");
    CommitChannelList(m_doc, 6, kColScan, 1);
    CommitChannelList(m_doc, 6, kColOpt6, 0);
    CommitChannelList(m_doc, 6, kColBand, 1);
    CommitChannelList(m_doc, 6, kColOpt8, 0);
    CommitChannelFreq(m_doc, 6, true, "");
    EXPECT_TRUE(m_doc.IsRxEmpty(6));
    EXPECT_EQ(m_doc.GetFreqText(6, false), "");
    EXPECT_EQ(m_doc.GetToneText(6, true), "None");
    EXPECT_EQ(m_doc.GetToneText(6, false), "None");
    EXPECT_TRUE(m_doc.GetScanAdd(6));
    EXPECT_FALSE(m_doc.GetOptCol6(6));
    EXPECT_FALSE(m_doc.GetOptCol8(6));
    EXPECT_FALSE(m_doc.GetNarrow(6));
    EXPECT_EQ(m_doc.Image()[6 * 16 + 13], 0xFF);
}

TEST_F(GridRulesTest, CommitsThatShrinkTheScanListResetTheScanType) {
    CommitChannelFreq(m_doc, 1, true, "440");
    CommitChannelFreq(m_doc, 2, true, "441");
    CommitChannelFreq(m_doc, 3, true, "442");
    m_doc.SetScanType(2);
    CommitChannelList(m_doc, 3, kColScan, 1); // two scanned channels remain
    EXPECT_EQ(m_doc.GetScanType(), 2);
    CommitChannelList(m_doc, 1, kColScan, 1);
    EXPECT_EQ(m_doc.Image()[0x3C5], 0xFF);
    CommitChannelList(m_doc, 1, kColScan, 0);
    m_doc.SetScanType(1);
    m_doc.SetModifiedFlag(false);
    CommitChannelFreq(m_doc, 2, true, ""); // erasing a scanned channel
    EXPECT_EQ(m_doc.Image()[0x3C5], 0xFF);
    CommitChannelList(m_doc, 2, kColScan, 0);
    m_doc.SetScanType(1);
    m_doc.SetModifiedFlag(false);
    CommitChannelFreq(m_doc, 7, true, ""); // the reset itself does not mark the document
    EXPECT_EQ(m_doc.Image()[0x3C5], 0xFF);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(GridRulesTest, UnchangedTextsDoNotMarkModified) {
    CommitChannelFreq(m_doc, 7, true, ""); // leaving an empty channel empty
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_FALSE(m_doc.GetNarrow(7));
    CommitChannelFreq(m_doc, 7, true, "440");
    m_doc.SetModifiedFlag(false);
    CommitChannelFreq(m_doc, 7, true, "440.00000");
    CommitChannelTone(m_doc, 7, true, "none"); // differs from "None" only in case
    CommitChannelTone(m_doc, 7, false, "NONE");
    EXPECT_FALSE(m_doc.IsModified());
    CommitChannelTone(m_doc, 7, false, "D754I");
    CommitChannelTone(m_doc, 7, true, "88.5");
    m_doc.SetModifiedFlag(false);
    CommitChannelTone(m_doc, 7, false, "d754i");
    CommitChannelTone(m_doc, 7, true, "88.5");
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_doc.GetToneText(7, false), "D754I");
    CommitChannelFreq(m_doc, 7, true, "440.0");
    EXPECT_TRUE(m_doc.IsModified()); // a different text, though the same value
}

TEST_F(GridRulesTest, ReceiveToneTakesAnEqualTransmitToneAlong) {
    CommitChannelFreq(m_doc, 8, true, "440");
    CommitChannelTone(m_doc, 8, true, "D023N"); // d023n as the editor shows it
    EXPECT_EQ(m_doc.GetToneText(8, true), "D023N");
    EXPECT_EQ(m_doc.GetToneText(8, false), "D023N");
    CommitChannelTone(m_doc, 8, false, "50");
    EXPECT_EQ(m_doc.GetToneText(8, false), "67.0");
    CommitChannelTone(m_doc, 8, true, "100");
    EXPECT_EQ(m_doc.GetToneText(8, true), "100.0");
    EXPECT_EQ(m_doc.GetToneText(8, false), "67.0");
}

TEST_F(GridRulesTest, ListCellsAndTheirEntries) {
    CommitChannelFreq(m_doc, 9, true, "440");
    m_doc.SetModifiedFlag(false);
    EXPECT_EQ(ChannelListEntries(kColBand), (OptionList{"Wide", "Narrow"}));
    EXPECT_EQ(ChannelListEntries(kColOpt6), (OptionList{"Yes", "No"}));
    CommitChannelList(m_doc, 9, kColBand, 1);
    EXPECT_TRUE(m_doc.GetNarrow(9));
    EXPECT_EQ(GetChannelCellText(m_doc, 9, kColBand), "Narrow");
    CommitChannelList(m_doc, 9, kColBand, -1);
    EXPECT_FALSE(m_doc.GetNarrow(9));
    CommitChannelList(m_doc, 9, kColOpt8, -1);
    EXPECT_FALSE(m_doc.GetOptCol8(9));
    CommitChannelList(m_doc, 9, kColScan, 1);
    EXPECT_EQ(GetChannelListIndex(m_doc, 9, kColScan), 1);
    EXPECT_FALSE(m_doc.IsModified()); // a list commit leaves the flag to the selection change
}

TEST_F(GridRulesTest, WholeTextsThatCouldHaveBeenTyped) {
    const struct {
        const char* text;
        ETyping freq;
        ETyping tone;
    } cases[] = {
        {"", ETyping::kTypable, ETyping::kTypable},
        {"146.525", ETyping::kTypable, ETyping::kTooLong},
        {"123456789", ETyping::kTypable, ETyping::kTooLong},
        {"1234567890", ETyping::kTooLong, ETyping::kTooLong},
        {"146.5x25", ETyping::kNotTyped, ETyping::kNotTyped},
        {"1.2.3", ETyping::kNotTyped, ETyping::kNotTyped},
        {"-440", ETyping::kNotTyped, ETyping::kNotTyped},
        {"+440", ETyping::kNotTyped, ETyping::kNotTyped},
        {"1e309", ETyping::kNotTyped, ETyping::kNotTyped},
        {"nan", ETyping::kNotTyped, ETyping::kNotTyped},
        {" 446", ETyping::kNotTyped, ETyping::kNotTyped},
        {"\xEF\xBC\x94\xEF\xBC\x94\xEF\xBC\x96", ETyping::kNotTyped, ETyping::kNotTyped},
        {"446,5", ETyping::kTypable, ETyping::kComma}, // a decimal comma, read as the point
        {"88.5", ETyping::kTypable, ETyping::kTypable},
        {".5", ETyping::kTypable, ETyping::kNotTyped}, // no tone begins with a point
        {"00100.5", ETyping::kTypable, ETyping::kTooLong},
        {"d754i", ETyping::kNotTyped, ETyping::kTypable},
        {"D023N", ETyping::kNotTyped, ETyping::kTypable},
        {"D089N", ETyping::kNotTyped, ETyping::kTypable}, // a DCS form the codec replaces
        {"D23", ETyping::kNotTyped, ETyping::kTypable},
        {"D754X", ETyping::kNotTyped, ETyping::kNotTyped},
        {"D0234", ETyping::kNotTyped, ETyping::kNotTyped},
        {"DN", ETyping::kNotTyped, ETyping::kTypable},
        {"NONE", ETyping::kNotTyped, ETyping::kTypable}, // the none entry, case ignored
        {"Nonesuch", ETyping::kNotTyped, ETyping::kNotTyped},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckFreqTyping(c.text), c.freq) << c.text;
        EXPECT_EQ(CheckToneTyping(c.text, "None"), c.tone) << c.text;
    }
    EXPECT_EQ(CheckToneTyping("\xE6\x97\xA0", "\xE6\x97\xA0"), ETyping::kTypable);
}

TEST_F(GridRulesTest, CommitsTellHowAValueWasStored) {
    CommitChannelFreq(m_doc, 5, true, "440");
    const struct {
        int col;
        const char* text;
        EStored how;
        const char* stored;
    } cases[] = {
        {kColRxFreq, "446.00625", EStored::kAsGiven, "446.00625"},
        {kColRxFreq, "446.0062599", EStored::kAsGiven, "446.00625"}, // below 10 Hz
        {kColRxFreq, "999", EStored::kAboveBand, "470.00000"},
        {kColRxFreq, "12", EStored::kBelowBand, "400.00000"},
        {kColRxFreq, "446.00312", EStored::kOffRaster, "446.00500"},
        {kColRxFreq, "436,5", EStored::kComma, "436.50000"},
        {kColRxFreq, "999,5", EStored::kAboveBand, "470.00000"},
        {kColTxFreq, "", EStored::kAsGiven, ""},
        {kColRxTone, "67", EStored::kAsGiven, "67.0"},
        {kColRxTone, "300", EStored::kToneRange, "254.1"},
        {kColRxTone, "50", EStored::kToneRange, "67.0"},
        {kColRxTone, "D089N", EStored::kNotDcs, "D023N"},
        {kColRxTone, "D754", EStored::kNotDcs, "D023N"},
        {kColRxTone, "D754X", EStored::kNotDcs, "D754N"},
        {kColRxTone, "d754i", EStored::kAsGiven, "D754I"},
        {kColRxTone, "None", EStored::kAsGiven, "None"},
        {kColRxTone, "xyz", EStored::kNotTone, "None"},
    };
    for (const auto& c : cases) {
        const SStoredValue stored = c.col == kColRxTone
                                        ? CommitChannelTone(m_doc, 5, true, c.text)
                                        : CommitChannelFreq(m_doc, 5, c.col == kColRxFreq, c.text);
        EXPECT_EQ(stored.how, c.how) << c.text;
        EXPECT_EQ(stored.text, c.stored) << c.text;
    }
    const SStoredValue beyond = CommitTestFreq(m_doc, 9, true, "99999999999");
    EXPECT_EQ(beyond.how, EStored::kBeyondField);
    EXPECT_EQ(beyond.text, "999.99999");
    EXPECT_EQ(CommitTestFreq(m_doc, 9, true, "999.5").how, EStored::kAsGiven);
    const SStoredValue tone = CommitTestTone(m_doc, 9, true, "254.2");
    EXPECT_EQ(tone.how, EStored::kToneRange);
    EXPECT_EQ(tone.text, "254.1");
}

TEST_F(GridRulesTest, TestFrequenciesAreStoredAsTyped) {
    // Rows 9..16 are erased after a model change: tones greyed until frequencies exist.
    EXPECT_TRUE(IsTestCellReadOnly(m_doc, 9, kTestColRxTone));
    EXPECT_TRUE(IsTestCellReadOnly(m_doc, 9, kTestColTxTone));
    EXPECT_FALSE(IsTestCellReadOnly(m_doc, 9, kTestColTxFreq));
    CommitTestFreq(m_doc, 9, true, "999");
    EXPECT_EQ(GetTestCellText(m_doc, 9, kTestColRxFreq), "999.00000"); // no limits
    EXPECT_EQ(GetTestCellText(m_doc, 9, kTestColRxTone), "None");
    EXPECT_EQ(GetTestCellText(m_doc, 9, kTestColTxFreq), ""); // no follow
    EXPECT_TRUE(IsTestCellReadOnly(m_doc, 9, kTestColTxTone));
    CommitTestFreq(m_doc, 9, true, "999999999");
    EXPECT_EQ(GetTestCellText(m_doc, 9, kTestColRxFreq), "999.99999");
    CommitTestTone(m_doc, 9, true, "D023N");
    CommitTestFreq(m_doc, 9, true, "");
    EXPECT_TRUE(IsTestCellReadOnly(m_doc, 9, kTestColRxTone));
    EXPECT_EQ(m_doc.GetToneText(25, true), "D023N"); // the stored tone stays
    EXPECT_EQ(m_doc.Image()[25 * 16 + 12], 0xFF);    // flags never touched
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(GetTestCellText(m_doc, 1, kTestColRxFreq), "435.10000");
}

TEST_F(GridRulesTest, TestFrequencyCancelRestoresTheWholeImage) {
    const MemoryImage before = m_doc.Image();
    const CTestFreqBackup backup(m_doc);
    CommitTestFreq(m_doc, 1, true, "440");
    CommitTestTone(m_doc, 2, false, "D754I");
    m_doc.SetByte(0x3F0, 0x12);
    backup.Restore(m_doc);
    EXPECT_EQ(m_doc.Image(), before);
}

TEST_F(GridRulesTest, MissingHeadingRepeatsTheOneBefore) {
    g_strLangFile = m_dir.write("face.lng", "[Face]\nIDS_COL1=Rx\nIDS_COL3=Tone\n");
    EXPECT_EQ(GetColumnHeadings(5), (std::vector<std::string>{"", "Rx", "Rx", "Tone", "Tone"}));
    EXPECT_TRUE(GetColumnHeadings(0).empty());
}
