// dpmtool show FILE [--json] [--dealer CODE]: the document as the form and the grids show
// it; with the dealers' access code also the alignment values and the Manual Adjust switch.
#include "DealerOption.h"
#include "DpmCommand.h"
#include "DpmFiles.h"
#include "ShowDocument.h"

#include <iostream>

namespace {

int RunShow(const SCommandLine& line) {
    const std::string& path = line.positionals.front();
    const bool json = line.Has("json");
    const bool dealer = line.Has("dealer");
    if (dealer) {
        CheckDealerCode(line.Value("dealer"), path);
    }
    CDromelPgmDoc doc;
    LoadDpmFile(doc, path);
    std::cout << (json ? ShowJson(doc, dealer) : ShowText(doc, path, dealer));
    return kExitOk;
}

const DpmCommandRegistration registration{
    {"show",
     {.positionals = "FILE",
      .options = {{.name = "json", .helpKey = "IDS_DPM_OPT_JSON"}, DealerOption()},
      .minPositionals = 1,
      .maxPositionals = 1},
     "IDS_DPM_CMD_SHOW",
     RunShow}};

} // namespace
