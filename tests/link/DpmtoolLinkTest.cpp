#include "DpmtoolRunner.h"
#include "LinkFixture.h"
#include "PtyPeer.h"
#include "link/BackupStore.h"
#include "link/HistoryLog.h"

#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <regex>
#include <sys/ioctl.h>
#include <thread>

namespace {

class DpmtoolLinkTest : public LinkFixture {
protected:
    // Runs dpmtool with the arguments, no terminal on stdin; returns its exit status.
    int Dpmtool(const std::string& args) { return m_run.Run(args).status; }
    pid_t StartDpmtool(const std::string& args) { return m_run.Start(args); }
    std::string Err() { return m_run.Err(); }

    void TearDown() override {
        if (HasFailure()) {
            std::cerr << "--- dpmtool output ---\n" << m_run.Out() << Err() << "--- end ---\n";
        }
    }

    // The line at path asks for no exclusive use: the port was given up.
    static void ExpectNotExclusive(const std::string& path) {
        const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd, 0);
        int exclusive = 1;
        EXPECT_EQ(ioctl(fd, TIOCGEXCL, &exclusive), 0);
        EXPECT_EQ(exclusive, 0);
        close(fd);
    }
    bool ErrHas(const std::string& text) { return Err().find(text) != std::string::npos; }

