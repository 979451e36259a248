// dpmtool verify FILE [--port PORT] [--json] [--trace FILE]: reads the radio and compares it
// with the file over the part of the memory a write sends. Status 0 equal, 6 different, 4
// when the link fails.
#include "DiffOutput.h"
#include "DpmCommand.h"
#include "DpmFiles.h"
#include "RadioLink.h"

namespace {

int RunVerify(const SCommandLine& line) {
    const bool bJson = line.Has("json");
    const RadioLinkOptions options = RadioLinkOptionsOf(line, "verify");
    CDromelPgmDoc file;
    LoadDpmFile(file, options.file);
    CDromelPgmDoc radio;
    radio.NewDocument();
    int differences = -1;
    return RunRadioTransfer(
        radio, true, options,
        [&] {
            const std::vector<FieldDiff> diffs = DiffWrittenImage(file, radio, false);
            differences = static_cast<int>(diffs.size());
            return PrintDiffs(diffs, bJson, "file", "radio");
        },
        &differences);
}

const DpmCommandRegistration registration{
    {"verify",
     {.positionals = "FILE",
      .options = {PortOption(false),
                  {.name = "json", .helpKey = "IDS_DPM_OPT_JSON"},
                  TraceOption()},
      .minPositionals = 1,
      .maxPositionals = 1},
     "IDS_DPM_CMD_VERIFY",
     RunVerify}};

} // namespace
