#include "tools/dpmtool/WriteCommand.h"

#include "app/LangString.h"
#include "tools/dpmtool/RadioLink.h"

#include <cstdio>

int RunWriteCommand(const std::vector<std::string>& args) {
    RadioLinkOptions options;
    std::string error;
    if (!ParseRadioLinkOptions(args, true, options, error)) {
        std::fprintf(stderr,
                     "dpmtool write: %s\n"
                     "usage: dpmtool write FILE [--port PORT] [--yes|--no] [--trace FILE]\n",
                     error.c_str());
        return 1;
    }
    CDromelPgmDoc doc;
    doc.NewDocument();
    DataFileResult loaded = doc.LoadFile(options.file);
    if (!loaded) {
        std::fprintf(stderr, "%s: %s\n", options.file.c_str(), loaded.reason.c_str());
        return 3;
    }
    // A file without this tool's signature loads as an erased image, which must not
    // overwrite the radio's memory.
    if (!loaded.headerAccepted) {
        std::fprintf(stderr, "%s: %s\n", options.file.c_str(),
                     GetLangString("IDS_WARN_LOAD").c_str());
        return 3;
    }
    return RunRadioTransfer(doc, false, options);
}
