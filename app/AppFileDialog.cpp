#include "app/AppFileDialog.h"

#include <QFileDialog>

#include <utility>

namespace {

AppFileDialogResponder& Responder() {
    static AppFileDialogResponder responder;
    return responder;
}

} // namespace

QString AppGetOpenFileName(QWidget* parent, const QString& directory, const QString& filter) {
    if (Responder()) {
        return Responder()({false, directory, filter, QString()});
    }
    return QFileDialog::getOpenFileName(parent, QString(), directory, filter);
}

QString AppGetSaveFileName(QWidget* parent, const QString& directory, const QString& filter,
                           const QString& defaultSuffix) {
    if (Responder()) {
        return Responder()({true, directory, filter, defaultSuffix});
    }
    QFileDialog dialog(parent, QString(), directory, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}

AppFileDialogResponder SetAppFileDialogResponder(AppFileDialogResponder responder) {
    return std::exchange(Responder(), std::move(responder));
}
