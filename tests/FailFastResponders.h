// No test may wait for a user: a message box, file dialog, print dialog or address for the
// desktop that a test did not answer fails it at once, instead of hanging until the time-out.
#pragma once

#include "app/AppFileDialog.h"
#include "app/AppMessageBox.h"
#include "app/AppOpenUrl.h"
#include "app/AppPrintDialogs.h"

#include <gtest/gtest.h>

inline void InstallFailFastResponders() {
    SetAppMessageBoxResponder([](const QString& text, const QString&, int) {
        ADD_FAILURE() << "unexpected message box: " << text.toStdString();
        return IDCANCEL;
    });
    SetAppFileDialogResponder([](const FileDialogRequest&) {
        ADD_FAILURE() << "unexpected file dialog";
        return QString();
    });
    SetAppOpenUrlResponder([](const QUrl& url) {
        ADD_FAILURE() << "unexpected address opened: " << url.toString().toStdString();
        return false;
    });
    SetAppPrintDialogResponder([](const SPrintDialogRequest&) {
        ADD_FAILURE() << "unexpected print dialog";
        return false;
    });
}
