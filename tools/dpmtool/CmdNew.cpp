// dpmtool new FILE [--model K] [--force]: a new document of model K (default 2).
#include "DpmCommand.h"
#include "DpmFiles.h"

#include "radio/FormRules.h"

#include <sys/stat.h>

namespace {

int RunNew(const std::vector<std::string>& args) {
    std::string path;
    std::string modelText = "2";
    bool force = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--model" && i + 1 < args.size()) {
            modelText = args[++i];
        } else if (args[i] == "--force") {
            force = true;
        } else if (path.empty() && !args[i].empty() && args[i][0] != '-') {
            path = args[i];
        } else {
            ThrowUsage("new");
        }
    }
    if (path.empty()) {
        ThrowUsage("new");
    }
    const std::size_t models = ModelList().size();
    int model = 0;
    if (!ParseIndex(modelText, model) || static_cast<std::size_t>(model) >= models) {
        throw DpmError{kExitRefused, path + ": model \"" + modelText +
                                         "\" is not in the model table (models 0 to " +
                                         std::to_string(static_cast<int>(models) - 1) + ")"};
    }
    struct stat info {};
    if (!force && ::stat(path.c_str(), &info) == 0) {
        throw DpmError{kExitFile, path + ": the file exists already (use --force to replace it)"};
    }
    CDromelPgmDoc doc;
    doc.DeleteContents();
    doc.SetModel(model);
    SaveDpmFile(doc, path);
    return kExitOk;
}

const DpmCommandRegistration registration{
    {"new", "FILE [--model K] [--force]",
     "write a new data file of model K (default 2); --force replaces an existing file", RunNew}};

} // namespace
