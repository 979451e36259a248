#include "SimRadioProcess.h"
#include "TempDir.h"

#include <filesystem>
#include <fstream>

namespace {

// Whether process pid still runs (a process that was killed but not yet reaped does not).
bool Running(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string pidField, name, state;
    if (!(stat >> pidField >> name >> state)) {
        return false;
    }
    return state != "Z" && state != "X";
}

// A test process that dies without stopping its radio (a crash, a time-out kill) takes the
// radio with it.
TEST(SimRadioProcessTest, RadioDiesWithTheProcessThatStartedIt) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const pid_t starter = fork();
    if (starter == 0) {
        SimRadioProcess radio({"--fast"});
        const pid_t pid = radio.Path().empty() ? -1 : radio.Pid();
        (void)!write(ends[1], &pid, sizeof pid);
        _exit(0); // no destructor: the radio is not stopped
    }
    close(ends[1]);
    pid_t radio = -1;
    ASSERT_EQ(read(ends[0], &radio, sizeof radio), static_cast<ssize_t>(sizeof radio));
    close(ends[0]);
    EXPECT_EQ(WaitChild(starter), 0);
    ASSERT_GT(radio, 0);
    // Generous: the signal arrives at once when the starter ends.
    for (int i = 0; i < 1000 && Running(radio); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const bool survived = Running(radio);
    if (survived) {
        kill(radio, SIGKILL);
    }
    EXPECT_FALSE(survived);
}

// Several radios at once: radio k's files get -k, counted from 1, before the extension, and
// the status is the worst radio's. A radio whose trace cannot be written ends at once with
// status 2; the others go on until they are stopped and end well.
TEST(SimRadioProcessTest, SeveralRadiosNumberTheirFilesFromOneAndEndWithTheWorstStatus) {
    namespace fs = std::filesystem;
    struct Case {
        int failing; // the radio whose trace is a folder, 0 for none
        int status;
    };
    for (const Case c : {Case{0, 0}, Case{1, 2}, Case{2, 2}}) {
        SCOPED_TRACE(c.failing);
        TempDir dir;
        if (c.failing > 0) {
            fs::create_directory(dir.file("line-" + std::to_string(c.failing) + ".trace"));
        }
        SimRadioProcess radios({"--count", "2", "--fast", "--save", dir.file("radio.dpm"),
                                "--trace", dir.file("line.trace")});
        ASSERT_FALSE(radios.Path().empty());
        // The failing radio has ended before the others are stopped.
        for (int i = 0;
             i < 1000 && c.failing > 0 && radios.Log().find("cannot write") == std::string::npos;
             ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_EQ(radios.Stop(), c.status);
        for (int k = 1; k <= 2; ++k) {
            const std::string suffix = "-" + std::to_string(k);
            EXPECT_EQ(fs::exists(dir.file("radio" + suffix + ".dpm")), k != c.failing) << k;
            EXPECT_EQ(fs::is_regular_file(dir.file("line" + suffix + ".trace")), k != c.failing)
                << k;
        }
        for (const char* name : {"radio.dpm", "radio-0.dpm", "line.trace", "line-0.trace"}) {
            EXPECT_FALSE(fs::exists(dir.file(name))) << name;
        }
    }
}

} // namespace
