#include "app/Profile.h"

#include "TempDir.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace {

std::string Get(const std::string& section, const std::string& key, const std::string& path,
                std::size_t size = 260) {
    return GetPrivateProfileString(section, key, "DEF", size, path);
}

// Waits until a file unchanged for a while is checked on disk again (at most every 100 us).
void PastRecheck() {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
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

TEST(Profile, WriteKeepsEachLineEndAndTheByteOrderMark) {
    TempDir dir;
    // Mixed line ends and no line end at the very end, as hand-edited files have them.
    const std::string ini = dir.write("a.ini", "\xEF\xBB\xBF[a]\r\n"
                                               "k=1\n"
                                               "x=2\r\n"
                                               "[b]\n"
                                               "y=3");
    EXPECT_EQ(Get("a", "k", ini), "1");
    ASSERT_TRUE(WritePrivateProfileString("a", "k", "9", ini));
    EXPECT_EQ(dir.read("a.ini"), "\xEF\xBB\xBF[a]\r\nk=9\nx=2\r\n[b]\ny=3");
    // New lines take the first line's end; the last line gets one as lines now follow it.
    ASSERT_TRUE(WritePrivateProfileString("b", "z", "4", ini));
    ASSERT_TRUE(WritePrivateProfileString("c", "w", "5", ini));
    EXPECT_EQ(dir.read("a.ini"),
              "\xEF\xBB\xBF[a]\r\nk=9\nx=2\r\n[b]\ny=3\r\nz=4\r\n\r\n[c]\r\nw=5\r\n");
    EXPECT_EQ(Get("a", "x", ini), "2");
    EXPECT_EQ(Get("c", "w", ini), "5");
}

TEST(Profile, BlanksAroundNamesAreTabsOrSpaces) {
    TempDir dir;
    const std::string ini = dir.write("a.ini", "[\tsetup ]\nkey\t=value\n\tcom \t= \t3\t\n");
    EXPECT_EQ(Get("setup", "key", ini), "value");
    EXPECT_EQ(Get("setup", "com", ini), "3");
    ASSERT_TRUE(WritePrivateProfileString("setup", "key", "new", ini));
    EXPECT_EQ(dir.read("a.ini"), "[\tsetup ]\nkey=new\n\tcom \t= \t3\t\n");
}

TEST(Profile, SomethingOtherThanAFileReadsAsMissing) {
    TempDir dir;
    // A pipe would block a plain open until a writer comes; it must answer at once.
    const std::string fifo = dir.file("pipe.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(Get("setup", "com", fifo), "DEF");
    EXPECT_EQ(Get("setup", "com", dir.path()), "DEF");
    EXPECT_FALSE(HasPrivateProfileSection("setup", fifo));
    // Writing settings into a pipe or over a folder is refused and changes nothing.
    EXPECT_EQ(WritePrivateProfileString("setup", "com", "2", fifo).error, kErrNotRegularFile);
    EXPECT_EQ(WritePrivateProfileString("setup", "com", "2", dir.path()).error, EISDIR);
}

TEST(Profile, AnUnchangedFileIsParsedOnceAndAChangedOneAgain) {
    TempDir dir;
    const std::string ini = dir.write("a.ini", "[s]\nk=1\n");
    // A time stamp well in the past, as files installed earlier have.
    timespec old[2] = {{1'600'000'000, 123'456'789}, {1'600'000'000, 123'456'789}};
    ASSERT_EQ(::utimensat(AT_FDCWD, ini.c_str(), old, 0), 0);
    EXPECT_EQ(Get("s", "k", ini), "1");

    // Same inode, size and time stamp: the parsed file is used again, so the change in place
    // is not seen. This is the one change that goes unnoticed, and only a deliberate one
    // (putting the old time stamp back) makes it.
    std::ofstream(ini, std::ios::binary | std::ios::in | std::ios::out) << "[s]\nk=2\n";
    ASSERT_EQ(::utimensat(AT_FDCWD, ini.c_str(), old, 0), 0);
    EXPECT_EQ(Get("s", "k", ini), "1");

    // One nanosecond later is a change, seen once the file is checked again.
    old[1].tv_nsec += 1;
    ASSERT_EQ(::utimensat(AT_FDCWD, ini.c_str(), old, 0), 0);
    PastRecheck();
    EXPECT_EQ(Get("s", "k", ini), "2");

    // Another size with the same time stamp is a change.
    dir.write("a.ini", "[s]\nk=33\n");
    ASSERT_EQ(::utimensat(AT_FDCWD, ini.c_str(), old, 0), 0);
    PastRecheck();
    EXPECT_EQ(Get("s", "k", ini), "33");

    // Another file (a new inode) of the same size and time stamp is a change.
    const std::string other = dir.write("b.ini", "[s]\nk=44\n");
    ASSERT_EQ(::utimensat(AT_FDCWD, other.c_str(), old, 0), 0);
    ASSERT_EQ(std::rename(other.c_str(), ini.c_str()), 0);
    PastRecheck();
    EXPECT_EQ(Get("s", "k", ini), "44");

    // A file written just now is read afresh at every lookup: its time stamp cannot yet tell
    // a second change in the same clock tick.
    dir.write("a.ini", "[s]\nk=5\n");
    PastRecheck();
    EXPECT_EQ(Get("s", "k", ini), "5");
    std::ofstream(ini, std::ios::binary | std::ios::in | std::ios::out) << "[s]\nk=6\n";
    EXPECT_EQ(Get("s", "k", ini), "6");
    ASSERT_TRUE(WritePrivateProfileString("s", "k", "7", ini));
    EXPECT_EQ(Get("s", "k", ini), "7");
}
