#include "RadioFixture.h"

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using DataFileTest = RadioTest;

namespace {

std::string OwnHeaderText() {
    return std::string(kOwnHeader.begin(), kOwnHeader.end());
}

} // namespace

TEST_F(DataFileTest, SaveWritesHeaderAndImage) {
    CDromelPgmDoc doc;
    doc.NewDocument();
    doc.SetModifiedFlag(true);
    const std::string path = m_dir.file("a.dpm");
    ASSERT_TRUE(doc.SaveFile(path));
    const std::string bytes = m_dir.read("a.dpm");
    ASSERT_EQ(bytes.size(), 1072u);
    EXPECT_EQ(bytes.substr(0, 48), "QX  Radio Program data v1.33.7410 Morcan Vale   ");
    EXPECT_EQ(bytes.substr(48), std::string(doc.Image().begin(), doc.Image().end()));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_EQ(doc.GetTitle(), "a.dpm");

    CDromelPgmDoc loaded;
    const DataFileResult result = loaded.LoadFile(path);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result.headerAccepted);
    EXPECT_EQ(loaded.Image(), doc.Image());
    EXPECT_EQ(loaded.GetModel(), 2);
    EXPECT_EQ(loaded.GetFreqHigh(), 48000000);
}

TEST_F(DataFileTest, ShortAndLongFiles) {
    CDromelPgmDoc doc;
    const std::string shortFile = OwnHeaderText() + std::string(20, '\x11');
    ASSERT_TRUE(doc.LoadFile(m_dir.write("short.dpm", shortFile)));
    EXPECT_EQ(doc.Image()[19], 0x11);
    EXPECT_EQ(doc.Image()[20], 0xFF);
    EXPECT_EQ(doc.GetModel(), -1);
    EXPECT_EQ(doc.GetFreqLow(), kDefaultFreqLow);

    const std::string longFile = OwnHeaderText() + std::string(1024, '\x22') + "trailing";
    ASSERT_TRUE(doc.LoadFile(m_dir.write("long.dpm", longFile)));
    EXPECT_EQ(doc.Image()[1023], 0x22);

    ASSERT_TRUE(doc.LoadFile(m_dir.write("empty.dpm", "")));
    EXPECT_EQ(doc.GetHeader(), kOwnHeader);
    EXPECT_EQ(doc.Image()[0], 0xFF);
}

TEST_F(DataFileTest, ForeignHeaderKeepsHeaderButNotImage) {
    CDromelPgmDoc doc;
    std::string other = "Some other program's data file header text......";
    ASSERT_EQ(other.size(), 48u);
    const DataFileResult rejected =
        doc.LoadFile(m_dir.write("other.dpm", other + std::string(1024, '\x33')));
    ASSERT_TRUE(rejected);
    EXPECT_FALSE(rejected.headerAccepted);
    EXPECT_EQ(std::string(doc.GetHeader().begin(), doc.GetHeader().end()), other);
    EXPECT_EQ(doc.Image()[0], 0xFF);
    EXPECT_EQ(doc.GetPathName(), "");

    // Only bytes 28..44 are examined; the rest of a foreign header is written back.
    std::string kin = OwnHeaderText();
    kin.replace(0, 28, "Another writer of this file ");
    const DataFileResult accepted =
        doc.LoadFile(m_dir.write("kin.dpm", kin + std::string(1024, '\x44')));
    EXPECT_TRUE(accepted.headerAccepted);
    ASSERT_TRUE(doc.SaveFile(m_dir.file("kin2.dpm")));
    EXPECT_EQ(m_dir.read("kin2.dpm"), kin + std::string(1024, '\x44'));
}

TEST_F(DataFileTest, FailedLoadLeavesTheDocument) {
    CDromelPgmDoc doc;
    doc.NewDocument();
    doc.SetFreqText(1, true, "440");
    const DataFileResult missing = doc.LoadFile(m_dir.file("missing.dpm"));
    EXPECT_FALSE(missing);
    EXPECT_FALSE(missing.reason.empty());
    EXPECT_EQ(doc.GetFreqText(1, true), "440.00000");
    // A folder is named as such, not as a missing file.
    const DataFileResult folder = doc.LoadFile(m_dir.path());
    EXPECT_EQ(folder.error, EISDIR);
    EXPECT_EQ(folder.reason, std::strerror(EISDIR));
    // A pipe is refused at once, without waiting for a writer.
    const std::string fifo = m_dir.file("pipe.dpm");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const DataFileResult pipe = doc.LoadFile(fifo);
    EXPECT_EQ(pipe.error, kErrNotRegularFile);
    EXPECT_EQ(pipe.reason, "not a regular file");
    EXPECT_EQ(doc.GetFreqText(1, true), "440.00000");
}

TEST_F(DataFileTest, FailedSaveLeavesTheOldFile) {
    CDromelPgmDoc doc;
    doc.NewDocument();
    const std::string path = m_dir.write("keep.dpm", "old contents");
    doc.SetModifiedFlag(true);
    // A file size limit makes the write fail part-way, for any user.
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const DataFileResult result = doc.SaveFile(path);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(m_dir.read("keep.dpm"), "old contents");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), "");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 3); // setting.ini, lang_en.lng, keep.dpm: no temporary file left
}

TEST_F(DataFileTest, SaveIntoMissingFolderOrOverADirectoryFails) {
    CDromelPgmDoc doc;
    EXPECT_FALSE(doc.SaveFile(m_dir.file("no/such/folder.dpm")));
    EXPECT_FALSE(doc.SaveFile(m_dir.path()));
}

TEST_F(DataFileTest, ReplacedFileKeepsPermissionsAndLinks) {
    CDromelPgmDoc doc;
    const std::string target = m_dir.write("target.dpm", "old");
    ::chmod(target.c_str(), 0640);
    const std::string link = m_dir.file("link.dpm");
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(doc.SaveFile(link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(m_dir.read("target.dpm").size(), 1072u);
    struct stat info {};
    ::stat(target.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(DataFileTest, APipeOrDeviceIsWrittenIntoNotReplaced) {
    // Renaming a temporary file over /dev/null or a pipe would put a plain file in its place.
    const std::string fifo = m_dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(WriteFileAtomically(fifo, "channels"));
    struct stat info {};
    ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    char got[16] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 8);
    EXPECT_EQ(std::string(got), "channels");
    ::close(reader);
}

TEST_F(DataFileTest, AReadOnlyFileIsNotReplaced) {
    CDromelPgmDoc doc;
    doc.NewDocument();
    const std::string path = m_dir.write("locked.dpm", "kept");
    ::chmod(path.c_str(), 0444);
    const DataFileResult result = doc.SaveFile(path);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.reason, std::strerror(EACCES));
    EXPECT_EQ(m_dir.read("locked.dpm"), "kept");
    EXPECT_EQ(doc.GetPathName(), "");
}
