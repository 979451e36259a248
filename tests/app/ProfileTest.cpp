#include "app/Profile.h"

#include "TempDir.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

std::string Get(const std::string& section, const std::string& key, const std::string& path,
                std::size_t size = 260) {
    return GetPrivateProfileString(section, key, "DEF", size, path);
}

} // namespace

TEST(Profile, ReadsWithWindowsRules) {
    TempDir dir;
    const std::string ini = dir.write("a.ini", "; comment\r\n"
                                               "[Setup]\r\n"
                                               "  Language =  lang_en  \r\n"
                                               "quoted=\"  spaced \"\r\n"
                                               "single='x'\r\n"
                                               "half=\"open\r\n"
                                               "eq=a=b=c\r\n"
                                               "dup=first\r\n"
                                               "dup=second\r\n"
                                               "noequals\r\n"
                                               "[ setup ]\r\n"
                                               "com=9\r\n"
                                               "[model]\r\n"
                                               "model0=0011\r\n");
    EXPECT_EQ(Get("setup", "LANGUAGE", ini), "lang_en");
    EXPECT_EQ(Get("SETUP", "quoted", ini), "  spaced ");
    EXPECT_EQ(Get("setup", "single", ini), "x");
    EXPECT_EQ(Get("setup", "half", ini), "\"open");
    EXPECT_EQ(Get("setup", "eq", ini), "a=b=c");
    EXPECT_EQ(Get("setup", "dup", ini), "first");
    // The first of two sections with the same name wins; the second is never searched.
    EXPECT_EQ(Get("setup", "com", ini), "DEF");
    EXPECT_EQ(Get("setup", "noequals", ini), "DEF");
    EXPECT_EQ(Get("model", "model0", ini), "0011");
    EXPECT_EQ(Get("model", "model1", ini), "DEF");
    EXPECT_EQ(Get("nosection", "x", ini), "DEF");
    EXPECT_EQ(Get("setup", "language", dir.file("missing.ini")), "DEF");
}

TEST(Profile, CutsValuesAndDefaultsAtBufferSizeLessOne) {
    TempDir dir;
    const std::string ini = dir.write("a.ini", "[s]\nk=123456789\nzh=\xE4\xB8\xAD\xE6\x96\x87\n");
    EXPECT_EQ(Get("s", "k", ini, 8), "1234567");
    EXPECT_EQ(Get("s", "missing", ini, 3), "DE");
    // A character is never split: five bytes hold one whole Chinese character.
    EXPECT_EQ(Get("s", "zh", ini, 6), "\xE4\xB8\xAD");
}

TEST(Profile, ReadsLfFilesAndGb18030) {
    TempDir dir;
    const std::string lf = dir.write("lf.ini", "[s]\nk=v\n");
    EXPECT_EQ(Get("s", "k", lf), "v");
    // "中文" in GB18030 is D6 D0 CE C4; it comes back as UTF-8.
    const std::string gb = dir.write("gb.lng", "[Face]\r\ndisp=\xD6\xD0\xCE\xC4\r\n");
    EXPECT_EQ(Get("Face", "disp", gb), "\xE4\xB8\xAD\xE6\x96\x87");
}

TEST(Profile, WriteReplacesKeepsAndCreates) {
    TempDir dir;
    const std::string ini = dir.write("a.ini", "; keep me\r\n"
                                               "[setup]\r\n"
                                               "Language=lang_cn ; old\r\n"
                                               "com=1\r\n"
                                               "\r\n"
                                               "[model]\r\n"
                                               "model0=AB\r\n");
    ASSERT_TRUE(WritePrivateProfileString("SETUP", "language", "lang_en", ini));
    ASSERT_TRUE(WritePrivateProfileString("setup", "ctcdcs", "15", ini));
    ASSERT_TRUE(WritePrivateProfileString("ports", "com1", "/dev/pts/3", ini));
    EXPECT_EQ(dir.read("a.ini"), "; keep me\r\n"
                                 "[setup]\r\n"
                                 "language=lang_en\r\n"
                                 "com=1\r\n"
                                 "ctcdcs=15\r\n"
                                 "\r\n"
                                 "[model]\r\n"
                                 "model0=AB\r\n"
                                 "\r\n"
                                 "[ports]\r\n"
                                 "com1=/dev/pts/3\r\n");
    EXPECT_EQ(Get("setup", "language", ini), "lang_en");
}

TEST(Profile, WriteCreatesAMissingFileWithTheFileLineEnds) {
    TempDir dir;
    const std::string ini = dir.file("new.ini");
    ASSERT_TRUE(WritePrivateProfileString("setup", "com", "3", ini));
    EXPECT_EQ(Get("setup", "com", ini), "3");
    const std::string lf = dir.write("lf.ini", "[setup]\ncom=1\n");
    ASSERT_TRUE(WritePrivateProfileString("setup", "com", "2", lf));
    EXPECT_EQ(dir.read("lf.ini"), "[setup]\ncom=2\n");
}

TEST(Profile, FailedWriteIsReportedAndLeavesTheOldFile) {
    TempDir dir;
    // A file marked read-only is not replaced, for root either.
    const std::string ini = dir.write("a.ini", "[setup]\r\ncom=1\r\n");
    ASSERT_EQ(chmod(ini.c_str(), 0444), 0);
    const FileResult result = WritePrivateProfileString("setup", "com", "2", ini);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error, EACCES);
    EXPECT_EQ(dir.read("a.ini"), "[setup]\r\ncom=1\r\n");
}

TEST(Profile, WriteIntoAMissingFolderIsReported) {
    TempDir dir;
    const FileResult result =
        WritePrivateProfileString("setup", "com", "2", dir.file("nofolder/a.ini"));
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.reason.empty());
}
