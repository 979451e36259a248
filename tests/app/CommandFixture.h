// Tests of the program's commands: a program folder written by the test, the program
// started in it, and dialogs driven as a user would.
#pragma once

#include "app/AppOpenUrl.h"
#include "app/DromelPgmApp.h"
#include "app/MainFrm.h"
#include "app/Profile.h"

#include "AppTestFolder.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QSettings>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Remembers the addresses handed to the desktop and answers that each was opened.
class OpenUrlRecorder {
public:
    OpenUrlRecorder() {
        m_previous = SetAppOpenUrlResponder([this](const QUrl& url) {
            urls.push_back(url);
            return true;
        });
    }
    ~OpenUrlRecorder() { SetAppOpenUrlResponder(m_previous); }
    OpenUrlRecorder(const OpenUrlRecorder&) = delete;
    OpenUrlRecorder& operator=(const OpenUrlRecorder&) = delete;

    std::vector<QUrl> urls;

private:
    AppOpenUrlResponder m_previous;
};

class SetupCommands : public ::testing::Test {
protected:
    void TearDown() override {
        QSettings().remove(QStringLiteral("Recent File List"));
        app.GetDocument().SetModifiedFlag(false);
    }

    bool Start(const std::string& setting) {
        folder.dir.write("setting.ini", WithModelTable(setting));
        return app.InitInstance(folder.dir.path(), {});
    }
    CMainFrame& Frame() const { return *app.MainFrame(); }
    QAction* Command(int id) const { return Frame().CommandAction(id); }
    std::string Setting(const char* key) const {
        return GetPrivateProfileString("setup", key, "", 260, folder.dir.file("setting.ini"));
    }

    // Issues command id and, once its dialog shows, lets user work in it; a dialog the user
    // leaves open is cancelled.
    template <class TDlg> void WithDialog(int id, const std::function<void(TDlg&)>& user) {
        bool shown = false;
        QTimer::singleShot(0, &Frame(), [&] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* dlg = qobject_cast<TDlg*>(modal);
            if (dlg) {
                shown = true;
                user(*dlg);
            }
            if (modal && modal->isVisible()) {
                qobject_cast<QDialog*>(modal)->reject();
            }
        });
        Command(id)->trigger();
        EXPECT_TRUE(shown);
    }

    CDromelPgmApp& app = *CDromelPgmApp::Instance();
    AppTestFolder folder;
};
