#include "app/DromelPgmApp.h"

#include "app/AboutDlg.h"
#include "app/AppFileDialog.h"
#include "app/AppMessageBox.h"
#include "app/AppPaths.h"
#include "app/AppPrintDialogs.h"
#include "app/ComPortDlg.h"
#include "app/CommandIds.h"
#include "app/FileReasonText.h"
#include "app/HelpFiles.h"
#include "app/LangString.h"
#include "app/LangText.h"
#include "app/LanguageDlg.h"
#include "app/LanguageFiles.h"
#include "app/MainFrm.h"
#include "app/Settings.h"
#include "app/StopSignals.h"
#include "link/PortDevice.h"
#include "radio/SettingsCheck.h"
#include "views/TestFreqDlg.h"

#include <QAction>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPrinter>
#include <QSettings>
#include <QSocketNotifier>

#include <algorithm>
#include <filesystem>
#include <unistd.h>

namespace {

constexpr const char* kRecentFileGroup = "Recent File List";

} // namespace

CDromelPgmApp::CDromelPgmApp(int& argc, char** argv) : QApplication(argc, argv) {
    // The per-user settings (the recent-file list) live under the company key.
    setOrganizationName(QStringLiteral("Marrow radio program software"));
    setApplicationVersion(QStringLiteral(DROMEL_VERSION));
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
    ApplyQtTranslation();
    // A settings file that cannot serve is named; the program goes on with what it has.
    const SSettingsCheck settings = CheckSettings();
    if (settings.problem != ESettingsProblem::kNone) {
        AppMessageBox(QString::fromStdString(SettingsProblemText(settings)), LangText("IDS_ERROR"),
                      MB_OK | MB_ICONEXCLAMATION);
    }
    m_bSilentNew = true;

    LoadRecentFiles();

    m_pMainFrame = std::make_unique<CMainFrame>(m_doc, m_port);
    CMainFrame* frame = m_pMainFrame.get();
    if (!m_pPrinter) {
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    frame->SetPrinter(m_pPrinter.get());
    ConnectCommands(*frame);
    connect(frame, &CMainFrame::recentFileChosen, this, &CDromelPgmApp::OnOpenRecentFile);
    connect(frame, &CMainFrame::filesDropped, this, [this](const QStringList& paths) {
        for (const QString& path : paths) {
            OpenDocumentFile(path);
        }
    });
    connect(frame, &CMainFrame::queryClose, this,
            [this](bool* allow) { *allow = m_lifecycle.SaveModified(); });
    connect(frame, &CMainFrame::queryDiscard, this,
            [this](bool* allow) { *allow = m_lifecycle.SaveModified(); });
    frame->SetRecentFiles(m_recentFiles);
    frame->TranslateMenus();

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

void CDromelPgmApp::EndOnStopSignal(int wakeFd) {
    auto* notifier = new QSocketNotifier(wakeFd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &CDromelPgmApp::OnStopSignal);
}

// Events are handled only between two blocks of a transfer, so none is cut in the middle.
// The transfer dialog, closed while blocks move, releases the port and tells what the radio
// holds. The program then ends without the question about unsaved changes: the signal asked
// it to end now.
void CDromelPgmApp::OnStopSignal() {
    auto* notifier = qobject_cast<QSocketNotifier*>(sender());
    char bytes[16];
    while (notifier && read(static_cast<int>(notifier->socket()), bytes, sizeof bytes) > 0) {
    }
    const int signal = CStopSignals::Received();
    if (signal == 0) {
        return;
    }
    for (QWidget* widget : topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible()) {
            dialog->reject();
        }
    }
    exit(StopStatus(signal));
}

void CDromelPgmApp::ApplyLanguage() {
    ApplyQtTranslation();
    if (m_pMainFrame) {
        m_pMainFrame->LanguageChanged();
    }
    m_doc.RefreshFromImage();
}

// Qt's own texts (standard buttons, file dialogs, the editors' context menus) follow the
// locale the language file names in [Face] locale, English when it names none, and so do
// Qt Help's. Qt's translations for it come from the system; without them Qt's texts stay
// English.
void CDromelPgmApp::ApplyQtTranslation() {
    const QString locale = QString::fromStdString(GetLangValue("Face", "locale", "en", 30));
    if (locale == m_strQtLocale) {
        return;
    }
    m_strQtLocale = locale;
    removeTranslator(&m_qtTranslator);
    removeTranslator(&m_qtHelpTranslator);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (m_qtTranslator.load(QLocale(locale), QStringLiteral("qtbase"), QStringLiteral("_"),
                            folder)) {
        installTranslator(&m_qtTranslator);
    }
    // The help window's own widgets (contents, index) have theirs in Qt Help's translation.
    if (m_qtHelpTranslator.load(QLocale(locale), QStringLiteral("qt_help"), QStringLiteral("_"),
                                folder)) {
        installTranslator(&m_qtHelpTranslator);
    }
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
                           CAppDocQuestions::FileFilter());
    if (!path.isEmpty()) {
        OpenDocumentFile(path);
    }
}

