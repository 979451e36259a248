// Printing the main form: Print and Print Preview draw the same page, as the form shows the
// document now.
#include "views/DromelPgmView.h"

#include "app/AppMessageBox.h"
#include "app/AppPrintDialogs.h"
#include "app/FileReasonText.h"
#include "app/LangText.h"
#include "radio/DromelPgmDoc.h"
#include "views/PrintPage.h"

#include <QFileInfo>
#include <QPaintEngine>
#include <QPrinter>

void CDromelPgmView::SetPrinter(QPrinter* printer) {
    m_pPrinter = printer;
}

QPrinter& CDromelPgmView::Printer() {
    if (m_pPrinter) {
        return *m_pPrinter;
    }
    if (!m_pOwnPrinter) {
        m_pOwnPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *m_pOwnPrinter;
}

void CDromelPgmView::OnFilePrint() {
    QPrinter& printer = Printer();
    // The job's name; printing to PDF proposes it as the file name.
    printer.setDocName(QFileInfo(QString::fromStdString(m_doc.GetTitle())).completeBaseName());
    if (!AppPrintDialog(printer, 1, this)) {
        return;
    }
    PrintPage(printer);
}

void CDromelPgmView::OnFilePrintPreview() {
    AppPrintPreviewDialog(Printer(), this, [this](QPrinter* printer) { PrintPage(*printer); });
}

namespace {

// A print to a PDF file. The preview draws on the printer through a paint engine of its own,
// and goes to the device as a real printer does.
bool PrintsToPdfFile(QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() &&
           printer.paintEngine()->type() == QPaintEngine::Pdf;
}

void ReportError(const QString& text) {
    AppMessageBox(text, LangText("IDS_ERROR"), MB_OK | MB_ICONHAND);
}

} // namespace

void CDromelPgmView::PrintPage(QPrinter& printer) {
    CPrintPage page(m_doc, m_grid);
    if (!PrintsToPdfFile(printer)) {
        if (!page.PrintOn(printer)) {
            ReportError(LangText("IDS_ERROR_PRINT"));
        }
        return;
    }
    QByteArray pdf;
    if (!page.PrintPdf(printer, pdf)) {
        ReportError(LangText("IDS_ERROR_PRINT"));
        return;
    }
    const std::string path = printer.outputFileName().toStdString();
    const FileResult result = WriteFileAtomically(path, pdf.toStdString());
    if (!result) {
        ReportError(LangText("IDS_ERROR_PRINT_FILE", {path, FileReasonText(result)}));
    }
}
