#include "RadioFleet.h"

#include "DiffOutput.h"
#include "DpmFiles.h"

#include "app/LangString.h"
#include "app/StopSignals.h"
#include "link/TransferEngine.h"
#include "radio/FormRules.h"
#include "radio/ImageDiff.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

bool IsInterrupted(int status) {
    return status >= StopStatus(0);
}

// How bad a status is, for the status of the whole run; a stop signal outweighs all.
int Severity(int status) {
    if (IsInterrupted(status)) {
        return 5;
    }
    switch (status) {
    case kExitOk:
        return 0;
    case kExitDifferent:
        return 1;
    case kExitDeclined:
        return 2;
    case kExitFile:
        return 3;
    default:
        return 4;
    }
}

struct PortState {
    std::string port;
    std::string device;
    std::string radioType;
    std::string phase; // what the port does now, for its progress line
    int percent = 0;
    bool finished = false;
    int status = kExitOk;
    std::string message;
    std::vector<FieldDiff> diffs;
    bool verified = false;
    double seconds = 0;
};

// The progress lines on stderr: redrawn in place on a terminal, one plain line per change
// of phase otherwise.
class CFleetProgress {
public:
    explicit CFleetProgress(std::vector<PortState>& states)
        : m_states(states), m_bTerminal(isatty(STDERR_FILENO)) {}

    std::mutex& Mutex() { return m_mutex; }

    // Called with the mutex held.
    void PhaseChanged(const PortState& state) {
        if (!m_bTerminal) {
            std::fprintf(stderr, "%s: %s\n", state.port.c_str(), state.phase.c_str());
        }
    }

    void Redraw() {
        std::lock_guard lock(m_mutex);
        if (!m_bTerminal) {
            return;
        }
        if (m_bDrawn) {
            std::fprintf(stderr, "\x1b[%zuA", m_states.size());
        }
        for (const PortState& s : m_states) {
            std::fprintf(stderr, "\r%-14s %3d%% %s\x1b[K\n", s.port.c_str(), s.percent,
                         s.phase.c_str());
        }
        std::fflush(stderr);
        m_bDrawn = true;
    }

private:
    std::vector<PortState>& m_states;
    bool m_bTerminal;
    bool m_bDrawn = false;
    std::mutex m_mutex;
};

std::string ModelName(const CDromelPgmDoc& doc) {
    const std::string name = GetFormModelText(doc);
    return name.empty() ? std::to_string(doc.GetModel()) : name;
}

class CFleetRun {
public:
    CFleetRun(const CDromelPgmDoc& doc, bool bRead, const RadioLinkOptions& options,
              CFleetProgress& progress)
        : m_doc(doc), m_bRead(bRead), m_options(options), m_progress(progress) {}

    void Run(PortState& state) {
        const Clock::time_point start = Clock::now();
        const std::string trace =
            m_options.trace.empty() ? "" : PortFileName(m_options.trace, state.port);
        CDromelPgmDoc doc = m_doc;
        if (m_bRead) {
            doc.NewDocument();
        }
        SetPhase(state, m_bRead ? "reading" : "writing");
        PortTransfer outcome = Transfer(state, doc, m_bRead, trace);
        const PortTransfer first = outcome;
        const std::string traceError = outcome.traceError;
        if (outcome.status == kExitOk && m_bRead) {
            outcome = Save(doc, PortFileName(m_options.file, state.port));
        }
        if (outcome.status == kExitOk && !m_bRead && m_options.verify) {
            SetPhase(state, "verifying");
            CDromelPgmDoc back;
            back.NewDocument();
            outcome = Transfer(state, back, true, "");
            if (IsInterrupted(outcome.status)) {
                outcome.message = GetLangString("IDS_STOP_VERIFY");
            }
            if (outcome.status == kExitOk) {
                std::lock_guard lock(m_progress.Mutex());
                state.verified = true;
                state.diffs = DiffWrittenImage(m_doc, back, false);
                state.radioType = ModelName(back);
                outcome.status = state.diffs.empty() ? kExitOk : kExitDifferent;
            }
        }
        // The transfer ran, so a read is saved all the same; the trace's loss is told.
        if (!traceError.empty()) {
            if (outcome.status == kExitOk) {
                outcome.status = kExitFile;
                outcome.message = traceError;
            } else {
                outcome.message += "\n" + traceError;
            }
        }
        PortTransfer told = first;
        told.status = outcome.status;
        RecordHistory(TransferHistory(m_options, state.port, m_bRead ? doc : m_doc, told,
                                      state.verified ? static_cast<int>(state.diffs.size()) : -1));
        std::lock_guard lock(m_progress.Mutex());
        if (m_bRead && outcome.status == kExitOk) {
            state.radioType = ModelName(doc);
        } else if (state.radioType.empty() && outcome.status == kExitOk) {
            state.radioType = ModelName(m_doc);
        }
        state.status = outcome.status;
        state.message = outcome.message;
        state.seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.finished = true;
        state.phase = outcome.status == kExitOk          ? "done"
                      : outcome.status == kExitDifferent ? "differs from the file"
                      : IsInterrupted(outcome.status)    ? "interrupted"
                                                         : "failed: " + FirstLine(outcome.message);
        m_progress.PhaseChanged(state);
    }

private:
    static std::string FirstLine(const std::string& text) {
        return text.substr(0, text.find('\n'));
    }

