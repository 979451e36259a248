#include "app/LanguageFiles.h"
#include "app/AppPaths.h"
#include "app/HelpFiles.h"

#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

class LanguageFiles : public ::testing::Test {
protected:
    void SetUp() override { SetAppDir(dir.path()); }
    std::string Lang(const std::string& name, const std::string& disp) const {
        return dir.write(name + ".lng", "[Face]\ndisp=" + disp + "\n");
    }

    TempDir dir;
};

} // namespace

TEST_F(LanguageFiles, ListedByFileNameWithoutFoldersOrOtherFiles) {
    const std::string c = Lang("c", "Zulu");
    const std::string a = Lang("a", "Middle");
    const std::string b = Lang("B", "Alpha");
    std::filesystem::create_directory(dir.file("x.lng"));
    dir.write("notes.txt", "");
    dir.write("lng", "");
    EXPECT_EQ(ListLanguageFiles(dir.path()), (std::vector<std::string>{b, a, c}));
    EXPECT_TRUE(ListLanguageFiles(dir.file("missing")).empty());
}

TEST_F(LanguageFiles, DisplayNamesWithTheirDefaultAndWithoutEmptyOnes) {
    Lang("a", "English");
    dir.write("b.lng", "[String]\n");
    Lang("c", "");
    const std::vector<SLanguageFile> languages = ListLanguages(dir.path());
    ASSERT_EQ(languages.size(), 2u);
    EXPECT_EQ(languages[0].strDisplay, "English");
    EXPECT_EQ(languages[1].strDisplay, "-----");
    EXPECT_EQ(languages[1].strPath, dir.file("b.lng"));
}

TEST_F(LanguageFiles, NextTakesTurnsAndStartsOverAtTheFirst) {
    const std::string a = Lang("a", "A");
    const std::string b = Lang("b", "B");
    const std::string c = Lang("c", "C");
    std::filesystem::create_directory(dir.file("b0.lng")); // a folder is never a language
    EXPECT_EQ(NextLanguageFile(dir.path(), a), b);
    EXPECT_EQ(NextLanguageFile(dir.path(), b), c);
    EXPECT_EQ(NextLanguageFile(dir.path(), c), a);
    EXPECT_EQ(NextLanguageFile(dir.path(), dir.file("deleted.lng")), a);
    // A name that differs only in case is another file.
    EXPECT_EQ(NextLanguageFile(dir.path(), dir.file("B.lng")), a);
}

TEST_F(LanguageFiles, NoLanguageFileGivesNothingToSwitchTo) {
    std::filesystem::create_directory(dir.file("x.lng"));
    EXPECT_EQ(NextLanguageFile(dir.path(), dir.file("lang_en.lng")), "");
}

TEST_F(LanguageFiles, ChoosingAFileStoresItsTitleAndPutsItInForce) {
    dir.write("setting.ini", "; models\n[setup]\ncom=2\n");
    const std::string path = Lang("lang_cn", "Chinese");
    ASSERT_TRUE(SetLanguageFile(path));
    EXPECT_EQ(g_strLangFile, path);
    EXPECT_EQ(dir.read("setting.ini"), "; models\n[setup]\ncom=2\nlanguage=lang_cn\n");
    EXPECT_EQ(LanguageTitle("/a/b.c/lang.en.lng"), "lang.en");
}

// The program's folder is missing, so the setting would go to the user's own file, whose
// folder cannot be made under an ordinary file.
TEST_F(LanguageFiles, ASettingThatCannotBeSavedIsReportedButTheLanguageIsInForce) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string previous = old ? old : "";
    setenv("XDG_CONFIG_HOME", (dir.write("plain", "") + "/config").c_str(), 1);
    SetAppDir(dir.file("no-such-folder"));
    const std::string path = Lang("lang_en", "English");
    const FileResult result = SetLanguageFile(path);
    if (old) {
        setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(g_strLangFile, path);
}

TEST(HelpFiles, TheHelpFileIsTheLanguageFilesNameWithTheHelpExtension) {
    EXPECT_EQ(HelpFileFor("/opt/dp/lang_cn.lng", ".qch"), "/opt/dp/lang_cn.qch");
    EXPECT_EQ(HelpFileFor("/opt/dp/lang.cn.lng", ".chm"), "/opt/dp/lang.cn.chm");
    EXPECT_EQ(HelpFileFor("/opt/d.p/lang", ".qch"), "/opt/d.p/lang.qch");
}

TEST(HelpFiles, StartPageOfTheLanguageElseTheEnglishOne) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("help/lang_cn"));
    dir.write("help/lang_cn/index.html", "");
    EXPECT_EQ(HelpStartPage(dir.path(), dir.file("lang_cn.lng")),
              dir.file("help/lang_cn/index.html"));
    EXPECT_EQ(HelpStartPage(dir.path(), dir.file("lang_de.lng")),
              dir.file("help/lang_en/index.html"));
}

TEST(HelpFiles, InstalledProgramFindsItsPagesInTheSharedData) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("usr/lib/dromelpgm"));
    std::filesystem::create_directories(dir.file("usr/share/dromelpgm/help/lang_en"));
    dir.write("usr/share/dromelpgm/help/lang_en/index.html", "");
    EXPECT_EQ(
        HelpStartPage(dir.file("usr/lib/dromelpgm"), dir.file("usr/lib/dromelpgm/lang_cn.lng")),
        dir.file("usr/share/dromelpgm/help/lang_en/index.html"));
    // Pages beside the program come first.
    std::filesystem::create_directories(dir.file("usr/lib/dromelpgm/help/lang_en"));
    dir.write("usr/lib/dromelpgm/help/lang_en/index.html", "");
    EXPECT_EQ(
        HelpStartPage(dir.file("usr/lib/dromelpgm"), dir.file("usr/lib/dromelpgm/lang_cn.lng")),
        dir.file("usr/lib/dromelpgm/help/lang_en/index.html"));
}
