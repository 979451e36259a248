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
        return Responder()({false, directory, filter});
    }
    return QFileDialog::getOpenFileName(parent, QString(), directory, filter);
}

QString AppGetSaveFileName(QWidget* parent, const QString& directory, const QString& filter) {
    if (Responder()) {
        return Responder()({true, directory, filter});
    }
    return QFileDialog::getSaveFileName(parent, QString(), directory, filter);
}

AppFileDialogResponder SetAppFileDialogResponder(AppFileDialogResponder responder) {
    return std::exchange(Responder(), std::move(responder));
}
