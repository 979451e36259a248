// dpmtool print FILE OUT.pdf [--lang NAME] [--paper a4|letter] [--landscape]: the program's
// printed page of a data file, as a PDF file. The page is drawn by the program's own form and
// print code, which needs Qt; so that the other commands start without loading it, the drawing
// is done by dpmtool-print beside dpmtool, which this command becomes once the command line,
// the language file and the data file have been checked.
#include "DpmCommand.h"
#include "DpmFiles.h"

#include "app/AppPaths.h"
#include "app/AsciiText.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int RunPrint(const SCommandLine& line) {
    const std::vector<std::string>& files = line.positionals;
    const std::string language = line.Value("lang");
    const std::string paper = AsciiLower(line.Value("paper", "a4"));
    const std::string orientation = line.Has("landscape") ? "landscape" : "portrait";
    if ((line.Has("lang") && language.empty()) || (paper != "a4" && paper != "letter")) {
        ThrowUsage("print");
    }
    if (!language.empty()) {
        SetLanguageName(language);
        struct stat info {};
        if (::stat(g_strLangFile.c_str(), &info) != 0) {
            throw DpmError{kExitFile, g_strLangFile + ": cannot find the language file \"" +
                                          language + "\" beside dpmtool"};
        }
    }
    CDromelPgmDoc doc;
    LoadDpmFile(doc, files[0]);

    const std::string printer = g_strAppDir + "/dpmtool-print";
    std::vector<std::string> request = {printer,  g_strLangFile, files[0],
                                        files[1], paper,         orientation};
    std::vector<char*> argv;
    for (std::string& arg : request) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    ::execv(printer.c_str(), argv.data());
    throw DpmError{kExitFile, printer + ": cannot start the page printer: " + std::strerror(errno)};
}

const DpmCommandRegistration registration{
    {"print",
     {.positionals = "FILE OUT.pdf",
      .options = {{.name = "lang", .valueName = "NAME", .helpKey = "IDS_DPM_OPT_LANG"},
                  {.name = "paper", .valueName = "a4|letter", .helpKey = "IDS_DPM_OPT_PAPER"},
                  {.name = "landscape", .helpKey = "IDS_DPM_OPT_LANDSCAPE"}},
      .minPositionals = 2,
      .maxPositionals = 2},
     "IDS_DPM_CMD_PRINT",
     RunPrint}};

} // namespace
