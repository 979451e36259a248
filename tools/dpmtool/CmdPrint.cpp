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

int RunPrint(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    std::string language;
    std::string paper = "a4";
    std::string orientation = "portrait";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--lang" && i + 1 < args.size() && !args[i + 1].empty()) {
            language = args[++i];
        } else if (args[i] == "--paper" && i + 1 < args.size() &&
                   (EqualsNoCase(args[i + 1], "a4") || EqualsNoCase(args[i + 1], "letter"))) {
            paper = AsciiLower(args[++i]);
        } else if (args[i] == "--landscape") {
            orientation = "landscape";
        } else if (!args[i].empty() && args[i][0] != '-') {
            files.push_back(args[i]);
        } else {
            ThrowUsage("print");
        }
    }
    if (files.size() != 2) {
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
    {"print", "FILE OUT.pdf [--lang NAME] [--paper a4|letter] [--landscape]",
     "write the program's printed page of FILE (options and channels) as a one-page PDF, A4 "
     "portrait unless told otherwise; --lang chooses the language file NAME.lng beside "
     "dpmtool (e.g. lang_cn)",
     RunPrint}};

} // namespace
