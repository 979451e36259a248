#include "app/LangString.h"
#include "app/AppPaths.h"

#include "TempDir.h"

#include <gtest/gtest.h>

TEST(LangString, EscapesMissingKeysAndCase) {
    TempDir dir;
    g_strLangFile = dir.write("lang_en.lng", "[String]\r\n"
                                             "ids_error=Error\r\n"
                                             "TWO=first\\nsecond\r\n"
                                             "TAB=a\\tb\r\n"
                                             "LONE=a\\b\\\r\n"
                                             "NT=x\\\\ny\r\n"
                                             "[Resource]\r\n"
                                             "^130=Port\\nSetup\r\n"
                                             "^1014=\"\"\r\n");
    EXPECT_EQ(GetLangString("IDS_ERROR"), "Error");
    EXPECT_EQ(GetLangString("TWO"), "first\nsecond");
    EXPECT_EQ(GetLangString("TAB"), "a\tb");
    EXPECT_EQ(GetLangString("LONE"), "a\\b\\");
    EXPECT_EQ(GetLangString("NT"), "x\\\ny");
    EXPECT_EQ(GetLangString("IDS_MISSING"), "Not Found");
    EXPECT_EQ(GetLangResource(130), "Port\\nSetup");
    EXPECT_EQ(GetLangResource(1014), "");
    EXPECT_EQ(GetLangResource(999), "");
    g_strLangFile = dir.file("none.lng");
    EXPECT_EQ(GetLangString("IDS_ERROR"), "Not Found");
}

TEST(LangString, LongValuesAreCutAt999) {
    TempDir dir;
    g_strLangFile = dir.write("l.lng", "[String]\nK=" + std::string(1500, 'x') + "\n");
    EXPECT_EQ(GetLangString("K").size(), 999u);
}

TEST(LangString, FormatFillsOnlyStringPlaces) {
    EXPECT_EQ(FormatText("Cannot open the file %s: %s", {"a.dpm", "denied"}),
              "Cannot open the file a.dpm: denied");
    EXPECT_EQ(FormatText("%s %d %% %s %s", {"x", "y"}), "x %d % y ");
    EXPECT_EQ(FormatText("100%", {}), "100%");
    EXPECT_EQ(FormatText("%s and %s", {"%s", "b"}), "%s and b");
}

TEST(LangString, FormatLooksTheTextUp) {
    TempDir dir;
    g_strLangFile = dir.write("l.lng", "[String]\nK=%s on\\t%s\n");
    EXPECT_EQ(FormatLangString("K", {"a", "b", "c"}), "a on\tb");
}
