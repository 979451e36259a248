#include "RadioLink.h"

#include "TraceFile.h"

#include "app/LangString.h"
#include "app/Sha256.h"
#include "app/StopSignals.h"
#include "link/BackupStore.h"
#include "link/CommPort.h"
#include "link/LinkMessages.h"
#include "link/PortDevice.h"
#include "link/TransferEngine.h"
#include "radio/FormRules.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
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
            {},
            0,
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

SOptionEntry NoBackupOption() {
    return {.name = "no-backup", .helpKey = "IDS_DPM_OPT_NO_BACKUP"};
}

SOptionEntry TraceOption() {
    return {.name = "trace", .valueName = "TRACE", .helpKey = "IDS_DPM_OPT_TRACE"};
}

RadioLinkOptions RadioLinkOptionsOf(const SCommandLine& line, const std::string& command) {
    if (line.Has("yes") && line.Has("no")) {
        ThrowUsage(command);
    }
    RadioLinkOptions options;
    options.file = line.positionals.empty() ? std::string() : line.positionals.front();
    options.ports = line.Values("port");
    options.trace = line.Value("trace");
    options.answer = line.Has("yes") ? 1 : line.Has("no") ? 0 : -1;
    options.verify = line.Has("verify");
    options.backup = !line.Has("no-backup");
    options.operation = command;
    CheckPorts(options.ports);
    return options;
}

namespace {

// Runs engine from its start to its end on port. Between two blocks it looks for a stop
// signal: the block in flight is finished.
PortTransfer RunEngine(CTransferEngine& engine, const CCommPort& port,
                       const std::function<bool()>& ask,
                       const std::function<void(const CTransferEngine&)>& progress) {
    PortTransfer outcome;
    const LinkResult result = engine.Start(ask);
    if (int signal = CStopSignals::Received(); signal != 0) {
        return Interrupted(engine, signal);
    }
    if (result == LinkCancelled) {
        return {kExitDeclined, GetLangString("IDS_DPM_DECLINED"), {}, {}, 0, {}};
    }
    if (result != LinkReady) {
        return {kExitLinkFailed, LinkErrorText(result, port), {}, {}, 0, {}};
    }
    progress(engine);
    for (;;) {
        // After the last block the transfer is complete: a signal then lets it finish.
        const int signal = CStopSignals::Received();
        if (signal != 0 && engine.Address() < engine.EndAddress()) {
            outcome = Interrupted(engine, signal);
            break;
        }
        const TickResult tick = engine.Tick();
        if (tick == TickDone) {
            break;
        }
        if (tick == TickGaveUp) {
            outcome.status = kExitLinkFailed;
            outcome.message = GaveUpText(engine.IsRead(), engine.Address(), engine.EndAddress());
            break;
        }
        progress(engine);
    }
    outcome.blocks = engine.BlocksAcknowledged();
    return outcome;
}

// "15:42" of the local time when.
std::string ClockText(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M", &local);
    return text;
}

// The transfer itself, with the byte trace going to pTrace (nullptr: none); the port is
// released when this returns.
PortTransfer TransferTraced(CDromelPgmDoc& doc, bool bRead, bool bBackup,
                            const std::string& portName, std::ostream* pTrace,
                            const std::function<bool()>& ask,
                            const std::function<void(const CTransferEngine&)>& progress) {
    CCommPort port;
    port.SetTrace(pTrace);
    if (int signal = CStopSignals::Received(); signal != 0) {
        CTransferEngine engine(port, bRead, doc);
        return Interrupted(engine, signal);
    }
    if (!OpenPort(port, portName)) {
        return {kExitLinkFailed, LinkErrorText(LinkPortFailed, port), portName, {}, 0, {}};
    }
    std::string backup;
    std::string backupTime;
    if (!bRead && bBackup) {
        CDromelPgmDoc radio;
        radio.NewDocument();
        CTransferEngine reader(port, true, radio);
        PortTransfer read = RunEngine(reader, port, ask, progress);
        read.device = port.Device();
        if (read.status != kExitOk) {
            // Nothing was written: the write stops here.
            read.message = read.status >= StopStatus(0)
                               ? InterruptedText(false, 0, static_cast<int>(kWrittenEnd))
                               : FormatLangString("IDS_BACKUP_READ_FAILED", {read.message});
            read.status = read.status >= StopStatus(0) ? read.status : kExitLinkFailed;
            read.blocks = 0;
            return read;
        }
        const std::time_t when = std::time(nullptr);
        const SBackupSaved saved = SaveBackup(radio, PortNameOf(portName), when);
        if (!saved.result) {
            return {kExitLinkFailed,
                    FormatLangString("IDS_BACKUP_SAVE_FAILED", {saved.path, saved.result.reason}),
                    port.Device(),
                    {},
                    0,
                    {}};
        }
        backup = saved.path;
        backupTime = ClockText(when);
    }
    CTransferEngine engine(port, bRead, doc);
    PortTransfer outcome = RunEngine(engine, port, ask, progress);
    outcome.device = port.Device();
    outcome.backup = backup;
    if (!bRead && outcome.status != kExitOk && outcome.blocks > 0) {
        const std::string done = std::to_string(outcome.blocks);
        const std::string all = std::to_string(CTransferEngine::kWriteBlocks);
        outcome.message +=
            "\n" + (backup.empty()
                        ? FormatLangString("IDS_WRITE_PARTIAL_NO_BACKUP", {done, all})
                        : FormatLangString("IDS_WRITE_PARTIAL", {done, all, backupTime}) + "\n" +
                              FormatLangString("IDS_DPM_BACKUP_KEPT", {backup}));
    }
    return outcome;
}

std::string ResultName(int status) {
    switch (status) {
    case kExitOk:
        return "ok";
    case kExitDifferent:
        return "differs";
    case kExitDeclined:
        return "refused";
    default:
        return status >= StopStatus(0) ? "interrupted" : "failed";
    }
}

} // namespace

