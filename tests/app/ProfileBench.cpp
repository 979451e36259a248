// Benchmark: language lookups through the private-profile reader. Prints the cost of the
// first lookup in a language file (read and parse) and of one lookup while the file is
// unchanged, for the language file given on the command line: wall time, and the processor
// time of this process (what the machine's other work does not inflate).
#include "app/AppPaths.h"
#include "app/LangString.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double Micros(Clock::duration d, int count) {
    return std::chrono::duration<double, std::micro>(d).count() / count;
}

double CpuMicros() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: profilebench LANGUAGE_FILE\n");
        return 1;
    }
    g_strLangFile = argv[1];
    const char* keys[] = {"IDS_ERROR", "IDS_PROMPT",    "MENU_FILE_OPEN",
                          "IDS_NONE",  "IDS_TIP_57600", "IDS_MISSING_KEY"};

    double cpu = CpuMicros();
    const auto coldStart = Clock::now();
    const std::string first = GetLangString("IDS_ERROR");
    const double coldUs = Micros(Clock::now() - coldStart, 1);
    const double coldCpuUs = CpuMicros() - cpu;

    constexpr int lookups = 200000;
    std::size_t total = 0;
    cpu = CpuMicros();
    const auto start = Clock::now();
    for (int i = 0; i < lookups; ++i) {
        total += GetLangString(keys[i % std::size(keys)]).size();
    }
    const double warmUs = Micros(Clock::now() - start, lookups);
    const double warmCpuUs = (CpuMicros() - cpu) / lookups;

    std::printf("language file %s (IDS_ERROR = \"%s\")\n", argv[1], first.c_str());
    std::printf("first lookup (read and parse): %12.1f us wall %12.1f us cpu\n", coldUs, coldCpuUs);
    std::printf(
        "lookup, file unchanged:        %12.3f us wall %12.3f us cpu (%d lookups, %zu bytes)\n",
        warmUs, warmCpuUs, lookups, total);
    return 0;
}
