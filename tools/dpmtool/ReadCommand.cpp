#include "tools/dpmtool/ReadCommand.h"

#include "tools/dpmtool/RadioLink.h"

#include <cstdio>

int RunReadCommand(const std::vector<std::string>& args) {
    RadioLinkOptions options;
    std::string error;
    if (!ParseRadioLinkOptions(args, false, options, error)) {
        std::fprintf(stderr, "dpmtool read: %s\n"
                             "usage: dpmtool read FILE [--port PORT] [--trace FILE]\n",
                     error.c_str());
        return 1;
    }
    CDromelPgmDoc doc;
    doc.NewDocument();
    if (int status = RunRadioTransfer(doc, true, options); status != 0)
        return status;
    DataFileResult saved = doc.SaveFile(options.file);
    if (!saved) {
        std::fprintf(stderr, "%s: %s\n", options.file.c_str(), saved.reason.c_str());
        return 3;
    }
    return 0;
}
