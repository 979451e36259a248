// The access code of Test Mode, its Save into the image, and what OK and Cancel of the Test
// Frequency dialog do to the document.
#include "radio/TestModeRules.h"
#include "radio/TestFreqRules.h"

#include <gtest/gtest.h>

#include <string>

TEST(TestModeRules, AccessCodeIsReadAsAtolReadsANumber) {
    const std::string code = "52917";
    for (const std::string& text :
         {code, " 00" + code + "abc", "+" + code, "\t" + code + ".9", code + " 1"}) {
        EXPECT_TRUE(IsTestModeCode(text)) << text;
    }
    // Other numbers, parts of the code, text before the digits, and numbers that reach the
    // code only by wrapping around 32 bits.
    for (const std::string& text :
         {std::string(), std::string("5291"), std::string("52918"), std::string("529170"),
          "-" + code, "x" + code, "+ " + code, std::string("4295020213"),
          std::string("-4294914379"), std::string("99999999999999999999999")}) {
        EXPECT_FALSE(IsTestModeCode(text)) << text;
    }
}

TEST(TestModeRules, AlignmentKeysNameTheBytesInImageOrder) {
    EXPECT_EQ(FindAlignmentKey("batterylow"), 0);
    EXPECT_EQ(FindAlignmentKey("BatteryLow"), 0);
    EXPECT_EQ(FindAlignmentKey("sql9"), 1);
    EXPECT_EQ(FindAlignmentKey("rxcenter"), 6);
    EXPECT_EQ(FindAlignmentKey("rxhigh"), 11);
    EXPECT_EQ(FindAlignmentKey("rx high"), -1);
    EXPECT_EQ(FindAlignmentKey(""), -1);

    CDromelPgmDoc doc;
    for (int i = 0; i < kAlignmentCount; ++i) {
        doc.SetByte(0x3F0 + i, static_cast<std::uint8_t>(10 * i));
    }
    const AlignmentValues values = GetAlignmentValues(doc);
    for (int i = 0; i < kAlignmentCount; ++i) {
        EXPECT_EQ(values[i], 10 * i) << i;
    }
}

TEST(TestModeRules, SaveStoresTheSwitchAndAllTwelveValuesAndMarksOnlyChanges) {
    CDromelPgmDoc doc;
    doc.SetByte(0x3C4, 0xEF);
    EXPECT_TRUE(doc.GetManualAdjust());
    MemoryImage before = doc.Image();

    // The same values and switch: nothing changes, nothing is marked.
    SaveTestMode(doc, true, GetAlignmentValues(doc));
    EXPECT_EQ(doc.Image(), before);
    EXPECT_FALSE(doc.IsModified());

    // The switch alone.
    SaveTestMode(doc, false, GetAlignmentValues(doc));
    EXPECT_EQ(doc.Image()[0x3C4], 0xFF);
    EXPECT_TRUE(doc.IsModified());

    // Every value, the right-hand six included; nothing beyond the block.
    doc.SetModifiedFlag(false);
    before = doc.Image();
    AlignmentValues values{};
    for (int i = 0; i < kAlignmentCount; ++i) {
        values[i] = static_cast<std::uint8_t>(200 + i);
    }
    SaveTestMode(doc, false, values);
    EXPECT_TRUE(doc.IsModified());
    for (std::size_t a = 0; a < kImageSize; ++a) {
        const bool inBlock = a >= 0x3F0 && a <= 0x3FB;
        EXPECT_EQ(doc.Image()[a], inBlock ? 200 + (a - 0x3F0) : before[a]) << a;
    }

    // One value through the dpmtool path.
    doc.SetModifiedFlag(false);
    SetAlignmentValue(doc, 11, 211);
    EXPECT_FALSE(doc.IsModified());
    SetAlignmentValue(doc, 11, 0);
    EXPECT_EQ(doc.Image()[0x3FB], 0);
    EXPECT_TRUE(doc.IsModified());
}

TEST(TestFreqRules, OkMarksModifiedOnlyWhenAByteChangedAndCancelRestoresAll) {
    CDromelPgmDoc doc;
    const CTestFreqBackup backup(doc);
    backup.Keep(doc);
    EXPECT_FALSE(doc.IsModified());

    CommitTestFreq(doc, 9, true, "999.5");
    CommitTestTone(doc, 9, true, "D023N");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetFreqText(25, true), "999.50000");
    backup.Keep(doc);
    EXPECT_TRUE(doc.IsModified());

    doc.SetModifiedFlag(false);
    backup.Restore(doc);
    EXPECT_EQ(doc.Image(), CDromelPgmDoc().Image());
    EXPECT_FALSE(doc.IsModified());
}
