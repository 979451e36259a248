// Entry of the link's GUI tests: the application object is the QApplication, offscreen, as
// the transfer dialog brings the program's menus up to date after a read. Message boxes are
// answered by the tests.
#include "app/AppMessageBox.h"
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
    // No test may wait for a user: a box a test did not answer fails it.
    SetAppMessageBoxResponder([](const QString& text, const QString&, int) {
        ADD_FAILURE() << "unexpected message box: " << text.toStdString();
        return IDCANCEL;
    });
    return RUN_ALL_TESTS();
}
