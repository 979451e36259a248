// Data files and settings files are written by one writer: links, permissions and failures
// come out the same for both.
#include "RadioFixture.h"

#include "app/Profile.h"

#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Writes path as one kind of file and says how that went.
struct FileKind {
    const char* name;
    FileResult (*write)(const std::string& path);
    std::size_t bytes; // size of what a write into an empty file leaves
};

FileResult SaveDataFile(const std::string& path) {
    CDromelPgmDoc doc;
    doc.NewDocument();
    return doc.SaveFile(path);
}

FileResult WriteSetting(const std::string& path) {
    return WritePrivateProfileString("setup", "com", "2", path);
}

const FileKind kKinds[] = {{"data file", SaveDataFile, kDataFileSize},
                           {"settings", WriteSetting, 16}};

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// The temporary files of the writer left in folder.
std::vector<std::string> Leftovers(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(".dromel-save-", 0) == 0) {
            names.push_back(name);
        }
    }
    return names;
}

std::vector<std::string> Leftovers(const TempDir& dir) {
    return Leftovers(dir.path());
}

// Whether process pid, still running, has a file of folder open (the save's temporary file);
// false once it has ended without one.
bool HasFileOpenIn(pid_t pid, const std::string& folder) {
    const std::string fds = "/proc/" + std::to_string(pid) + "/fd";
    for (;;) {
        siginfo_t info{};
        if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 ||
            info.si_pid == pid) {
            return false;
        }
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(fds, ec)) {
            const fs::path file = fs::read_symlink(entry.path(), ec);
            if (!ec && file.parent_path() == folder) {
                return true;
            }
        }
    }
}

class FileKindsTest : public RadioTest {};

} // namespace

TEST_F(FileKindsTest, LinksAreFollowedToTheFileTheyName) {
    for (const FileKind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        // A link to an existing file: the file is replaced, the link stays.
        const std::string target = m_dir.write("target", "");
        ::chmod(target.c_str(), 0640);
        const std::string link = m_dir.file("link");
        fs::create_symlink("target", link);
        ASSERT_TRUE(kind.write(link));
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(m_dir.read("target").size(), kind.bytes);
        EXPECT_EQ(ModeOf(target), 0640u);

        // A dangling link, relative to its own folder, through a second link: the named file
        // is created.
        fs::create_directory(m_dir.file("sub"));
        fs::create_symlink("../missing", m_dir.file("sub/first"));
        fs::create_symlink("sub/first", m_dir.file("dangling"));
        ASSERT_TRUE(kind.write(m_dir.file("dangling")));
        EXPECT_TRUE(fs::is_symlink(m_dir.file("dangling")));
        EXPECT_EQ(m_dir.read("missing").size(), kind.bytes);

        // Links that form a loop are refused with a clear reason.
        fs::create_symlink("loop2", m_dir.file("loop1"));
        fs::create_symlink("loop1", m_dir.file("loop2"));
        const FileResult loop = kind.write(m_dir.file("loop1"));
        EXPECT_EQ(loop.error, ELOOP);
        EXPECT_EQ(loop.reason, "the symbolic links form a loop");
        EXPECT_TRUE(fs::is_symlink(m_dir.file("loop1")));
        EXPECT_TRUE(Leftovers(m_dir).empty());

        for (const char* name :
             {"target", "link", "sub/first", "sub", "dangling", "missing", "loop1", "loop2"}) {
            fs::remove(m_dir.file(name));
        }
    }
}

TEST_F(FileKindsTest, NewFilesFollowTheUmaskAndNeverGetAnExecuteBit) {
    for (const mode_t mask : {mode_t{077}, mode_t{022}, mode_t{0}}) {
        const mode_t saved = ::umask(mask);
        for (const FileKind& kind : kKinds) {
            SCOPED_TRACE(std::string(kind.name) + " umask " + std::to_string(mask));
            const std::string path = m_dir.file("new");
            ASSERT_TRUE(kind.write(path));
            EXPECT_EQ(ModeOf(path), 0666u & ~mask);
            fs::remove(path);
        }
        ::umask(saved);
    }
}

TEST_F(FileKindsTest, AnExistingFileKeepsItsModeAndAReadOnlyOneIsKept) {
    for (const FileKind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        const std::string path = m_dir.write("f", "");
        ::chmod(path.c_str(), 0604);
        ASSERT_TRUE(kind.write(path));
        EXPECT_EQ(ModeOf(path), 0604u);
        ::chmod(path.c_str(), 0444);
        const std::string before = m_dir.read("f");
        EXPECT_EQ(kind.write(path).error, EACCES);
        EXPECT_EQ(m_dir.read("f"), before);
        fs::remove(path);
    }
}

TEST_F(FileKindsTest, AFileSizeLimitFailsTheWriteAndKeepsTheOldFile) {
    const auto previous = ::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    for (const FileKind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        const std::string old = "; old contents kept whole\n" + std::string(100, ';') + "\n";
        const std::string path = m_dir.write("f", old);
        rlimit small = saved;
        small.rlim_cur = 64;
        ::setrlimit(RLIMIT_FSIZE, &small);
        const FileResult result = kind.write(path);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_EQ(result.error, EFBIG);
        EXPECT_EQ(result.reason, "File too large");
        EXPECT_EQ(m_dir.read("f"), old);
        EXPECT_TRUE(Leftovers(m_dir).empty());
    }
    ::signal(SIGXFSZ, previous);
}

