// dpmtool and the files it is given: pipes, short files, links, file-size limits, settings.
#include "DpmtoolRun.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class DpmtoolFilesTest : public DpmtoolTest {
protected:
    // Runs dpmtool from folder (default: the test folder) after the shell commands before,
    // with a time limit so that a tool waiting forever fails the test instead of hanging it.
    DpmResult RunIn(const std::string& before, const std::string& args,
                    const std::string& folder = {}) {
        return RunShell("(" + before + "; env -u LC_ALL -u LC_MESSAGES LANG=C timeout 20 " +
                        (folder.empty() ? m_dir.path() : folder) + "/dpmtool " + args + ")");
    }

    bool TemporaryFileLeft() const {
        for (const auto& entry : fs::directory_iterator(m_dir.path())) {
            if (entry.path().filename().string().rfind(".dromel-save-", 0) == 0) {
                return true;
            }
        }
        return false;
    }
};

} // namespace

TEST_F(DpmtoolFilesTest, PipesAndFoldersAreRefusedAtOnce) {
    Ok("new a.dpm");
    ASSERT_EQ(::mkfifo(m_dir.file("pipe").c_str(), 0600), 0);
    for (const char* args : {"show pipe", "set pipe squelch=1", "import a.dpm pipe"}) {
        const DpmResult r = RunIn("true", args);
        EXPECT_EQ(r.status, 3) << args; // 124 when the time limit ended a waiting tool
        EXPECT_NE(r.err.find("pipe: cannot open the file: not a regular file"), std::string::npos)
            << args << "\n"
            << r.err;
    }
    fs::create_directory(m_dir.file("folder.dpm"));
    const DpmResult folder = Run("show folder.dpm");
    EXPECT_EQ(folder.status, 3);
    EXPECT_NE(folder.err.find("folder.dpm: cannot open the file: Is a directory"),
              std::string::npos)
        << folder.err;
}

TEST_F(DpmtoolFilesTest, FilesTooShortForTheSignatureAreRefused) {
    const std::string header = "QX  Radio Program data v1.33.7410 Morcan Vale   ";
    m_dir.write("empty.dpm", "");
    m_dir.write("44.dpm", header.substr(0, 44));
    for (const char* file : {"empty.dpm", "44.dpm"}) {
        const DpmResult r = Run(std::string("show ") + file);
        EXPECT_EQ(r.status, 3) << file;
        EXPECT_NE(r.err.find(std::string(file) + ": not a data file of this program"),
                  std::string::npos)
            << r.err;
    }
    EXPECT_EQ(Run("show /dev/null").status, 3);
    // 45 bytes hold the whole signature: a data file with an erased image.
    m_dir.write("45.dpm", header.substr(0, 45));
    Ok("show 45.dpm");
}

TEST_F(DpmtoolFilesTest, LinksAreFollowedAndLoopsNamed) {
    fs::create_directory(m_dir.file("data"));
    fs::create_symlink("data/radio.dpm", m_dir.file("link.dpm"));
    Ok("new link.dpm");
    EXPECT_TRUE(fs::is_symlink(m_dir.file("link.dpm")));
    EXPECT_EQ(m_dir.read("data/radio.dpm").size(), 1072u);
    Ok("set link.dpm ch1.rx=440");
    EXPECT_TRUE(fs::is_symlink(m_dir.file("link.dpm")));

    fs::create_symlink("out.csv", m_dir.file("csvlink"));
    Ok("export link.dpm csvlink");
    EXPECT_TRUE(fs::is_symlink(m_dir.file("csvlink")));
    EXPECT_NE(m_dir.read("out.csv").find("440.000000"), std::string::npos);

    fs::create_symlink("loop2.dpm", m_dir.file("loop1.dpm"));
    fs::create_symlink("loop1.dpm", m_dir.file("loop2.dpm"));
    for (const char* args : {"new loop1.dpm", "show loop1.dpm", "export link.dpm loop2.dpm"}) {
        const DpmResult r = Run(args);
        EXPECT_EQ(r.status, 3) << args;
        EXPECT_NE(r.err.find("the symbolic links form a loop"), std::string::npos) << args << "\n"
                                                                                   << r.err;
    }
    EXPECT_TRUE(fs::is_symlink(m_dir.file("loop1.dpm")));
}

TEST_F(DpmtoolFilesTest, AFileSizeLimitIsReportedAndLeavesNoTemporaryFile) {
    Ok("new a.dpm");
    std::string channels;
    for (int n = 1; n <= 16; ++n) {
        channels += " ch" + std::to_string(n) + ".rx=44" + std::to_string(n % 10);
    }
    Ok("set a.dpm" + channels); // a CSV of more than 1024 bytes
    const std::string before = m_dir.read("a.dpm");
    // ulimit -f counts blocks of 512 or 1024 bytes: either is less than a data file.
    for (const char* args : {"new big.dpm", "set a.dpm squelch=1", "export a.dpm out.csv"}) {
        const DpmResult r = RunIn("ulimit -f 1", args);
        EXPECT_EQ(r.status, 3) << args;
        EXPECT_NE(r.err.find("File too large"), std::string::npos) << args << "\n" << r.err;
        EXPECT_FALSE(TemporaryFileLeft()) << args;
    }
    EXPECT_EQ(m_dir.read("a.dpm"), before);
    EXPECT_FALSE(fs::exists(m_dir.file("big.dpm")));
}

