#include "link/HistoryLog.h"
#include "DataHomeFixture.h"

#include <sys/stat.h>

namespace {

class HistoryLogTest : public DataHomeFixture {};

SHistoryEntry FullEntry() {
    SHistoryEntry e = HistoryNow("dpmtool", "write");
    e.port = "pts5";
    e.device = "/dev/pts/5";
    e.byId = "usb-FTDI_\"cable\"-if00";
    e.model = "DX-16 \\ 400";
    e.file = "/home/a/radios/ch\tlist Ω.dpm";
    e.sha256 = std::string(64, 'a');
    e.backup = "/b/20261208-154207-pts5.dpm";
    e.result = "failed";
    e.blocks = 17;
    return e;
}

bool Same(const SHistoryEntry& a, const SHistoryEntry& b) {
    return HistoryLine(a) == HistoryLine(b);
}

TEST_F(HistoryLogTest, EntriesAreAppendedAsLinesAndReadBack) {
    EXPECT_TRUE(ReadHistory().empty()); // no file yet
    const SHistoryEntry first = FullEntry();
    SHistoryEntry second = HistoryNow("DromelPgm", "verify");
    second.differences = 3;
    ASSERT_TRUE(AppendHistory(first));
    ASSERT_TRUE(AppendHistory(second));
    EXPECT_FALSE(first.user.empty());
    struct stat info {};
    ASSERT_EQ(::stat(HistoryFile().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(HistoryFile(), DataFile("history.jsonl"));

    // Lines that are no entries (a torn line, another program's) are skipped.
    std::string text = m_home.read("DromelPgm/history.jsonl");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
    m_home.write("DromelPgm/history.jsonl",
                 text + "{\"time\": \"x\", \"oper\n{}\nnot json\n" + HistoryLine(second) + "\n");
    const std::vector<SHistoryEntry> entries = ReadHistory();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_TRUE(Same(entries[0], first));
    EXPECT_EQ(entries[0].file, first.file);
    EXPECT_EQ(entries[1].differences, 3);
    EXPECT_EQ(entries[0].differences, -1);
    EXPECT_TRUE(Same(entries[2], second));
}

TEST_F(HistoryLogTest, TimesCarryTheirZone) {
    const char* oldZone = std::getenv("TZ");
    const std::string saved = oldZone != nullptr ? oldZone : "";
    const std::pair<const char*, const char*> cases[] = {{"UTC0", "2026-12-08T14:42:07+00:00"},
                                                         {"CET-1", "2026-12-08T15:42:07+01:00"},
                                                         {"IST-5:30", "2026-12-08T20:12:07+05:30"},
                                                         {"EST5", "2026-12-08T09:42:07-05:00"}};
    const std::time_t when = 1796740927; // 2026-12-08 14:42:07 UTC
    for (const auto& [zone, text] : cases) {
        ::setenv("TZ", zone, 1);
        ::tzset();
        EXPECT_EQ(IsoLocalTime(when), text) << zone;
    }
    if (oldZone != nullptr) {
        ::setenv("TZ", saved.c_str(), 1);
    } else {
        ::unsetenv("TZ");
    }
    ::tzset();
}

TEST_F(HistoryLogTest, FolderThatCannotBeMadeIsTheResult) {
    m_home.write("DromelPgm", "a file where the folder belongs");
    EXPECT_EQ(AppendHistory(FullEntry()).error, ENOTDIR);
}

} // namespace
