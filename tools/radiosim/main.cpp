// radiosim: a simulated radio on a pseudo-terminal (or several, with --count N, each in a
// process of its own). Prints the terminal's path on the first line of its output (one line
// per radio), then answers the programming protocol until it is stopped (SIGTERM or
// SIGINT) or hangs up as told.
#include "app/CommandLine.h"
#include "link/PreciseWait.h"
#include "tools/radiosim/SimImage.h"
#include "tools/radiosim/SimRadio.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

volatile std::sig_atomic_t g_bStop = 0;

void OnStopSignal(int) {
    g_bStop = 1;
}

const char kUsage[] =
    "usage: radiosim [options]\n"
    "  --image FILE         the radio's memory: a .dpm file or a raw 1024-byte image\n"
    "                       (default: a model-2 radio in use: channels with tones, a scan\n"
    "                       list, options set, test channels)\n"
    "  --count N            N radios at once, one pseudo-terminal each, printed one per\n"
    "                       line; --save and --trace files get -1, -2... before the extension\n"
    "  --save FILE          write the radio's memory as a .dpm file on exit\n"
    "  --fast               answer at once instead of at the line speed of 9600 baud\n"
    "  --trace FILE         every byte both ways with a microsecond timestamp\n"
    "  --silent-after N     after N blocks, no answer until the next PROGRAM\n"
    "  --drop-every N       every Nth data frame loses one byte\n"
    "  --wrong-address N    the Nth data frame echoes another address\n"
    "  --wrong-length N     the Nth data frame carries another length byte\n"
    "  --late-frame N       the Nth data frame stops halfway and finishes 60 ms late\n"
    "  --nak-block ADDR     a written block at ADDR is answered with 15 and not stored\n"
    "  --late-ack ADDR      the first written block at ADDR is acknowledged 150 ms late\n"
    "  --late-program MS    the first PROGRAM is acknowledged MS milliseconds late\n"
    "  --babble             from the first block request on, send without pause (at the\n"
    "                       line speed, or as fast as the terminal takes with --fast)\n"
    "  --no-ack             never answer PROGRAM\n"
    "  --wrong-id           an identification that differs from the image\n"
    "  --short-id           an identification of 7 bytes\n"
    "  --hangup-after N     serve N blocks, then close the terminal at the next request\n"
    "  -h, --help           print this help and exit\n"
    "  --version            print the version and exit\n"
    "Options take their value as --opt VALUE or --opt=VALUE; -- ends the options.\n";

// The exit statuses of the simulated radio.
enum ESimStatus {
    kSimOk = 0,
    kSimFailed = 1,   // no pseudo-terminal could be opened, the memory could not be saved
    kSimBadInput = 2, // a bad option, an unreadable image, a trace file that cannot be written
};

struct Options {
    std::string image, save, trace;
    bool fast = false;
    int count = 1;
    SimFaults faults;
};

const SCommandLineTable kSimLine{
    .options = {{.name = "image", .valueName = "FILE"},
                {.name = "count", .valueName = "N"},
                {.name = "save", .valueName = "FILE"},
                {.name = "fast"},
                {.name = "trace", .valueName = "FILE"},
                {.name = "silent-after", .valueName = "N"},
                {.name = "drop-every", .valueName = "N"},
                {.name = "wrong-address", .valueName = "N"},
                {.name = "wrong-length", .valueName = "N"},
                {.name = "late-frame", .valueName = "N"},
                {.name = "nak-block", .valueName = "ADDR"},
                {.name = "late-ack", .valueName = "ADDR"},
                {.name = "late-program", .valueName = "MS"},
                {.name = "babble"},
                {.name = "no-ack"},
                {.name = "wrong-id"},
                {.name = "short-id"},
                {.name = "hangup-after", .valueName = "N"},
                {.name = "version"}},
    .maxPositionals = 0,
};

bool ParseNumber(const std::string& text, int& value) {
    char* end = nullptr;
    long n = std::strtol(text.c_str(), &end, 0);
    if (end == text.c_str() || *end != '\0' || n < 0 || n > 1'000'000) {
        return false;
    }
    value = static_cast<int>(n);
    return true;
}

