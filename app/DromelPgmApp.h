// The application: start-up, the language of the menus, the recent-file list and the
// commands that belong to the program as a whole.
#pragma once

#include "app/AppDocQuestions.h"
#include "app/AtomicFile.h"
#include "link/CommPort.h"
#include "radio/DocLifecycle.h"
#include "radio/DromelPgmDoc.h"

#include <QApplication>
#include <QStringList>
#include <QTranslator>

#include <memory>
#include <string>

class CMainFrame;
class QPrinter;

class CDromelPgmApp : public QApplication {
    Q_OBJECT

public:
    CDromelPgmApp(int& argc, char** argv);
    ~CDromelPgmApp() override;

    // The one application object.
    static CDromelPgmApp* Instance();

    // Start-up with the program's files beside the executable and its command line; false
    // ends the program before any window is shown.
    bool InitInstance();
    // Start-up with the program's files in appDir and the given command-line arguments
    // (without the program name). Starting again replaces the main window.
    bool InitInstance(const std::string& appDir, const QStringList& arguments);

    // Every way of opening a file comes here: File Open, a recent file, the command line and
    // files dropped on the window. After the question about unsaved changes, the file
    // replaces the document without the question about clearing the data. False when the
    // file was not opened (a failure is reported to the user).
    bool OpenDocumentFile(const QString& path);

    // Brings menus, model and form up to date after the language file or the memory image
    // changed.
    void ApplyLanguage();

    // Ends the program when the pipe wakeFd of CStopSignals becomes readable: a transfer in
    // progress stops between two blocks and releases the port, every dialog closes, and the
    // event loop returns 128 + the signal's number.
    void EndOnStopSignal(int wakeFd);

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    CDromelPgmDoc& GetDocument() { return m_doc; }
    QStringList RecentFiles() const { return m_recentFiles; }

    // The serial port to the radio, opened by the main frame; it outlives the frame.
    CCommPort m_port;

private:
    CDromelPgmDoc m_doc;
    CAppDocQuestions m_questions;
    CDocLifecycle m_lifecycle{m_doc, m_questions};

public:
    // Set: the next new-document step starts quietly, without asking, and clears the flag.
    bool& m_bSilentNew = m_lifecycle.m_bSilentNew;

private:
    void ConnectCommands(CMainFrame& frame);
    void ApplyQtTranslation();
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileImportCsv();
    void OnFileExportCsv();
    void OnAppExit();
    void OnSetupPort();
    void OnSetupLanguage();
    void OnNextLanguage();
    void OnAppAbout();
    void ReportSettingNotSaved(const FileResult& result);
    void OnFilePrintSetup();
    void OnProgramTestFreq();
    void OnOpenRecentFile(const QString& path);
    void OnDocumentState();
    void OnStopSignal();
    void LoadRecentFiles();
    void AddToRecentFileList(const QString& path);
    void RemoveFromRecentFileList(const QString& path);
    void SaveRecentFiles();

    // The printer of Print, Print Preview and Print Setup: the page set up is used by the
    // next print. It outlives the frame, whose form prints on it.
    std::unique_ptr<QPrinter> m_pPrinter;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    QStringList m_recentFiles;
    std::string m_strLastPath;      // the document's path when its state was last seen
    QTranslator m_qtTranslator;     // Qt's own texts in the language in force
    QTranslator m_qtHelpTranslator; // and those of Qt Help's widgets
    QString m_strQtLocale;          // the locale m_qtTranslator was loaded for
};
