// Printing the main form: Print and Print Preview draw the same page, as the form shows the
// document now.
#include "views/DromelPgmView.h"

#include "app/AppMessageBox.h"
#include "app/AppPrintDialogs.h"
#include "app/LangText.h"
#include "radio/DromelPgmDoc.h"
#include "views/PrintPage.h"

#include <QFileInfo>
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

void CDromelPgmView::PrintPage(QPaintDevice& device) {
    CPrintPage page(m_doc, m_grid);
    if (!page.PrintOn(device)) {
        AppMessageBox(LangText("IDS_ERROR_PRINT"), LangText("IDS_ERROR"), MB_OK | MB_ICONHAND);
    }
}
