// The application: start-up, the language of the menus, the recent-file list and the
// commands that belong to the program as a whole.
#pragma once

#include <QApplication>
#include <QStringList>

#include <memory>
#include <string>

class CMainFrame;

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
    // files dropped on the window. The file replaces the document without the question
    // about clearing the data. False when the file could not be opened (already reported).
    bool OpenDocumentFile(const QString& path);

    // Puts the language file's texts on the menus.
    void TranslateMenus();
    // Brings menus, model and form up to date after the language file or the memory image
    // changed.
    void ApplyLanguage();

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    QStringList RecentFiles() const { return m_recentFiles; }

    // 1: the next new-document step starts quietly, without asking, and resets the flag.
    int m_bSilentNew = 0;

private:
    void OnCommand(int id);
    void LoadRecentFiles();
    void AddToRecentFileList(const QString& path);
    void RemoveFromRecentFileList(const QString& path);
    void SaveRecentFiles();

    std::unique_ptr<CMainFrame> m_pMainFrame;
    QStringList m_recentFiles;
};
