// dpmtool: works on the program's data files from the command line, with the same rules as
// the program's form and grids, and the settings and language file beside it.
#include "DpmCommand.h"

#include "app/AppPaths.h"
#include "radio/SettingsCheck.h"

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <sys/stat.h>

namespace {

void PrintUsage(std::ostream& out) {
    out << "usage: dpmtool COMMAND ARGUMENTS...\n\ncommands:\n";
    for (const DpmCommand& c : DpmCommands()) {
        out << "  " << c.name << " " << c.usage << "\n      " << c.summary << "\n";
    }
    out << "\nexit status: 0 success, 1 usage, 2 refused input, 3 file error, 4 radio link "
           "failed, 5 radio type question answered no, 6 radio or files differ, 130/143/129\n"
           "transfer interrupted by SIGINT/SIGTERM/SIGHUP (several radios: the worst status of "
           "them)\n";
}

// The locale name as the C library would choose it for messages.
std::string LocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

} // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> all(argv + 1, argv + argc);
    if (all.empty()) {
        PrintUsage(std::cerr);
        return kExitUsage;
    }
    if (all[0] == "--help" || all[0] == "-h" || all[0] == "help") {
        PrintUsage(std::cout);
        return kExitOk;
    }
    const DpmCommand* command = FindDpmCommand(all[0]);
    if (command == nullptr) {
        std::cerr << "dpmtool: unknown command \"" << all[0] << "\"\n";
        PrintUsage(std::cerr);
        return kExitUsage;
    }

    // A file-size limit then fails the write (File too large) instead of killing the tool.
    std::signal(SIGXFSZ, SIG_IGN);
    SetAppDir(ExecutableDir());
    struct stat info {};
    if (::stat(g_strSettingFile.c_str(), &info) != 0) {
        std::cerr << "dpmtool: " << g_strSettingFile
                  << ": cannot find the settings file beside dpmtool\n";
        return kExitFile;
    }
    SetLanguageName(ChooseLanguageName(IsChineseChinaLocale(LocaleName())));
    // Without the model table no edit could keep to a model's band: nothing runs.
    const SSettingsCheck settings = CheckSettings();
    if (settings.problem != ESettingsProblem::kNone) {
        std::cerr << "dpmtool: " << SettingsProblemText(settings) << "\n";
        return kExitFile;
    }

    try {
        return command->run({all.begin() + 1, all.end()});
    } catch (const DpmError& error) {
        std::cerr << "dpmtool: " << error.message << "\n";
        return error.status;
    }
}
