// dpmtool-print LANGFILE FILE OUT.pdf a4|letter portrait|landscape: draws the program's printed
// page of a data file into a PDF file, with the program's own form and print code on an
// offscreen platform, so no display is needed. dpmtool print checks its command line and
// becomes this program; it is not meant to be started by hand.
#include "DpmCommand.h"
#include "DpmFiles.h"

#include "app/AppPaths.h"
#include "views/DromelPgmView.h"
#include "views/PrintPage.h"

#include <QApplication>
#include <QByteArray>
#include <QFileInfo>
#include <QPrinter>

#include <csignal>
#include <iostream>

namespace {

struct SPrintRequest {
    std::string langFile;
    std::string path;
    std::string pdfPath;
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
};

bool ParseRequest(int argc, char* argv[], SPrintRequest& request) {
    if (argc != 6) {
        return false;
    }
    const std::string paper = argv[4];
    const std::string orientation = argv[5];
    if ((paper != "a4" && paper != "letter") ||
        (orientation != "portrait" && orientation != "landscape")) {
        return false;
    }
    request.langFile = argv[1];
    request.path = argv[2];
    request.pdfPath = argv[3];
    request.paper = paper == "a4" ? QPageSize::A4 : QPageSize::Letter;
    request.orientation =
        orientation == "portrait" ? QPageLayout::Portrait : QPageLayout::Landscape;
    return true;
}

void PrintPdf(const SPrintRequest& request) {
    CDromelPgmDoc doc;
    LoadDpmFile(doc, request.path);

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int argc = 1;
    char name[] = "dpmtool";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(request.paper));
    printer.setPageOrientation(request.orientation);
    printer.setDocName(QFileInfo(QString::fromStdString(request.path)).completeBaseName());

    CDromelPgmView form(doc);
    CPrintPage page(doc, form.Grid());
    // The PDF is made in memory, then saved whole: a file that cannot be written is reported
    // and never left empty or cut.
    QByteArray pdf;
    if (!page.PrintPdf(printer, pdf)) {
        throw DpmError{kExitFile, request.pdfPath + ": cannot draw the page"};
    }
    WriteTextFile(request.pdfPath, pdf.toStdString());
}

} // namespace

int main(int argc, char* argv[]) {
    SPrintRequest request;
    if (!ParseRequest(argc, argv, request)) {
        std::cerr << "dpmtool-print: started by \"dpmtool print\"; see dpmtool --help\n";
        return kExitUsage;
    }
    std::signal(SIGXFSZ, SIG_IGN);
    SetAppDir(ExecutableDir());
    g_strLangFile = request.langFile;
    try {
        PrintPdf(request);
    } catch (const DpmError& error) {
        std::cerr << "dpmtool: " << error.message << "\n";
        return error.status;
    }
    return kExitOk;
}
