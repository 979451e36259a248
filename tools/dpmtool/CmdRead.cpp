// dpmtool read FILE [--port PORT]... [--trace FILE]: reads the radio's memory into a data
// file. The file is written only after a complete read. With several ports every radio is
// read at once, each into FILE with the port's name inserted before the extension.
#include "DpmCommand.h"
#include "DpmFiles.h"
#include "RadioFleet.h"
#include "RadioLink.h"

namespace {

int RunRead(const std::vector<std::string>& args) {
    RadioLinkOptions options;
    if (!ParseRadioLinkOptions(args, {.manyPorts = true}, options)) {
        ThrowUsage("read");
    }
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

const DpmCommandRegistration registration{
    {"read", "FILE [--port PORT]... [--trace TRACE]",
     "read the radio's memory into the data file FILE; PORT is 1 to 8 or a device path\n"
     "      (default: the port of setting.ini); TRACE receives every byte with its time.\n"
     "      With several ports all radios are read at once, each into FILE with the\n"
     "      port's name before the extension (radio-COM1.dpm, radio-pts5.dpm)",
     RunRead}};

} // namespace
