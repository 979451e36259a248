#include "app/MainFrm.h"

#include "app/AppMessageBox.h"
#include "app/AppOpenUrl.h"
#include "app/AppPaths.h"
#include "app/CommandTable.h"
#include "app/FileReasonText.h"
#include "app/FrameFit.h"
#include "app/HelpFiles.h"
#include "app/HelpWnd.h"
#include "app/LangText.h"
#include "app/Settings.h"
#include "app/TranslateDialog.h"
#include "grid/PaletteColours.h"
#include "link/CommPort.h"
#include "link/DifferencesDlg.h"
#include "link/PortDevice.h"
#include "link/RestoreDlg.h"
#include "link/TestModeDlg.h"
#include "link/TransferDlg.h"
#include "radio/DromelPgmDoc.h"
#include "radio/UndoStepName.h"
#include "views/DromelPgmView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include <cstdio>

namespace {

constexpr int kFrameWidth = 750;
constexpr int kFrameHeight = 600;
// How long a completed transfer stays in the status bar (ms).
constexpr int kCompletedShownFor = 8000;

// A stop signal ends the program right after the transfer stopped, so what the radio holds
// goes to the terminal the program was started from.
void ReportInterrupted(const QString& text) {
    std::fprintf(stderr, "DromelPgm: %s\n", text.toLocal8Bit().constData());
}
constexpr int kToolTipLength = 19;

// The Edit menu's items in menu order; 0 for a separator. Undo and Redo belong to the frame,
// the others act on the form's grid.
constexpr int kEditMenu[] = {ID_EDIT_UNDO,
                             ID_EDIT_REDO,
                             0,
                             ID_EDIT_CUT,
                             ID_EDIT_COPY,
                             ID_EDIT_PASTE,
                             ID_EDIT_CLEAR,
                             0,
                             ID_EDIT_SELECT_ALL,
                             0,
                             ID_EDIT_INSERT_CHANNEL,
                             ID_EDIT_DELETE_CHANNEL,
                             ID_EDIT_MOVE_UP,
                             ID_EDIT_MOVE_DOWN,
                             ID_EDIT_SORT};

// The grid's commands, which the form enables.
constexpr int kFormEditCommands[] = {ID_EDIT_CUT,
                                     ID_EDIT_COPY,
                                     ID_EDIT_PASTE,
                                     ID_EDIT_CLEAR,
                                     ID_EDIT_SELECT_ALL,
                                     ID_EDIT_INSERT_CHANNEL,
                                     ID_EDIT_DELETE_CHANNEL,
                                     ID_EDIT_MOVE_UP,
                                     ID_EDIT_MOVE_DOWN,
                                     ID_EDIT_SORT};

// Commands that are on no toolbar but have a tooltip of their own.
constexpr int kMenuToolTips[] = {ID_EDIT_UNDO, ID_EDIT_REDO, ID_FILE_IMPORT_CSV,
                                 ID_FILE_EXPORT_CSV};

// The text of the cell editor that has the keyboard: a line edit, or the one of an editable
// list; null for any other control.
QLineEdit* EditorText(QObject* watched) {
    if (auto* combo = qobject_cast<QComboBox*>(watched)) {
        return combo->lineEdit();
    }
    return qobject_cast<QLineEdit*>(watched);
}

// The top-level menus by position.
constexpr const char* kMenuBarKeys[] = {"MENU_FILE", "MENU_EDIT", "MENU_PROGRAM", "MENU_SETUP",
                                        "MENU_HELP"};

// A toolbar picture at 1x and 2x; on a dark toolbar its light variant.
QIcon ToolbarIcon(const QString& name, const QPalette& palette) {
    const bool dark = RelativeLuminance(palette.color(QPalette::Window)) <
                      RelativeLuminance(palette.color(QPalette::WindowText));
    const QString base = QStringLiteral(":/toolbar/") + name + (dark ? "-light" : "");
    QIcon icon;
    icon.addFile(base + QStringLiteral(".png"), QSize(16, 15));
    icon.addFile(base + QStringLiteral("@2x.png"), QSize(32, 30));
    return icon;
}

QIcon WindowIcon() {
    QIcon icon;
    for (const int size : {16, 32, 64, 256}) {
        icon.addFile(QStringLiteral(":/dromel-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace

CMainFrame::CMainFrame(CDromelPgmDoc& doc, CCommPort& port)
    : m_doc(doc), m_port(port), m_history(doc) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowIcon(WindowIcon());
    CreateMenus();
    CreateToolBar();
    ConnectCommand(ID_PROGRAM_READ, this, &CMainFrame::OnProgramRead);
    ConnectCommand(ID_PROGRAM_WRITE, this, &CMainFrame::OnProgramWrite);
    ConnectCommand(ID_HELP_HELP, this, &CMainFrame::OnHelpHelp);
    ConnectCommand(ID_PROGRAM_TEST, this, &CMainFrame::OnProgramTest);
    ConnectCommand(ID_PROGRAM_COMPARE, this, &CMainFrame::OnProgramCompare);
    ConnectCommand(ID_PROGRAM_RESTORE, this, &CMainFrame::OnProgramRestore);
    ConnectCommand(ID_EDIT_UNDO, this, &CMainFrame::OnEditUndo);
    ConnectCommand(ID_EDIT_REDO, this, &CMainFrame::OnEditRedo);
    CreateStatusBar();

    // The form scrolls when the window is made smaller than the form.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    // The scroll area shows no focus of its own; Tab goes straight to the form's controls.
    scroll->setFocusPolicy(Qt::NoFocus);
    m_pForm = new CDromelPgmView(m_doc);
    scroll->setWidget(m_pForm);
    ConnectCommand(ID_FILE_PRINT, m_pForm, &CDromelPgmView::OnFilePrint);
    ConnectCommand(ID_FILE_PRINT_PREVIEW, m_pForm, &CDromelPgmView::OnFilePrintPreview);
    ConnectEditCommands();
    connect(m_pForm, &CDromelPgmView::valueNotice, m_noticePane, &QLabel::setText);
    setCentralWidget(scroll);

    // Maximised, the window fills the screen and the form stands in its middle at the top.
    scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    (new CFrameFit(this, QSize(kFrameWidth, kFrameHeight)))->Place();
    m_port.Open(GetConfiguredPort(), 9600);
    UpdatePortPane();
    UpdateCaption();
    m_nStateObserver = m_doc.AddStateObserver([this] { UpdateCaption(); });
    // Registered after the history's own observer, so the history is up to date here.
    m_nChangeObserver =
        m_doc.AddChangeObserver([this](const SDocChange&) { UpdateUndoCommands(); });
    UpdateUndoCommands();
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
    m_doc.RemoveChangeObserver(m_nChangeObserver);
    m_doc.RemoveStateObserver(m_nStateObserver);
    m_port.Close();
}

// Read from Radio, Write to Radio, Compare with Radio and Restore Backup: the transfer dialog
// reports every failure itself and brings the document and the form up to date after a read;
// the menus then follow the language file as it is now. What it completed shows in the
// status bar for a while.
void CMainFrame::RunTransfer(CTransferDlg& dlg) {
    connect(&dlg, &CTransferDlg::imageRead, this, &CMainFrame::TranslateMenus);
    connect(&dlg, &CTransferDlg::portStateChanged, this, &CMainFrame::UpdatePortPane);
    connect(&dlg, &CTransferDlg::transferInterrupted, this, &ReportInterrupted);
    connect(&dlg, &CTransferDlg::transferCompleted, this, &CMainFrame::ShowCompleted);
    if (dlg.DoModal() == QDialog::Accepted && dlg.Differences() &&
        (dlg.Job() == ETransferJob::kCompare || !dlg.Differences()->empty())) {
        CDifferencesDlg differences(*dlg.Differences(), this);
        differences.DoModal();
    }
}

// A read replaces the document: unsaved changes are offered for saving first, and a Cancel
// (or a save that failed) sends nothing to the radio.
void CMainFrame::OnProgramRead() {
    bool allow = true;
    emit queryDiscard(&allow);
    if (!allow) {
        return;
    }
    CTransferDlg dlg(m_port, m_doc, this);
    dlg.SetJob(ETransferJob::kRead);
    RunTransfer(dlg);
}

void CMainFrame::OnProgramWrite() {
    CTransferDlg dlg(m_port, m_doc, this);
    dlg.SetJob(ETransferJob::kWrite);
    RunTransfer(dlg);
}

void CMainFrame::OnProgramCompare() {
    CTransferDlg dlg(m_port, m_doc, this);
    dlg.SetJob(ETransferJob::kCompare);
    RunTransfer(dlg);
}

// The backup chosen is written as a data file would be, from a document of its own: the
// document on the form stays as it is.
void CMainFrame::OnProgramRestore() {
    CRestoreDlg choose(this);
    if (choose.DoModal() != QDialog::Accepted) {
        return;
    }
    CDromelPgmDoc backup;
    const DataFileResult loaded = backup.LoadFile(choose.ChosenPath());
    if (!loaded || !loaded.headerAccepted) {
        AppMessageBox(
            LangText("IDS_RESTORE_UNREADABLE",
                     {choose.ChosenPath(),
                      loaded ? LangText("IDS_WARN_LOAD").toStdString() : FileReasonText(loaded)}),
            LangText("IDS_ERROR"), MB_OK | MB_ICONHAND);
        return;
    }
    CTransferDlg dlg(m_port, backup, this);
    dlg.SetJob(ETransferJob::kRestore);
    RunTransfer(dlg);
}

void CMainFrame::ShowCompleted(const QString& text) {
    statusBar()->showMessage(text, kCompletedShownFor);
}

// Test Mode edits the alignment values of the document's image; what it did is not needed
// here.
void CMainFrame::OnProgramTest() {
    CTestModeDlg dlg(m_doc, this);
    dlg.DoModal();
}

void CMainFrame::OnEditUndo() {
    m_history.Undo();
}

void CMainFrame::OnEditRedo() {
    m_history.Redo();
}

void CMainFrame::UpdateUndoCommands() {
    const auto show = [this](int id, const SUndoStep* step, const char* stepKey) {
        QAction* action = m_commands.at(id);
        action->setEnabled(step != nullptr);
        action->setText(step ? LangText(stepKey, {UndoStepName(*step)})
                             : LangText(FindCommand(id)->pszMenuKey));
    };
    show(ID_EDIT_UNDO, m_history.UndoStep(), "IDS_MENU_UNDO_STEP");
    show(ID_EDIT_REDO, m_history.RedoStep(), "IDS_MENU_REDO_STEP");
}

void CMainFrame::OnHelpHelp() {
    ShowHelp(true);
}

// The help of the language in force: its compiled help file in the help window, or, when
// only a help file for another viewer (.chm) is there, that file on the desktop's viewer.
// bRaise: the window comes to the front (Help was chosen) rather than only following the
// language where it is.
void CMainFrame::ShowHelp(bool bRaise) {
    const QString help = QString::fromStdString(HelpFileFor(g_strLangFile, ".qch"));
    const QString chm = QString::fromStdString(HelpFileFor(g_strLangFile, ".chm"));
    if (!m_pHelpWnd) {
        m_pHelpWnd = new CHelpWnd(this);
        m_pHelpWnd->move(frameGeometry().center() - m_pHelpWnd->rect().center());
    }
    if (!QFileInfo::exists(help) && QFileInfo(chm).isFile()) {
        if (AppOpenUrl(QUrl::fromLocalFile(chm))) {
            m_pHelpWnd->hide();
            return;
        }
        m_pHelpWnd->ShowMessage(LangText("IDS_HELP_NOVIEWER", {chm.toStdString()}));
    } else {
        m_pHelpWnd->ShowHelpFile(help);
    }
    m_pHelpWnd->show();
    if (bRaise) {
        m_pHelpWnd->raise();
        m_pHelpWnd->activateWindow();
    }
}

void CMainFrame::LanguageChanged() {
    TranslateMenus();
    if (m_pHelpWnd && m_pHelpWnd->isVisible()) {
        ShowHelp(false);
    }
}

// The caption: the document's title ("default" until it is saved or loaded), "*" while it
// has unsaved changes, " - " and the program's title.
void CMainFrame::UpdateCaption() {
    setWindowTitle(QString::fromStdString(m_doc.GetTitle()) + QStringLiteral("[*] - BriselPgm"));
    setWindowModified(m_doc.IsModified());
}

QAction* CMainFrame::AddCommand(int id) {
    const SCommandInfo* info = FindCommand(id);
    Q_ASSERT(info);
    auto* action = new QAction(QString::fromUtf8(info->pszText), this);
    action->setData(id);
    action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(info->pszShortcut)));
    // Connected before the command's handler: what the user typed into a cell reaches the
    // document before any command looks at it.
    connect(action, &QAction::triggered, this, &CMainFrame::CommitPendingEdit);
    addAction(action);
    m_commands[id] = action;
    return action;
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(AddCommand(ID_FILE_NEW));
    file->addAction(AddCommand(ID_FILE_OPEN));
    file->addAction(AddCommand(ID_FILE_SAVE));
    file->addAction(AddCommand(ID_FILE_SAVE_AS));
    file->addSeparator();
    file->addAction(AddCommand(ID_FILE_IMPORT_CSV));
    file->addAction(AddCommand(ID_FILE_EXPORT_CSV));
    file->addSeparator();
    file->addAction(AddCommand(ID_FILE_PRINT));
    file->addAction(AddCommand(ID_FILE_PRINT_PREVIEW));
    file->addAction(AddCommand(ID_FILE_PRINT_SETUP));
    file->addSeparator();
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* action = new QAction(this);
        action->setData(ID_FILE_MRU_FILE1 + i);
        connect(action, &QAction::triggered, this, [this, action] {
            CommitPendingEdit();
            emit recentFileChosen(action->statusTip());
        });
        file->addAction(action);
        m_recentFileActions.append(action);
    }
    SetRecentFiles({});
    file->addSeparator();
    file->addAction(AddCommand(ID_APP_EXIT));

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    for (const int id : kEditMenu) {
        if (id == 0) {
            edit->addSeparator();
        } else {
            edit->addAction(AddCommand(id));
        }
    }

    QMenu* program = menuBar()->addMenu(QStringLiteral("&Program"));
    program->addAction(AddCommand(ID_PROGRAM_READ));
    program->addAction(AddCommand(ID_PROGRAM_WRITE));
    program->addAction(AddCommand(ID_PROGRAM_COMPARE));
    program->addAction(AddCommand(ID_PROGRAM_RESTORE));
    program->addSeparator();
    program->addAction(AddCommand(ID_PROGRAM_TEST));
    program->addAction(AddCommand(ID_PROGRAM_TESTFREQ));

    QMenu* setup = menuBar()->addMenu(QStringLiteral("&Setup"));
    setup->addAction(AddCommand(ID_SETUP_PORT));
    setup->addSeparator();
    setup->addAction(AddCommand(ID_SETUP_LANGUAGE));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(AddCommand(ID_HELP_HELP));
    help->addSeparator();
    help->addAction(AddCommand(ID_APP_ABOUT));
}

void CMainFrame::ConnectEditCommands() {
    ConnectCommand(ID_EDIT_CUT, m_pForm, &CDromelPgmView::OnEditCut);
    ConnectCommand(ID_EDIT_COPY, m_pForm, &CDromelPgmView::OnEditCopy);
    ConnectCommand(ID_EDIT_PASTE, m_pForm, &CDromelPgmView::OnEditPaste);
    ConnectCommand(ID_EDIT_CLEAR, m_pForm, &CDromelPgmView::OnEditClear);
    ConnectCommand(ID_EDIT_SELECT_ALL, m_pForm, &CDromelPgmView::OnEditSelectAll);
    ConnectCommand(ID_EDIT_INSERT_CHANNEL, m_pForm, &CDromelPgmView::OnEditInsertChannel);
    ConnectCommand(ID_EDIT_DELETE_CHANNEL, m_pForm, &CDromelPgmView::OnEditDeleteChannel);
    ConnectCommand(ID_EDIT_MOVE_UP, m_pForm, &CDromelPgmView::OnEditMoveUp);
    ConnectCommand(ID_EDIT_MOVE_DOWN, m_pForm, &CDromelPgmView::OnEditMoveDown);
    ConnectCommand(ID_EDIT_SORT, m_pForm, &CDromelPgmView::OnEditSort);
    connect(m_pForm, &CDromelPgmView::editStateChanged, this, &CMainFrame::UpdateEditCommands);
    UpdateEditCommands();
}

void CMainFrame::UpdateEditCommands() {
    for (const int id : kFormEditCommands) {
        m_commands.at(id)->setEnabled(m_pForm->CanEdit(id));
    }
}

void CMainFrame::CreateToolBar() {
    m_wndToolBar = new QToolBar(this);
    m_wndToolBar->setObjectName(QStringLiteral("toolbar"));
    m_wndToolBar->setIconSize(QSize(16, 15));
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_wndToolBar->setFloatable(true);
    m_wndToolBar->setMovable(true);
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);