TEST_F(FileKindsTest, PipesFoldersAndMissingFoldersAreNotReplaced) {
    for (const FileKind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        EXPECT_EQ(kind.write(m_dir.path()).error, EISDIR);
        EXPECT_EQ(kind.write(m_dir.file("no/such/folder")).error, ENOENT);
        // Nobody reads the pipe: the write fails at once instead of waiting for a reader.
        const std::string fifo = m_dir.file("pipe");
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        EXPECT_FALSE(kind.write(fifo));
        struct stat info {};
        ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
        EXPECT_TRUE(S_ISFIFO(info.st_mode));
        fs::remove(fifo);
    }
}

TEST_F(FileKindsTest, ASaveKilledMidwayLeavesTheOldFileAndNoTemporaryFile) {
    const int probe = ::open(m_dir.path().c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (probe < 0) {
        GTEST_SKIP() << "this file system makes no unnamed files";
    }
    ::close(probe);
    const std::string old = "old contents\n";
    const std::string path = m_dir.write("f", old);
    const std::string bytes(32 << 20, 'x');
    int killedMidway = 0;
    for (int attempt = 0; attempt < 20 && killedMidway < 3; ++attempt) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::_exit(WriteFileAtomically(path, bytes) ? 0 : 1);
        }
        ASSERT_GT(pid, 0);
        killedMidway += HasFileOpenIn(pid, m_dir.path()) ? 1 : 0;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        EXPECT_TRUE(Leftovers(m_dir).empty());
        const std::uintmax_t size = fs::file_size(path);
        EXPECT_TRUE(size == old.size() || size == bytes.size()) << size;
        m_dir.write("f", old);
    }
    EXPECT_GT(killedMidway, 0) << "no save was caught with its temporary file open";
}

TEST_F(FileKindsTest, OldTemporaryFilesOfTheUsersOwnAreRemovedByTheNextSave) {
    const bool root = ::geteuid() == 0;
    struct Leftover {
        const char* name;
        bool old;
        bool own;
        bool removed;
    };
    const Leftover leftovers[] = {
        {".dromel-save-aB3xY9", true, true, true},
        {".dromel-save-Fresh1", false, true, false}, // a save still running
        {".dromel-save-Other1", true, false, false}, // another user's
        {".dromel-save-long123", true, true, false}, // not a name of ours
        {"notes.txt", true, true, false},
    };
    for (const FileKind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        for (const Leftover& l : leftovers) {
            const std::string file = m_dir.write(l.name, "left");
            if (l.old) {
                fs::last_write_time(file,
                                    fs::file_time_type::clock::now() - std::chrono::hours(25));
            }
            if (!l.own && (!root || ::chown(file.c_str(), 65534, 65534) != 0)) {
                fs::remove(file);
            }
        }
        ASSERT_TRUE(kind.write(m_dir.file("saved")));
        for (const Leftover& l : leftovers) {
            if (l.own || root) {
                EXPECT_EQ(fs::exists(m_dir.file(l.name)), !l.removed) << l.name;
            }
            fs::remove(m_dir.file(l.name));
        }
    }
}

TEST_F(FileKindsTest, InASharedFolderOnlyLinksOfTheUserOrOfTheFolderOwnerAreFollowed) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a link to another user needs root";
    }
    constexpr uid_t kOther = 65534;
    struct Case {
        const char* name;
        mode_t folderMode;
        uid_t folderOwner;
        uid_t linkOwner;
        bool followed;
    };
    const Case cases[] = {
        {"another user's link in a sticky folder everyone writes", 01777, 0, kOther, false},
        {"the user's own link there", 01777, 0, 0, true},
        {"the folder owner's link there", 01777, kOther, kOther, true},
        {"another user's link in a folder everyone writes, not sticky", 0777, 0, kOther, true},
        {"another user's link in a sticky folder only its owner writes", 01755, 0, kOther, true},
    };
    for (const FileKind& kind : kKinds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind.name) + ": " + c.name);
            const std::string shared = m_dir.file("shared");
            fs::create_directory(shared);
            ASSERT_EQ(::chown(shared.c_str(), c.folderOwner, c.folderOwner), 0);
            ASSERT_EQ(::chmod(shared.c_str(), c.folderMode), 0);
            const std::string victim = m_dir.write("victim", "");
            // A link to an existing file, a dangling one, and one of ours that leads to the first.
            const std::string link = shared + "/link";
            const std::string dangling = shared + "/dangling";
            fs::create_symlink(victim, link);
            fs::create_symlink(m_dir.file("created"), dangling);
            ASSERT_EQ(::lchown(link.c_str(), c.linkOwner, c.linkOwner), 0);
            ASSERT_EQ(::lchown(dangling.c_str(), c.linkOwner, c.linkOwner), 0);
            fs::create_symlink(link, m_dir.file("mine"));

            for (const std::string& path : {link, dangling, m_dir.file("mine")}) {
                const FileResult result = kind.write(path);
                if (c.followed) {
                    EXPECT_TRUE(result) << path << ": " << result.reason;
                } else {
                    EXPECT_EQ(result.error, kErrForeignLink) << path;
                    EXPECT_EQ(
                        result.reason,
                        "the symbolic link is in a shared folder and belongs to another user");
                }
            }
            EXPECT_EQ(m_dir.read("victim").size(), c.followed ? kind.bytes : 0u);
            EXPECT_EQ(fs::exists(m_dir.file("created")), c.followed);
            EXPECT_TRUE(fs::is_symlink(link) && fs::is_symlink(dangling));
            EXPECT_TRUE(Leftovers(shared).empty() && Leftovers(m_dir).empty());
            for (const char* name : {"shared", "victim", "created", "mine"}) {
                fs::remove_all(m_dir.file(name));
            }
        }
    }
}