// What is wrong with a command line that does not fit the table.
std::string CommandLineProblem(const SCommandLineResult& parsed) {
    switch (parsed.error) {
    case ECommandLineError::kUnknownOption:
        return "unknown option " + parsed.option;
    case ECommandLineError::kMissingValue:
        return parsed.option + " needs a value";
    case ECommandLineError::kUnexpectedValue:
        return parsed.option + " takes no value";
    case ECommandLineError::kRepeated:
        return parsed.option + " is given twice";
    case ECommandLineError::kEmptyArgument:
    case ECommandLineError::kTooFew:
    case ECommandLineError::kTooMany:
        return "arguments that are not options";
    case ECommandLineError::kNone:
        break;
    }
    return {};
}

// The options of line (read against kSimLine); false, with the option named, for a value
// that is not a number in its range.
bool TakeOptions(const SCommandLine& line, Options& opt) {
    opt.image = line.Value("image");
    opt.save = line.Value("save");
    opt.trace = line.Value("trace");
    opt.fast = line.Has("fast");
    opt.faults.noAck = line.Has("no-ack");
    opt.faults.wrongId = line.Has("wrong-id");
    opt.faults.shortId = line.Has("short-id");
    opt.faults.babble = line.Has("babble");
    const std::pair<const char*, int*> numbers[] = {
        {"silent-after", &opt.faults.silentAfter},   {"drop-every", &opt.faults.dropEvery},
        {"wrong-address", &opt.faults.wrongAddress}, {"wrong-length", &opt.faults.wrongLength},
        {"late-frame", &opt.faults.lateFrame},       {"nak-block", &opt.faults.nakBlock},
        {"late-ack", &opt.faults.lateAck},           {"late-program", &opt.faults.lateProgram},
        {"hangup-after", &opt.faults.hangupAfter},   {"count", &opt.count},
    };
    for (const auto& [name, value] : numbers) {
        if (line.Has(name) && !ParseNumber(line.Value(name), *value)) {
            std::fprintf(stderr, "radiosim: bad option or value: --%s\n%s", name, kUsage);
            return false;
        }
    }
    if (opt.count < 1 || opt.count > 64) {
        std::fprintf(stderr, "radiosim: bad option or value: --count\n%s", kUsage);
        return false;
    }
    return true;
}

// The pseudo-terminal's master, and one open of its slave kept by the radio so that the
// line stays up while the PC closes and reopens its side.
struct Terminal {
    int master = -1;
    int slave = -1;
    std::string path;
};

