// dpmtool history [--json] [--port PORT] [-n N]: the programming history as a table (time,
// program, operation, port, model, result, blocks, file) or as the file's JSON lines,
// oldest first; --port keeps the entries of one port, -n the last N.
#include "DpmCommand.h"

#include "app/LangString.h"
#include "link/BackupStore.h"
#include "link/HistoryLog.h"

#include <algorithm>
#include <cstdio>

namespace {

std::vector<std::string> Columns(const SHistoryEntry& e) {
    return {e.time,
            e.program,
            e.operation,
            e.port,
            e.model.empty() ? "-" : e.model,
            e.result,
            std::to_string(e.blocks),
            e.file};
}

void PrintTable(const std::vector<SHistoryEntry>& entries) {
    std::vector<std::string> head;
    const std::string names = GetLangString("IDS_DPM_HISTORY_COLUMNS");
    for (std::size_t at = 0; at <= names.size();) {
        const std::size_t bar = std::min(names.find('|', at), names.size());
        head.push_back(names.substr(at, bar - at));
        at = bar + 1;
    }
    std::vector<std::vector<std::string>> rows = {head};
    for (const SHistoryEntry& e : entries) {
        rows.push_back(Columns(e));
    }
    std::vector<std::size_t> widths(head.size(), 0);
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i) {
            widths[i] = std::max(widths[i], row[i].size());
        }
    }
    for (const auto& row : rows) {
        std::string text;
        for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i) {
            text += row[i];
            if (i + 1 < row.size()) {
                text += std::string(widths[i] - row[i].size() + 2, ' ');
            }
        }
        std::printf("%s\n", text.c_str());
    }
}

int RunHistory(const SCommandLine& line) {
    int last = -1;
    if (line.Has("last") && (!ParseIndex(line.Value("last"), last) || last < 1)) {
        throw DpmError{kExitUsage, FormatLangString("IDS_DPM_BAD_LAST", {line.Value("last")})};
    }
    std::vector<SHistoryEntry> entries = ReadHistory();
    if (line.Has("port")) {
        const std::string port = PortNameOf(line.Value("port"));
        std::erase_if(entries, [&](const SHistoryEntry& e) {
            return e.port != port && e.device != line.Value("port");
        });
    }
    if (last > 0 && entries.size() > static_cast<std::size_t>(last)) {
        entries.erase(entries.begin(), entries.end() - last);
    }
    if (line.Has("json")) {
        for (const SHistoryEntry& e : entries) {
            std::printf("%s\n", HistoryLine(e).c_str());
        }
    } else {
        PrintTable(entries);
    }
    return kExitOk;
}

const DpmCommandRegistration registration{
    {"history",
     {.options =
          {{.name = "json", .helpKey = "IDS_DPM_OPT_JSON"},
           {.name = "port", .valueName = "PORT", .helpKey = "IDS_DPM_OPT_HISTORY_PORT"},
           {.name = "last", .shortName = 'n', .valueName = "N", .helpKey = "IDS_DPM_OPT_LAST"}},
      .maxPositionals = 0},
     "IDS_DPM_CMD_HISTORY",
     RunHistory}};

} // namespace