void CDromelPgmApp::ConnectCommands(CMainFrame& frame) {
    frame.ConnectCommand(ID_FILE_NEW, this, &CDromelPgmApp::OnFileNew);
    frame.ConnectCommand(ID_FILE_OPEN, this, &CDromelPgmApp::OnFileOpen);
    frame.ConnectCommand(ID_FILE_SAVE, this, &CDromelPgmApp::OnFileSave);
    frame.ConnectCommand(ID_FILE_SAVE_AS, this, &CDromelPgmApp::OnFileSaveAs);
    frame.ConnectCommand(ID_FILE_IMPORT_CSV, this, &CDromelPgmApp::OnFileImportCsv);
    frame.ConnectCommand(ID_FILE_EXPORT_CSV, this, &CDromelPgmApp::OnFileExportCsv);
    frame.ConnectCommand(ID_FILE_PRINT_SETUP, this, &CDromelPgmApp::OnFilePrintSetup);
    frame.ConnectCommand(ID_APP_EXIT, this, &CDromelPgmApp::OnAppExit);
    frame.ConnectCommand(ID_PROGRAM_TESTFREQ, this, &CDromelPgmApp::OnProgramTestFreq);
    frame.ConnectCommand(ID_SETUP_PORT, this, &CDromelPgmApp::OnSetupPort);
    frame.ConnectCommand(ID_SETUP_LANGUAGE, this, &CDromelPgmApp::OnSetupLanguage);
    frame.ConnectCommand(ID_NEXT_LANGUAGE, this, &CDromelPgmApp::OnNextLanguage);
    frame.ConnectCommand(ID_APP_ABOUT, this, &CDromelPgmApp::OnAppAbout);
}

// A port other than the stored one is opened in place of the port held now and stored;
// choosing the stored port again changes nothing. The status bar shows the setting either
// way. A port that does not open now is reported when a transfer needs it.
void CDromelPgmApp::OnSetupPort() {
    CComPortDlg dlg(m_port, m_pMainFrame.get());
    if (dlg.DoModal() != QDialog::Accepted) {
        return;
    }
    const int port = dlg.GetPort();
    if (port != 0 && port != GetConfiguredPort()) {
        m_port.Close();
        m_port.Open(port, 9600);
        ReportSettingNotSaved(WriteSettingString("setup", "com", std::to_string(port)));
    }
    m_pMainFrame->UpdatePortPane();
}

void CDromelPgmApp::OnSetupLanguage() {
    CLanguageDlg dlg(g_strAppDir, g_strLangFile, m_pMainFrame.get());
    if (dlg.DoModal() != QDialog::Accepted) {
        return;
    }
    FileResult saved;
    if (!dlg.GetLanguageFile().empty()) {
        saved = SetLanguageFile(dlg.GetLanguageFile());
    }
    ApplyLanguage();
    ReportSettingNotSaved(saved);
}

// The language files take turns in file-name order; without any, nothing changes.
void CDromelPgmApp::OnNextLanguage() {
    const std::string next = NextLanguageFile(g_strAppDir, g_strLangFile);
    if (next.empty()) {
        return;
    }
    const FileResult saved = SetLanguageFile(next);
    ApplyLanguage();
    ReportSettingNotSaved(saved);
}

void CDromelPgmApp::OnAppAbout() {
    const QUrl link = *kHomePage != '\0' ? QUrl(QString::fromLatin1(kHomePage))
                                         : QUrl::fromLocalFile(QString::fromStdString(
                                               HelpStartPage(g_strAppDir, g_strLangFile)));
    CAboutDlg dlg(link, m_pMainFrame.get());
    dlg.DoModal();
}

// A choice that could not be stored stays in force for this run; the user learns that the
// next start will not have it.
void CDromelPgmApp::ReportSettingNotSaved(const FileResult& result) {
    if (!result) {
        const std::string file = UsesUserSettings() ? UserSettingFile() : g_strSettingFile;
        AppMessageBox(LangText("IDS_ERROR_SETTING", {file, FileReasonText(result)}),
                      LangText("IDS_ERROR"), MB_OK | MB_ICONHAND);
    }
}

void CDromelPgmApp::OnFileNew() {
    m_lifecycle.FileNew();
}

void CDromelPgmApp::OnFileSave() {
    m_lifecycle.FileSave();
}

void CDromelPgmApp::OnFileSaveAs() {
    m_lifecycle.FileSaveAs();
}

// The paper, orientation and printer chosen here are used by the next print and preview.
void CDromelPgmApp::OnFilePrintSetup() {
    AppPageSetupDialog(*m_pPrinter, m_pMainFrame.get());
}

// The test channels are not on the form, so nothing else needs refreshing afterwards.
void CDromelPgmApp::OnProgramTestFreq() {
    CTestFreqDlg dlg(m_doc, m_pMainFrame.get());
    dlg.DoModal();
}

void CDromelPgmApp::OnAppExit() {
    m_pMainFrame->close();
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
    // The folder of the list under the user's configuration is the user's alone when it is
    // new; where it cannot be made, the list stays for this run only.
    if (MakePrivateFolders(QFileInfo(settings.fileName()).absolutePath().toStdString())) {
        settings.beginGroup(QLatin1String(kRecentFileGroup));
        for (int i = 1; i <= kRecentFileCount; ++i) {
            const QString key = QStringLiteral("File%1").arg(i);
            if (i <= m_recentFiles.size()) {
                settings.setValue(key, m_recentFiles[i - 1]);
            } else {
                settings.remove(key);
            }
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