    // Waits until the tool's trace has reached its file (it goes there in large pieces, the
    // first well into the transfer); false when the tool ended first.
    static bool AwaitTrace(pid_t tool, const std::string& trace) {
        std::error_code error;
        while (std::filesystem::file_size(trace, error) == 0 || error) {
            if (waitpid(tool, nullptr, WNOHANG) != 0) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    SimRadioProcess& Radio(const Image& image, std::vector<std::string> options = {},
                           bool bFast = true) {
        if (bFast) {
            options.push_back("--fast");
        }
        options.insert(options.end(), {"--image", WriteImage("radio.bin", image), "--save",
                                       m_dir.file("radio.dpm")});
        m_radio = std::make_unique<SimRadioProcess>(options);
        return *m_radio;
    }

    // image with its bytes below nEnd inverted.
    static Image Inverted(Image image, int nEnd) {
        for (int i = 0; i < nEnd; ++i) {
            image[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(~image[i]);
        }
        return image;
    }

    // A data file holding data, read from a radio that holds it; returns its path.
    std::string ReadIntoFile(const Image& data) {
        const std::string file = m_dir.file("data.dpm");
        EXPECT_EQ(Dpmtool("read " + file + " --port " + Radio(data).Path()), 0) << Err();
        m_radio->Stop();
        return file;
    }

    // The backups dpmtool kept, oldest first.
    std::vector<std::string> Backups() {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry :
             std::filesystem::directory_iterator(m_dir.file("data/DromelPgm/backups"), error)) {
            names.push_back(entry.path().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    // The image of a data file.
    static Image FileImage(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        const std::string data{std::istreambuf_iterator<char>(in), {}};
        Image image{};
        if (data.size() == 48 + kImageSize) {
            std::copy(data.begin() + 48, data.end(), image.begin());
        }
        return image;
    }
    // The lines of the programming history, each parsed (a line that does not parse fails).
    std::vector<SHistoryEntry> History() {
        std::vector<SHistoryEntry> entries;
        std::istringstream text(m_dir.read("data/DromelPgm/history.jsonl"));
        for (std::string line; std::getline(text, line);) {
            SHistoryEntry entry;
            EXPECT_TRUE(ParseHistoryLine(line, entry)) << line;
            entries.push_back(entry);
        }
        return entries;
    }

    std::unique_ptr<SimRadioProcess> m_radio;
    DpmtoolRunner m_run{m_dir};
};

TEST_F(DpmtoolLinkTest, ReadSavesTheRadioThenWriteSendsItBack) {
    Image first = Pattern(1);
    std::string file = m_dir.file("read.dpm");
    EXPECT_EQ(Dpmtool("read " + file + " --port " + Radio(first).Path() + " --trace " +
                      m_dir.file("tool.trace")),
              0)
        << Err();
    m_radio->Stop();
    EXPECT_EQ(SavedImage("read.dpm"), first);
    std::vector<TraceEntry> trace = Trace("tool.trace");
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.front().dir, "tx");
    EXPECT_EQ(trace.front().byte, 'P');

    // A radio of another type: the write goes on only with --yes.
    Image second = Pattern(2);
    EXPECT_EQ(Dpmtool("write " + file + " --port " + Radio(second).Path() + " --no"), 5);
    EXPECT_TRUE(ErrHas(ShippedText("IDS_DPM_DECLINED"))) << Err();
    m_radio->Stop();
    EXPECT_EQ(SavedImage("radio.dpm"), second);
    EXPECT_EQ(Dpmtool("write " + file + " --port " + Radio(second).Path()), 5); // no terminal
    m_radio->Stop();
    EXPECT_EQ(SavedImage("radio.dpm"), second);
    EXPECT_EQ(Dpmtool("write " + file + " --port " + Radio(second).Path() + " --yes"), 0) << Err();
    m_radio->Stop();
    Image written = SavedImage("radio.dpm");
    EXPECT_TRUE(std::equal(written.begin(), written.begin() + 0x3D8, first.begin()));
    EXPECT_TRUE(std::equal(written.begin() + 0x3D8, written.end(), second.begin() + 0x3D8));
}

TEST_F(DpmtoolLinkTest, LinkFailuresEndWithStatusFourAndTheirText) {
    std::string file = m_dir.file("read.dpm");
    EXPECT_EQ(Dpmtool("read " + file + " --port " + Radio(Pattern(1), {"--no-ack"}).Path()), 4);
    EXPECT_NE(Err().find(ShippedText("IDS_ERROR_PORTCONN")), std::string::npos) << Err();

    EXPECT_EQ(
        Dpmtool("read " + file + " --port " + Radio(Pattern(1), {"--silent-after", "3"}).Path()),
        4);
    EXPECT_TRUE(ErrHas(ShippedText("IDS_GAVEUP_READ", {"0x018", "3", "128"}))) << Err();
    EXPECT_FALSE(std::filesystem::exists(file)); // nothing saved from a failed read

    // A device that is not there is named.
    const std::string absent = m_dir.file("absent");
    EXPECT_EQ(Dpmtool("read " + file + " --port " + absent), 4);
    EXPECT_NE(Err().find(ShippedText("IDS_ERROR_PORTOPEN")), std::string::npos) << Err();
    EXPECT_NE(Err().find(ShippedText("IDS_PORT_ABSENT", {absent})), std::string::npos) << Err();
}

// A radio at the line speed that acknowledges block 0x008 late and refuses 0x010: the write
// fails, says where, and the radio keeps its old bytes from 0x010 on.
TEST_F(DpmtoolLinkTest, WriteNotWhollyAcceptedFailsAtTheRefusedBlock) {
    const Image radio = Pattern(1);
    const Image data = Inverted(radio, 0x100);
    const std::string file = ReadIntoFile(data);

    SimRadioProcess& late = Radio(radio, {"--late-ack", "0x008", "--nak-block", "0x010"}, false);
    EXPECT_EQ(Dpmtool("write " + file + " --port " + late.Path() + " --yes --no-backup"), 4);
    // The message names the block, tells that the radio holds a mix and to write again.
    EXPECT_TRUE(ErrHas(ShippedText("IDS_GAVEUP_WRITE", {"0x010", "2", "123"}))) << Err();
    m_radio->Stop();
    const Image saved = SavedImage("radio.dpm");
    EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + 0x010, data.begin()));
    EXPECT_TRUE(std::equal(saved.begin() + 0x010, saved.begin() + 0x018, radio.begin() + 0x010));
}

// A radio that acknowledges the first "PROGRAM" only after the PC's window (ms late): that 06
// answers no later request. A block the radio refuses fails the write there, for a radio of
// the file's type and for one of another type written after the question; without the refusal
// the radio holds the file. --yes answers a type question, which only the other type raises.
class LateProgramTest : public DpmtoolLinkTest, public ::testing::WithParamInterface<int> {};

TEST_P(LateProgramTest, WriteIsJudgedByTheRadiosOwnAnswers) {
    const Image radio = Pattern(1);
    Image data = Inverted(radio, 0x3D0);
    // The model block matches the radio's.
    std::copy(radio.begin() + 0x350, radio.begin() + 0x358, data.begin() + 0x350);
    const std::string file = ReadIntoFile(data);

    const std::string late = std::to_string(GetParam());
    struct SCase {
        bool otherType;
        bool refuse;
    };
    for (const SCase c : {SCase{false, true}, SCase{true, true}, SCase{false, false}}) {
        SCOPED_TRACE(std::string(c.otherType ? "another type" : "same type") +
                     (c.refuse ? ", 0x108 refused" : ""));
        std::vector<std::string> faults = {"--late-program", late};
        if (c.refuse) {
            faults.insert(faults.end(), {"--nak-block", "0x108"});
        }
        if (c.otherType) {
            faults.push_back("--wrong-id");
        }
        // At the line speed: a late answer is still on its way when the next request goes.
        const std::string port = Radio(radio, faults, false).Path();
        const int status = Dpmtool("write " + file + " --port " + port + " --yes --no-backup");
        m_radio->Stop();
        const Image saved = SavedImage("radio.dpm");
        if (c.refuse) {
            EXPECT_EQ(status, 4) << Err();
            EXPECT_NE(Err().find("0x108"), std::string::npos) << Err();
            EXPECT_TRUE(
                std::equal(saved.begin() + 0x108, saved.begin() + 0x110, radio.begin() + 0x108));
        } else {
            EXPECT_EQ(status, 0) << Err();
            EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + 0x3D8, data.begin()));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Ms, LateProgramTest, ::testing::Values(55, 80, 130));

TEST_F(DpmtoolLinkTest, BadCommandLinesAreUsageErrors) {
    EXPECT_EQ(Dpmtool("read"), 1);
    EXPECT_EQ(Dpmtool("read x.dpm --yes"), 1);
    EXPECT_EQ(Dpmtool("write x.dpm --yes --no"), 1);
    // A port that is neither 1 to 8 nor a path is named with the values allowed.
    for (const char* port : {"9", "0", "ttyUSB0"}) {
        EXPECT_EQ(Dpmtool("read x.dpm --port " + std::string(port)), 1) << port;
        EXPECT_TRUE(ErrHas(ShippedText("IDS_DPM_BADPORT", {port}))) << Err();
    }
    // The same device twice, also through a link to it, is said to be so.
    PtyPeer peer;
    const std::string link = m_dir.file("cable");
    std::filesystem::create_symlink(peer.path, link);
    EXPECT_EQ(Dpmtool("read x.dpm --port " + peer.path + " --port " + link), 1);
    EXPECT_TRUE(ErrHas(ShippedText("IDS_DPM_SAMEPORT", {peer.path, link, peer.path}))) << Err();
    EXPECT_EQ(peer.Take(1, 100), ""); // nothing reached the line
}

// A trace file that cannot be made stops the command before anything is sent; one that
// fills up is told at the end, with status 3, and the read is saved all the same.
TEST_F(DpmtoolLinkTest, TraceFileThatCannotBeWrittenIsAnError) {
    const Image radio = Pattern(1);
    const std::string file = m_dir.file("read.dpm");
    const std::string noDir = m_dir.file("none/tool.trace");
    EXPECT_EQ(Dpmtool("read " + file + " --port " + Radio(radio).Path() + " --trace " + noDir), 3);
    EXPECT_TRUE(ErrHas(ShippedText("IDS_DPM_TRACE_OPEN", {noDir, std::strerror(ENOENT)}))) << Err();
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(Dpmtool("read " + file + " --port " + m_radio->Path() + " --trace /dev/full"), 3);
    EXPECT_TRUE(ErrHas(ShippedText("IDS_DPM_TRACE_WRITE", {"/dev/full", std::strerror(ENOSPC)})))
        << Err();
    EXPECT_EQ(SavedImage("read.dpm"), radio);
}

TEST_F(DpmtoolLinkTest, WriteRefusesAFileItCannotUse) {
    std::string foreign = m_dir.write("foreign.dpm", std::string(1072, 'x'));
    EXPECT_EQ(Dpmtool("write " + foreign + " --port " + Radio(Pattern(1)).Path() + " --yes"), 3);
    EXPECT_EQ(Dpmtool("write " + m_dir.file("missing.dpm") + " --port 1 --yes"), 3);
    m_radio->Stop();
    EXPECT_EQ(SavedImage("radio.dpm"), Pattern(1));
}

// SIGINT, SIGTERM and SIGHUP in the middle of a transfer with a radio at the line speed:
// the block in flight is finished, the port is released (the next run opens it at once, and
// the line no longer asks for exclusive use), the message tells how many blocks went, the
// status is 128 + the signal, and a read leaves the data file as it was.
struct SignalCase {
    int signal;
    bool bRead;
};

class DpmtoolSignalTest : public DpmtoolLinkTest,
                          public ::testing::WithParamInterface<SignalCase> {};

TEST_P(DpmtoolSignalTest, TransferStopsBetweenBlocksAndReleasesThePort) {
    const SignalCase c = GetParam();
    const Image radio = Pattern(1);
    const Image data = Inverted(radio, 0x3D8);
    const std::string file = ReadIntoFile(data);
    const std::string before = m_dir.read("data.dpm");

    const std::string path = Radio(radio, {}, false).Path();
    const std::string trace = m_dir.file("tool.trace");
    const pid_t tool = StartDpmtool((c.bRead ? "read " : "write --yes --no-backup ") + file +
                                    " --port " + path + " --trace " + trace);
    ASSERT_TRUE(AwaitTrace(tool, trace)) << Err();
    kill(tool, c.signal);
    EXPECT_EQ(WaitChild(tool), 128 + c.signal);

    std::smatch count;
    const std::string err = Err();
    const std::string key = c.bRead ? "IDS_STOP_READ" : "IDS_STOP_WRITE";
    const std::string pattern = std::regex_replace(
        ShippedText(key, {"([0-9]+)", c.bRead ? "128" : "123"}), std::regex(R"([.;])"), R"(\$&)");
    ASSERT_TRUE(std::regex_search(err, count, std::regex(pattern))) << err;
    const int blocks = std::stoi(count[1]);
    EXPECT_GT(blocks, 0);
    EXPECT_LT(blocks, c.bRead ? 128 : 123);

    ExpectNotExclusive(path);
    EXPECT_EQ(Dpmtool("verify " + file + " --port " + path), 6) << Err();
    m_radio->Stop();
    EXPECT_EQ(m_dir.read("data.dpm"), before);
    if (!c.bRead) {
        // The blocks counted are in the radio, the rest is as it was.
        const Image saved = SavedImage("radio.dpm");
        EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + 8 * blocks, data.begin()));
        EXPECT_TRUE(
            std::equal(saved.begin() + 8 * blocks, saved.end(), radio.begin() + 8 * blocks));
    }
}

