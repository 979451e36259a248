#include "app/HelpWnd.h"

#include "app/AppOpenUrl.h"
#include "app/HelpSearch.h"
#include "app/LangText.h"

#include <QAction>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr const char* kHelpScheme = "qthelp";
// Every help file keeps its pages in this virtual folder and starts at index.html.
constexpr const char* kStartPath = "/doc/index.html";
constexpr int kWidth = 900;
constexpr int kHeight = 640;
constexpr int kSideWidth = 240;

// A page browser that takes the pages, pictures and style sheets of the help file from the
// help engine.
class CHelpBrowser : public QTextBrowser {
public:
    explicit CHelpBrowser(QWidget* parent) : QTextBrowser(parent) {}
    void SetEngine(QHelpEngine* engine) { m_pEngine = engine; }

    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() == QLatin1String(kHelpScheme)) {
            return m_pEngine ? QVariant(m_pEngine->fileData(name)) : QVariant();
        }
        return QTextBrowser::loadResource(type, name);
    }

private:
    QHelpEngine* m_pEngine = nullptr;
};

} // namespace

CHelpWnd::CHelpWnd(QWidget* parent) : QMainWindow(parent, Qt::Window) {
    setObjectName(QStringLiteral("CHelpWnd"));
    m_pCollections = std::make_unique<QTemporaryDir>();

    auto* browser = new CHelpBrowser(this);
    m_pBrowser = browser;
    m_pBrowser->setOpenLinks(false);
    connect(m_pBrowser, &QTextBrowser::anchorClicked, this, &CHelpWnd::OnLinkClicked);

    m_pTabs = new QTabWidget(this);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_pTabs);
    splitter->addWidget(m_pBrowser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kSideWidth, kWidth - kSideWidth});
    setCentralWidget(splitter);

    QToolBar* toolBar = addToolBar(QString());
    toolBar->setObjectName(QStringLiteral("helpToolBar"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_pBack = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QString());
    m_pForward = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QString());
    m_pHome = toolBar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QString());
    m_pBack->setShortcut(QKeySequence::Back);
    m_pForward->setShortcut(QKeySequence::Forward);
    m_pBack->setEnabled(false);
    m_pForward->setEnabled(false);
    m_pHome->setEnabled(false);
    connect(m_pBack, &QAction::triggered, m_pBrowser, &QTextBrowser::backward);
    connect(m_pForward, &QAction::triggered, m_pBrowser, &QTextBrowser::forward);
    connect(m_pHome, &QAction::triggered, this, &CHelpWnd::OnHome);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, m_pBack, &QAction::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, m_pForward, &QAction::setEnabled);

    resize(kWidth, kHeight);
    Translate();
}

CHelpWnd::~CHelpWnd() {
    // The tabs show the engine's widgets; they go before the engine does.
    ClearHelp();
}

void CHelpWnd::Translate() {
    setWindowTitle(LangText("IDS_HELP_TITLE"));
    m_pBack->setText(LangText("IDS_HELP_BACK"));
    m_pForward->setText(LangText("IDS_HELP_FORWARD"));
    m_pHome->setText(LangText("IDS_HELP_HOME"));
    const char* const tabKeys[] = {"IDS_HELP_CONTENTS", "IDS_HELP_INDEX", "IDS_HELP_SEARCH"};
    for (int i = 0; i < m_pTabs->count() && i < static_cast<int>(std::size(tabKeys)); ++i) {
        m_pTabs->setTabText(i, LangText(tabKeys[i]));
    }
    if (m_pIndexFilter) {
        m_pIndexFilter->setPlaceholderText(LangText("IDS_HELP_LOOKFOR"));
    }
    if (m_pSearchButton) {
        m_pSearchButton->setText(LangText("IDS_HELP_FIND"));
        m_pSearchInput->setPlaceholderText(LangText("IDS_HELP_FIND_WHAT"));
    }
}

