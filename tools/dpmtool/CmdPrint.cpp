// dpmtool print FILE OUT.pdf [--lang NAME] [--paper a4|letter] [--landscape]: the program's
// printed page of a data file, as a PDF file. The page is drawn by the program's own form and print
// code on an offscreen platform, so no display is needed.
#include "DpmCommand.h"
#include "DpmFiles.h"

#include "app/AppPaths.h"
#include "views/DromelPgmView.h"
#include "views/PrintPage.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

#include <cctype>
#include <sys/stat.h>

namespace {

constexpr std::size_t kMaxPdfBytes = 64 << 20;

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

int RunPrint(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    std::string language;
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--lang" && i + 1 < args.size() && !args[i + 1].empty()) {
            language = args[++i];
        } else if (args[i] == "--paper" && i + 1 < args.size() &&
                   (Lower(args[i + 1]) == "a4" || Lower(args[i + 1]) == "letter")) {
            paper = Lower(args[++i]) == "a4" ? QPageSize::A4 : QPageSize::Letter;
        } else if (args[i] == "--landscape") {
            orientation = QPageLayout::Landscape;
        } else if (!args[i].empty() && args[i][0] != '-') {
            files.push_back(args[i]);
        } else {
            ThrowUsage("print");
        }
    }
    if (files.size() != 2) {
        ThrowUsage("print");
    }
    const std::string& path = files[0];
    const std::string& pdfPath = files[1];
    if (!language.empty()) {
        SetLanguageName(language);
        struct stat info {};
        if (::stat(g_strLangFile.c_str(), &info) != 0) {
            throw DpmError{kExitFile, g_strLangFile + ": cannot find the language file \"" +
                                          language + "\" beside dpmtool"};
        }
    }
    CDromelPgmDoc doc;
    LoadDpmFile(doc, path);

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int argc = 1;
    char name[] = "dpmtool";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    // The PDF is made in a folder of its own, then put in place whole.
    QTemporaryDir folder;
    if (!folder.isValid()) {
        throw DpmError{kExitFile,
                       "cannot create a temporary folder: " + folder.errorString().toStdString()};
    }
    const QString pagePath = folder.filePath(QStringLiteral("page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pagePath);
    printer.setPageSize(QPageSize(paper));
    printer.setPageOrientation(orientation);
    printer.setDocName(QFileInfo(QString::fromStdString(path)).completeBaseName());

    CDromelPgmView form(doc);
    CPrintPage page(doc, form.Grid());
    if (!page.PrintOn(printer)) {
        throw DpmError{kExitFile, pdfPath + ": cannot write the PDF file"};
    }
    WriteTextFile(pdfPath, ReadTextFile(pagePath.toStdString(), kMaxPdfBytes));
    return kExitOk;
}

const DpmCommandRegistration registration{
    {"print", "FILE OUT.pdf [--lang NAME] [--paper a4|letter] [--landscape]",
     "write the program's printed page of FILE (options and channels) as a one-page PDF, A4 "
     "portrait unless told otherwise; --lang chooses the language file NAME.lng beside "
     "dpmtool (e.g. lang_cn)",
     RunPrint}};

} // namespace
