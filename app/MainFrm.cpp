#include "app/MainFrm.h"

#include "app/CommandIds.h"
#include "app/LangString.h"
#include "app/Settings.h"
#include "link/PortDevice.h"
#include "link/TransferDlg.h"
#include "radio/DromelPgmDoc.h"
#include "views/DromelPgmView.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

namespace {

constexpr int kFrameWidth = 750;
constexpr int kFrameHeight = 600;
constexpr int kToolTipLength = 19;

// The editing keys the frame takes before the focused control sees them: copy, paste, cut
// and undo are not commands of this program.
bool IsEditingKey(const QKeyEvent* key) {
    const Qt::KeyboardModifiers mods =
        key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    switch (key->key()) {
    case Qt::Key_C:
    case Qt::Key_V:
    case Qt::Key_X:
        return mods == Qt::ControlModifier;
    case Qt::Key_Insert:
        return mods == Qt::ControlModifier || mods == Qt::ShiftModifier;
    case Qt::Key_Delete:
        return mods == Qt::ShiftModifier;
    case Qt::Key_Backspace:
        return mods == Qt::AltModifier;
    default:
        return false;
    }
}

QIcon ToolbarIcon(const char* name) {
    return QIcon(QStringLiteral(":/toolbar/%1.xpm").arg(QLatin1String(name)));
}

} // namespace

CMainFrame::CMainFrame(CDromelPgmDoc& doc, CCommPort& port) : m_doc(doc), m_port(port) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/dromel.xpm")));
    CreateMenus();
    connect(m_commands[ID_PROGRAM_READ], &QAction::triggered, this, &CMainFrame::OnProgramRead);
    connect(m_commands[ID_PROGRAM_WRITE], &QAction::triggered, this, &CMainFrame::OnProgramWrite);
    CreateToolBar();
    CreateStatusBar();

    // The form scrolls when the window is made smaller than the form.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    m_pForm = new CDromelPgmView(m_doc);
    scroll->setWidget(m_pForm);
    setCentralWidget(scroll);

    setMaximumSize(kFrameWidth, kFrameHeight);
    resize(kFrameWidth, kFrameHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    UpdatePortPane();
    m_port.Open(GetConfiguredPort(), 9600);
    UpdateCaption();
    m_nStateObserver = m_doc.AddStateObserver([this] { UpdateCaption(); });
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
    m_doc.RemoveStateObserver(m_nStateObserver);
    m_port.Close();
}

// Read from Radio and Write to Radio: the transfer dialog reports every failure itself and
// brings the document and the form up to date after a read.
void CMainFrame::OnProgramRead() {
    CTransferDlg dlg(m_port, m_doc, this);
    dlg.SetMode(true);
    dlg.DoModal();
}

void CMainFrame::OnProgramWrite() {
    CTransferDlg dlg(m_port, m_doc, this);
    dlg.SetMode(false);
    dlg.DoModal();
}

// The caption: the document's title ("default" until it is saved or loaded), " - " and the
// program's title.
void CMainFrame::UpdateCaption() {
    setWindowTitle(QString::fromStdString(m_doc.GetTitle()) + QStringLiteral(" - BriselPgm"));
}

QAction* CMainFrame::AddCommand(int id, const QString& text, const QKeySequence& shortcut) {
    auto* action = new QAction(text, this);
    action->setData(id);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, id] { emit commandTriggered(id); });
    addAction(action);
    m_commands[id] = action;
    return action;
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(
        AddCommand(ID_FILE_NEW, QStringLiteral("&New\tCtrl+N"), QKeySequence("Ctrl+N")));
    file->addAction(
        AddCommand(ID_FILE_OPEN, QStringLiteral("&Open...\tCtrl+O"), QKeySequence("Ctrl+O")));
    file->addAction(
        AddCommand(ID_FILE_SAVE, QStringLiteral("&Save\tCtrl+S"), QKeySequence("Ctrl+S")));
    file->addAction(AddCommand(ID_FILE_SAVE_AS, QStringLiteral("Save &As...")));
    file->addSeparator();
    file->addAction(
        AddCommand(ID_FILE_PRINT, QStringLiteral("&Print...\tCtrl+P"), QKeySequence("Ctrl+P")));
    file->addAction(AddCommand(ID_FILE_PRINT_PREVIEW, QStringLiteral("Print Pre&view")));
    file->addAction(AddCommand(ID_FILE_PRINT_SETUP, QStringLiteral("P&rint Setup...")));
    file->addSeparator();
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* action = new QAction(this);
        action->setData(ID_FILE_MRU_FILE1 + i);
        connect(action, &QAction::triggered, this,
                [this, action] { emit recentFileChosen(action->statusTip()); });
        file->addAction(action);
        m_recentFileActions.append(action);
    }
    SetRecentFiles({});
    file->addSeparator();
    file->addAction(AddCommand(ID_APP_EXIT, QStringLiteral("E&xit")));

    QMenu* program = menuBar()->addMenu(QStringLiteral("&Program"));
    program->addAction(AddCommand(ID_PROGRAM_READ, QStringLiteral("&Read from Radio\tCtrl+R"),
                                  QKeySequence("Ctrl+R")));
    program->addAction(AddCommand(ID_PROGRAM_WRITE, QStringLiteral("&Write to Radio\tCtrl+W"),
                                  QKeySequence("Ctrl+W")));
    program->addSeparator();
    program->addAction(AddCommand(ID_PROGRAM_TEST, QStringLiteral("&Test Mode\tCtrl+T")));
    program->addAction(AddCommand(ID_PROGRAM_TESTFREQ, QStringLiteral("Test &Frequency")));

    QMenu* setup = menuBar()->addMenu(QStringLiteral("&Setup"));
    setup->addAction(AddCommand(ID_SETUP_PORT, QStringLiteral("&Communication Port")));
    setup->addSeparator();
    setup->addAction(AddCommand(ID_SETUP_LANGUAGE, QStringLiteral("&Language Setup")));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(AddCommand(ID_HELP_HELP, QStringLiteral("&Help")));
    help->addSeparator();
    help->addAction(AddCommand(ID_APP_ABOUT, QStringLiteral("&About BriselPgm...")));
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
        action->setIcon(ToolbarIcon(icon));
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
    addButton(AddCommand(ID_NEXT_LANGUAGE, QString()), "language");
    addButton(m_commands[ID_APP_ABOUT], "about");
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
    statusBar()->addWidget(m_portPane);
    statusBar()->addPermanentWidget(m_numLockPane);
}

QAction* CMainFrame::CommandAction(int id) const {
    const auto it = m_commands.find(id);
    return it == m_commands.end() ? nullptr : it->second;
}

void CMainFrame::UpdatePortPane() {
    const std::string com = GetSettingString("setup", "com", "1", 8);
    m_portPane->setText(QStringLiteral("COM") + QString::fromStdString(com));
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
    return QString::fromStdString(GetLangString("IDS_TIP_" + std::to_string(id)))
        .left(kToolTipLength);
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
    if (IsSwallowedKey(watched, event)) {
        event->accept();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::IsSwallowedKey(QObject* watched, QEvent* event) const {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    const auto* widget = qobject_cast<QWidget*>(watched);
    return widget && widget->window() == this && IsEditingKey(static_cast<QKeyEvent*>(event));
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

void CMainFrame::closeEvent(QCloseEvent* event) {
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
    if (!paths.isEmpty()) {
        emit filesDropped(paths);
    }
}
