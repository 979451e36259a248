// dpmtool restore [--port PORT] [--yes|--no] [--no-backup] [--trace FILE] [BACKUP]: writes a
// backup back into the radio, the newest backup of the port when none is named. It is a
// write like any other: the radio is read into a new backup first, and the type question is
// asked the same way.
#include "DpmCommand.h"
#include "DpmFiles.h"
#include "RadioLink.h"

#include "app/LangString.h"
#include "link/BackupStore.h"

namespace {

int RunRestore(const SCommandLine& line) {
    RadioLinkOptions options = RadioLinkOptionsOf(line, "restore");
    if (options.file.empty()) {
        const std::string port =
            PortNameOf(options.ports.empty() ? std::string() : options.ports.front());
        const std::optional<SBackupFile> newest = NewestBackup(port);
        if (!newest) {
            throw DpmError{kExitFile,
                           FormatLangString("IDS_DPM_NO_BACKUP_FOUND", {port, BackupFolder()})};
        }
        options.file = newest->path;
    }
    CDromelPgmDoc doc;
    doc.NewDocument();
    LoadDpmFile(doc, options.file);
    return RunRadioTransfer(doc, false, options);
}

const DpmCommandRegistration registration{
    {"restore",
     {.positionals = "[BACKUP]",
      .options = {PortOption(false),
                  {.name = "yes", .helpKey = "IDS_DPM_OPT_YES"},
                  {.name = "no", .helpKey = "IDS_DPM_OPT_NO"},
                  NoBackupOption(),
                  TraceOption()},
      .minPositionals = 0,
      .maxPositionals = 1},
     "IDS_DPM_CMD_RESTORE",
     RunRestore}};

} // namespace