    void SetPhase(PortState& state, const std::string& phase) {
        std::lock_guard lock(m_progress.Mutex());
        state.phase = phase;
        state.percent = 0;
        m_progress.PhaseChanged(state);
    }

    PortTransfer Transfer(PortState& state, CDromelPgmDoc& doc, bool bRead,
                          const std::string& trace) {
        PortTransfer outcome = TransferOnPort(
            doc, bRead, bRead ? false : m_options.backup, state.port, trace,
            [&] {
                if (m_options.answer >= 0) {
                    return m_options.answer == 1;
                }
                std::lock_guard lock(m_progress.Mutex());
                std::fprintf(stderr, "%s: ", state.port.c_str());
                return AskOnTerminal();
            },
            [&](const CTransferEngine& engine) {
                std::lock_guard lock(m_progress.Mutex());
                state.percent = engine.Percent();
            });
        std::lock_guard lock(m_progress.Mutex());
        if (!outcome.device.empty()) {
            state.device = outcome.device;
        }
        return outcome;
    }

    static PortTransfer Save(CDromelPgmDoc& doc, const std::string& path) {
        try {
            SaveDpmFile(doc, path);
        } catch (const DpmError& error) {
            return {error.status, error.message, {}, {}, 0, {}};
        }
        return {};
    }

    const CDromelPgmDoc& m_doc;
    bool m_bRead;
    const RadioLinkOptions& m_options;
    CFleetProgress& m_progress;
};

std::string ResultText(const PortState& s) {
    switch (s.status) {
    case kExitOk:
        return "ok";
    case kExitDifferent:
        return "differs";
    case kExitDeclined:
        return "declined";
    default:
        return IsInterrupted(s.status) ? "interrupted" : "failed";
    }
}

void PrintSummary(const std::vector<PortState>& states) {
    int portWidth = 14;
    int deviceWidth = 16;
    int typeWidth = 12;
    for (const PortState& s : states) {
        portWidth = std::max(portWidth, static_cast<int>(s.port.size()));
        deviceWidth = std::max(deviceWidth, static_cast<int>(s.device.size()));
        typeWidth = std::max(typeWidth, static_cast<int>(s.radioType.size()));
    }
    std::printf("%-*s %-*s %-*s %-11s %8s %s\n", portWidth, "port", deviceWidth, "device",
                typeWidth, "radio type", "result", "time", "differences");
    for (const PortState& s : states) {
        const std::string diffs = s.verified ? std::to_string(s.diffs.size()) : "-";
        std::printf("%-*s %-*s %-*s %-11s %7.1fs %s\n", portWidth, s.port.c_str(), deviceWidth,
                    s.device.empty() ? "-" : s.device.c_str(), typeWidth,
                    s.radioType.empty() ? "-" : s.radioType.c_str(), ResultText(s).c_str(),
                    s.seconds, diffs.c_str());
    }
    for (const PortState& s : states) {
        if (s.status != kExitOk && s.status != kExitDifferent && !s.message.empty()) {
            std::fprintf(stderr, "dpmtool: %s: %s\n", s.port.c_str(), s.message.c_str());
        }
        if (!s.diffs.empty()) {
            std::printf("\n%s:\n%s", s.port.c_str(), DiffText(s.diffs, "file", "radio").c_str());
        }
    }
    std::fflush(stdout);
}

} // namespace

std::string PortFileName(const std::string& file, const std::string& port) {
    std::string name;
    if (port.size() == 1 && port[0] >= '1' && port[0] <= '8') {
        name = "COM" + port;
    } else {
        const std::string prefix = "/dev/";
        const std::string path = port.rfind(prefix, 0) == 0 ? port.substr(prefix.size()) : port;
        for (const char c : path) {
            const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                               (c >= '0' && c <= '9') || c == '_' || c == '-';
            if (c != '/') {
                name += plain ? c : '_';
            }
        }
    }
    const std::size_t slash = file.find_last_of('/');
    const std::size_t dot = file.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && dot != 0 && (slash == std::string::npos || dot > slash + 1);
    const std::size_t at = hasExtension ? dot : file.size();
    return file.substr(0, at) + "-" + name + file.substr(at);
}

int RunRadioFleet(const CDromelPgmDoc& doc, bool bRead, const RadioLinkOptions& options) {
    std::vector<PortState> states(options.ports.size());
    for (std::size_t i = 0; i < states.size(); ++i) {
        states[i].port = options.ports[i];
        states[i].phase = "waiting";
    }
    CFleetProgress progress(states);
    CFleetRun run(doc, bRead, options, progress);
    // A stop signal ends every port's transfer between two blocks.
    CStopSignals stops;
    std::vector<std::thread> threads;
    for (PortState& state : states) {
        threads.emplace_back([&run, &state] { run.Run(state); });
    }
    for (;;) {
        progress.Redraw();
        {
            std::lock_guard lock(progress.Mutex());
            if (std::all_of(states.begin(), states.end(),
                            [](const PortState& s) { return s.finished; })) {
                break;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    progress.Redraw();
    PrintSummary(states);
    int worst = kExitOk;
    for (const PortState& s : states) {
        if (Severity(s.status) > Severity(worst)) {
            worst = s.status;
        }
    }
    return worst;
}