INSTANTIATE_TEST_SUITE_P(Signals, DpmtoolSignalTest,
                         ::testing::Values(SignalCase{SIGINT, true}, SignalCase{SIGINT, false},
                                           SignalCase{SIGTERM, true}, SignalCase{SIGTERM, false},
                                           SignalCase{SIGHUP, true}, SignalCase{SIGHUP, false}),
                         [](const auto& info) {
                             return std::string(sigabbrev_np(info.param.signal)) +
                                    (info.param.bRead ? "_read" : "_write");
                         });

// A tool killed outright (no chance to release the port) leaves the line asking for
// exclusive use. Users are told it was left locked; the next run as an administrator takes
// the port over, reads the radio and gives the port up again.
TEST_F(DpmtoolLinkTest, LineLeftLockedByAKilledRunIsNamedOrTakenOver) {
    const std::string file = m_dir.file("data.dpm");
    const std::string path = Radio(Pattern(1), {}, false).Path();
    const std::string trace = m_dir.file("tool.trace");
    const pid_t tool = StartDpmtool("read " + file + " --port " + path + " --trace " + trace);
    ASSERT_TRUE(AwaitTrace(tool, trace)) << Err();
    kill(tool, SIGKILL);
    WaitChild(tool);
    const int status = Dpmtool("read " + file + " --port " + path);
    if (geteuid() != 0) {
        EXPECT_EQ(status, 4);
        EXPECT_TRUE(ErrHas(ShippedText("IDS_PORT_LEFTLOCKED", {path}))) << Err();
        return;
    }
    // Root takes the line over, and the radio, which lost the rest of an exchange, is read.
    EXPECT_EQ(status, 0) << Err();
    ExpectNotExclusive(path);
}

