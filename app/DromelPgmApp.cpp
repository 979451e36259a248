#include "app/DromelPgmApp.h"

#include "app/AppFileDialog.h"
#include "app/AppMessageBox.h"
#include "app/AppPaths.h"
#include "app/CommandIds.h"
#include "app/LangString.h"
#include "app/MainFrm.h"
#include "app/TranslateDialog.h"

#include <QAction>
#include <QFileInfo>
#include <QLocale>
#include <QMenuBar>
#include <QSettings>

#include <algorithm>
#include <filesystem>
#include <utility>

namespace {

constexpr const char* kRecentFileGroup = "Recent File List";

// Menu texts by command id, in the order they are put on the menus.
constexpr std::pair<const char*, int> kMenuCommands[] = {
    {"MENU_FILE_NEW", ID_FILE_NEW},
    {"MENU_FILE_OPEN", ID_FILE_OPEN},
    {"MENU_FILE_SAVE", ID_FILE_SAVE},
    {"MENU_FILE_SAVE_AS", ID_FILE_SAVE_AS},
    {"MENU_FILE_PRINT", ID_FILE_PRINT},
    {"MENU_FILE_PRINT_PREVIEW", ID_FILE_PRINT_PREVIEW},
    {"MENU_FILE_PRINT_SETUP", ID_FILE_PRINT_SETUP},
    {"MENU_APP_EXIT", ID_APP_EXIT},
    {"MENU_PROGRAM_READ", ID_PROGRAM_READ},
    {"MENU_PROGRAM_WRITE", ID_PROGRAM_WRITE},
    {"MENU_PROGRAM_TEST", ID_PROGRAM_TEST},
    {"MENU_PROGRAM_TestFreq", ID_PROGRAM_TESTFREQ},
    {"MENU_SETUP_PORT", ID_SETUP_PORT},
    {"MENU_SETUP_LANGUAGE", ID_SETUP_LANGUAGE},
    {"MENU_HELP_HELP", ID_HELP_HELP},
    {"MENU_APP_ABOUT", ID_APP_ABOUT},
};

// The top-level menus by position.
constexpr const char* kMenuBarKeys[] = {"MENU_FILE", "MENU_PROGRAM", "MENU_SETUP", "MENU_HELP"};

QString LangText(const char* key) {
    return QString::fromStdString(GetLangString(key));
}

} // namespace

CDromelPgmApp::CDromelPgmApp(int& argc, char** argv) : QApplication(argc, argv) {
    // The installed desktop entry, so that the desktop matches windows to its name and icon.
    setDesktopFileName(QStringLiteral("org.dromelpgm.DromelPgm"));
    m_doc.AddStateObserver([this] { OnDocumentState(); });
}

CDromelPgmApp::~CDromelPgmApp() = default;

CDromelPgmApp* CDromelPgmApp::Instance() {
    return qobject_cast<CDromelPgmApp*>(instance());
}

bool CDromelPgmApp::InitInstance() {
    return InitInstance(ExecutableDir(), arguments().mid(1));
}

bool CDromelPgmApp::InitInstance(const std::string& appDir, const QStringList& arguments) {
    m_pMainFrame.reset();
    SetAppDir(appDir);
    std::error_code error;
    if (!std::filesystem::exists(g_strSettingFile, error)) {
        // Fixed English: without the settings file there is no language file to ask.
        AppMessageBox(QStringLiteral("Can not find the file setting.ini!"), QString(), MB_ICONHAND);
        return false;
    }
    SetLanguageName(
        ChooseLanguageName(IsChineseChinaLocale(QLocale::system().name().toStdString())));
    m_bSilentNew = true;

    setOrganizationName(QStringLiteral("Marrow radio program software"));
    LoadRecentFiles();

    m_pMainFrame = std::make_unique<CMainFrame>(m_doc, m_port);
    CMainFrame* frame = m_pMainFrame.get();
    connect(frame, &CMainFrame::commandTriggered, this, &CDromelPgmApp::OnCommand);
    connect(frame, &CMainFrame::recentFileChosen, this, &CDromelPgmApp::OnOpenRecentFile);
    connect(frame, &CMainFrame::filesDropped, this, [this](const QStringList& paths) {
        for (const QString& path : paths) {
            OpenDocumentFile(path);
        }
    });
    connect(frame, &CMainFrame::queryClose, this,
            [this](bool* allow) { *allow = m_lifecycle.SaveModified(); });
    frame->SetRecentFiles(m_recentFiles);
    TranslateMenus();

    // The first document: a new one, or the file named on the command line.
    const auto file = std::find_if(arguments.begin(), arguments.end(), [](const QString& a) {
        return !a.startsWith(QLatin1Char('-'));
    });
    const bool started = file == arguments.end() ? m_lifecycle.FileNew() : OpenDocumentFile(*file);
    if (!started) {
        m_pMainFrame.reset();
        return false;
    }
    frame->show();
    frame->setAcceptDrops(true);
    return true;
}

