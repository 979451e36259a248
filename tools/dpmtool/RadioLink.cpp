#include "RadioLink.h"

#include "app/LangString.h"
#include "link/LinkMessages.h"
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

[[noreturn]] void Fail(const std::string& text) {
    throw DpmError{kExitLinkFailed, text};
}

} // namespace

bool ParseRadioLinkOptions(const std::vector<std::string>& args, bool allowAnswer,
                           RadioLinkOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool hasValue = i + 1 < args.size();
        if (arg == "--port" && hasValue) {
            options.port = args[++i];
            bool number = options.port.find('/') == std::string::npos;
            if (number &&
                !(options.port.size() == 1 && options.port[0] >= '1' && options.port[0] <= '8'))
                return false;
        } else if (arg == "--trace" && hasValue) {
            options.trace = args[++i];
        } else if (allowAnswer && (arg == "--yes" || arg == "--no")) {
            int answer = arg == "--yes" ? 1 : 0;
            if (options.answer >= 0 && options.answer != answer)
                return false;
            options.answer = answer;
        } else if (!arg.empty() && arg[0] != '-' && options.file.empty()) {
            options.file = arg;
        } else {
            return false;
        }
    }
    return !options.file.empty();
}

int RunRadioTransfer(CDromelPgmDoc& doc, bool bRead, const RadioLinkOptions& options) {
    std::ofstream trace;
    if (!options.trace.empty()) {
        trace.open(options.trace, std::ios::binary | std::ios::trunc);
        if (!trace)
            throw DpmError{kExitFile, options.trace + ": cannot write the trace file"};
    }
    CCommPort port;
    if (trace.is_open())
        port.SetTrace(&trace);
    if (!OpenPort(port, options.port))
        Fail(LinkErrorText(LinkPortFailed, port));

    CTransferEngine engine(port, bRead, doc);
    LinkResult result =
        engine.Start([&] { return options.answer >= 0 ? options.answer == 1 : AskOnTerminal(); });
    if (result == LinkCancelled)
        return kExitDeclined;
    if (result != LinkReady)
        Fail(LinkErrorText(result, port));

    TickResult tick;
    {
        CProgressBar bar;
        bar.Draw(engine);
        while ((tick = engine.Tick()) == TickRunning)
            bar.Draw(engine);
    }
    if (tick == TickGaveUp)
        Fail(engine.Status() + "\n" + BlockFailText(engine.Address()));
    return kExitOk;
}