void CHelpWnd::ShowHelpFile(const QString& strFile) {
    Translate();
    if (strFile == m_strFile && m_pEngine) {
        return;
    }
    ClearHelp();
    if (!OpenHelpFile(strFile)) {
        ShowMessage(LangText("IDS_HELP_MISSING", {strFile.toStdString()}));
        return;
    }
    m_strFile = strFile;
    BuildTabs();
    Translate();
    m_pBrowser->clearHistory();
    m_pHome->setEnabled(true);
    m_pBrowser->setSource(m_startPage);
}

void CHelpWnd::ShowMessage(const QString& text) {
    ClearHelp();
    Translate();
    m_pBrowser->clearHistory();
    m_pBrowser->setPlainText(text);
}

// Each help file gets an engine of its own, so that its index and its search find only its
// own pages.
bool CHelpWnd::OpenHelpFile(const QString& strFile) {
    const QFileInfo file(strFile);
    if (!file.isFile() || !file.isReadable() || !m_pCollections->isValid()) {
        return false;
    }
    const QString ns = QHelpEngineCore::namespaceName(file.absoluteFilePath());
    if (ns.isEmpty()) {
        return false;
    }
    m_pEngine = new QHelpEngine(m_pCollections->filePath(ns + QStringLiteral(".qhc")), this);
    m_pEngine->setReadOnly(false);
    m_pEngine->setUsesFilterEngine(true);
    if (!m_pEngine->setupData()) {
        ClearHelp();
        return false;
    }
    if (!m_pEngine->registeredDocumentations().contains(ns) &&
        !m_pEngine->registerDocumentation(file.absoluteFilePath())) {
        ClearHelp();
        return false;
    }
    static_cast<CHelpBrowser*>(m_pBrowser)->SetEngine(m_pEngine);
    m_startPage = QUrl(QStringLiteral("qthelp://%1%2").arg(ns, QLatin1String(kStartPath)));
    ReadPages(ns);
    return true;
}

// The text of every page of the help file, for the search.
void CHelpWnd::ReadPages(const QString& ns) {
    m_pages.clear();
    m_pageUrls.clear();
    for (const QUrl& url : m_pEngine->files(ns, QString(), QStringLiteral("html"))) {
        const std::string html = m_pEngine->fileData(url).toStdString();
        m_pages.push_back({HelpPageTitle(html), HelpPlainText(html)});
        m_pageUrls.append(url);
    }
}

QStringList CHelpWnd::Search(const QString& text) {
    const std::vector<SHelpHit> hits = SearchHelpPages(m_pages, text.toStdString());
    m_pSearchResults->clear();
    QStringList found;
    for (const SHelpHit& hit : hits) {
        auto* item = new QListWidgetItem(
            LangText("IDS_HELP_FIND_HIT", {m_pages[hit.page].title, std::to_string(hit.hits)}),
            m_pSearchResults);
        item->setData(Qt::UserRole, m_pageUrls[static_cast<qsizetype>(hit.page)]);
        found.append(m_pageUrls[static_cast<qsizetype>(hit.page)].path());
    }
    m_pSearchStatus->setText(hits.empty()
                                 ? LangText("IDS_HELP_FIND_NONE", {text.toStdString()})
                                 : LangText("IDS_HELP_FIND_COUNT", {std::to_string(hits.size())}));
    if (!hits.empty()) {
        m_pSearchResults->setCurrentRow(0);
    }
    return found;
}

