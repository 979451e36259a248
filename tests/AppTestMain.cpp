// Entry of the tests that run inside the program: the application object itself is the
// QApplication, offscreen, with its per-user settings (the recent-file list) in a folder of
// the test. Message boxes, file dialogs and addresses for the desktop are answered by the
// tests.
#include "app/DromelPgmApp.h"

#include "FailFastResponders.h"
#include "TempDir.h"

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    TempDir config;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path()));
    // Backups and the programming history go to the test's folder, never the user's.
    TempDir data;
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data.path()));
    CDromelPgmApp app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    InstallFailFastResponders();
    return RUN_ALL_TESTS();
}
