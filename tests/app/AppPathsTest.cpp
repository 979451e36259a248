#include "app/AppPaths.h"

#include "TempDir.h"

#include <gtest/gtest.h>

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