    const auto addButton = [this](QAction* action, const char* icon) {
        action->setProperty("toolbarIcon", QString::fromLatin1(icon));
        m_wndToolBar->addAction(action);
    };
    addButton(m_commands[ID_FILE_NEW], "new");
    addButton(m_commands[ID_FILE_OPEN], "open");
    addButton(m_commands[ID_FILE_SAVE], "save");
    m_wndToolBar->addSeparator();
    addButton(m_commands[ID_PROGRAM_READ], "read");
    addButton(m_commands[ID_PROGRAM_WRITE], "write");
    m_wndToolBar->addSeparator();
    addButton(m_commands[ID_FILE_PRINT], "print");
    m_wndToolBar->addSeparator();
    addButton(AddCommand(ID_NEXT_LANGUAGE), "language");
    addButton(m_commands[ID_APP_ABOUT], "about");
    ShowToolbarIcons();
}

void CMainFrame::ShowToolbarIcons() {
    for (QAction* action : m_wndToolBar->actions()) {
        const QString name = action->property("toolbarIcon").toString();
        if (!name.isEmpty()) {
            action->setIcon(ToolbarIcon(name, palette()));
        }
    }
}

void CMainFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange && m_wndToolBar) {
        ShowToolbarIcons();
    }
    QMainWindow::changeEvent(event);
}

