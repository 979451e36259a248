#include "app/AppPaths.h"

#include "TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(AppPaths, LanguageChosenBySettingElseLocale) {
    TempDir dir;
    SetAppDir(dir.path());
    EXPECT_EQ(g_strSettingFile, dir.path() + "/setting.ini");
    dir.write("setting.ini", "[setup]\r\ncom=1\r\n");
    EXPECT_EQ(ChooseLanguageName(true), "lang_cn");
    EXPECT_EQ(ChooseLanguageName(false), "lang_en");
    dir.write("setting.ini", "[setup]\r\nlanguage=lang_xx.lng\r\n");
    EXPECT_EQ(ChooseLanguageName(true), "lang_xx.lng");
    SetLanguageName(ChooseLanguageName(false));
    // The value is used as it stands: the extension is added a second time.
    EXPECT_EQ(g_strLangFile, dir.path() + "/lang_xx.lng.lng");
}

TEST(AppPaths, ChineseChinaLocale) {
    EXPECT_TRUE(IsChineseChinaLocale("zh_CN.UTF-8"));
    EXPECT_TRUE(IsChineseChinaLocale("zh_CN"));
    EXPECT_FALSE(IsChineseChinaLocale("zh_TW.UTF-8"));
    EXPECT_FALSE(IsChineseChinaLocale("en_US.UTF-8"));
    EXPECT_FALSE(IsChineseChinaLocale("C"));
}

TEST(AppPaths, ExecutableDirIsTheTestFolder) {
    const std::string dir = ExecutableDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_NE(dir.back(), '/');
}

namespace {

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

} // namespace

TEST(AppPaths, PrivateFoldersAreMadeForWhatIsMissing) {
    TempDir dir;
    ::chmod(dir.path().c_str(), 0755);
    ASSERT_TRUE(MakePrivateFolders(dir.file("a/b/c")));
    EXPECT_EQ(ModeOf(dir.path()), 0755u); // an existing folder keeps its mode
    EXPECT_EQ(ModeOf(dir.file("a")), 0700u);
    EXPECT_EQ(ModeOf(dir.file("a/b/c")), 0700u);
    EXPECT_TRUE(MakePrivateFolders(dir.file("a/b/c/"))); // all there already
    dir.write("file", "x");
    EXPECT_EQ(MakePrivateFolders(dir.file("file/d")).error, ENOTDIR);
    EXPECT_EQ(MakePrivateFolders("").error, ENOENT);
}

TEST(AppPaths, UserDataFolderFollowsXdgDataHome) {
    const char* oldData = std::getenv("XDG_DATA_HOME");
    const std::string saved = oldData != nullptr ? oldData : "";
    const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    const struct {
        const char* value; // nullptr: unset
        std::string folder;
    } cases[] = {{"/data/x", "/data/x/DromelPgm"},
                 {nullptr, home + "/.local/share/DromelPgm"},
                 {"", home + "/.local/share/DromelPgm"},
                 {"relative", home + "/.local/share/DromelPgm"}};
    for (const auto& c : cases) {
        if (c.value != nullptr) {
            ::setenv("XDG_DATA_HOME", c.value, 1);
        } else {
            ::unsetenv("XDG_DATA_HOME");
        }
        EXPECT_EQ(UserDataFolder(), c.folder) << (c.value != nullptr ? c.value : "unset");
    }
    if (oldData != nullptr) {
        ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    } else {
        ::unsetenv("XDG_DATA_HOME");
    }
}