void CDromelPgmApp::TranslateMenus() {
    if (!m_pMainFrame) {
        return;
    }
    const QList<QAction*> menus = m_pMainFrame->menuBar()->actions();
    for (int i = 0; i < menus.size() && i < static_cast<int>(std::size(kMenuBarKeys)); ++i) {
        menus[i]->setText(LangText(kMenuBarKeys[i]));
    }
    for (const auto& [key, id] : kMenuCommands) {
        m_pMainFrame->CommandAction(id)->setText(LangText(key));
    }
}

void CDromelPgmApp::ApplyLanguage() {
    TranslateMenus();
    m_doc.RefreshFromImage();
}

bool CDromelPgmApp::OpenDocumentFile(const QString& path) {
    return m_lifecycle.OpenDocumentFile(QFileInfo(path).absoluteFilePath().toStdString());
}

// A recent file that cannot be read any more leaves the list; one the user only chose not
// to open (Cancel on unsaved changes) stays.
void CDromelPgmApp::OnOpenRecentFile(const QString& path) {
    if (!OpenDocumentFile(path) && !QFileInfo(path).isReadable()) {
        RemoveFromRecentFileList(path);
    }
}

void CDromelPgmApp::OnFileOpen() {
    const QString path =
        AppGetOpenFileName(m_pMainFrame.get(), QString::fromStdString(m_questions.GetLastFolder()),
                           QString::fromLatin1(CAppDocQuestions::kFileFilter));
    if (!path.isEmpty()) {
        OpenDocumentFile(path);
    }
}

void CDromelPgmApp::OnCommand(int id) {
    switch (id) {
    case ID_FILE_NEW:
        m_lifecycle.FileNew();
        break;
    case ID_FILE_OPEN:
        OnFileOpen();
        break;
    case ID_FILE_SAVE:
        m_lifecycle.FileSave();
        break;
    case ID_FILE_SAVE_AS:
        m_lifecycle.FileSaveAs();
        break;
    case ID_APP_EXIT:
        m_pMainFrame->close();
        break;
    default:
        break;
    }
}

// A document that was opened or saved under a path goes to the top of the recent files,
// and the file dialogs start in its folder next time.
void CDromelPgmApp::OnDocumentState() {
    const std::string& path = m_doc.GetPathName();
    if (path == m_strLastPath) {
        return;
    }
    m_strLastPath = path;
    if (!path.empty()) {
        AddToRecentFileList(QString::fromStdString(path));
        m_questions.SetLastFolder(
            QFileInfo(QString::fromStdString(path)).absolutePath().toStdString());
    }
}

void CDromelPgmApp::LoadRecentFiles() {
    QSettings settings;
    settings.beginGroup(QLatin1String(kRecentFileGroup));
    m_recentFiles.clear();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString file = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!file.isEmpty()) {
            m_recentFiles.append(file);
        }
    }
}

void CDromelPgmApp::SaveRecentFiles() {
    QSettings settings;
    settings.beginGroup(QLatin1String(kRecentFileGroup));
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= m_recentFiles.size()) {
            settings.setValue(key, m_recentFiles[i - 1]);
        } else {
            settings.remove(key);
        }
    }
    if (m_pMainFrame) {
        m_pMainFrame->SetRecentFiles(m_recentFiles);
    }
}

void CDromelPgmApp::AddToRecentFileList(const QString& path) {
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > kRecentFileCount) {
        m_recentFiles.removeLast();
    }
    SaveRecentFiles();
}

void CDromelPgmApp::RemoveFromRecentFileList(const QString& path) {
    m_recentFiles.removeAll(path);
    SaveRecentFiles();
}
