// verify, diff and several radios at once, against simulated radios on pseudo-terminals.
#include "LinkFixture.h"
#include "SimRadioProcess.h"

#include <iostream>
#include <memory>

namespace {

class DpmtoolFleetTest : public LinkFixture {
protected:
    int Dpmtool(const std::string& args) {
        const std::string command =
            "LC_ALL= LC_MESSAGES= LANG=C exec " + std::string(DROMEL_BIN_DIR) + "/dpmtool " + args;
        return RunShellChild(command, m_dir.file("out"), m_dir.file("err"));
    }
    std::string Out() { return m_dir.read("out"); }
    std::string Err() { return m_dir.read("err"); }

    void TearDown() override {
        if (HasFailure()) {
            std::cerr << "--- dpmtool output ---\n" << Out() << Err() << "--- end ---\n";
        }
    }

    // A data file with a few channels and options set.
    std::string MakeFile(const std::string& name, const std::string& assignments) {
        const std::string path = m_dir.file(name);
        EXPECT_EQ(Dpmtool("new " + path + " --force"), 0) << Err();
        EXPECT_EQ(Dpmtool("set " + path + " " + assignments), 0) << Err();
        return path;
    }

    // A fast radio whose memory is the file's, saved to save on exit.
    std::unique_ptr<SimRadioProcess> Radio(const std::string& image, const std::string& save,
                                           std::vector<std::string> faults = {}) {
        faults.insert(faults.end(), {"--fast", "--image", image, "--save", m_dir.file(save)});
        auto radio = std::make_unique<SimRadioProcess>(faults);
        EXPECT_FALSE(radio->Path().empty());
        return radio;
    }

