// dpmtool read FILE [--port PORT] [--trace FILE]: reads the radio's memory into a data file.
// The file is written only after a complete read.
#include "DpmCommand.h"
#include "DpmFiles.h"
#include "RadioLink.h"

namespace {

int RunRead(const std::vector<std::string>& args) {
    RadioLinkOptions options;
    if (!ParseRadioLinkOptions(args, false, options))
        ThrowUsage("read");
    CDromelPgmDoc doc;
    doc.NewDocument();
    if (int status = RunRadioTransfer(doc, true, options); status != kExitOk)
        return status;
    SaveDpmFile(doc, options.file);
    return kExitOk;
}

const DpmCommandRegistration registration{
    {"read", "FILE [--port PORT] [--trace TRACE]",
     "read the radio's memory into the data file FILE; PORT is 1 to 8 or a device path\n"
     "      (default: the port of setting.ini); TRACE receives every byte with its time",
     RunRead}};

} // namespace
