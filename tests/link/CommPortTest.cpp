#include "link/CommPort.h"
#include "LinkFixture.h"
#include "PtyPeer.h"
#include "link/PortDevice.h"

#include <termios.h>

namespace {

using CommPortTest = LinkFixture;

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

TEST_F(CommPortTest, TraceRecordsEveryByteWithItsGap) {
    PtyPeer peer;
    CCommPort port;
    std::ostringstream trace;
    port.SetTrace(&trace);
    ASSERT_TRUE(port.OpenDevice(peer.path, 9600));
    port.SendByte(0x52, 5);
    peer.Send({0x06});
    port.RecvByte(500);
    std::istringstream lines(trace.str());
    long long t1, t2;
    std::string d1, h1, g, d2, h2;
    int gap;
    lines >> t1 >> d1 >> h1 >> g >> gap >> t2 >> d2 >> h2;
    EXPECT_EQ(d1 + h1 + g, "tx52gap");
    EXPECT_EQ(gap, 5);
    EXPECT_EQ(d2 + h2, "rx06");
    EXPECT_LE(t1, t2);
}

} // namespace
