// The program's help window: a compiled help file (Qt Help) with its contents, index and a
// search beside the page, and Back, Forward and Home. The search finds every page holding
// the text typed (HelpSearch.h), in any language. A help file that is not
// there is reported in the window, by name.
#pragma once

#include "app/HelpSearch.h"

#include <QList>
#include <QMainWindow>
#include <QStringList>
#include <QUrl>

#include <memory>
#include <vector>

class QAction;
class QHelpEngine;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTemporaryDir;
class QTextBrowser;

class CHelpWnd : public QMainWindow {
    Q_OBJECT

public:
    explicit CHelpWnd(QWidget* parent = nullptr);
    ~CHelpWnd() override;

    // Shows the help file at strFile on its start page; the file already shown stays where
    // the reader is. A file that cannot be read is reported in the window.
    void ShowHelpFile(const QString& strFile);
    // Shows text in place of any help (the help is in a form this window does not show).
    void ShowMessage(const QString& text);
    // Puts the language file's texts on the window.
    void Translate();

    QString HelpFile() const { return m_strFile; }
    QUrl StartPage() const { return m_startPage; }
    QHelpEngine* Engine() const { return m_pEngine; }
    QTextBrowser* Browser() const { return m_pBrowser; }
    QTabWidget* Tabs() const { return m_pTabs; }
    QLineEdit* IndexFilter() const { return m_pIndexFilter; }
    QLineEdit* SearchInput() const { return m_pSearchInput; }
    QPushButton* SearchButton() const { return m_pSearchButton; }
    QListWidget* SearchResults() const { return m_pSearchResults; }
    QLabel* SearchStatus() const { return m_pSearchStatus; }

    // Lists the pages holding text in the search pane, best first, and returns their paths
    // ("/doc/editing.html").
    QStringList Search(const QString& text);

private:
    void ClearHelp();
    bool OpenHelpFile(const QString& strFile);
    void BuildTabs();
    void ReadPages(const QString& ns);
    void OnLinkClicked(const QUrl& url);
    void OnHome();

    std::unique_ptr<QTemporaryDir> m_pCollections; // the engines' own files
    QHelpEngine* m_pEngine = nullptr;
    QString m_strFile;
    QUrl m_startPage;
    QTextBrowser* m_pBrowser = nullptr;
    QTabWidget* m_pTabs = nullptr;
    QLineEdit* m_pIndexFilter = nullptr;
    QLineEdit* m_pSearchInput = nullptr;
    QPushButton* m_pSearchButton = nullptr;
    QLabel* m_pSearchStatus = nullptr;
    QListWidget* m_pSearchResults = nullptr;
    std::vector<SHelpPage> m_pages; // the help file's pages as plain text, for the search
    QList<QUrl> m_pageUrls;         // their addresses, in the same order
    QAction* m_pBack = nullptr;
    QAction* m_pForward = nullptr;
    QAction* m_pHome = nullptr;
};
