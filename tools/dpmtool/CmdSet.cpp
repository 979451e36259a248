// dpmtool set FILE [--dealer CODE] ASSIGNMENT...: changes applied left to right with the
// rules of the form and the grids, then the file saved once. A refused assignment leaves the
// file unchanged. Each value that was clamped or replaced is named once the file is saved.
// The alignment values and Manual Adjust need the dealers' access code.
#include "Assignment.h"
#include "DealerOption.h"
#include "DpmCommand.h"
#include "DpmFiles.h"

#include "radio/FormRules.h"

#include <iostream>

namespace {

int RunSet(const SCommandLine& line) {
    const std::vector<std::string>& args = line.positionals;
    const std::string& path = args[0];
    const bool dealer = line.Has("dealer");
    if (dealer) {
        CheckDealerCode(line.Value("dealer"), path);
    }
    CDromelPgmDoc doc;
    LoadDpmFile(doc, path);
    // As the form shows the file: a scan type without a scan list is reset to no scan.
    UpdateScanControls(doc);
    std::vector<std::string> notices;
    {
        // All the assignments are one change of the file.
        const CDocEdit edit(doc, EDocChange::kDpmtoolSet);
        for (std::size_t i = 1; i < args.size(); ++i) {
            for (std::string& notice : ApplyAssignment(doc, args[i], path, dealer)) {
                notices.push_back(std::move(notice));
            }
        }
    }
    SaveDpmFile(doc, path);
    for (const std::string& notice : notices) {
        std::cerr << "dpmtool: " << path << ": " << notice << "\n";
    }
    return kExitOk;
}

const DpmCommandRegistration registration{
    {"set",
     {.positionals = "FILE NAME=VALUE...", .options = {DealerOption()}, .minPositionals = 2},
     "IDS_DPM_CMD_SET",
     RunSet}};

} // namespace
