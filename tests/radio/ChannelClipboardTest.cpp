#include "RadioFixture.h"

#include "radio/ChannelClipboard.h"
#include "radio/ChannelCsv.h"
#include "radio/ChannelRules.h"

#include <string>
#include <vector>

namespace {

// Channels 2..4 in use (model 2: 400 to 480 MHz), the others empty.
class ChannelClipboardTest : public RadioTest {
protected:
    void SetUp() override {
        RadioTest::SetUp();
        m_doc.NewDocument();
        m_doc.SetFreqText(2, true, "440.00000");
        m_doc.SetFreqText(2, false, "445.00000");
        m_doc.SetToneText(2, true, "88.5");
        m_doc.SetFreqText(3, true, "446.00625");
        m_doc.SetFreqText(3, false, "446.00625");
        m_doc.SetToneText(3, false, "D023I");
        m_doc.SetScanAdd(3, false);
        m_doc.SetFreqText(4, true, "470.00000");
        m_doc.SetNarrow(4, true);
        m_doc.SetOptCol6(4, true);
    }

    // Channel n's cells as the grid shows them.
    std::vector<std::string> Cells(int n) const {
        std::vector<std::string> cells;
        for (int col = 1; col < kChannelColumns; ++col) {
            cells.push_back(GetChannelCellText(m_doc, n, col));
        }
        return cells;
    }

    CDromelPgmDoc m_doc;
};

} // namespace

TEST_F(ChannelClipboardTest, RowsCopyAsCsvAndTsvAndPasteIntoOtherRowsAsTheyWere) {
    const std::string csv = ExportChannelsCsv(m_doc, 2, 4);
    EXPECT_EQ(csv.rfind("Location,Name,Frequency,Duplex,Offset,", 0), 0u);
    EXPECT_NE(csv.find("\r\n2,,440.000000,+,5.000000,"), std::string::npos);
    EXPECT_NE(csv.find("\r\n4,,470.000000,off,"), std::string::npos);
    EXPECT_EQ(ExportChannelsCsv(m_doc, 3, 3).find("\r\n2,"), std::string::npos);

    EXPECT_EQ(ChannelCellsTsv(m_doc, 2, 1, 3, 4),
              "440.00000\t88.5\t445.00000\tNone\n446.00625\tNone\t446.00625\tD023I\n");
    const std::string tsv = ChannelCellsTsv(m_doc, 2, 1, 4, 8);

    const MemoryImage before = m_doc.Image();
    for (const std::string& text : {csv, tsv}) {
        SCOPED_TRACE(text);
        m_doc.ReplaceImage(before);
        const SPasteResult pasted = PasteChannels(m_doc, 10, 1, text);
        EXPECT_TRUE(pasted.pasted);
        EXPECT_EQ(pasted.channels, 3);
        EXPECT_TRUE(pasted.refused.empty());
        for (int n = 2; n <= 4; ++n) {
            EXPECT_EQ(Cells(n + 8), Cells(n)) << "channel " << n + 8;
        }
        EXPECT_TRUE(m_doc.IsRxEmpty(9));
        EXPECT_TRUE(m_doc.IsRxEmpty(13));
    }
}

TEST_F(ChannelClipboardTest, PastedValuesGoThroughTheGridsRules) {
    // Above the band: clamped to the limit and named; off the raster: rounded.
    const std::string csv = ExportChannelsCsv(m_doc, 2, 2);
    std::string high = csv;
    high.replace(high.find("440.000000"), 10, "999.000000");
    SPasteResult pasted = PasteChannels(m_doc, 10, 1, high);
    ASSERT_TRUE(pasted.pasted);
    EXPECT_EQ(m_doc.GetFreqText(10, true), "480.00000");
    ASSERT_FALSE(pasted.notices.empty());
    EXPECT_NE(pasted.notices[0].find("ch10.rx"), std::string::npos);

    pasted = PasteChannels(m_doc, 11, 1, "999\t\t401.003\n");
    ASSERT_TRUE(pasted.pasted);
    EXPECT_EQ(m_doc.GetFreqText(11, true), "480.00000");
    EXPECT_EQ(m_doc.GetFreqText(11, false), "401.00500"); // to the raster
    EXPECT_EQ(pasted.notices.size(), 2u);

    // A block of cells lands from the focused cell: the tone and scan cells of channel 2.
    pasted = PasteChannels(m_doc, 2, 4, "D754N\tNo\n");
    ASSERT_TRUE(pasted.pasted);
    EXPECT_EQ(m_doc.GetToneText(2, false), "D754N");
    EXPECT_FALSE(m_doc.GetScanAdd(2));
    EXPECT_EQ(m_doc.GetFreqText(2, true), "440.00000");
}

TEST_F(ChannelClipboardTest, TextWithAnUnusableRowChangesNothingAndNamesEveryRow) {
    std::string badCsv = ExportChannelsCsv(m_doc, 2, 4);
    badCsv.replace(badCsv.find("NFM"), 3, "AM");
    const struct {
        const char* name;
        int row;
        int col;
        std::string text;
        std::vector<std::string> named;
    } cases[] = {
        {"csv row", 10, 1, badCsv, {"line 4: Mode \"AM\""}},
        {"csv beyond 16", 15, 1, ExportChannelsCsv(m_doc, 2, 4), {"line 4: channel 17"}},
        {"tsv cells", 10, 1, "440\n44,5,5\nabc\t\t\t\tMaybe\n", {"row 2:", "row 3:"}},
        {"tsv beyond 16", 16, 1, "440\n441\n", {"row 2: channel 17"}},
        {"tsv beyond the last column", 1, 7, "Wide\tNo\tNo\n", {"row 1: "}},
    };
    const MemoryImage before = m_doc.Image();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SPasteResult pasted = PasteChannels(m_doc, c.row, c.col, c.text);
        EXPECT_FALSE(pasted.pasted);
        EXPECT_EQ(m_doc.Image(), before);
        std::string all;
        for (const std::string& r : pasted.refused) {
            all += r + "|";
        }
        for (const std::string& part : c.named) {
            EXPECT_NE(all.find(part), std::string::npos) << part << " in " << all;
        }
    }
}

TEST_F(ChannelClipboardTest, ClearingCellsFollowsTheGridsRulesAsOneChange) {
    int told = 0;
    m_doc.AddChangeObserver([&](const SDocChange& c) {
        ++told;
        EXPECT_EQ(c.kind, EDocChange::kClear);
    });
    m_doc.SetModifiedFlag(false);
    ClearChannelCells(m_doc, 2, 2, 3, 4); // the tones and transmit frequencies of 2 and 3
    EXPECT_EQ(told, 1);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_doc.GetFreqText(2, true), "440.00000");
    EXPECT_TRUE(m_doc.IsRxOrTxEmpty(2));
    EXPECT_EQ(m_doc.GetToneKind(2, true), EToneKind::kNone);
    ClearChannelCells(m_doc, 3, 1, 4, 8); // whole channels: erased
    EXPECT_TRUE(m_doc.IsRxEmpty(3));
    EXPECT_TRUE(m_doc.IsRxEmpty(4));
    EXPECT_EQ(told, 2);
}
