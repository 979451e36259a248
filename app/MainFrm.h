// The main window: menu bar, toolbar, status bar and the main form.
#pragma once

#include "radio/UndoHistory.h"

#include <QAction>
#include <QMainWindow>

#include <map>

class CCommPort;
class CTransferDlg;
class CDromelPgmDoc;
class CDromelPgmView;
class CHelpWnd;
class QLabel;
class QPrinter;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    // The frame shows doc: its title in the caption and its data on the form. It opens port
    // as [setup] com of the settings file chooses (a port that does not open stays closed
    // until a transfer tries again) and closes it when the frame goes.
    CMainFrame(CDromelPgmDoc& doc, CCommPort& port);
    ~CMainFrame() override;

    CDromelPgmDoc* GetActiveDocument() const { return &m_doc; }
    // The document's edit history, which Undo and Redo of the Edit menu walk.
    CUndoHistory& History() { return m_history; }

    // The action of command id (menu item, toolbar button or both); null for an unknown id.
    QAction* CommandAction(int id) const;
    QToolBar* ToolBar() const { return m_wndToolBar; }
    QWidget* FormView() const;
    // The printer that the form's Print and Print Preview use; not owned.
    void SetPrinter(QPrinter* printer);

    // Connects the action of command id to its one handler; each command has exactly one.
    template <class TReceiver>
    void ConnectCommand(int id, TReceiver* receiver, void (TReceiver::*handler)()) {
        QAction* action = CommandAction(id);
        Q_ASSERT(action && !m_commandHandlers.contains(id));
        connect(action, &QAction::triggered, receiver, handler);
        m_commandHandlers[id] = receiver->metaObject()->className();
    }
    // The class of the object whose handler command id reaches; empty while it has none.
    QString CommandHandler(int id) const;

    // Puts the language file's texts on the menus.
    void TranslateMenus();
    // After a change of the language file: the menus, and the help window when it is open,
    // follow the new language.
    void LanguageChanged();
    // The help window; null until Help was first chosen.
    CHelpWnd* HelpWindow() const { return m_pHelpWnd; }

    // Pane 0 of the status bar: "COM" and [setup] com of the settings file, greyed while the
    // port is not open.
    void UpdatePortPane();
    QString PortPaneText() const;

    // The File menu's recent-file entries, most recent first (at most four).
    void SetRecentFiles(const QStringList& files);

    // The toolbar tooltip of command id as looked up now: IDS_TIP_<id>, cut to 19 characters.
    static QString ToolTipText(int id);

signals:
    void recentFileChosen(const QString& path);
    void filesDropped(const QStringList& paths);
    // The user asks to close the window; a handler sets *allow to false to keep it open.
    void queryClose(bool* allow);
    // A read is about to replace the document; a handler sets *allow to false to keep it
    // (the unsaved changes were not saved, or the user cancelled).
    void queryDiscard(bool* allow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* AddCommand(int id);
    void CreateMenus();
    void CreateToolBar();
    void ShowToolbarIcons();
    void ConnectEditCommands();
    // Each Edit command enabled only while it can act on the form.
    void UpdateEditCommands();
    void CreateStatusBar();
    void UpdateNumLockPane(QEvent* event);
    void UpdateCaption();
    // Undo and Redo enabled when there is a step, and named after it.
    void UpdateUndoCommands();
    bool ForwardEditorUndo(QObject* watched, QEvent* event) const;
    void CommitPendingEdit();
    void ReactivateAfterModal();
    void RunTransfer(CTransferDlg& dlg);
    void ShowCompleted(const QString& text);
    void OnProgramRead();
    void OnProgramWrite();
    void OnProgramCompare();
    void OnProgramRestore();
    void OnHelpHelp();
    void ShowHelp(bool bRaise);
    void OnProgramTest();
    void OnEditUndo();
    void OnEditRedo();

    CDromelPgmDoc& m_doc;
    CCommPort& m_port;
    CUndoHistory m_history;
    int m_nStateObserver = 0;
    int m_nChangeObserver = 0;

    QToolBar* m_wndToolBar = nullptr;
    QLabel* m_portPane = nullptr;
    QLabel* m_noticePane = nullptr;
    QLabel* m_numLockPane = nullptr;
    CDromelPgmView* m_pForm = nullptr;
    CHelpWnd* m_pHelpWnd = nullptr;
    std::map<int, QAction*> m_commands;
    std::map<int, QString> m_commandHandlers;
    QList<QAction*> m_recentFileActions;
};
