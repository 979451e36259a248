#include "app/AppPaths.h"
#include "link/BackupStore.h"
#include "DataHomeFixture.h"

#include <filesystem>
#include <sys/stat.h>

namespace {

class BackupStoreTest : public DataHomeFixture {
protected:
    // A document whose image differs from the erased one.
    static CDromelPgmDoc Radio(std::uint8_t seed) {
        CDromelPgmDoc doc;
        doc.NewDocument();
        MemoryImage image = doc.Image();
        for (std::size_t i = 0; i < image.size(); ++i) {
            image[i] = static_cast<std::uint8_t>(i + seed);
        }
        doc.ReplaceImage(image, EDocChange::kRead);
        return doc;
    }
    static std::string Name(const std::string& path) {
        return std::filesystem::path(path).filename().string();
    }
    // A local time of 2026-12-08 at 15:42:07 plus seconds.
    static std::time_t At(int seconds) {
        std::tm local{};
        local.tm_year = 126;
        local.tm_mon = 11;
        local.tm_mday = 8;
        local.tm_hour = 15;
        local.tm_min = 42;
        local.tm_sec = 7 + seconds;
        local.tm_isdst = -1;
        return std::mktime(&local);
    }
};

TEST_F(BackupStoreTest, PortNamesAsDpmtoolPrintsThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"1", "COM1"},
        {"8", "COM8"},
        {"/dev/pts/5", "pts5"},
        {"/dev/ttyUSB0", "ttyUSB0"},
        {"/tmp/my cable", "tmpmy_cable"},
        {"/dev/serial/by-id/usb-FT_232-if00", "serialby-idusb-FT_232-if00"}};
    for (const auto& [port, name] : cases) {
        EXPECT_EQ(PortNameOf(port), name) << port;
    }
}

// The backup holds the radio's image with this tool's header; the radio's document is not
// touched; a second and third backup in the same second are numbered; the list is newest
// first.
TEST_F(BackupStoreTest, BackupsAreNamedByTimeAndPortAndListedNewestFirst) {
    const CDromelPgmDoc radio = Radio(3);
    const SBackupSaved first = SaveBackup(radio, "pts5", At(0));
    ASSERT_TRUE(first.result) << first.result.reason;
    EXPECT_EQ(first.path, BackupFolder() + "/20261208-154207-pts5.dpm");
    EXPECT_EQ(radio.GetPathName(), "");
    EXPECT_FALSE(radio.IsModified());
    CDromelPgmDoc back;
    ASSERT_TRUE(back.LoadFile(first.path).headerAccepted);
    EXPECT_EQ(back.Image(), radio.Image());
    struct stat info {};
    ASSERT_EQ(::stat(BackupFolder().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    EXPECT_EQ(Name(SaveBackup(radio, "pts5", At(0)).path), "20261208-154207-pts5-2.dpm");
    EXPECT_EQ(Name(SaveBackup(radio, "pts5", At(0)).path), "20261208-154207-pts5-3.dpm");
    EXPECT_EQ(Name(SaveBackup(radio, "COM1", At(-1)).path), "20261208-154206-COM1.dpm");
    EXPECT_EQ(Name(SaveBackup(radio, "ttyUSB-2", At(1)).path), "20261208-154208-ttyUSB-2.dpm");
    m_home.write("DromelPgm/backups/notes.txt", "x");
    m_home.write("DromelPgm/backups/2026-12-08-pts5.dpm", "x");

    std::vector<std::string> listed;
    for (const SBackupFile& b : ListBackups()) {
        listed.push_back(Name(b.path) + " " + b.port + " " + b.stamp);
    }
    const std::vector<std::string> expected = {
        // "-2" after a port name is read as the second backup of port ttyUSB.
        "20261208-154208-ttyUSB-2.dpm ttyUSB 20261208-154208",
        "20261208-154207-pts5-3.dpm pts5 20261208-154207",
        "20261208-154207-pts5-2.dpm pts5 20261208-154207",
        "20261208-154207-pts5.dpm pts5 20261208-154207",
        "20261208-154206-COM1.dpm COM1 20261208-154206"};
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(Name(NewestBackup("pts5")->path), "20261208-154207-pts5-3.dpm");
    EXPECT_EQ(Name(NewestBackup("COM1")->path), "20261208-154206-COM1.dpm");
    EXPECT_FALSE(NewestBackup("COM2").has_value());
}

TEST_F(BackupStoreTest, OnlyTheNewestBackupsAreKept) {
    ASSERT_TRUE(MakePrivateFolders(BackupFolder()));
    for (int i = 0; i < 203; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "DromelPgm/backups/20250101-%06d-COM1.dpm", i);
        m_home.write(name, "old");
    }
    const SBackupSaved saved = SaveBackup(Radio(1), "COM1", At(0));
    ASSERT_TRUE(saved.result) << saved.result.reason;
    const std::vector<SBackupFile> kept = ListBackups();
    ASSERT_EQ(kept.size(), kKeptBackups);
    EXPECT_EQ(kept.front().path, saved.path);
    EXPECT_EQ(Name(kept.back().path), "20250101-000004-COM1.dpm"); // 0 to 3 went
    EXPECT_FALSE(std::filesystem::exists(BackupFolder() + "/20250101-000003-COM1.dpm"));
}

TEST_F(BackupStoreTest, FolderThatCannotBeMadeIsTheResult) {
    m_home.write("DromelPgm", "a file where the folder belongs");
    const SBackupSaved saved = SaveBackup(Radio(1), "COM1", At(0));
    EXPECT_EQ(saved.result.error, ENOTDIR);
    EXPECT_TRUE(ListBackups().empty());
}

} // namespace