bool OpenTerminal(Terminal& term) {
    term.master = posix_openpt(O_RDWR | O_NOCTTY);
    if (term.master < 0 || grantpt(term.master) != 0 || unlockpt(term.master) != 0) {
        return false;
    }
    const char* name = ptsname(term.master);
    if (!name) {
        return false;
    }
    term.path = name;
    term.slave = open(name, O_RDWR | O_NOCTTY);
    if (term.slave < 0) {
        return false;
    }
    termios tio{};
    tcgetattr(term.slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(term.slave, TCSANOW, &tio);
    fcntl(term.master, F_SETFL, fcntl(term.master, F_GETFL) | O_NONBLOCK);
    return true;
}

struct Pending {
    unsigned char byte;
    SteadyClock::time_point due;
};

class CLine {
public:
    CLine(const Options& opt, CSimRadio& radio, int fd, std::ostream* trace)
        : m_bFast(opt.fast), m_radio(radio), m_fd(fd), m_trace(trace), m_start(SteadyClock::now()) {
    }

    // Runs until stopped or hung up.
    void Run() {
        while (!g_bStop && !(m_radio.HangUpDue() && m_out.empty())) {
            auto now = SteadyClock::now();
            auto wake = now + (m_radio.Babbling() && m_bFast ? std::chrono::milliseconds(1)
                                                             : std::chrono::milliseconds(100));
            if (!m_in.empty()) {
                wake = std::min(wake, m_in.front().due);
            }
            if (!m_out.empty()) {
                wake = std::min(wake, m_out.front().due);
            }
            short events = WaitForInput(m_fd, wake);
            if (events & POLLIN) {
                Take();
            }
            Process();
            Send();
            Babble();
        }
    }

private:
    void Take() {
        unsigned char buf[256];
        ssize_t n = read(m_fd, buf, sizeof buf);
        auto now = SteadyClock::now();
        for (ssize_t i = 0; i < n; ++i) {
            Trace("rx", buf[i]);
            // A byte is complete on the radio's side once its 11 bits have crossed the line.
            m_rxLine = m_bFast ? now : std::max(now, m_rxLine) + kByteTime;
            m_in.push_back({buf[i], m_rxLine});
        }
    }

    void Process() {
        auto now = SteadyClock::now();
        while (!m_in.empty() && m_in.front().due <= now) {
            Pending p = m_in.front();
            m_in.pop_front();
            if (p.due - m_lastIn > kMessagePause) {
                m_radio.ResetMessage();
            }
            m_lastIn = p.due;
            for (const SimReply& reply : m_radio.Receive(p.byte)) {
                auto at = std::max(p.due, m_txLine) + std::chrono::microseconds(reply.pauseMicros);
                for (unsigned char b : reply.bytes) {
                    if (!m_bFast) {
                        at += kByteTime;
                    }
                    m_out.push_back({b, at});
                }
                m_txLine = at;
            }
        }
    }

    // A babbling radio keeps the line busy: at the line speed the next byte is queued as
    // soon as the previous one is out, with --fast the terminal gets as much as it takes.
    void Babble() {
        if (!m_radio.Babbling()) {
            return;
        }
        if (m_bFast) {
            unsigned char chunk[256];
            std::fill(std::begin(chunk), std::end(chunk), kBabbleByte);
            ssize_t n = write(m_fd, chunk, sizeof chunk);
            for (ssize_t i = 0; i < n; ++i) {
                Trace("tx", kBabbleByte);
            }
            return;
        }
        if (m_out.empty()) {
            m_txLine = std::max(SteadyClock::now(), m_txLine) + kByteTime;
            m_out.push_back({kBabbleByte, m_txLine});
        }
    }

    void Send() {
        auto now = SteadyClock::now();
        while (!m_out.empty() && m_out.front().due <= now) {
            unsigned char b = m_out.front().byte;
            m_out.pop_front();
            if (write(m_fd, &b, 1) == 1) {
                Trace("tx", b);
            }
        }
    }

    void Trace(const char* dir, unsigned char b) {
        if (!m_trace) {
            return;
        }
        auto us =
            std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now() - m_start);
        char line[40];
        std::snprintf(line, sizeof line, "%lld %s %02X\n", static_cast<long long>(us.count()), dir,
                      b);
        *m_trace << line;
    }

    static constexpr auto kByteTime = std::chrono::nanoseconds(1'000'000'000LL * 11 / 9600);
    static constexpr auto kMessagePause = std::chrono::milliseconds(200);
    static constexpr unsigned char kBabbleByte = 0x55;

    bool m_bFast;
    CSimRadio& m_radio;
    int m_fd;
    std::ostream* m_trace;
    SteadyClock::time_point m_start;
    SteadyClock::time_point m_rxLine, m_txLine, m_lastIn;
    std::deque<Pending> m_in, m_out;
};

// The file of radio k (1..count) of several: "-k" inserted before the extension.
std::string NumberedFile(const std::string& path, int k, int count) {
    if (path.empty() || count == 1) {
        return path;
    }
    const std::size_t slash = path.find_last_of('/');
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot == 0 || (slash != std::string::npos && dot <= slash + 1)) {
        dot = path.size();
    }
    return path.substr(0, dot) + "-" + std::to_string(k) + path.substr(dot);
}