void CHelpWnd::BuildTabs() {
    QHelpContentWidget* contents = m_pEngine->contentWidget();
    connect(m_pEngine->contentModel(), &QHelpContentModel::contentsCreated, contents,
            &QTreeView::expandAll);
    connect(contents, &QHelpContentWidget::linkActivated, m_pBrowser,
            [this](const QUrl& url) { m_pBrowser->setSource(url); });
    m_pTabs->addTab(contents, QString());

    auto* index = new QWidget;
    auto* indexLayout = new QVBoxLayout(index);
    m_pIndexFilter = new QLineEdit(index);
    m_pIndexFilter->setClearButtonEnabled(true);
    QHelpIndexWidget* indexList = m_pEngine->indexWidget();
    indexLayout->addWidget(m_pIndexFilter);
    indexLayout->addWidget(indexList);
    connect(m_pIndexFilter, &QLineEdit::textChanged, indexList,
            [indexList](const QString& text) { indexList->filterIndices(text); });
    connect(m_pIndexFilter, &QLineEdit::returnPressed, indexList,
            &QHelpIndexWidget::activateCurrentItem);
    connect(indexList, &QHelpIndexWidget::documentActivated, m_pBrowser,
            [this](const QHelpLink& link, const QString&) { m_pBrowser->setSource(link.url); });
    connect(indexList, &QHelpIndexWidget::documentsActivated, m_pBrowser,
            [this](const QList<QHelpLink>& links, const QString&) {
                if (!links.isEmpty()) {
                    m_pBrowser->setSource(links.first().url);
                }
            });
    m_pTabs->addTab(index, QString());

    auto* searchPage = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    auto* searchLine = new QHBoxLayout;
    m_pSearchInput = new QLineEdit(searchPage);
    m_pSearchInput->setClearButtonEnabled(true);
    m_pSearchButton = new QPushButton(searchPage);
    searchLine->addWidget(m_pSearchInput, 1);
    searchLine->addWidget(m_pSearchButton);
    m_pSearchStatus = new QLabel(searchPage);
    m_pSearchStatus->setTextFormat(Qt::PlainText);
    m_pSearchStatus->setWordWrap(true);
    m_pSearchResults = new QListWidget(searchPage);
    searchLayout->addLayout(searchLine);
    searchLayout->addWidget(m_pSearchStatus);
    searchLayout->addWidget(m_pSearchResults, 1);
    const auto search = [this] { Search(m_pSearchInput->text()); };
    connect(m_pSearchInput, &QLineEdit::returnPressed, this, search);
    connect(m_pSearchButton, &QPushButton::clicked, this, search);
    connect(
        m_pSearchResults, &QListWidget::itemActivated, m_pBrowser,
        [this](QListWidgetItem* item) { m_pBrowser->setSource(item->data(Qt::UserRole).toUrl()); });
    connect(m_pSearchResults, &QListWidget::itemClicked, m_pBrowser, [this](QListWidgetItem* item) {
        m_pBrowser->setSource(item->data(Qt::UserRole).toUrl());
    });
    m_pTabs->addTab(searchPage, QString());
}

// The tab pages hold the engine's widgets; whichever of them the engine takes along when it
// goes, the rest go with their pages.
void CHelpWnd::ClearHelp() {
    QList<QPointer<QWidget>> pages;
    for (int i = 0; i < m_pTabs->count(); ++i) {
        pages.append(m_pTabs->widget(i));
    }
    m_pTabs->clear();
    m_pIndexFilter = nullptr;
    m_pSearchInput = nullptr;
    m_pSearchButton = nullptr;
    m_pSearchStatus = nullptr;
    m_pSearchResults = nullptr;
    m_pages.clear();
    m_pageUrls.clear();
    static_cast<CHelpBrowser*>(m_pBrowser)->SetEngine(nullptr);
    delete m_pEngine;
    m_pEngine = nullptr;
    for (const QPointer<QWidget>& page : pages) {
        delete page.data();
    }
    m_strFile.clear();
    m_startPage = QUrl();
    m_pHome->setEnabled(false);
}

// Links to pages of the help stay in the window; any other address goes to the desktop.
void CHelpWnd::OnLinkClicked(const QUrl& url) {
    if (url.scheme() == QLatin1String(kHelpScheme) || url.isRelative()) {
        m_pBrowser->setSource(m_pBrowser->source().resolved(url));
    } else {
        AppOpenUrl(url);
    }
}

void CHelpWnd::OnHome() {
    m_pBrowser->setSource(m_startPage);
}
