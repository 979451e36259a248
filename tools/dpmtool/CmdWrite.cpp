// dpmtool write FILE [--port PORT] [--yes|--no] [--trace FILE]: writes a data file into the
// radio. When the radio does not match the file, --yes goes on, --no stops, and without
// either the question is asked on the terminal (no terminal counts as no).
#include "DpmCommand.h"
#include "DpmFiles.h"
#include "RadioLink.h"

namespace {

int RunWrite(const std::vector<std::string>& args) {
    RadioLinkOptions options;
    if (!ParseRadioLinkOptions(args, true, options))
        ThrowUsage("write");
    CDromelPgmDoc doc;
    doc.NewDocument();
    // A file without this program's signature is refused here: its erased image must not
    // overwrite the radio's memory.
    LoadDpmFile(doc, options.file);
    return RunRadioTransfer(doc, false, options);
}

const DpmCommandRegistration registration{
    {"write", "FILE [--port PORT] [--yes|--no] [--trace TRACE]",
     "write the data file FILE into the radio; --yes or --no answers the question asked\n"
     "      when the radio's type differs from the file's",
     RunWrite}};

} // namespace
