// verify, diff and several radios at once, against simulated radios on pseudo-terminals.
#include "DpmtoolRunner.h"
#include "LinkFixture.h"
#include "SimRadioProcess.h"
#include "StuckByteRadio.h"

#include <filesystem>
#include <iostream>
#include <memory>

namespace {

class DpmtoolFleetTest : public LinkFixture {
protected:
    // Runs the built dpmtool, or the program given (a copy beside settings of the test's own).
    int Dpmtool(const std::string& args, const std::string& program = DpmtoolRunner::kBuilt) {
        return m_run.Run(args, program).status;
    }
    std::string Out() { return m_run.Out(); }
    std::string Err() { return m_run.Err(); }

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

    // The summary line of port in the last run's output.
    std::string ResultLine(const std::string& port) {
        const std::string out = Out();
        const std::size_t at = out.find(port + " ");
        return at == std::string::npos ? std::string() : out.substr(at, out.find('\n', at) - at);
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

    DpmtoolRunner m_run{m_dir};
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
    EXPECT_NE(Out().find("\"name\": \"squelch\", \"file\": 3, \"radio\": 5"), std::string::npos);

    auto silent = Radio(file, "silent.dpm", {"--no-ack"});
    EXPECT_EQ(Dpmtool("verify " + file + " --port " + silent->Path()), 4);
}

// verify compares what a write sends, 0x000 to 0x3D7: the bytes after it (the alignment
// values among them) and the file's header text are no difference; the last byte sent is
// one even where no field explains it (both sides of a model the table does not know).
TEST_F(DpmtoolFleetTest, VerifyComparesWhatAWriteSendsDownToItsLastByte) {
    MakeFile("master.dpm", kChannels);
    const std::string original = m_dir.read("master.dpm");
    constexpr std::size_t kImage = 48; // the image's first byte in a data file
    struct Case {
        const char* what;
        std::vector<std::pair<std::size_t, char>> file, radio; // bytes changed
        int status;
        std::string out;
    };
    const Case cases[] = {
        {"after the written part",
         {{0, 'Z'}},
         {{kImage + 0x3D8, 0x12}, {kImage + 0x3F0, 0x34}, {kImage + 0x3FF, 0x56}},
         0,
         ""},
        {"the last byte written",
         {{kImage + 0x3D0, 'X'}},
         {{kImage + 0x3D0, 'X'}, {kImage + 0x3D7, 0x5A}},
         6,
         "0x3D7: file 00, radio 5A\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string file = original;
        std::string radio = original;
        for (const auto& [at, value] : c.file) {
            file[at] = value;
        }
        for (const auto& [at, value] : c.radio) {
            radio[at] = value;
        }
        auto sim = Radio(m_dir.write("radio.dpm", radio), "saved.dpm");
        EXPECT_EQ(Dpmtool("verify " + m_dir.write("file.dpm", file) + " --port " + sim->Path()),
                  c.status)
            << Err();
        EXPECT_EQ(Out(), c.out);
    }
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
    EXPECT_EQ(Dpmtool("write " + file + ports + " --verify --yes --no-backup"), 4) << Err();
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
    // The failed port's whole reason follows the table.
    // The radio fell silent after 20 blocks, the model block read before the write among them.
    const std::string reason = "dpmtool: " + radios[2]->Path() + ": " +
                               ShippedText("IDS_GAVEUP_WRITE", {"0x098", "19", "123"});
    EXPECT_NE(Err().find(reason), std::string::npos) << reason << "\n" << Err();
}

// A radio that does not keep what was written differs when it is read back: its port says
// so and lists the difference, the good radio is ok, and the run ends with status 6.
TEST_F(DpmtoolFleetTest, ParallelWriteWithVerifyReportsTheRadioThatDiffers) {
    const std::string file = MakeFile("master.dpm", kChannels);
    StuckByteRadio stuck(SavedImage("master.dpm"), 0x3C1, 5); // the squelch level's byte
    auto good = Radio(file, "good.dpm");
    EXPECT_EQ(Dpmtool("write " + file + " --port " + good->Path() + " --port " + stuck.Path() +
                      " --verify --yes"),
              6)
        << Err();
    EXPECT_NE(ResultLine(good->Path()).find(" ok "), std::string::npos) << ResultLine(good->Path());
    EXPECT_NE(ResultLine(stuck.Path()).find(" differs "), std::string::npos)
        << ResultLine(stuck.Path());
    EXPECT_NE(Out().find("\n" + stuck.Path() + ":\nsquelch: file 3, radio 5\n"), std::string::npos);
}

// A port given by its device path and one given by its number (8, mapped in setting.ini).
TEST_F(DpmtoolFleetTest, ParallelReadNamesEachFileAfterItsPort) {
    const std::string file = MakeFile("master.dpm", kChannels);
    auto first = Radio(file, "r1.dpm");
    auto second = Radio(file, "r2.dpm");
    WriteSettings("com8=" + second->Path());
    std::filesystem::copy_file(DpmtoolRunner::kBuilt, m_dir.file("dpmtool"));
    EXPECT_EQ(Dpmtool("read " + m_dir.file("fleet.dpm") + " --port " + first->Path() + " --port 8",
                      m_dir.file("dpmtool")),
              0)
        << Err();
    std::string name = first->Path().substr(5); // "pts/5"
    name.erase(name.find('/'), 1);
    for (const std::string& port : {name, std::string("COM8")}) {
        EXPECT_EQ(Dpmtool("diff " + file + " " + m_dir.file("fleet-" + port + ".dpm")), 0)
            << port << Err();
    }
}

// A radio read whose file cannot be saved has failed, and says why.
TEST_F(DpmtoolFleetTest, ParallelReadWhoseFilesCannotBeSavedFails) {
    const std::string file = MakeFile("master.dpm", kChannels);
    auto first = Radio(file, "r1.dpm");
    auto second = Radio(file, "r2.dpm");
    EXPECT_EQ(Dpmtool("read " + m_dir.file("missing/fleet.dpm") + " --port " + first->Path() +
                      " --port " + second->Path()),
              3);
    for (const auto* radio : {first.get(), second.get()}) {
        EXPECT_NE(ResultLine(radio->Path()).find(" failed "), std::string::npos)
            << ResultLine(radio->Path());
        EXPECT_NE(Err().find("dpmtool: " + radio->Path() + ": " + m_dir.file("missing/fleet-")),
                  std::string::npos)
            << Err();
    }
    EXPECT_NE(Err().find("cannot save the file"), std::string::npos) << Err();
}

} // namespace