void CMainFrame::CreateStatusBar() {
    m_portPane = new QLabel(this);
    m_portPane->setObjectName(QStringLiteral("portPane"));
    m_portPane->setMinimumWidth(
        m_portPane->fontMetrics().horizontalAdvance(QStringLiteral("COMX")) + 8);
    m_numLockPane = new QLabel(this);
    m_numLockPane->setObjectName(QStringLiteral("numLockPane"));
    m_numLockPane->setMinimumWidth(
        m_numLockPane->fontMetrics().horizontalAdvance(QStringLiteral("NUM")) + 8);
    // What the last cell commit changed beyond what was typed.
    m_noticePane = new QLabel(this);
    m_noticePane->setObjectName(QStringLiteral("noticePane"));
    m_noticePane->setTextFormat(Qt::PlainText);
    statusBar()->addWidget(m_portPane);
    statusBar()->addWidget(m_noticePane, 1);
    statusBar()->addPermanentWidget(m_numLockPane);
}

QWidget* CMainFrame::FormView() const {
    return m_pForm;
}

void CMainFrame::SetPrinter(QPrinter* printer) {
    m_pForm->SetPrinter(printer);
}

QString CMainFrame::CommandHandler(int id) const {
    const auto it = m_commandHandlers.find(id);
    return it == m_commandHandlers.end() ? QString() : it->second;
}

