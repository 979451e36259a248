// The command lines of the three programs end to end: help and version on standard output
// with status 0, options with their value after "=", options refused by name.
#include "DpmtoolRun.h"

#include <fstream>
#include <iterator>

namespace {

std::string Shipped(const std::string& name) {
    std::ifstream in(std::string(DROMEL_SOURCE_DIR) + "/res/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST_F(DpmtoolTest, HelpAndVersionPrintOnStandardOutput) {
    m_dir.write("lang_en.lng", Shipped("lang_en.lng"));
    struct Case {
        std::string command;
        std::string shown;
    };
    const Case cases[] = {
        {"./dpmtool show --help", "usage: dpmtool show FILE [--json] [--dealer CODE]\n"},
        {"./dpmtool help write", "--port PORT  "},
        {"./dpmtool -h", "  show FILE [--json] [--dealer CODE]\n"},
        {"./dpmtool --version", "dpmtool 1.0\n"},
        {DROMEL_BIN_DIR "/radiosim --version", "radiosim 1.0\n"},
        {DROMEL_BIN_DIR "/radiosim --help", "--late-program MS"},
        {DROMEL_BIN_DIR "/radiosim -h", "--late-program MS"},
        // No display: the program answers before it would need one.
        {"env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " DROMEL_BIN_DIR
         "/DromelPgm --version",
         "DromelPgm 1.0\n"},
        {"env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " DROMEL_BIN_DIR "/DromelPgm -h",
         "--version"},
        {"env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " DROMEL_BIN_DIR "/DromelPgm --help",
         "--version"},
    };
    for (const Case& c : cases) {
        const DpmResult r = RunShell("exec env -u LC_ALL -u LC_MESSAGES LANG=C " + c.command);
        EXPECT_EQ(r.status, 0) << c.command << "\n" << r.err;
        EXPECT_NE(r.out.find(c.shown), std::string::npos) << c.command << "\n" << r.out;
        EXPECT_EQ(r.err, "") << c.command;
    }
}

TEST_F(DpmtoolTest, OptionsTakeTheirValueAfterAnEqualsSignAndAreRefusedByName) {
    m_dir.write("lang_en.lng", Shipped("lang_en.lng"));
    Ok("new a.dpm --model=0");
    EXPECT_NE(Ok("show a.dpm").find("limits    136.00000 - 174.00000"), std::string::npos);
    EXPECT_NE(Ok("show --json -- a.dpm").find("\"model\": 0,"), std::string::npos);
    const std::pair<const char*, const char*> refused[] = {
        {"show a.dpm --frob", "dpmtool: show: unknown option --frob\n"
                              "usage: dpmtool show FILE [--json] [--dealer CODE]\n"},
        {"new b.dpm --model", "dpmtool: new: --model needs a value\n"},
        {"new b.dpm --model 1 --model=2", "dpmtool: new: --model is given twice\n"},
        {"show a.dpm --json=1", "dpmtool: show: --json takes no value\n"},
        {"--frob", "dpmtool: unknown command \"--frob\"\n"},
    };
    for (const auto& [args, err] : refused) {
        const DpmResult r = Run(args);
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_EQ(r.err.rfind(err, 0), 0u) << args << "\n" << r.err;
        EXPECT_EQ(r.out, "") << args;
    }
    EXPECT_FALSE(std::filesystem::exists(m_dir.file("b.dpm")));
}
