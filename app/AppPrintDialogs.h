// The print dialog, the print preview and the page setup of the program go through these
// functions, so that tests can answer them without a display.
#pragma once

#include <functional>

class QPrinter;
class QWidget;

enum class EPrintDialog { kPrint, kPreview, kPageSetup };

struct SPrintDialogRequest {
    EPrintDialog eKind = EPrintDialog::kPrint;
    QPrinter* pPrinter = nullptr;
    int nMaxPage = 1; // print dialog: the last page it offers (the first is 1)
    // Preview: draws the pages on the preview's printer; called again for every repaint.
    std::function<void(QPrinter*)> paint;
};

// The print dialog offering pages 1 to maxPage. True when the user chose to print; printer
// then holds the choices (printer or PDF file, copies). Cancel leaves printer as it was.
bool AppPrintDialog(QPrinter& printer, int maxPage, QWidget* parent);

// The print preview of printer's page set-up; paint draws the pages, and again whenever the
// preview repaints. The preview's own Print button prints them on printer.
void AppPrintPreviewDialog(QPrinter& printer, QWidget* parent,
                           const std::function<void(QPrinter*)>& paint);

// The page set-up (paper, orientation, margins) of printer. True when the user accepted;
// Cancel leaves printer as it was.
bool AppPageSetupDialog(QPrinter& printer, QWidget* parent);

// Who answers the dialogs: receives the request, returns true for OK (ignored for the
// preview).
using AppPrintDialogResponder = std::function<bool(const SPrintDialogRequest&)>;

// Replaces the dialogs (tests); an empty responder restores them. Returns the responder that
// was in place.
AppPrintDialogResponder SetAppPrintDialogResponder(AppPrintDialogResponder responder);