    static constexpr const char* kChannels =
        "ch1.rx=446.00625 ch1.rxtone=67.0 ch2.rx=446.01875 ch3.rx=446.03125 ch3.tx=446.04375 "
        "squelch=3";
};

TEST_F(DpmtoolFleetTest, VerifyNamesEachDifferenceByItsMeaning) {
    const std::string file = MakeFile("master.dpm", kChannels);
    auto same = Radio(file, "same.dpm");
    EXPECT_EQ(Dpmtool("verify " + file + " --port " + same->Path()), 0) << Err();
    EXPECT_EQ(Out(), "");

    const std::string changed =
        MakeFile("changed.dpm", std::string(kChannels) + " ch3.tx=446.05625 squelch=5");
    auto other = Radio(changed, "other.dpm");
    EXPECT_EQ(Dpmtool("verify " + file + " --port " + other->Path()), 6) << Err();
    EXPECT_EQ(Out(), "ch3 tx: file 446.04375, radio 446.05625\nsquelch: file 3, radio 5\n");

    EXPECT_EQ(Dpmtool("verify " + file + " --json --port " + other->Path()), 6) << Err();
    EXPECT_NE(Out().find("\"name\": \"squelch\", \"file\": \"3\", \"radio\": \"5\""),
              std::string::npos);

    auto silent = Radio(file, "silent.dpm", {"--no-ack"});
    EXPECT_EQ(Dpmtool("verify " + file + " --port " + silent->Path()), 4);
}

TEST_F(DpmtoolFleetTest, DiffComparesTwoFilesWithModelAlignmentAndHeader) {
    const std::string a = MakeFile("a.dpm", kChannels);
    EXPECT_EQ(Dpmtool("diff " + a + " " + a), 0) << Err();
    EXPECT_EQ(Out(), "");

    const std::string b =
        MakeFile("b.dpm", std::string(kChannels) + " test2.txtone=D023N beep=off");
    EXPECT_EQ(Dpmtool("diff " + a + " " + b), 6) << Err();
    EXPECT_NE(Out().find("test2 txtone: a "), std::string::npos);
    EXPECT_NE(Out().find(", b D023N\n"), std::string::npos);
    EXPECT_NE(Out().find("beep: a on, b off\n"), std::string::npos);

    // The alignment values show their values only with the dealers' access code.
    EXPECT_EQ(Dpmtool("set " + b + " --dealer 52917 align.sql9=77"), 0) << Err();
    EXPECT_EQ(Dpmtool("diff " + a + " " + b), 6) << Err();
    EXPECT_NE(Out().find("alignment: differ\n"), std::string::npos);
    EXPECT_EQ(Out().find("77"), std::string::npos);
    EXPECT_EQ(Dpmtool("diff " + a + " " + b + " --dealer 52917"), 6) << Err();
    EXPECT_NE(Out().find("align.sql9: a "), std::string::npos);
    EXPECT_NE(Out().find(", b 77\n"), std::string::npos);
    EXPECT_EQ(Dpmtool("diff " + a + " " + b + " --dealer 1"), 2);

    // Another model, and bytes no field shows, by address.
    const std::string c = m_dir.file("c.dpm");
    EXPECT_EQ(Dpmtool("new " + c + " --model 1 --force"), 0) << Err();
    EXPECT_EQ(Dpmtool("diff " + a + " " + c), 6) << Err();
    EXPECT_NE(Out().find("model: a 2"), std::string::npos);
    std::string bytes = m_dir.read("a.dpm");
    bytes[48 + 0x200 + 15] = 0x12; // the unused last byte of test channel 16
    m_dir.write("d.dpm", bytes);
    EXPECT_EQ(Dpmtool("diff " + a + " " + m_dir.file("d.dpm")), 6) << Err();
    EXPECT_EQ(Out(), "0x20F: a FF, b 12\n");
}

TEST_F(DpmtoolFleetTest, ParallelWriteGoesOnWhenOneRadioFallsSilent) {
    const std::string file = MakeFile("master.dpm", kChannels);
    const std::string blank = m_dir.file("blank.dpm");
    EXPECT_EQ(Dpmtool("new " + blank + " --force"), 0) << Err();
    std::vector<std::unique_ptr<SimRadioProcess>> radios;
    std::string ports;
    for (int i = 0; i < 4; ++i) {
        std::vector<std::string> faults;
        if (i == 2) {
            faults = {"--silent-after", "20"};
        }
        radios.push_back(Radio(blank, "radio" + std::to_string(i) + ".dpm", faults));
        ports += " --port " + radios.back()->Path();
    }
    EXPECT_EQ(Dpmtool("write " + file + ports + " --verify --yes"), 4) << Err();
    const std::string out = Out();
    for (int i = 0; i < 4; ++i) {
        radios[static_cast<std::size_t>(i)]->Stop();
        const std::string line = out.substr(out.find(radios[static_cast<std::size_t>(i)]->Path()));
        const std::string result = line.substr(0, line.find('\n'));
        EXPECT_NE(result.find(i == 2 ? " failed " : " ok "), std::string::npos) << result;
    }
    const Image master = SavedImage("master.dpm");
    for (int i : {0, 1, 3}) {
        const Image written = SavedImage("radio" + std::to_string(i) + ".dpm");
        EXPECT_TRUE(std::equal(written.begin(), written.begin() + 0x3D8, master.begin())) << i;
    }
    EXPECT_NE(Err().find(radios[2]->Path()), std::string::npos);
}

TEST_F(DpmtoolFleetTest, ParallelReadNamesEachFileAfterItsPort) {
    const std::string file = MakeFile("master.dpm", kChannels);
    auto first = Radio(file, "r1.dpm");
    auto second = Radio(file, "r2.dpm");
    EXPECT_EQ(Dpmtool("read " + m_dir.file("fleet.dpm") + " --port " + first->Path() + " --port " +
                      second->Path()),
              0)
        << Err();
    for (const auto* radio : {first.get(), second.get()}) {
        std::string name = radio->Path().substr(5); // "pts/5"
        name.erase(name.find('/'), 1);
        EXPECT_EQ(Dpmtool("diff " + file + " " + m_dir.file("fleet-" + name + ".dpm")), 0)
            << name << Err();
    }
}

} // namespace
