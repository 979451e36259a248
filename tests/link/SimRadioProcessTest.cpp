#include "SimRadioProcess.h"

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

} // namespace