void CMainFrame::TranslateMenus() {
    const QList<QAction*> menus = menuBar()->actions();
    for (int i = 0; i < menus.size() && i < static_cast<int>(std::size(kMenuBarKeys)); ++i) {
        menus[i]->setText(LangText(kMenuBarKeys[i]));
    }
    for (const SCommandInfo& info : kCommandTable) {
        if (info.pszMenuKey) {
            m_commands.at(info.nId)->setText(LangText(info.pszMenuKey));
        }
    }
    for (const int id : kMenuToolTips) {
        m_commands.at(id)->setToolTip(ToolTipText(id));
    }
    UpdateUndoCommands();
}

QAction* CMainFrame::CommandAction(int id) const {
    const auto it = m_commands.find(id);
    return it == m_commands.end() ? nullptr : it->second;
}

void CMainFrame::UpdatePortPane() {
    const std::string com = GetSettingString("setup", "com", "1", 8);
    m_portPane->setText(QStringLiteral("COM") + QString::fromStdString(com));
    // Greyed while the port is not open; the tooltip names the device and its state.
    const bool open = m_port.IsOpen();
    m_portPane->setEnabled(open);
    const std::string device = open ? m_port.Device() : GetPortDevice(GetConfiguredPort());
    m_portPane->setToolTip(LangText(open ? "IDS_PORT_OPEN" : "IDS_PORT_CLOSED", {device}));
}