// Runs one radio on term until it is stopped; returns the exit status.
int RunRadio(const Options& opt, const SimImage& image, const Terminal& term,
             const std::string& tracePath, const std::string& savePath) {
    std::ofstream traceFile;
    if (!tracePath.empty()) {
        traceFile.open(tracePath, std::ios::binary);
        if (!traceFile) {
            std::fprintf(stderr, "radiosim: cannot write %s\n", tracePath.c_str());
            return kSimBadInput;
        }
    }
    CSimRadio radio(image, opt.faults);
    CLine line(opt, radio, term.master, traceFile.is_open() ? &traceFile : nullptr);
    line.Run();
    close(term.slave);
    close(term.master);
    traceFile.close();
    std::string error;
    if (!savePath.empty() && !SaveSimImage(savePath, radio.Image(), error)) {
        std::fprintf(stderr, "radiosim: %s\n", error.c_str());
        return kSimFailed;
    }
    return kSimOk;
}

// Several radios: one process each. A stop signal is passed on to all of them; the status
// is the worst of theirs.
int RunRadios(const Options& opt, const SimImage& image, const std::vector<Terminal>& terms) {
    std::vector<pid_t> children;
    for (std::size_t k = 0; k < terms.size(); ++k) {
        const pid_t pid = fork();
        if (pid < 0) {
            std::fprintf(stderr, "radiosim: cannot start radio %zu: %s\n", k + 1,
                         std::strerror(errno));
            g_bStop = 1;
            break;
        }
        if (pid == 0) {
            for (std::size_t other = 0; other < terms.size(); ++other) {
                if (other != k) {
                    close(terms[other].master);
                    close(terms[other].slave);
                }
            }
            const int number = static_cast<int>(k) + 1;
            const int count = static_cast<int>(terms.size());
            std::_Exit(RunRadio(opt, image, terms[k], NumberedFile(opt.trace, number, count),
                                NumberedFile(opt.save, number, count)));
        }
        children.push_back(pid);
    }
    int worst = kSimOk;
    std::size_t running = children.size();
    bool passedOn = false;
    while (running > 0) {
        if (g_bStop && !passedOn) {
            for (const pid_t pid : children) {
                kill(pid, SIGTERM);
            }
            passedOn = true;
        }
        int status = 0;
        const pid_t done = waitpid(-1, &status, WNOHANG);
        if (done == 0 || (done < 0 && errno == EINTR)) {
            usleep(20000);
            continue;
        }
        if (done < 0) {
            break;
        }
        --running;
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : kSimFailed;
        worst = std::max(worst, code);
    }
    return worst;
}

} // namespace

int main(int argc, char** argv) {
    const SCommandLineResult parsed = ParseCommandLine({argv + 1, argv + argc}, kSimLine);
    if (parsed.line.help) {
        std::fputs(kUsage, stdout);
        return kSimOk;
    }
    if (parsed.error != ECommandLineError::kNone) {
        std::fprintf(stderr, "radiosim: %s\n%s", CommandLineProblem(parsed).c_str(), kUsage);
        return kSimBadInput;
    }
    if (parsed.line.Has("version")) {
        std::puts("radiosim " DROMEL_VERSION);
        return kSimOk;
    }
    // A file-size limit then fails the save (File too large) instead of killing the radio.
    std::signal(SIGXFSZ, SIG_IGN);
    Options opt;
    if (!TakeOptions(parsed.line, opt)) {
        return kSimBadInput;
    }
    SimImage image;
    std::string error;
    if (!(opt.image.empty() ? DefaultSimImage(image, error)
                            : LoadSimImage(opt.image, image, error))) {
        std::fprintf(stderr, "radiosim: %s\n", error.c_str());
        return kSimBadInput;
    }
    std::vector<Terminal> terms(static_cast<std::size_t>(opt.count));
    for (Terminal& term : terms) {
        if (!OpenTerminal(term)) {
            std::fprintf(stderr, "radiosim: cannot open a pseudo-terminal: %s\n",
                         std::strerror(errno));
            return kSimFailed;
        }
    }
    struct sigaction sa {};
    sa.sa_handler = OnStopSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    for (const Terminal& term : terms) {
        std::printf("%s\n", term.path.c_str());
    }
    std::fflush(stdout);
    if (terms.size() == 1) {
        return RunRadio(opt, image, terms.front(), opt.trace, opt.save);
    }
    return RunRadios(opt, image, terms);
}
