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

int RunSet(const std::vector<std::string>& given) {
    std::vector<std::string> args = given;
    std::string code;
    const bool dealer = TakeDealerOption(args, "set", code);
    if (args.size() < 2 || args[0].empty() || args[0][0] == '-') {
        ThrowUsage("set");
    }
    const std::string& path = args[0];
    if (dealer) {
        CheckDealerCode(code, path);
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
            std::string notice = ApplyAssignment(doc, args[i], path, dealer);
            if (!notice.empty()) {
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
    {"set", "FILE [--dealer CODE] NAME=VALUE...",
     "change options and channels as the form and the grids do, then save the file once. "
     "Names: model, monitor, timeout, squelch, scantype, priority, revert, loopback, dropout "
     "(list index); beep, battsave, clone (on/off); chN.rx, chN.tx, chN.rxtone, chN.txtone "
     "(cell text); chN.scan, chN.opt6, chN.opt8 (yes/no); chN.band (wide/narrow); testN.rx, "
     "testN.tx, testN.rxtone, testN.txtone (N = 1 to 16); with --dealer CODE also align.LABEL "
     "(0 to 255; LABEL batterylow, sql9, sql3, power, widectc, widedcs, rxcenter, freq, "
     "narrowctc, narrowdcs, rxlow, rxhigh) and manualadjust (on/off)",
     RunSet}};

} // namespace
