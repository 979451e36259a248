#include "RadioLink.h"

#include "app/LangString.h"
#include "link/CommPort.h"
#include "link/LinkMessages.h"
#include "link/TransferEngine.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <unistd.h>

namespace {

constexpr int kBarWidth = 40;

bool OpenPort(CCommPort& port, const std::string& name) {
    if (name.empty()) {
        return true; // the transfer opens the port of the settings
    }
    if (name.size() == 1 && name[0] >= '1' && name[0] <= '8') {
        return port.Open(name[0] - '0', 9600);
    }
    return port.OpenDevice(name, 9600);
}

class CProgressBar {
public:
    CProgressBar() : m_bShown(isatty(STDERR_FILENO)) {}
    ~CProgressBar() {
        if (m_bDrawn) {
            std::fputc('\n', stderr);
        }
    }
    void Draw(const CTransferEngine& engine) {
        if (!m_bShown) {
            return;
        }
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

} // namespace

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

bool ParseRadioLinkOptions(const std::vector<std::string>& args, const RadioLinkAllowed& allowed,
                           RadioLinkOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool hasValue = i + 1 < args.size();
        if (arg == "--port" && hasValue) {
            const std::string& port = args[++i];
            bool number = port.find('/') == std::string::npos;
            if (number && !(port.size() == 1 && port[0] >= '1' && port[0] <= '8')) {
                return false;
            }
            if (!options.ports.empty() && !allowed.manyPorts) {
                return false;
            }
            options.ports.push_back(port);
        } else if (arg == "--trace" && hasValue) {
            options.trace = args[++i];
        } else if (allowed.answer && (arg == "--yes" || arg == "--no")) {
            int answer = arg == "--yes" ? 1 : 0;
            if (options.answer >= 0 && options.answer != answer) {
                return false;
            }
            options.answer = answer;
        } else if (allowed.verify && arg == "--verify") {
            options.verify = true;
        } else if (!arg.empty() && arg[0] != '-' && options.file.empty()) {
            options.file = arg;
        } else {
            return false;
        }
    }
    return !options.file.empty();
}

PortTransfer TransferOnPort(CDromelPgmDoc& doc, bool bRead, const std::string& portName,
                            const std::string& tracePath, const std::function<bool()>& ask,
                            const std::function<void(const CTransferEngine&)>& progress) {
    PortTransfer outcome;
    std::ofstream trace;
    if (!tracePath.empty()) {
        trace.open(tracePath, std::ios::binary | std::ios::trunc);
        if (!trace) {
            return {kExitFile, tracePath + ": cannot write the trace file", portName};
        }
    }
    CCommPort port;
    if (trace.is_open()) {
        port.SetTrace(&trace);
    }
    if (!OpenPort(port, portName)) {
        return {kExitLinkFailed, LinkErrorText(LinkPortFailed, port), portName};
    }
    outcome.device = port.Device();

    CTransferEngine engine(port, bRead, doc);
    LinkResult result = engine.Start(ask);
    if (result == LinkCancelled) {
        outcome.status = kExitDeclined;
        outcome.message = GetLangString("IDS_CONFIRM_TYPE");
        return outcome;
    }
    if (result != LinkReady) {
        outcome.status = kExitLinkFailed;
        outcome.message = LinkErrorText(result, port);
        return outcome;
    }
    TickResult tick;
    progress(engine);
    while ((tick = engine.Tick()) == TickRunning) {
        progress(engine);
    }
    if (tick == TickGaveUp) {
        outcome.status = kExitLinkFailed;
        outcome.message = engine.Status() + "\n" + BlockFailText(engine.Address());
    }
    return outcome;
}

int RunRadioTransfer(CDromelPgmDoc& doc, bool bRead, const RadioLinkOptions& options) {
    const std::string port = options.ports.empty() ? std::string() : options.ports.front();
    PortTransfer outcome;
    {
        CProgressBar bar;
        outcome = TransferOnPort(
            doc, bRead, port, options.trace,
            [&] { return options.answer >= 0 ? options.answer == 1 : AskOnTerminal(); },
            [&](const CTransferEngine& engine) { bar.Draw(engine); });
    }
    if (outcome.status == kExitDeclined) {
        return kExitDeclined;
    }
    if (outcome.status != kExitOk) {
        throw DpmError{outcome.status, outcome.message};
    }
    return kExitOk;
}
