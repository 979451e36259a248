// Entry of the tests that run inside the program: the application object itself is the
// QApplication, offscreen, with its per-user settings (the recent-file list) in a folder of
// the test. Message boxes, file dialogs and addresses for the desktop are answered by the
// tests.
#include "app/AppFileDialog.h"
#include "app/AppMessageBox.h"
#include "app/AppOpenUrl.h"
#include "app/AppPrintDialogs.h"
#include "app/DromelPgmApp.h"

#include "TempDir.h"

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    TempDir config;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path()));
    CDromelPgmApp app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // No test may wait for a user: a box or file dialog a test did not answer fails it.
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
    return RUN_ALL_TESTS();
}
