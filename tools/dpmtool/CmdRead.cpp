// dpmtool read FILE [--port PORT]... [--trace FILE]: reads the radio's memory into a data
// file. The file is written only after a complete read. With several ports every radio is
// read at once, each into FILE with the port's name inserted before the extension.
#include "DpmCommand.h"
#include "DpmFiles.h"
#include "RadioFleet.h"
#include "RadioLink.h"

namespace {

int RunRead(const SCommandLine& line) {
    const RadioLinkOptions options = RadioLinkOptionsOf(line, "read");
    CDromelPgmDoc doc;
    doc.NewDocument();
    if (options.ports.size() > 1) {
        return RunRadioFleet(doc, true, options);
    }
    // The file is touched only after a complete read.
    return RunRadioTransfer(doc, true, options, [&] {
        SaveDpmFile(doc, options.file);
        return kExitOk;
    });
}

const DpmCommandRegistration registration{{"read",
                                           {.positionals = "FILE",
                                            .options = {PortOption(true), TraceOption()},
                                            .minPositionals = 1,
                                            .maxPositionals = 1},
                                           "IDS_DPM_CMD_READ",
                                           RunRead}};

} // namespace
