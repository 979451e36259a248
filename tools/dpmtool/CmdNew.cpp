// dpmtool new FILE [--model K] [--force]: a new document of model K (default 2).
#include "DpmCommand.h"
#include "DpmFiles.h"

#include "radio/FormRules.h"

#include <sys/stat.h>

namespace {

int RunNew(const SCommandLine& line) {
    const std::string& path = line.positionals.front();
    const std::string modelText = line.Value("model", "2");
    const bool force = line.Has("force");
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
    {"new",
     {.positionals = "FILE",
      .options = {{.name = "model", .valueName = "K", .helpKey = "IDS_DPM_OPT_MODEL"},
                  {.name = "force", .helpKey = "IDS_DPM_OPT_FORCE"}},
      .minPositionals = 1,
      .maxPositionals = 1},
     "IDS_DPM_CMD_NEW",
     RunNew}};

} // namespace
