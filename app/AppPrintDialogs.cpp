#include "app/AppPrintDialogs.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <utility>

namespace {

AppPrintDialogResponder& Responder() {
    static AppPrintDialogResponder responder;
    return responder;
}

} // namespace

bool AppPrintDialog(QPrinter& printer, int maxPage, QWidget* parent) {
    if (Responder()) {
        return Responder()({EPrintDialog::kPrint, &printer, maxPage, {}});
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, maxPage);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    return dialog.exec() == QDialog::Accepted;
}

void AppPrintPreviewDialog(QPrinter& printer, QWidget* parent,
                           const std::function<void(QPrinter*)>& paint) {
    if (Responder()) {
        Responder()({EPrintDialog::kPreview, &printer, 1, paint});
        return;
    }
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
    dialog.exec();
}

bool AppPageSetupDialog(QPrinter& printer, QWidget* parent) {
    if (Responder()) {
        return Responder()({EPrintDialog::kPageSetup, &printer, 1, {}});
    }
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

AppPrintDialogResponder SetAppPrintDialogResponder(AppPrintDialogResponder responder) {
    return std::exchange(Responder(), std::move(responder));
}
