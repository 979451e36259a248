// Data files and settings files are written by one writer: links, permissions and failures
// come out the same for both.
#include "RadioFixture.h"

#include "app/Profile.h"

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

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

// Names in the folder other than the fixture's own files.
std::vector<std::string> Leftovers(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(".dromel-save-", 0) == 0) {
            names.push_back(name);
        }
    }
    return names;
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