// A write first keeps the radio's memory as a backup; restoring that backup brings the radio
// back byte for byte; each run leaves its line in the history.
TEST_F(DpmtoolLinkTest, WriteKeepsABackupThatRestoreWritesBack) {
    const Image radio = Pattern(1);
    const Image data = Inverted(radio, 0x3D8);
    const std::string file = ReadIntoFile(data);
    const std::string port = Radio(radio).Path();
    EXPECT_EQ(Dpmtool("write " + file + " --port " + port + " --yes"), 0) << Err();
    ASSERT_EQ(Backups().size(), 1u);
    const std::string backup = Backups().front();
    EXPECT_EQ(FileImage(backup), radio);
    EXPECT_NE(backup.find("-" + PortNameOf(port) + ".dpm"), std::string::npos) << backup;
    EXPECT_EQ(Dpmtool("restore --port " + port + " --yes"), 0) << Err(); // the newest: backup
    m_radio->Stop();
    EXPECT_EQ(SavedImage("radio.dpm"), radio);
    // The restore kept the written state first.
    std::vector<std::string> backups = Backups();
    ASSERT_EQ(backups.size(), 2u);
    const std::string kept = backups[0] == backup ? backups[1] : backups[0];
    EXPECT_EQ(FileImage(kept), data);

    const std::string elsewhere = m_dir.file("elsewhere");
    EXPECT_EQ(Dpmtool("restore --port " + elsewhere + " --yes"), 3);
    EXPECT_TRUE(ErrHas(ShippedText("IDS_DPM_NO_BACKUP_FOUND",
                                   {PortNameOf(elsewhere), m_dir.file("data/DromelPgm/backups")})))
        << Err();

    const std::vector<SHistoryEntry> history = History();
    ASSERT_EQ(history.size(), 3u);
    const struct {
        const char* operation;
        std::string file;
        std::string backup;
    } expected[] = {{"read", file, ""}, {"write", file, backup}, {"restore", backup, kept}};
    for (std::size_t i = 0; i < 3; ++i) {
        const SHistoryEntry& e = history[i];
        SCOPED_TRACE(e.operation);
        EXPECT_EQ(e.operation, expected[i].operation);
        EXPECT_EQ(e.program, "dpmtool");
        EXPECT_EQ(e.result, "ok");
        EXPECT_EQ(e.file, expected[i].file);
        EXPECT_EQ(e.backup, expected[i].backup);
        EXPECT_EQ(e.blocks, i == 0 ? 128 : 123);
        EXPECT_EQ(e.sha256.size(), 64u);
        EXPECT_FALSE(e.user.empty());
        EXPECT_FALSE(e.device.empty());
        EXPECT_EQ(e.differences, -1);
        EXPECT_TRUE(
            std::regex_match(e.time, std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d)")))
            << e.time;
    }
}

// A backup read that fails stops the write before any block: the radio keeps its memory.
TEST_F(DpmtoolLinkTest, BackupReadThatFailsSendsNoBlock) {
    const Image radio = Pattern(1);
    const std::string file = ReadIntoFile(Inverted(radio, 0x3D8));
    EXPECT_EQ(Dpmtool("write " + file + " --port " + Radio(radio, {"--silent-after", "3"}).Path() +
                      " --yes"),
              4);
    const std::string prefix = ShippedText("IDS_BACKUP_READ_FAILED", {""});
    EXPECT_TRUE(ErrHas(prefix)) << Err();
    m_radio->Stop();
    EXPECT_EQ(SavedImage("radio.dpm"), radio);
    EXPECT_TRUE(Backups().empty());
    const std::vector<SHistoryEntry> history = History();
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[1].result, "failed");
    EXPECT_EQ(history[1].blocks, 0);
}

