// dpmtool show FILE [--json]: the document as the form and the grids show it.
#include "DpmCommand.h"
#include "DpmFiles.h"
#include "ShowDocument.h"

#include <iostream>

namespace {

int RunShow(const std::vector<std::string>& args) {
    std::string path;
    bool json = false;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (path.empty() && !arg.empty() && arg[0] != '-') {
            path = arg;
        } else {
            ThrowUsage("show");
        }
    }
    if (path.empty()) {
        ThrowUsage("show");
    }
    CDromelPgmDoc doc;
    LoadDpmFile(doc, path);
    std::cout << (json ? ShowJson(doc) : ShowText(doc, path));
    return kExitOk;
}

const DpmCommandRegistration registration{
    {"show", "FILE [--json]",
     "show model, limits, options, the 16 channels and the 16 test channels", RunShow}};

} // namespace
