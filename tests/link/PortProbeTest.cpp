#include "link/PortProbe.h"
#include "link/CommPort.h"
#include "link/PortSystemName.h"

#include "PtyPeer.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace fs = std::filesystem;

TEST(PortProbe, TellsWhyAPortCannotBeUsed) {
    TempDir dir;
    PtyPeer peer;
    EXPECT_EQ(ProbePort(peer.path), PortOpenOk);
    EXPECT_EQ(ProbePort(dir.file("ttyUSB9")), PortAbsent);
    EXPECT_EQ(ProbePort(dir.write("plain", "x")), PortNotSerial);
    EXPECT_EQ(ProbePort(dir.path()), PortOtherError);

    CCommPort port;
    ASSERT_TRUE(port.OpenDevice(peer.path, 9600));
    EXPECT_EQ(ProbePort(peer.path), PortBusy);
    port.Close();
    EXPECT_EQ(ProbePort(peer.path), PortOpenOk);
}

namespace {

constexpr uid_t kNobody = 65534;

// ProbePort(path) as a user without rights: in a child process that gives them up when the
// test runs as an administrator (the terminal then belongs to that user).
PortOpenError ProbeUnprivileged(const PtyPeer& peer) {
    if (geteuid() != 0) {
        return ProbePort(peer.path);
    }
    if (fchown(peer.slave, kNobody, kNobody) != 0) {
        ADD_FAILURE() << "cannot hand the terminal over";
        return PortOtherError;
    }
    const pid_t child = fork();
    if (child == 0) {
        const bool dropped = setgid(kNobody) == 0 && setuid(kNobody) == 0;
        _exit(dropped ? static_cast<int>(ProbePort(peer.path)) : 100);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        ADD_FAILURE() << "the probing child did not end normally";
        return PortOtherError;
    }
    return static_cast<PortOpenError>(WEXITSTATUS(status));
}

bool AsksForExclusiveUse(const PtyPeer& peer) {
    int exclusive = 0;
    return ioctl(peer.slave, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

} // namespace

// Exclusive use asked for without the lock that this system's programs hold beside it is what
// a program that ended (killed) left behind. Users are told so; an administrator's open gets
// through, takes the device over and gives the exclusive use up when it closes. Exclusive use
// with the lock is a live program's, and stays in use for everyone.
TEST(PortProbe, ExclusiveUseLeftByAProgramThatEndedIsNamedAndTakenOver) {
    PtyPeer peer;
    ASSERT_EQ(ioctl(peer.slave, TIOCEXCL), 0);
    EXPECT_EQ(ProbeUnprivileged(peer), PortLeftLocked);
    CCommPort port;
    if (geteuid() != 0) {
        EXPECT_FALSE(port.OpenDevice(peer.path, 9600));
        EXPECT_EQ(port.OpenError(), PortLeftLocked);
        return;
    }
    ASSERT_TRUE(port.OpenDevice(peer.path, 9600));
    EXPECT_EQ(ProbeUnprivileged(peer), PortBusy);
    EXPECT_EQ(ProbePort(peer.path), PortBusy);
    port.Close();
    EXPECT_FALSE(AsksForExclusiveUse(peer));
    EXPECT_EQ(ProbeUnprivileged(peer), PortOpenOk);
}

TEST(PortProbe, LeavesTheDeviceAsItWasAndSendsNothing) {
    PtyPeer peer;
    termios before{};
    ASSERT_EQ(tcgetattr(peer.slave, &before), 0);
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(ProbePort(peer.path), PortOpenOk);
    }
    termios after{};
    ASSERT_EQ(tcgetattr(peer.slave, &after), 0);
    EXPECT_EQ(before.c_cflag, after.c_cflag);
    EXPECT_EQ(before.c_iflag, after.c_iflag);
    EXPECT_EQ(before.c_oflag, after.c_oflag);
    EXPECT_EQ(before.c_lflag, after.c_lflag);
    EXPECT_EQ(cfgetospeed(&before), cfgetospeed(&after));
    EXPECT_EQ(peer.Take(1, 100), "");
    // No lock is left behind.
    CCommPort port;
    EXPECT_TRUE(port.OpenDevice(peer.path, 9600));
}

// A user outside the device's group: as an administrator the test probes from a child
// process that has given up its rights.
TEST(PortProbe, PermissionDeniedIsTold) {
    PtyPeer peer;
    ASSERT_EQ(fchmod(peer.slave, 0600), 0);
    if (geteuid() != 0) {
        ASSERT_EQ(fchmod(peer.slave, 0), 0);
        EXPECT_EQ(ProbePort(peer.path), PortDenied);
        return;
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool dropped = setgid(kNobody) == 0 && setuid(kNobody) == 0;
        _exit(dropped ? static_cast<int>(ProbePort(peer.path)) : 100);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(PortDenied));
}

// A fake /dev and /sys: a USB serial adapter with its product string, a link in
// /dev/serial/by-id, and a device the system does not name.
class PortSystemNameTest : public ::testing::Test {
protected:
    void SetUp() override {
        Make("dev/serial/by-id");
        dir.write("dev/ttyUSB0", "");
        dir.write("dev/ttyUSB1", "");
        dir.write("dev/ttyS0", "");
        fs::create_symlink("../../ttyUSB0",
                           dir.file("dev/serial/by-id/usb-Maker_Cable_123-if00-port0"));
        fs::create_symlink("../../ttyUSB1", dir.file("dev/serial/by-id/usb-Other_456-if00-port0"));
        const std::string usb = "sys/devices/pci0000:00/usb1/1-2";
        Make(usb + "/1-2:1.0/ttyUSB0");
        dir.write(usb + "/idVendor", "067b\n");
        dir.write(usb + "/product", "USB-Serial Controller\n");
        dir.write(usb + "/manufacturer", "Prolific Technology Inc.\n");
        Make("sys/class/tty/ttyUSB0");
        fs::create_symlink(fs::path(dir.path()) / usb / "1-2:1.0/ttyUSB0",
                           dir.file("sys/class/tty/ttyUSB0/device"));
    }
    void Make(const std::string& path) const { fs::create_directories(dir.file(path)); }
    std::string Name(const std::string& device) const {
        return PortSystemName(dir.file(device), dir.file("dev"), dir.file("sys"));
    }

    TempDir dir;
};

TEST_F(PortSystemNameTest, UsbProductStringFirstThenTheByIdLink) {
    EXPECT_EQ(Name("dev/ttyUSB0"), "Prolific Technology Inc. USB-Serial Controller");
    EXPECT_EQ(Name("dev/ttyUSB1"), "usb-Other_456-if00-port0");
    EXPECT_EQ(Name("dev/serial/by-id/usb-Other_456-if00-port0"), "usb-Other_456-if00-port0");
    EXPECT_EQ(Name("dev/ttyS0"), "");
    EXPECT_EQ(Name("dev/ttyUSB7"), "");
}

TEST_F(PortSystemNameTest, ProductNamingItsMakerIsNotDoubled) {
    dir.write("sys/devices/pci0000:00/usb1/1-2/product", "Prolific Technology Inc. Cable\n");
    EXPECT_EQ(Name("dev/ttyUSB0"), "Prolific Technology Inc. Cable");
}
