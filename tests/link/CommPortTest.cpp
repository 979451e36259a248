#include "link/CommPort.h"
#include "LinkFixture.h"
#include "PtyPeer.h"
#include "link/PortDevice.h"
#include "link/PortProbe.h"

#include <cerrno>
#include <memory>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>

namespace {

using CommPortTest = LinkFixture;

// Opens path from a child process as an ordinary user would (an administrator gives up its
// rights first); 0 when the open succeeds, else its error number.
int OpenFromAnotherProcess(const std::string& path) {
    const pid_t pid = fork();
    if (pid == 0) {
        constexpr uid_t kNobody = 65534;
        if (getuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
            _exit(255);
        }
        const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        _exit(fd < 0 ? errno : 0);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

bool HeldExclusively(const PtyPeer& peer) {
    int exclusive = 0;
    return ioctl(peer.slave, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

TEST_F(CommPortTest, PortNumberNamesConfiguredDeviceOrUsbAdapter) {
    m_dir.write("setting.ini", "[setup]\ncom=3\n[ports]\ncom2=/dev/ttyS4\n");
    EXPECT_EQ(GetPortDevice(2), "/dev/ttyS4");
    EXPECT_EQ(GetPortDevice(3), "/dev/ttyUSB2");
    EXPECT_EQ(GetPortDevice(0), "");
    EXPECT_EQ(GetConfiguredPort(), 3);
    m_dir.write("setting.ini", "[setup]\ncom=12\n");
    EXPECT_EQ(GetConfiguredPort(), 1);
    m_dir.write("setting.ini", "[setup]\n");
    EXPECT_EQ(GetConfiguredPort(), 1);
}

TEST_F(CommPortTest, OpenIsExclusiveAndCloseReleasesTheDevice) {
    PtyPeer peer;
    m_dir.write("setting.ini", "[ports]\ncom5=" + peer.path + "\n");
    CCommPort first, second;
    ASSERT_TRUE(first.Open(5, 9600));
    EXPECT_TRUE(first.IsOpen());
    EXPECT_FALSE(second.OpenDevice(peer.path, 9600));
    EXPECT_FALSE(second.IsOpen());
    EXPECT_FALSE(first.OpenDevice(peer.path, 9600)); // already open: stays as it is
    EXPECT_TRUE(first.IsOpen());
    first.Close();
    first.Close();
    EXPECT_FALSE(first.IsOpen());
    EXPECT_TRUE(second.OpenDevice(peer.path, 9600));
}

// While the port is open nobody else opens the device, not even a program that ignores
// the lock; Close gives the device up again.
TEST_F(CommPortTest, OpenTakesTheDeviceForExclusiveUse) {
    PtyPeer peer;
    ASSERT_EQ(fchmod(peer.slave, 0666), 0);
    ASSERT_EQ(OpenFromAnotherProcess(peer.path), 0);
    CCommPort port;
    ASSERT_TRUE(port.OpenDevice(peer.path, 9600));
    EXPECT_TRUE(HeldExclusively(peer));
    EXPECT_EQ(OpenFromAnotherProcess(peer.path), EBUSY);
    port.Close();
    EXPECT_FALSE(HeldExclusively(peer));
    EXPECT_EQ(OpenFromAnotherProcess(peer.path), 0);
}

// Another program holds the device's lock without asking for exclusive use: the device is
// in use, not failing for an unknown reason.
TEST_F(CommPortTest, DeviceLockedByAnotherProgramIsInUse) {
    PtyPeer peer;
    const int other = open(peer.path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
    CCommPort port;
    EXPECT_FALSE(port.OpenDevice(peer.path, 9600));
    EXPECT_EQ(port.OpenError(), PortBusy);
    EXPECT_EQ(ProbePort(peer.path), PortBusy);
    close(other);
    EXPECT_EQ(ProbePort(peer.path), PortOpenOk);
    EXPECT_TRUE(port.OpenDevice(peer.path, 9600));
}

TEST_F(CommPortTest, OpenFailsForMissingDeviceOrOrdinaryFile) {
    CCommPort port;
    EXPECT_FALSE(port.OpenDevice(m_dir.file("no-such-device"), 9600));
    EXPECT_FALSE(port.OpenDevice(m_dir.write("plain", "x"), 9600));
    EXPECT_FALSE(port.Open(0, 9600));
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(CommPortTest, LineIsRawNineSixHundredEightNTwo) {
    PtyPeer peer;
    CCommPort port;
    ASSERT_TRUE(port.OpenDevice(peer.path, 9600));
    termios tio{};
    ASSERT_EQ(tcgetattr(peer.slave, &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), B9600);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_TRUE(tio.c_cflag & CSTOPB);
    EXPECT_FALSE(tio.c_cflag & (PARENB | CRTSCTS));
    EXPECT_FALSE(tio.c_iflag & (IXON | IXOFF | ICRNL));
    EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO));
}

TEST_F(CommPortTest, BytesTravelBothWaysWithAndWithoutGaps) {
    PtyPeer peer;
    CCommPort port;
    ASSERT_TRUE(port.OpenDevice(peer.path, 9600));
    const unsigned char text[] = {'A', 'B', 'C', 'D'};
    port.Write(text, 4, 0);
    port.Write(text, 4, 5);
    port.SendByte(0x0D, 0);
    EXPECT_EQ(peer.Take(9), "ABCDABCD\r"); // raw: no line-end translation

    EXPECT_EQ(port.RecvByte(0), -1);
    peer.Send({0x06, 0xFF, 0x00});
    EXPECT_EQ(port.RecvByte(500), 0x06);
    EXPECT_EQ(port.RecvByte(500), 0xFF);
    EXPECT_EQ(port.RecvByte(0), 0x00);
    EXPECT_EQ(port.RecvByte(0), -1);
}

TEST_F(CommPortTest, ReadStopsWhenOneByteMissesItsWindow) {
    PtyPeer peer;
    CCommPort port;
    ASSERT_TRUE(port.OpenDevice(peer.path, 9600));
    peer.Send({1, 2, 3});
    unsigned char buf[12] = {};
    EXPECT_EQ(port.Read(buf, 12, 500), 3);
    EXPECT_EQ(buf[2], 3);
    peer.Send({4, 5, 6, 7});
    EXPECT_EQ(port.Read(buf, 12, 0), 4);
    EXPECT_EQ(buf[3], 7);
}

TEST_F(CommPortTest, HungUpDeviceReadsAsSilenceAndClosesThePort) {
    PtyPeer peer;
    CCommPort port;
    ASSERT_TRUE(port.OpenDevice(peer.path, 9600));
    peer.Send({0x42});
    EXPECT_EQ(port.RecvByte(500), 0x42);
    peer.HangUp();
    unsigned char buf[4] = {};
    EXPECT_EQ(port.Read(buf, 4, 100), 0);
    EXPECT_FALSE(port.IsOpen());
    port.SendByte(0x06, 5);
    EXPECT_EQ(port.RecvByte(50), -1);
}

// Each byte sent: the gap asked for and the idle time the line had before it, counted from
// the previous byte either way.
TEST_F(CommPortTest, TraceRecordsTheGapAskedAndTheIdleTimeAchieved) {
    PtyPeer peer;
    CCommPort port;
    std::ostringstream trace;
    port.SetTrace(&trace);
    ASSERT_TRUE(port.OpenDevice(peer.path, 9600));
    const unsigned char text[] = {'A', 'B', 'C'};
    port.Write(text, 3, 0);
    port.SendByte(0x52, 50);
    peer.Send({0x06});
    ASSERT_EQ(port.RecvByte(500), 0x06);
    port.SendByte(0x06, 30);
    EXPECT_EQ(peer.Take(5), "ABCR\x06");

    struct Line {
        long long micros;
        std::string dir, hex;
        int gap = -1;
        double idle = -1;
    };
    std::vector<Line> lines;
    std::istringstream in(trace.str());
    std::string text_line;
    while (std::getline(in, text_line)) {
        std::istringstream fields(text_line);
        Line l;
        std::string word1, word2;
        fields >> l.micros >> l.dir >> l.hex;
        if (l.dir == "tx") {
            fields >> word1 >> l.gap >> word2 >> l.idle;
            EXPECT_EQ(word1 + word2, "gapidle") << text_line;
        }
        lines.push_back(l);
    }
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].gap, 0);
    // Bytes of one write follow each other without a pause.
    EXPECT_EQ(lines[1].idle, 0.0);
    EXPECT_EQ(lines[2].idle, 0.0);
    EXPECT_EQ(lines[3].hex + std::to_string(lines[3].gap), "5250");
    EXPECT_GE(lines[3].idle, 50.0);
    EXPECT_EQ(lines[4].dir + lines[4].hex, "rx06");
    // The answer's gap counts from the radio's byte.
    EXPECT_EQ(lines[5].hex + std::to_string(lines[5].gap), "0630");
    EXPECT_GE(lines[5].idle, 30.0);
}

TEST_F(CommPortTest, FailedOpenTellsTheDeviceAndTheReason) {
    CCommPort port;
    const std::string absent = m_dir.file("no-such-device");
    EXPECT_FALSE(port.OpenDevice(absent, 9600));
    EXPECT_EQ(port.Device(), absent);
    EXPECT_EQ(port.OpenError(), PortAbsent);

    EXPECT_FALSE(port.OpenDevice(m_dir.write("plain", "x"), 9600));
    EXPECT_EQ(port.OpenError(), PortNotSerial);

    EXPECT_FALSE(port.Open(0, 9600));
    EXPECT_EQ(port.Device(), "COM0");
    EXPECT_EQ(port.OpenError(), PortAbsent);

    PtyPeer peer;
    m_dir.write("setting.ini", "[ports]\ncom2=" + peer.path + "\n");
    CCommPort holder;
    ASSERT_TRUE(holder.OpenDevice(peer.path, 9600));
    EXPECT_FALSE(port.Open(2, 9600));
    EXPECT_EQ(port.Device(), peer.path);
    EXPECT_EQ(port.OpenError(), PortBusy);
    EXPECT_EQ(holder.OpenError(), PortOpenOk);
}

// A user outside the group that owns the device may not open it.
TEST_F(CommPortTest, DeviceTheUserMayNotUseIsReportedAsDenied) {
    PtyPeer peer;
    chmod(peer.path.c_str(), 0600);
    const pid_t pid = fork();
    if (pid == 0) {
        if (getuid() == 0 && setuid(65534) != 0) {
            _exit(2);
        }
        CCommPort port;
        const bool opened = port.OpenDevice(peer.path, 9600);
        _exit(!opened && port.OpenError() == PortDenied ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2) {
        GTEST_SKIP() << "cannot change to an unprivileged user here";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// A device that hung up is noticed before the port is used again; Reopen opens the same COM
// number, whose device may by then be another one.
TEST_F(CommPortTest, HungUpDeviceIsNoticedAndReopenedByItsNumber) {
    auto first = std::make_unique<PtyPeer>();
    m_dir.write("setting.ini", "[ports]\ncom3=" + first->path + "\n");
    CCommPort port;
    ASSERT_TRUE(port.Open(3, 9600));
    EXPECT_TRUE(port.CheckDevice());
    EXPECT_EQ(port.OpenCount(), 1u);
    first->HangUp();
    EXPECT_FALSE(port.CheckDevice());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(port.HasLostDevice());

    PtyPeer second;
    m_dir.write("setting.ini", "[ports]\ncom3=" + second.path + "\n");
    ASSERT_TRUE(port.Reopen());
    EXPECT_EQ(port.Device(), second.path);
    EXPECT_EQ(port.OpenCount(), 2u);
    EXPECT_FALSE(port.HasLostDevice());
    port.SendByte(0x42, 0);
    EXPECT_EQ(second.Take(1), "B");
}

} // namespace