TEST_F(DpmtoolFilesTest, AnUnusableSettingsFileIsReported) {
    Ok("new a.dpm");
    m_dir.write("setting.ini", "[setup]\ncom=1\n");
    const DpmResult noModels = Run("show a.dpm");
    EXPECT_EQ(noModels.status, 3);
    EXPECT_NE(noModels.err.find("dpmtool: The settings file " + m_dir.file("setting.ini") +
                                " names no radio models"),
              std::string::npos)
        << noModels.err;
    m_dir.write("setting.ini", std::string("\x00\xFF\x13garbage\x00", 11));
    const DpmResult garbage = Run("show a.dpm");
    EXPECT_EQ(garbage.status, 3);
    EXPECT_NE(garbage.err.find("setting.ini names no radio models"), std::string::npos);
    if (::geteuid() != 0) { // root reads any file
        m_dir.write("setting.ini", "[model]\nfdisp0=Mine\n");
        ASSERT_EQ(::chmod(m_dir.file("setting.ini").c_str(), 0), 0);
        const DpmResult unreadable = Run("show a.dpm");
        EXPECT_EQ(unreadable.status, 3);
        EXPECT_NE(unreadable.err.find("setting.ini cannot be read (Permission denied)"),
                  std::string::npos)
            << unreadable.err;
    }
    fs::remove(m_dir.file("setting.ini"));
    ASSERT_EQ(::mkfifo(m_dir.file("setting.ini").c_str(), 0600), 0);
    const DpmResult pipe = RunIn("true", "new b.dpm");
    EXPECT_EQ(pipe.status, 3);
    EXPECT_NE(pipe.err.find("setting.ini is not a file (it is a folder or a device)"),
              std::string::npos)
        << pipe.err;
    fs::remove(m_dir.file("setting.ini"));
    fs::create_directory(m_dir.file("setting.ini"));
    const DpmResult folder = Run("new b.dpm");
    EXPECT_EQ(folder.status, 3);
    EXPECT_NE(folder.err.find("setting.ini is not a file"), std::string::npos) << folder.err;
    EXPECT_FALSE(fs::exists(m_dir.file("b.dpm")));
}

TEST_F(DpmtoolFilesTest, AReadOnlyProgramFolderTakesTheUsersSettingsFirst) {
    // The program folder, marked read-only, with the shipped settings and language.
    const std::string program = m_dir.file("program");
    fs::create_directory(program);
    fs::copy_file(m_dir.file("dpmtool"), program + "/dpmtool");
    fs::copy_file(m_dir.file("setting.ini"), program + "/setting.ini");
    fs::copy_file(m_dir.file("lang_en.lng"), program + "/lang_en.lng");
    fs::create_directories(m_dir.file("config/DromelPgm"));
    m_dir.write("config/DromelPgm/setting.ini", "[model]\n"
                                                "model0=4D56313656000000\n"
                                                "value0=000102030405060708090A0B0C0D0E0F\n"
                                                "freq0=00004017000060130000000000000000\n"
                                                "fdisp0=Mine 136-174\n");
    const std::string env = "export XDG_CONFIG_HOME='" + m_dir.file("config") + "'";
    ASSERT_EQ(::chmod(program.c_str(), 0555), 0);
    const DpmResult mine =
        RunIn(env, "new a.dpm --model 0 && ./program/dpmtool show a.dpm --json", program);
    EXPECT_EQ(mine.status, 0) << mine.err;
    EXPECT_NE(mine.out.find("\"modelName\": \"Mine 136-174\""), std::string::npos) << mine.out;
    // The user's table has one model.
    EXPECT_EQ(RunIn(env, "new b.dpm --model 1", program).status, 2);

    // A writable program folder keeps to its own settings.
    ASSERT_EQ(::chmod(program.c_str(), 0755), 0);
    const DpmResult shipped = RunIn(env, "show a.dpm --json", program);
    EXPECT_NE(shipped.out.find("\"modelName\": \"MV-16V 136-174\""), std::string::npos)
        << shipped.out;
}

TEST_F(DpmtoolFilesTest, AnotherUsersLinkInASharedFolderIsRefused) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a link to another user needs root";
    }
    Ok("new a.dpm");
    const std::string before = m_dir.read("a.dpm");
    fs::create_directory(m_dir.file("shared"));
    ASSERT_EQ(::chmod(m_dir.file("shared").c_str(), 01777), 0);
    fs::create_symlink(m_dir.file("a.dpm"), m_dir.file("shared/evil.csv"));
    fs::create_symlink(m_dir.file("made.dpm"), m_dir.file("shared/evil.dpm"));
    for (const char* link : {"shared/evil.csv", "shared/evil.dpm"}) {
        ASSERT_EQ(::lchown(m_dir.file(link).c_str(), 65534, 65534), 0);
    }
    for (const char* args : {"export a.dpm shared/evil.csv", "new shared/evil.dpm --force"}) {
        const DpmResult r = Run(args);
        EXPECT_EQ(r.status, 3) << args;
        EXPECT_NE(r.err.find("another user's link in a shared folder"), std::string::npos)
            << args << "\n"
            << r.err;
    }
    EXPECT_EQ(m_dir.read("a.dpm"), before);
    EXPECT_FALSE(fs::exists(m_dir.file("made.dpm")));
    EXPECT_FALSE(TemporaryFileLeft());
}
