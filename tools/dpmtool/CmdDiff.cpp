// dpmtool diff A B [--json] [--dealer CODE]: compares two data files field by field,
// including the model, the alignment values (named only as differing without the dealers'
// access code) and the header text. Status 0 equal, 6 different.
#include "DealerOption.h"
#include "DiffOutput.h"
#include "DpmCommand.h"
#include "DpmFiles.h"

namespace {

int RunDiff(const std::vector<std::string>& given) {
    std::vector<std::string> args = given;
    std::string code;
    const bool dealer = TakeDealerOption(args, "diff", code);
    std::vector<std::string> paths;
    bool json = false;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (!arg.empty() && arg[0] != '-') {
            paths.push_back(arg);
        } else {
            ThrowUsage("diff");
        }
    }
    if (paths.size() != 2) {
        ThrowUsage("diff");
    }
    if (dealer) {
        CheckDealerCode(code, paths[0]);
    }
    CDromelPgmDoc a;
    LoadDpmFile(a, paths[0]);
    CDromelPgmDoc b;
    LoadDpmFile(b, paths[1]);
    const std::vector<FieldDiff> diffs = DiffDocuments(a, b, dealer);
    return PrintDiffs(diffs, json, "a", "b");
}

const DpmCommandRegistration registration{
    {"diff", "A B [--json] [--dealer CODE]",
     "compare the data files A and B field by field, with the model and the header text;\n"
     "      the alignment values show with the dealer access code, else only that they\n"
     "      differ; status 0 equal, 6 different",
     RunDiff}};

} // namespace
