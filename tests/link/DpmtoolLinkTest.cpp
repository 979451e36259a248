#include "LinkFixture.h"

#include <iostream>

namespace {

class DpmtoolLinkTest : public LinkFixture {
protected:
    // Runs dpmtool with the arguments, no terminal on stdin; returns its exit status.
    int Dpmtool(const std::string& args) {
        const std::string command =
            "LC_ALL= LC_MESSAGES= LANG=C exec " + std::string(DROMEL_BIN_DIR) + "/dpmtool " + args;
        return RunShellChild(command, m_dir.file("out"), m_dir.file("err"));
    }
    std::string Err() { return m_dir.read("err"); }

    void TearDown() override {
        if (HasFailure()) {
            std::cerr << "--- dpmtool output ---\n"
                      << m_dir.read("out") << Err() << "--- end ---\n";
        }
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

    std::unique_ptr<SimRadioProcess> m_radio;
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
    EXPECT_NE(Err().find(ShippedText("IDS_PROMPT_READFAIL")), std::string::npos) << Err();
    EXPECT_FALSE(std::filesystem::exists(file)); // nothing saved from a failed read

    // A device that is not there is named.
    const std::string absent = m_dir.file("absent");
    EXPECT_EQ(Dpmtool("read " + file + " --port " + absent), 4);
    EXPECT_NE(Err().find(ShippedText("IDS_ERROR_PORTOPEN")), std::string::npos) << Err();
    std::string reason = ShippedText("IDS_PORT_ABSENT");
    reason.replace(reason.find("%s"), 2, absent);
    EXPECT_NE(Err().find(reason), std::string::npos) << Err();
}

// A radio at the line speed that acknowledges block 0x008 late and refuses 0x010: the write
// fails, says where, and the radio keeps its old bytes from 0x010 on.
TEST_F(DpmtoolLinkTest, WriteNotWhollyAcceptedFailsAtTheRefusedBlock) {
    const Image radio = Pattern(1);
    Image data = radio;
    for (int i = 0; i < 0x100; ++i) {
        data[i] = static_cast<std::uint8_t>(~radio[i]);
    }
    const std::string file = m_dir.file("data.dpm");
    EXPECT_EQ(Dpmtool("read " + file + " --port " + Radio(data).Path()), 0) << Err();
    m_radio->Stop();

    SimRadioProcess& late = Radio(radio, {"--late-ack", "0x008", "--nak-block", "0x010"}, false);
    EXPECT_EQ(Dpmtool("write " + file + " --port " + late.Path() + " --yes"), 4);
    EXPECT_NE(Err().find(ShippedText("IDS_PROMPT_WRITEFAIL")), std::string::npos) << Err();
    EXPECT_NE(Err().find("0x010"), std::string::npos) << Err();
    m_radio->Stop();
    const Image saved = SavedImage("radio.dpm");
    EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + 0x010, data.begin()));
    EXPECT_TRUE(std::equal(saved.begin() + 0x010, saved.begin() + 0x018, radio.begin() + 0x010));
}

TEST_F(DpmtoolLinkTest, BadCommandLinesAreUsageErrors) {
    EXPECT_EQ(Dpmtool("read"), 1);
    EXPECT_EQ(Dpmtool("read x.dpm --port 9"), 1);
    EXPECT_EQ(Dpmtool("read x.dpm --yes"), 1);
    EXPECT_EQ(Dpmtool("write x.dpm --yes --no"), 1);
}

TEST_F(DpmtoolLinkTest, WriteRefusesAFileItCannotUse) {
    std::string foreign = m_dir.write("foreign.dpm", std::string(1072, 'x'));
    EXPECT_EQ(Dpmtool("write " + foreign + " --port " + Radio(Pattern(1)).Path() + " --yes"), 3);
    EXPECT_EQ(Dpmtool("write " + m_dir.file("missing.dpm") + " --port 1 --yes"), 3);
    m_radio->Stop();
    EXPECT_EQ(SavedImage("radio.dpm"), Pattern(1));
}

} // namespace