PortTransfer TransferOnPort(CDromelPgmDoc& doc, bool bRead, bool bBackup,
                            const std::string& portName, const std::string& tracePath,
                            const std::function<bool()>& ask,
                            const std::function<void(const CTransferEngine&)>& progress) {
    CTraceFile trace;
    if (!tracePath.empty() && !trace.Open(tracePath)) {
        return {kExitFile,
                FormatLangString("IDS_DPM_TRACE_OPEN", {tracePath, std::strerror(trace.Error())}),
                portName,
                {},
                0,
                {}};
    }
    PortTransfer outcome = TransferTraced(
        doc, bRead, bBackup, portName, trace.IsOpen() ? &trace.Stream() : nullptr, ask, progress);
    if (trace.IsOpen() && !trace.Close()) {
        outcome.traceError =
            FormatLangString("IDS_DPM_TRACE_WRITE", {tracePath, std::strerror(trace.Error())});
    }
    return outcome;
}

SHistoryEntry TransferHistory(const RadioLinkOptions& options, const std::string& port,
                              const CDromelPgmDoc& doc, const PortTransfer& outcome,
                              int differences) {
    SHistoryEntry entry = HistoryNow("dpmtool", options.operation);
    entry.port = PortNameOf(port);
    entry.device = outcome.device;
    entry.byId = outcome.device.empty() ? std::string() : SerialByIdName(outcome.device);
    const bool bRead = options.operation == "read" || options.operation == "verify";
    const bool bImage = !bRead || outcome.status == kExitOk || outcome.status == kExitDifferent;
    if (bImage) {
        entry.model = GetFormModelText(doc);
        entry.sha256 = Sha256Hex(doc.Image().data(), doc.Image().size());
    }
    std::error_code error;
    const std::filesystem::path file = std::filesystem::absolute(options.file, error);
    entry.file = error ? options.file : file.string();
    entry.backup = outcome.backup;
    entry.result = ResultName(outcome.status);
    entry.blocks = outcome.blocks;
    entry.differences = differences;
    return entry;
}

void RecordHistory(const SHistoryEntry& entry) {
    const FileResult result = AppendHistory(entry);
    if (!result) {
        std::fprintf(
            stderr, "dpmtool: %s\n",
            FormatLangString("IDS_DPM_HISTORY_FAILED", {HistoryFile(), result.reason}).c_str());
    }
}

int RunRadioTransfer(CDromelPgmDoc& doc, bool bRead, const RadioLinkOptions& options,
                     const std::function<int()>& then, const int* pDifferences) {
    const std::string port = options.ports.empty() ? std::string() : options.ports.front();
    PortTransfer outcome;
    {
        CStopSignals stops;
        CProgressBar bar;
        outcome = TransferOnPort(
            doc, bRead, options.backup, port, options.trace,
            [&] { return options.answer >= 0 ? options.answer == 1 : AskOnTerminal(); },
            [&](const CTransferEngine& engine) { bar.Draw(engine); });
    }
    if (outcome.status != kExitOk) {
        RecordHistory(TransferHistory(options, port, doc, outcome, -1));
        if (!outcome.traceError.empty()) {
            outcome.message += "\n" + outcome.traceError;
        }
        throw DpmError{outcome.status, outcome.message};
    }
    try {
        outcome.status = then ? then() : kExitOk;
    } catch (const DpmError& error) {
        outcome.status = error.status;
        RecordHistory(TransferHistory(options, port, doc, outcome, -1));
        throw;
    }
    RecordHistory(TransferHistory(options, port, doc, outcome, pDifferences ? *pDifferences : -1));
    if (!outcome.traceError.empty()) {
        throw DpmError{kExitFile, outcome.traceError};
    }
    return outcome.status;
}
