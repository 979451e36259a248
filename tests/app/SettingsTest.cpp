#include "app/Settings.h"
#include "app/AppPaths.h"

#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

namespace {

const char* kShipped = "[setup]\r\n"
                       "language=lang_en\r\n"
                       "com=1\r\n"
                       "ctcdcs=13\r\n"
                       "[model]\r\n"
                       "model0=4D56313656000000\r\n"
                       "fdisp0=Shipped V\r\n"
                       "model1=4D56313655000000\r\n"
                       "fdisp1=Shipped U\r\n";

// Sets an environment variable for the life of the object.
class CScopedEnv {
public:
    CScopedEnv(const char* name, const std::optional<std::string>& value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        Set(value);
    }
    ~CScopedEnv() { Set(m_old); }
    CScopedEnv(const CScopedEnv&) = delete;
    CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
    void Set(const std::optional<std::string>& value) {
        if (value) {
            ::setenv(m_name, value->c_str(), 1);
        } else {
            ::unsetenv(m_name);
        }
    }
    const char* m_name;
    std::optional<std::string> m_old;
};

// A program folder with the shipped settings, and a home of the user's own.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetAppDir(m_program.path());
        m_program.write("setting.ini", kShipped);
    }
    void TearDown() override { ::chmod(m_program.path().c_str(), 0755); }

    void MakeProgramFolderReadOnly() { ASSERT_EQ(::chmod(m_program.path().c_str(), 0555), 0); }

    std::string UserFile() const { return m_config.file("DromelPgm/setting.ini"); }

    TempDir m_program;
    TempDir m_config;
    CScopedEnv m_xdg{"XDG_CONFIG_HOME", m_config.path()};
};

} // namespace

TEST_F(SettingsTest, AWritableProgramFolderKeepsEverythingInItsOwnFile) {
    EXPECT_TRUE(IsFolderWritable(m_program.path()));
    EXPECT_FALSE(UsesUserSettings());
    ASSERT_TRUE(WriteSettingString("setup", "com", "3"));
    EXPECT_NE(m_program.read("setting.ini").find("com=3\r\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(UserFile()));
    EXPECT_EQ(GetSettingString("setup", "com", "1", 8), "3");
}

TEST_F(SettingsTest, AReadOnlyProgramFolderWritesToTheUsersFile) {
    MakeProgramFolderReadOnly();
    // Marked read-only counts as read-only, for root too.
    EXPECT_FALSE(IsFolderWritable(m_program.path()));
    EXPECT_TRUE(UsesUserSettings());
    EXPECT_EQ(GetSettingString("setup", "com", "1", 8), "1");

    // The first write creates the user's folder and file; the shipped file stays as it was.
    ASSERT_TRUE(WriteSettingString("setup", "com", "4"));
    ASSERT_TRUE(WriteSettingString("setup", "language", "lang_cn"));
    EXPECT_EQ(m_program.read("setting.ini"), kShipped);
    EXPECT_EQ(m_config.read("DromelPgm/setting.ini"), "[setup]\r\ncom=4\r\nlanguage=lang_cn\r\n");

    // Reads take the user's keys first, the shipped file's for the rest.
    EXPECT_EQ(GetSettingString("setup", "com", "1", 8), "4");
    EXPECT_EQ(GetSettingString("SETUP", "Language", "", 260), "lang_cn");
    EXPECT_EQ(ChooseLanguageName(false), "lang_cn");
    EXPECT_EQ(GetSettingString("setup", "ctcdcs", "x", 8), "13");
    EXPECT_EQ(GetSettingString("model", "fdisp1", "", 30), "Shipped U");
}

TEST_F(SettingsTest, TheUsersModelTableReplacesTheShippedOneWhole) {
    MakeProgramFolderReadOnly();
    ASSERT_EQ(::mkdir(m_config.file("DromelPgm").c_str(), 0700), 0);
    m_config.write("DromelPgm/setting.ini", "[model]\nmodel0=4D56313658000000\nfdisp0=Mine\n");
    EXPECT_EQ(GetSettingString("model", "fdisp0", "", 30), "Mine");
    // Not mixed with the shipped table: the user's table has one model.
    EXPECT_EQ(GetSettingString("model", "fdisp1", "", 30), "");
    EXPECT_EQ(GetSettingString("setup", "com", "1", 8), "1");
}

TEST_F(SettingsTest, AReadOnlySettingsFileInAWritableFolderCountsAsReadOnly) {
    ASSERT_EQ(::chmod(g_strSettingFile.c_str(), 0444), 0);
    EXPECT_TRUE(UsesUserSettings());
    ASSERT_TRUE(WriteSettingString("setup", "com", "5"));
    EXPECT_EQ(m_program.read("setting.ini"), kShipped);
    EXPECT_EQ(GetSettingString("setup", "com", "1", 8), "5");
}

TEST_F(SettingsTest, TheUsersFileIsFoundThroughHomeWithoutXdgConfigHome) {
    TempDir home;
    CScopedEnv noXdg("XDG_CONFIG_HOME", std::nullopt);
    CScopedEnv homeEnv("HOME", home.path());
    EXPECT_EQ(UserSettingFile(), home.path() + "/.config/DromelPgm/setting.ini");
    {
        // A relative XDG_CONFIG_HOME is not used.
        CScopedEnv relative("XDG_CONFIG_HOME", std::string("relative/config"));
        EXPECT_EQ(UserSettingFile(), home.path() + "/.config/DromelPgm/setting.ini");
    }
    MakeProgramFolderReadOnly();
    ASSERT_TRUE(WriteSettingString("setup", "com", "6"));
    EXPECT_EQ(home.read(".config/DromelPgm/setting.ini"), "[setup]\r\ncom=6\r\n");
    // Both new folders are the user's alone.
    for (const char* folder : {".config", ".config/DromelPgm"}) {
        struct stat info {};
        ASSERT_EQ(::stat(home.file(folder).c_str(), &info), 0) << folder;
        EXPECT_EQ(info.st_mode & 0777, 0700u) << folder;
    }
}

TEST_F(SettingsTest, AFailedWriteToTheUsersFileIsReported) {
    MakeProgramFolderReadOnly();
    // The configuration folder is a file: the user's folder cannot be made there.
    TempDir other;
    const std::string notAFolder = other.write("config", "");
    CScopedEnv xdg("XDG_CONFIG_HOME", notAFolder);
    const FileResult result = WriteSettingString("setup", "com", "7");
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(m_program.read("setting.ini"), kShipped);
}
