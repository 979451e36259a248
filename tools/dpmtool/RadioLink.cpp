#include "tools/dpmtool/RadioLink.h"

#include "app/LangString.h"
#include "link/TransferEngine.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <unistd.h>

namespace {

constexpr int kBarWidth = 40;

bool OpenPort(CCommPort& port, const std::string& name) {
    if (name.empty())
        return true; // the transfer opens the port of the settings
    if (name.size() == 1 && name[0] >= '1' && name[0] <= '8')
        return port.Open(name[0] - '0', 9600);
    return port.OpenDevice(name, 9600);
}

bool AskOnTerminal() {
    std::string question = GetLangString("IDS_CONFIRM_TYPE");
    if (!isatty(STDIN_FILENO)) {
        std::fprintf(stderr, "%s\n", question.c_str());
        return false;
    }
    std::fprintf(stderr, "%s [y/N] ", question.c_str());
    std::string reply;
    std::getline(std::cin, reply);
    return reply == "y" || reply == "Y" || reply == "yes";
}

class CProgressBar {
public:
    CProgressBar() : m_bShown(isatty(STDERR_FILENO)) {}
    ~CProgressBar() {
        if (m_bDrawn)
            std::fputc('\n', stderr);
    }
    void Draw(const CTransferEngine& engine) {
        if (!m_bShown)
            return;
        int filled = engine.ProgressPos() * kBarWidth / CTransferEngine::kProgressRange;
        std::string bar(filled, '#');
        bar.resize(kBarWidth, '.');
        std::fprintf(stderr, "\r%s [%s]\x1b[K", engine.Status().c_str(), bar.c_str());
        std::fflush(stderr);
        m_bDrawn = true;
    }

private:
    bool m_bShown;
    bool m_bDrawn = false;
};

int Fail(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return kExitLinkFailed;
}

} // namespace

bool ParseRadioLinkOptions(const std::vector<std::string>& args, bool allowAnswer,
                           RadioLinkOptions& options, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool hasValue = i + 1 < args.size();
        if (arg == "--port" && hasValue) {
            options.port = args[++i];
            bool number = options.port.find('/') == std::string::npos;
            if (number && !(options.port.size() == 1 && options.port[0] >= '1' &&
                            options.port[0] <= '8')) {
                error = "the port is a number from 1 to 8 or a device path: " + options.port;
                return false;
            }
        } else if (arg == "--trace" && hasValue) {
            options.trace = args[++i];
        } else if (allowAnswer && (arg == "--yes" || arg == "--no")) {
            int answer = arg == "--yes" ? 1 : 0;
            if (options.answer >= 0 && options.answer != answer) {
                error = "--yes and --no exclude each other";
                return false;
            }
            options.answer = answer;
        } else if (!arg.empty() && arg[0] != '-' && options.file.empty()) {
            options.file = arg;
        } else {
            error = "unexpected argument: " + arg;
            return false;
        }
    }
    if (options.file.empty()) {
        error = "no data file given";
        return false;
    }
    return true;
}

int RunRadioTransfer(CDromelPgmDoc& doc, bool bRead, const RadioLinkOptions& options) {
    std::ofstream trace;
    if (!options.trace.empty()) {
        trace.open(options.trace, std::ios::binary | std::ios::trunc);
        if (!trace) {
            std::fprintf(stderr, "%s: cannot write the trace file\n", options.trace.c_str());
            return 3;
        }
    }
    CCommPort port;
    if (trace.is_open())
        port.SetTrace(&trace);
    if (!OpenPort(port, options.port))
        return Fail(GetLangString(LinkErrorKey(LinkPortFailed)));

    CTransferEngine engine(port, bRead, doc);
    LinkResult result = engine.Start([&] {
        return options.answer >= 0 ? options.answer == 1 : AskOnTerminal();
    });
    if (result == LinkCancelled)
        return kExitDeclined;
    if (result != LinkReady)
        return Fail(GetLangString(LinkErrorKey(result)));

    TickResult tick;
    {
        CProgressBar bar;
        bar.Draw(engine);
        while ((tick = engine.Tick()) == TickRunning)
            bar.Draw(engine);
    }
    if (tick == TickGaveUp)
        return Fail(engine.Status());
    return 0;
}
