// dpmtool show FILE [--json] [--dealer CODE]: the document as the form and the grids show
// it; with the dealers' access code also the alignment values and the Manual Adjust switch.
#include "DealerOption.h"
#include "DpmCommand.h"
#include "DpmFiles.h"
#include "ShowDocument.h"

#include <iostream>

namespace {

int RunShow(const std::vector<std::string>& given) {
    std::vector<std::string> args = given;
    std::string code;
    const bool dealer = TakeDealerOption(args, "show", code);
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
    if (dealer) {
        CheckDealerCode(code, path);
    }
    CDromelPgmDoc doc;
    LoadDpmFile(doc, path);
    std::cout << (json ? ShowJson(doc, dealer) : ShowText(doc, path, dealer));
    return kExitOk;
}

const DpmCommandRegistration registration{
    {"show", "FILE [--json] [--dealer CODE]",
     "show model, limits, options, the 16 channels and the 16 test channels; with the "
     "dealers' access code also the alignment values and Manual Adjust",
     RunShow}};

} // namespace