QString CMainFrame::PortPaneText() const {
    return m_portPane->text();
}

void CMainFrame::SetRecentFiles(const QStringList& files) {
    for (int i = 0; i < m_recentFileActions.size(); ++i) {
        QAction* action = m_recentFileActions[i];
        if (i < files.size()) {
            QString name = QDir::toNativeSeparators(files[i]);
            name.replace(QLatin1Char('&'), QLatin1String("&&"));
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
            action->setStatusTip(files[i]);
            action->setEnabled(true);
            action->setVisible(true);
        } else {
            // An empty list shows one greyed entry, as a place for the files to come.
            action->setText(QStringLiteral("Recent File"));
            action->setStatusTip(QString());
            action->setEnabled(false);
            action->setVisible(i == 0 && files.isEmpty());
        }
    }
}

QString CMainFrame::ToolTipText(int id) {
    return LangText("IDS_TIP_" + std::to_string(id)).left(kToolTipLength);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* button = qobject_cast<QToolButton*>(watched);
        if (button && button->parent() == m_wndToolBar && button->defaultAction()) {
            const auto* help = static_cast<QHelpEvent*>(event);
            QToolTip::showText(help->globalPos(),
                               ToolTipText(button->defaultAction()->data().toInt()), button);
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        UpdateNumLockPane(event);
    }
    if (event->type() == QEvent::Hide) {
        // Only a window that had the keyboard, or after which no window has it.
        const auto* window = qobject_cast<QWidget*>(watched);
        const QWidget* active = QApplication::activeWindow();
        if (window && window != this && window->isWindow() && window->isModal() &&
            (!active || active == window)) {
            QTimer::singleShot(0, this, &CMainFrame::ReactivateAfterModal);
        }
    }
    if (ForwardEditorUndo(watched, event)) {
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// A modal dialog or message box the user was in has closed: the keyboard goes back to the
// modal window still open under it, else to the main window. Without this, a window manager
// that does not hand the focus back to the owner (or none at all) leaves the program without
// an active window, and its shortcuts do nothing until a click.
void CMainFrame::ReactivateAfterModal() {
    QWidget* target = QApplication::activeModalWidget();
    if (!target) {
        target = this;
    }
    const QWidget* active = QApplication::activeWindow();
    if (target->isVisible() && (!active || !active->isVisible())) {
        target->activateWindow();
    }
}

// Inside a cell editor the keys of Undo and Redo act on the editor's text: the shortcut
// gives way to the key, and the key undoes or redoes what was typed there.
bool CMainFrame::ForwardEditorUndo(QObject* watched, QEvent* event) const {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    QLineEdit* text = EditorText(watched);
    if (!text || text->window() != this) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence typed(key->keyCombination());
    const bool undo = m_commands.at(ID_EDIT_UNDO)->shortcuts().contains(typed);
    const bool redo = m_commands.at(ID_EDIT_REDO)->shortcuts().contains(typed);
    if (!undo && !redo) {
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        if (undo) {
            text->undo();
        } else {
            text->redo();
        }
    }
    event->accept();
    return true;
}

void CMainFrame::UpdateNumLockPane(QEvent* event) {
    // Only the X11 platform passes the keyboard's lock state with each key (Mod2 = Num Lock).
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return;
    }
    constexpr quint32 kNumLockMask = 0x10;
    const bool on = static_cast<QKeyEvent*>(event)->nativeModifiers() & kNumLockMask;
    m_numLockPane->setText(on ? QStringLiteral("NUM") : QString());
}

void CMainFrame::CommitPendingEdit() {
    if (m_pForm) {
        m_pForm->CommitPendingEdit();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    CommitPendingEdit();
    bool allow = true;
    emit queryClose(&allow);
    if (allow) {
        event->accept();
    } else {
        event->ignore();
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths.append(url.toLocalFile());
        }
    }
    event->acceptProposedAction();
    CommitPendingEdit();
    if (!paths.isEmpty()) {
        emit filesDropped(paths);
    }
}
