// Entry of the GUI test programs: one QApplication for all tests, offscreen, with the user's
// own settings, backups and history in folders of the test. Message boxes and dialogs are answered
// by the tests.
#include "FailFastResponders.h"
#include "TempDir.h"

#include <QApplication>
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
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    InstallFailFastResponders();
    return RUN_ALL_TESTS();
}
