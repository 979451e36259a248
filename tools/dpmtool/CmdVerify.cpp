// dpmtool verify FILE [--port PORT] [--json] [--trace FILE]: reads the radio and compares it
// with the file over the part of the memory a write sends. Status 0 equal, 6 different, 4
// when the link fails.
#include "DiffOutput.h"
#include "DpmCommand.h"
#include "DpmFiles.h"
#include "RadioLink.h"

#include <algorithm>

namespace {

int RunVerify(const std::vector<std::string>& given) {
    std::vector<std::string> args = given;
    const auto json = std::find(args.begin(), args.end(), "--json");
    const bool bJson = json != args.end();
    if (bJson) {
        args.erase(json);
    }
    RadioLinkOptions options;
    if (!ParseRadioLinkOptions(args, {}, options)) {
        ThrowUsage("verify");
    }
    CDromelPgmDoc file;
    LoadDpmFile(file, options.file);
    CDromelPgmDoc radio;
    radio.NewDocument();
    return RunRadioTransfer(radio, true, options, [&] {
        return PrintDiffs(DiffWrittenImage(file, radio, false), bJson, "file", "radio");
    });
}

const DpmCommandRegistration registration{
    {"verify", "FILE [--port PORT] [--json] [--trace TRACE]",
     "read the radio and compare it with the data file FILE over the memory a write sends;\n"
     "      prints each difference (\"ch3 rx: file 446.00625, radio 446.01250\"); status 0\n"
     "      equal, 6 different",
     RunVerify}};

} // namespace