// After a refused block the message names the blocks acknowledged and the backup's time, or
// that there is no backup; verify's line counts the differences.
TEST_F(DpmtoolLinkTest, PartialWriteNamesTheBlocksAcknowledged) {
    const Image radio = Pattern(1);
    const std::string file = ReadIntoFile(Inverted(radio, 0x3D8));
    const std::string port = Radio(radio, {"--nak-block", "0x010"}).Path();
    EXPECT_EQ(Dpmtool("write " + file + " --port " + port + " --yes"), 4);
    ASSERT_EQ(Backups().size(), 1u);
    const std::string name = std::filesystem::path(Backups().front()).filename().string();
    const std::string clock = name.substr(9, 2) + ":" + name.substr(11, 2);
    EXPECT_TRUE(ErrHas(ShippedText("IDS_WRITE_PARTIAL", {"2", "123", clock}))) << Err();
    EXPECT_EQ(Dpmtool("write " + file + " --port " + port + " --yes --no-backup"), 4);
    EXPECT_TRUE(ErrHas(ShippedText("IDS_WRITE_PARTIAL_NO_BACKUP", {"2", "123"}))) << Err();
    EXPECT_EQ(Dpmtool("verify " + file + " --port " + port), 6);
    const std::vector<SHistoryEntry> history = History();
    ASSERT_EQ(history.size(), 4u);
    EXPECT_EQ(history[1].blocks, 2);
    EXPECT_EQ(history[1].result, "failed");
    EXPECT_EQ(history[3].operation, "verify");
    EXPECT_GT(history[3].differences, 0);
}

// Two writes at once append whole lines to one history.
TEST_F(DpmtoolLinkTest, ConcurrentWritesLeaveWholeHistoryLines) {
    const std::string file = ReadIntoFile(Pattern(2));
    std::vector<std::unique_ptr<SimRadioProcess>> radios;
    std::vector<pid_t> tools;
    for (int i = 0; i < 2; ++i) {
        radios.push_back(std::make_unique<SimRadioProcess>(
            std::vector<std::string>{"--fast", "--image", WriteImage("r.bin", Pattern(1)), "--save",
                                     m_dir.file("r" + std::to_string(i) + ".dpm")}));
    }
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 2; ++i) {
            tools.push_back(m_run.StartShell(DpmtoolRunner::Command(
                "write " + file + " --yes --port " + radios[static_cast<std::size_t>(i)]->Path())));
        }
        for (const pid_t tool : tools) {
            EXPECT_EQ(WaitChild(tool), 0);
        }
        tools.clear();
    }
    const std::vector<SHistoryEntry> history = History();
    EXPECT_EQ(history.size(), 7u);
    const std::string text = m_dir.read("data/DromelPgm/history.jsonl");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7);
}

} // namespace
