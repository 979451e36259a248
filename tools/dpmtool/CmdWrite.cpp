// dpmtool write FILE [--port PORT]... [--verify] [--yes|--no] [--no-backup] [--trace FILE]:
// writes a data file into the radio, after reading the radio into a backup (not with
// --no-backup). When the radio does not match the file, --yes goes on, --no stops,
// and without either the question is asked on the terminal (no terminal counts as no).
// With several ports all radios are written at once; --verify reads each back and
// compares it with the file.
#include "DpmCommand.h"
#include "DpmFiles.h"
#include "RadioFleet.h"
#include "RadioLink.h"

namespace {

int RunWrite(const SCommandLine& line) {
    const RadioLinkOptions options = RadioLinkOptionsOf(line, "write");
    CDromelPgmDoc doc;
    doc.NewDocument();
    // A file without this program's signature is refused here: its erased image must not
    // overwrite the radio's memory.
    LoadDpmFile(doc, options.file);
    if (options.ports.size() > 1 || options.verify) {
        return RunRadioFleet(doc, false, options);
    }
    return RunRadioTransfer(doc, false, options);
}

const DpmCommandRegistration registration{
    {"write",
     {.positionals = "FILE",
      .options = {PortOption(true),
                  {.name = "verify", .helpKey = "IDS_DPM_OPT_VERIFY"},
                  {.name = "yes", .helpKey = "IDS_DPM_OPT_YES"},
                  {.name = "no", .helpKey = "IDS_DPM_OPT_NO"},
                  NoBackupOption(),
                  TraceOption()},
      .minPositionals = 1,
      .maxPositionals = 1},
     "IDS_DPM_CMD_WRITE",
     RunWrite}};

} // namespace
