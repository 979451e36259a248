#include "link/LinkMessages.h"

#include "TempDir.h"
#include "app/AppPaths.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Both shipped languages tell the device and the reason a port did not open, where a
// transfer stopped, and how far an interrupted one came.
TEST(LinkMessagesTest, ShippedLanguagesNameTheDeviceTheReasonAndTheBlock) {
    SetAppDir(DROMEL_BIN_DIR);
    std::vector<std::string> absentTexts;
    for (const char* language : {"lang_en", "lang_cn"}) {
        SCOPED_TRACE(language);
        SetLanguageName(language);
        const std::string device = "/dev/ttyUSB3";
        std::vector<std::string> texts;
        for (PortOpenError error :
             {PortAbsent, PortBusy, PortLeftLocked, PortDenied, PortNotSerial}) {
            texts.push_back(PortOpenErrorText(device, error, 0));
            EXPECT_TRUE(Contains(texts.back(), device)) << texts.back();
            EXPECT_FALSE(Contains(texts.back(), "Not Found")) << texts.back();
        }
        EXPECT_TRUE(Contains(texts[3], "dialout")) << texts[3];
        for (std::size_t i = 1; i < texts.size(); ++i) {
            EXPECT_NE(texts[i], texts[i - 1]);
        }
        const std::string other = PortOpenErrorText(device, PortOtherError, EIO);
        EXPECT_TRUE(Contains(other, device) && Contains(other, std::strerror(EIO))) << other;
        const std::vector<std::string> stops = {
            GaveUpText(false, 0x010, 984), GaveUpText(true, 0x010, 1024),
            InterruptedText(false, 712, 984), InterruptedText(true, 712, 1024),
            InterruptedText(false, 0, 984)};
        for (std::size_t i = 0; i < stops.size(); ++i) {
            EXPECT_FALSE(Contains(stops[i], "Not Found") || Contains(stops[i], "%s")) << stops[i];
            EXPECT_NE(stops[i], stops[(i + 1) % stops.size()]);
        }
        EXPECT_TRUE(Contains(stops[0], "0x010") && Contains(stops[0], "2") &&
                    Contains(stops[0], "123"))
            << stops[0];
        EXPECT_TRUE(Contains(stops[2], "89") && Contains(stops[2], "123")) << stops[2];
        EXPECT_TRUE(Contains(stops[3], "89") && Contains(stops[3], "128")) << stops[3];
        absentTexts.push_back(texts[0]);
    }
    EXPECT_NE(absentTexts[0], absentTexts[1]);
}

TEST(LinkMessagesTest, PortFailureAddsTheReasonToTheGeneralText) {
    TempDir dir;
    dir.write("lang_en.lng", "[String]\nIDS_ERROR_PORTOPEN=No port.\nIDS_PORT_ABSENT=%s is gone.\n"
                             "IDS_ERROR_PORTCONN=No answer.\n");
    SetAppDir(dir.path());
    SetLanguageName("lang_en");
    CCommPort port;
    ASSERT_FALSE(port.OpenDevice(dir.file("cable"), 9600));
    EXPECT_EQ(LinkErrorText(LinkPortFailed, port), "No port.\n" + dir.file("cable") + " is gone.");
    EXPECT_EQ(LinkErrorText(LinkNoConnection, port), "No answer.");
}

} // namespace
