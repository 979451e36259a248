#include "RadioLink.h"

#include "TraceFile.h"

#include "app/LangString.h"
#include "app/StopSignals.h"
#include "link/CommPort.h"
#include "link/LinkMessages.h"
#include "link/PortDevice.h"
#include "link/TransferEngine.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr int kBarWidth = 40;
constexpr int kAnswerPoll = 100; // ms between two looks for a stop signal at the question

bool IsPortNumber(const std::string& name) {
    return name.size() == 1 && name[0] >= '1' && name[0] <= '8';
}

bool OpenPort(CCommPort& port, const std::string& name) {
    if (name.empty()) {
        return true; // the transfer opens the port of the settings
    }
    if (IsPortNumber(name)) {
        return port.Open(name[0] - '0', 9600);
    }
    return port.OpenDevice(name, 9600);
}

// The device a --port value names, with links and relative parts resolved as far as the
// path exists.
std::string PortDevicePath(const std::string& name) {
    const std::string path = IsPortNumber(name) ? GetPortDevice(name[0] - '0') : name;
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path : resolved.string();
}

// Every --port value is 1 to 8 or a device path, and no port is given twice (two transfers
// on one cable would only refuse each other).
void CheckPorts(const std::vector<std::string>& ports) {
    for (std::size_t i = 0; i < ports.size(); ++i) {
        if (!IsPortNumber(ports[i]) && ports[i].find('/') == std::string::npos) {
            throw DpmError{kExitUsage, FormatLangString("IDS_DPM_BADPORT", {ports[i]})};
        }
        const std::string device = PortDevicePath(ports[i]);
        for (std::size_t j = 0; j < i; ++j) {
            if (device == PortDevicePath(ports[j])) {
                throw DpmError{kExitUsage,
                               FormatLangString("IDS_DPM_SAMEPORT", {ports[j], ports[i], device})};
            }
        }
    }
}

PortTransfer Interrupted(const CTransferEngine& engine, int nSignal) {
    return {StopStatus(nSignal),
            InterruptedText(engine.IsRead(), engine.Address(), engine.EndAddress()),
            {},
            {}};
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
    // A stop signal ends the wait for the answer (it counts as no).
    pollfd input{STDIN_FILENO, POLLIN, 0};
    for (;;) {
        const int ready = poll(&input, 1, kAnswerPoll);
        if (CStopSignals::Received() != 0) {
            std::fputc('\n', stderr);
            return false;
        }
        if (ready > 0 || (ready < 0 && errno != EINTR)) {
            break;
        }
    }
    std::string reply;
    std::getline(std::cin, reply);
    return reply == "y" || reply == "Y" || reply == "yes";
}

SOptionEntry PortOption(bool manyPorts) {
    return {.name = "port",
            .valueName = "PORT",
            .repeatable = manyPorts,
            .helpKey = manyPorts ? "IDS_DPM_OPT_PORTS" : "IDS_DPM_OPT_PORT"};
}

SOptionEntry TraceOption() {
    return {.name = "trace", .valueName = "TRACE", .helpKey = "IDS_DPM_OPT_TRACE"};
}

RadioLinkOptions RadioLinkOptionsOf(const SCommandLine& line, const std::string& command) {
    if (line.Has("yes") && line.Has("no")) {
        ThrowUsage(command);
    }
    RadioLinkOptions options;
    options.file = line.positionals.front();
    options.ports = line.Values("port");
    options.trace = line.Value("trace");
    options.answer = line.Has("yes") ? 1 : line.Has("no") ? 0 : -1;
    options.verify = line.Has("verify");
    CheckPorts(options.ports);
    return options;
}

namespace {

// The transfer itself, with the byte trace going to pTrace (nullptr: none). Between two
// blocks it looks for a stop signal: the block in flight is finished, and the port is
// released when this returns.
PortTransfer TransferTraced(CDromelPgmDoc& doc, bool bRead, const std::string& portName,
                            std::ostream* pTrace, const std::function<bool()>& ask,
                            const std::function<void(const CTransferEngine&)>& progress) {
    PortTransfer outcome;
    CCommPort port;
    port.SetTrace(pTrace);
    CTransferEngine engine(port, bRead, doc);
    if (int signal = CStopSignals::Received(); signal != 0) {
        return Interrupted(engine, signal);
    }
    if (!OpenPort(port, portName)) {
        return {kExitLinkFailed, LinkErrorText(LinkPortFailed, port), portName, {}};
    }
    outcome.device = port.Device();

    LinkResult result = engine.Start(ask);
    if (int signal = CStopSignals::Received(); signal != 0) {
        return Interrupted(engine, signal);
    }
    if (result == LinkCancelled) {
        outcome.status = kExitDeclined;
        outcome.message = GetLangString("IDS_DPM_DECLINED");
        return outcome;
    }
    if (result != LinkReady) {
        outcome.status = kExitLinkFailed;
        outcome.message = LinkErrorText(result, port);
        return outcome;
    }
    progress(engine);
    for (;;) {
        // After the last block the transfer is complete: a signal then lets it finish.
        const int signal = CStopSignals::Received();
        if (signal != 0 && engine.Address() < engine.EndAddress()) {
            return Interrupted(engine, signal);
        }
        const TickResult tick = engine.Tick();
        if (tick == TickDone) {
            return outcome;
        }
        if (tick == TickGaveUp) {
            outcome.status = kExitLinkFailed;
            outcome.message = GaveUpText(bRead, engine.Address(), engine.EndAddress());
            return outcome;
        }
        progress(engine);
    }
}

} // namespace

PortTransfer TransferOnPort(CDromelPgmDoc& doc, bool bRead, const std::string& portName,
                            const std::string& tracePath, const std::function<bool()>& ask,
                            const std::function<void(const CTransferEngine&)>& progress) {
    CTraceFile trace;
    if (!tracePath.empty() && !trace.Open(tracePath)) {
        return {kExitFile,
                FormatLangString("IDS_DPM_TRACE_OPEN", {tracePath, std::strerror(trace.Error())}),
                portName,
                {}};
    }
    PortTransfer outcome = TransferTraced(
        doc, bRead, portName, trace.IsOpen() ? &trace.Stream() : nullptr, ask, progress);
    if (trace.IsOpen() && !trace.Close()) {
        outcome.traceError =
            FormatLangString("IDS_DPM_TRACE_WRITE", {tracePath, std::strerror(trace.Error())});
    }
    return outcome;
}

int RunRadioTransfer(CDromelPgmDoc& doc, bool bRead, const RadioLinkOptions& options,
                     const std::function<int()>& then) {
    const std::string port = options.ports.empty() ? std::string() : options.ports.front();
    PortTransfer outcome;
    {
        CStopSignals stops;
        CProgressBar bar;
        outcome = TransferOnPort(
            doc, bRead, port, options.trace,
            [&] { return options.answer >= 0 ? options.answer == 1 : AskOnTerminal(); },
            [&](const CTransferEngine& engine) { bar.Draw(engine); });
    }
    if (outcome.status != kExitOk) {
        if (!outcome.traceError.empty()) {
            outcome.message += "\n" + outcome.traceError;
        }
        throw DpmError{outcome.status, outcome.message};
    }
    const int status = then ? then() : kExitOk;
    if (!outcome.traceError.empty()) {
        throw DpmError{kExitFile, outcome.traceError};
    }
    return status;
}
