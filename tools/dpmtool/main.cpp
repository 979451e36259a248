// dpmtool: works on the program's data files from the command line, with the same rules as
// the program's form and grids, and the settings and language file beside it.
#include "DpmCommand.h"
#include "DpmHelp.h"

#include "app/AppPaths.h"
#include "app/LangString.h"
#include "radio/SettingsCheck.h"

#include <csignal>
#include <iostream>
#include <sys/stat.h>

namespace {

// Before the command: --help, --version.
const SCommandLineTable kToolLine{
    .positionals = "COMMAND ARGUMENTS...",
    .options = {{.name = "version", .helpKey = "IDS_DPM_OPT_VERSION"}},
    .optionsFirst = true,
};

int Usage(const std::string& problem) {
    std::cerr << "dpmtool: " << problem << "\n" << ToolHelp();
    return kExitUsage;
}

int Run(const DpmCommand& command, const std::vector<std::string>& args) {
    const SCommandLineResult parsed = ParseCommandLine(args, command.table);
    if (parsed.line.help) {
        std::cout << CommandHelp(command);
        return kExitOk;
    }
    if (parsed.error != ECommandLineError::kNone) {
        std::cerr << "dpmtool: " << CommandLineErrorText(command, parsed) << "\n";
        return kExitUsage;
    }
    struct stat info {};
    if (::stat(g_strSettingFile.c_str(), &info) != 0) {
        std::cerr << "dpmtool: " << g_strSettingFile
                  << ": cannot find the settings file beside dpmtool\n";
        return kExitFile;
    }
    // Without the model table no edit could keep to a model's band: nothing runs.
    const SSettingsCheck settings = CheckSettings();
    if (settings.problem != ESettingsProblem::kNone) {
        std::cerr << "dpmtool: " << SettingsProblemText(settings) << "\n";
        return kExitFile;
    }
    try {
        return command.run(parsed.line);
    } catch (const DpmError& error) {
        std::cerr << "dpmtool: " << error.message << "\n";
        return error.status;
    }
}

} // namespace

int main(int argc, char* argv[]) {
    const SCommandLineResult tool = ParseCommandLine({argv + 1, argv + argc}, kToolLine);
    if (tool.line.Has("version")) {
        std::cout << "dpmtool " DROMEL_VERSION "\n";
        return kExitOk;
    }
    // A file-size limit then fails the write (File too large) instead of killing the tool.
    std::signal(SIGXFSZ, SIG_IGN);
    SetAppDir(ExecutableDir());
    SetLanguageName(ChooseLanguageName(IsChineseChinaLocale(MessageLocaleName())));
    const std::vector<std::string>& words = tool.line.positionals;
    const bool helpWord = !words.empty() && words[0] == "help";
    if (tool.line.help || (helpWord && words.size() == 1)) {
        std::cout << ToolHelp();
        return kExitOk;
    }
    if (tool.error != ECommandLineError::kNone || words.empty()) {
        return Usage(tool.error == ECommandLineError::kNone
                         ? GetLangString("IDS_DPM_NO_COMMAND")
                         : FormatLangString("IDS_DPM_UNKNOWN_COMMAND", {tool.option}));
    }
    const std::string& name = words[helpWord ? 1 : 0];
    const DpmCommand* command = FindDpmCommand(name);
    if (command == nullptr) {
        return Usage(FormatLangString("IDS_DPM_UNKNOWN_COMMAND", {name}));
    }
    if (helpWord) {
        std::cout << CommandHelp(*command);
        return kExitOk;
    }
    return Run(*command, {words.begin() + 1, words.end()});
}
