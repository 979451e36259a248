// dpmtool print: the program's printed page as a PDF, without a display.
#include "DpmtoolRun.h"
#include "PdfFile.h"

#include <cstdio>
#include <set>
#include <sstream>

namespace {

class DpmtoolPrint : public DpmtoolTest {
protected:
    // dpmtool print hands the drawing to dpmtool-print beside it.
    void SetUp() override {
        DpmtoolTest::SetUp();
        std::filesystem::copy_file(DROMEL_BIN_DIR "/dpmtool-print", m_dir.file("dpmtool-print"));
    }

    // Runs dpmtool print as from a console without a display or a chosen Qt platform.
    DpmResult Print(const std::string& args) {
        return RunShell("exec env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LC_ALL "
                        "-u LC_MESSAGES LANG=C ./dpmtool print " +
                        args);
    }
    int Pages(const std::string& pdf) { return PdfPages(m_dir.file(pdf)); }
    std::string Text(const std::string& pdf) { return PdfText(m_dir.file(pdf)); }
    static std::set<std::string> Words(const std::string& text) {
        std::istringstream in(text);
        std::set<std::string> words;
        for (std::string word; in >> word;) {
            words.insert(word);
        }
        return words;
    }
};

} // namespace

TEST_F(DpmtoolPrint, NewFileGivesOnePageWithEveryChannelNumber) {
    Ok("new radio.dpm");
    const DpmResult r = Print("radio.dpm sheet.pdf");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(Pages("sheet.pdf"), 1);
    const std::string text = Text("sheet.pdf");
    const std::set<std::string> words = Words(text);
    for (int n = 1; n <= 16; ++n) {
        EXPECT_TRUE(words.count(std::to_string(n))) << "channel " << n << "\n" << text;
    }
    EXPECT_NE(text.find("MV-16UE 400-480"), std::string::npos) << text;
    EXPECT_NE(text.find("Yes"), std::string::npos) << text;
}

TEST_F(DpmtoolPrint, FilledFilePrintsItsFrequenciesAndOptions) {
    Ok("new radio.dpm");
    Ok("set radio.dpm ch1.rx=446.00625 ch1.tx=446.00625 ch16.rx=470.00000 "
       "ch16.tx=470.00000 beep=on battsave=off clone=on");
    const DpmResult r = Print("radio.dpm sheet.pdf");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Pages("sheet.pdf"), 1);
    const std::string text = Text("sheet.pdf");
    EXPECT_NE(text.find("446.00625"), std::string::npos) << text;
    EXPECT_NE(text.find("470.00000"), std::string::npos) << text;
}

TEST_F(DpmtoolPrint, LandscapeLetterPageStillHoldsChannel16) {
    Ok("new radio.dpm");
    Ok("set radio.dpm ch16.rx=470.00000 ch16.tx=470.00000");
    const DpmResult r = Print("radio.dpm sheet.pdf --paper Letter --landscape");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string info = PdfInfo(m_dir.file("sheet.pdf"));
    EXPECT_NE(info.find("792 x 612 pts (letter)"), std::string::npos) << info;
    EXPECT_EQ(Pages("sheet.pdf"), 1);
    EXPECT_NE(Text("sheet.pdf").find("470.00000"), std::string::npos);
}

TEST_F(DpmtoolPrint, ChineseLanguageFilePrintsChineseTexts) {
    m_dir.write("lang_cn.lng", "[String]\nIDS_NONE=无\nIDS_OFF=关\nIDS_YES=是\nIDS_NO=否\n"
                               "[Resource]\n^1200=机型信息\n^1006=按键音\n"
                               "[Face]\nIDS_COL0=信道\nIDS_COL1=接收频率\n");
    Ok("new radio.dpm");
    const DpmResult r = Print("radio.dpm sheet.pdf --lang lang_cn");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = Text("sheet.pdf");
    EXPECT_NE(text.find("机型信息"), std::string::npos) << text;
    EXPECT_NE(text.find("信道"), std::string::npos) << text;
    EXPECT_NE(text.find("接收频率"), std::string::npos) << text;
}

TEST_F(DpmtoolPrint, BadInputIsRefusedAndLeavesTheOutputAlone) {
    Ok("new radio.dpm");
    m_dir.write("sheet.pdf", "old");
    EXPECT_EQ(Print("radio.dpm").status, 1);
    EXPECT_EQ(Print("radio.dpm sheet.pdf --bogus").status, 1);
    EXPECT_EQ(Print("radio.dpm sheet.pdf --lang").status, 1);
    EXPECT_EQ(Print("radio.dpm sheet.pdf --paper a5").status, 1);

    DpmResult r = Print("missing.dpm sheet.pdf");
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("missing.dpm"), std::string::npos) << r.err;
    r = Print("radio.dpm sheet.pdf --lang lang_xx");
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("lang_xx.lng"), std::string::npos) << r.err;
    EXPECT_EQ(m_dir.read("sheet.pdf"), "old");

    r = Print("radio.dpm no/such/folder/sheet.pdf");
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("no/such/folder/sheet.pdf"), std::string::npos) << r.err;
}

TEST_F(DpmtoolPrint, MissingPagePrinterIsNamedAndNothingIsWritten) {
    Ok("new radio.dpm");
    std::filesystem::remove(m_dir.file("dpmtool-print"));
    const DpmResult r = Print("radio.dpm sheet.pdf");
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("dpmtool-print"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(m_dir.file("sheet.pdf")));
}

TEST_F(DpmtoolPrint, AFullDiskIsReportedAndLeavesNoEmptyFile) {
    Ok("new radio.dpm");
    DpmResult r = Print("radio.dpm /dev/full");
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("/dev/full: cannot write the file: No space left on device"),
              std::string::npos)
        << r.err;
    // ulimit -f counts blocks of 512 or 1024 bytes: either is less than the page.
    r = RunShell("ulimit -f 4; exec env -u DISPLAY -u QT_QPA_PLATFORM LANG=C ./dpmtool print "
                 "radio.dpm sheet.pdf");
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("sheet.pdf: cannot write the file: File too large"), std::string::npos)
        << r.err;
    EXPECT_FALSE(std::filesystem::exists(m_dir.file("sheet.pdf")));
}
