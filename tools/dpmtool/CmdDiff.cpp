// dpmtool diff A B [--json] [--dealer CODE]: compares two data files field by field,
// including the model, the alignment values (named only as differing without the dealers'
// access code) and the header text. Status 0 equal, 6 different.
#include "DealerOption.h"
#include "DiffOutput.h"
#include "DpmCommand.h"
#include "DpmFiles.h"

namespace {

int RunDiff(const SCommandLine& line) {
    const std::vector<std::string>& paths = line.positionals;
    const bool json = line.Has("json");
    const bool dealer = line.Has("dealer");
    if (dealer) {
        CheckDealerCode(line.Value("dealer"), paths[0]);
    }
    CDromelPgmDoc a;
    LoadDpmFile(a, paths[0]);
    CDromelPgmDoc b;
    LoadDpmFile(b, paths[1]);
    const std::vector<FieldDiff> diffs = DiffDocuments(a, b, dealer);
    return PrintDiffs(diffs, json, "a", "b");
}

const DpmCommandRegistration registration{
    {"diff",
     {.positionals = "A B",
      .options = {{.name = "json", .helpKey = "IDS_DPM_OPT_JSON"}, DealerOption()},
      .minPositionals = 2,
      .maxPositionals = 2},
     "IDS_DPM_CMD_DIFF",
     RunDiff}};

} // namespace
