// dpmtool write FILE [--port PORT]... [--verify] [--yes|--no] [--trace FILE]: writes a data
// file into the radio. When the radio does not match the file, --yes goes on, --no stops,
// and without either the question is asked on the terminal (no terminal counts as no).
// With several ports all radios are written at once; --verify reads each back and
// compares it with the file.
#include "DpmCommand.h"
#include "DpmFiles.h"
#include "RadioFleet.h"
#include "RadioLink.h"

namespace {

int RunWrite(const std::vector<std::string>& args) {
    RadioLinkOptions options;
    if (!ParseRadioLinkOptions(args, {.answer = true, .verify = true, .manyPorts = true},
                               options)) {
        ThrowUsage("write");
    }
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
    {"write", "FILE [--port PORT]... [--verify] [--yes|--no] [--trace TRACE]",
     "write the data file FILE into the radio; --yes or --no answers the question asked\n"
     "      when the radio's type differs from the file's. With several ports all radios\n"
     "      are written at once, with a summary table; --verify reads each radio back and\n"
     "      compares it with the file (status 6 when it differs)",
     RunWrite}};

} // namespace
