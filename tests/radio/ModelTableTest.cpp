#include "RadioFixture.h"

using ModelTableTest = RadioTest;

namespace {

std::vector<std::uint8_t> Bytes(const CDromelPgmDoc& doc, std::size_t offset, std::size_t n) {
    return {doc.Image().begin() + offset, doc.Image().begin() + offset + n};
}

} // namespace

TEST_F(ModelTableTest, SetModelInitialisesAResetImage) {
    CDromelPgmDoc doc;
    doc.SetModel(2);
    EXPECT_EQ(doc.GetModel(), 2);
    EXPECT_EQ(Bytes(doc, 0x3D0, 8),
              (std::vector<std::uint8_t>{0x4D, 0x56, 0x31, 0x36, 0x55, 0x45, 0x00, 0x0A}));
    EXPECT_EQ(doc.Image()[0x350], 0x20);
    EXPECT_EQ(doc.Image()[0x35F], 0x2F);
    EXPECT_EQ(doc.GetSquelchLevel(), 3);
    EXPECT_EQ(doc.Image()[0x3C9], 50);
    EXPECT_EQ(doc.GetMonitorKey(), 3);
    EXPECT_EQ(doc.GetFreqLow(), 40000000);
    EXPECT_EQ(doc.GetFreqHigh(), 48000000);
    for (int n = 1; n <= 16; ++n) {
        EXPECT_TRUE(doc.IsRxEmpty(n));
        EXPECT_FALSE(doc.GetNarrow(n));
    }
    EXPECT_TRUE(doc.GetBeepTone());
    EXPECT_EQ(doc.GetTimeOutTimer(), 0);
    EXPECT_EQ(doc.GetScanType(), 0);
}

TEST_F(ModelTableTest, TestChannelsFollowTheLimits) {
    CDromelPgmDoc doc;
    doc.SetModel(1); // 400 .. 470 MHz, mid 435 MHz
    EXPECT_EQ(doc.GetFreqHigh(), 47000000);
    EXPECT_EQ(doc.GetFreqLow(), 40000000);
    const char* expected[8][4] = {
        {"435.10000", "435.00000", "None", "None"},   {"400.10000", "400.00000", "None", "None"},
        {"469.90000", "469.97500", "None", "None"},   {"435.50000", "435.50000", "None", "None"},
        {"435.55000", "435.55000", "D023N", "D023N"}, {"435.60000", "435.60000", "None", "None"},
        {"435.55000", "435.55000", "127.3", "127.3"}, {"435.65000", "435.65000", "151.4", "151.4"},
    };
    for (int i = 0; i < 8; ++i) {
        const int n = 17 + i;
        EXPECT_EQ(doc.GetFreqText(n, true), expected[i][0]) << n;
        EXPECT_EQ(doc.GetFreqText(n, false), expected[i][1]) << n;
        EXPECT_EQ(doc.GetToneText(n, true), expected[i][2]) << n;
        EXPECT_EQ(doc.GetToneText(n, false), expected[i][3]) << n;
        EXPECT_FALSE(doc.GetNarrow(n));
        EXPECT_EQ(doc.Image()[16 * n + 13], 1);
    }
    for (int n = 25; n <= 32; ++n) {
        EXPECT_TRUE(doc.IsRxEmpty(n));
        EXPECT_TRUE(doc.GetNarrow(n));
    }
}

TEST_F(ModelTableTest, FindModelTakesTheLastMatchAndIgnoresCase) {
    CDromelPgmDoc doc;
    doc.SetModel(2); // written from lower-case digits
    doc.FindModel();
    EXPECT_EQ(doc.GetModel(), 2);
    m_dir.write("setting.ini", ProgramFolder::Data("setting.ini") + "model5=4D5631365545000A\n");
    doc.FindModel();
    EXPECT_EQ(doc.GetModel(), 2); // model5 follows a gap: not part of the table
    m_dir.write("setting.ini", "[model]\nmodel0=4D5631365545000A\nmodel1=4D5631365545000A\n"
                               "freq1=00000047000000400000000000000000\n");
    doc.FindModel();
    EXPECT_EQ(doc.GetModel(), 1);
    EXPECT_EQ(doc.GetFreqHigh(), 47000000);
}

TEST_F(ModelTableTest, UnknownModelsAndGapsGiveDefaultLimits) {
    CDromelPgmDoc doc;
    doc.SetModel(3); // no freq3 key
    EXPECT_EQ(doc.GetFreqLow(), kDefaultFreqLow);
    EXPECT_EQ(doc.GetFreqHigh(), kDefaultFreqHigh);
    m_dir.write("setting.ini", "[model]\nmodel0=0000000000000001\nmodel1=0000000000000002\n"
                               "model3=4D56313658000000\nfreq3=00000047000000400000000000000000\n");
    doc.FindModel();
    EXPECT_EQ(doc.GetModel(), -1);
    EXPECT_EQ(doc.GetFreqLow(), 10000000);
    EXPECT_EQ(doc.GetFreqHigh(), 99900000);
}
