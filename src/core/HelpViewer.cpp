#include "core/HelpViewer.h"

#include "controls/AccessibleRole.h"
#include "platform/Environment.h"

#include <QApplication>
#include <QCollator>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QPointer<HelpViewer> g_viewer;

QString topicOf(const QUrl &url)
{
    return HelpFile::topicPath(url.toString());
}

QString missingPage(const QString &topic)
{
    return QStringLiteral("<html><body><h2>Page not found</h2><p>The page \"%1\" is not in this help file.</p>"
                          "</body></html>")
        .arg(topic.toHtmlEscaped());
}

} // namespace

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    if (!m_file)
        return QVariant();
    if (type == QTextDocument::HtmlResource) {
        const QString topic = topicOf(name);
        if (!m_file->hasTopic(topic))
            return missingPage(topic.isEmpty() ? name.toString() : topic);
        return m_file->topicHtml(topic);
    }
    // Pictures and style sheets; the document names them relative to the page already.
    const QByteArray bytes = m_file->object(topicOf(name));
    return bytes.isEmpty() ? QVariant() : QVariant(bytes);
}

HelpViewer *HelpViewer::instance()
{
    return g_viewer;
}

HelpViewer *HelpViewer::htmlHelp(QWidget *hwndCaller, const QString &pszFile, int uCommand, const QString &topic)
{
    Q_UNUSED(hwndCaller);
    if (pszFile.isEmpty())
        return nullptr;
    if (!g_viewer)
        g_viewer = new HelpViewer;
    HelpViewer *viewer = g_viewer;
    if (viewer->m_path != pszFile || !viewer->m_opened)
        viewer->openFile(pszFile);
    switch (uCommand) {
    case hh::DisplayTopic: viewer->showTopic(topic); break;
    case hh::DisplayToc: viewer->showContents(); break;
    case hh::DisplayIndex: viewer->showIndex(); break;
    case hh::DisplaySearch: viewer->showSearch(); break;
    default: break;
    }
    viewer->present();
    return viewer;
}

HelpViewer *HelpViewer::htmlHelp(QWidget *hwndCaller, const QString &pszFile, int uCommand, const hh::FtsQuery &query)
{
    HelpViewer *viewer = htmlHelp(hwndCaller, pszFile, uCommand == hh::DisplaySearch ? -1 : uCommand);
    if (viewer && uCommand == hh::DisplaySearch)
        viewer->showSearch(query.pszSearchQuery, query.fExecute != 0);
    return viewer;
}

HelpViewer::HelpViewer(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpViewer"));
    controls::setWindowRole(this, QAccessible::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    // The help window does not keep the program running once its own windows are closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(920, 640);

    tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("tabs"));

    treContents = new QTreeWidget;
    treContents->setObjectName(QStringLiteral("treContents"));
    treContents->setAccessibleName(QStringLiteral("Contents"));
    treContents->setHeaderHidden(true);
    tabs->addTab(treContents, QStringLiteral("Contents"));

    auto *indexPage = new QWidget;
    auto *indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(new QLabel(QStringLiteral("Type in the keyword to find:")));
    txtIndex = new QLineEdit;
    txtIndex->setObjectName(QStringLiteral("txtIndex"));
    txtIndex->setAccessibleName(QStringLiteral("Keyword"));
    indexLayout->addWidget(txtIndex);
    lstIndex = new QListWidget;
    lstIndex->setObjectName(QStringLiteral("lstIndex"));
    lstIndex->setAccessibleName(QStringLiteral("Index"));
    indexLayout->addWidget(lstIndex);
    cmdIndexDisplay = new QPushButton(QStringLiteral("&Display"));
    indexLayout->addWidget(cmdIndexDisplay, 0, Qt::AlignRight);
    tabs->addTab(indexPage, QStringLiteral("Index"));

    auto *searchPage = new QWidget;
    auto *searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addWidget(new QLabel(QStringLiteral("Type in the word(s) to search for:")));
    txtSearch = new QLineEdit;
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setAccessibleName(QStringLiteral("Search Words"));
    searchLayout->addWidget(txtSearch);
    cmdListTopics = new QPushButton(QStringLiteral("&List Topics"));
    searchLayout->addWidget(cmdListTopics, 0, Qt::AlignRight);
    searchLayout->addWidget(new QLabel(QStringLiteral("Select topic to display:")));
    lstSearch = new QListWidget;
    lstSearch->setObjectName(QStringLiteral("lstSearch"));
    lstSearch->setAccessibleName(QStringLiteral("Topics Found"));
    searchLayout->addWidget(lstSearch);
    cmdSearchDisplay = new QPushButton(QStringLiteral("D&isplay"));
    searchLayout->addWidget(cmdSearchDisplay, 0, Qt::AlignRight);
    tabs->addTab(searchPage, QStringLiteral("Search"));

    browser = new HelpBrowser;
    browser->setObjectName(QStringLiteral("browser"));
    browser->setAccessibleName(QStringLiteral("Topic"));
    browser->setHelpFile(&m_file);
    browser->setOpenLinks(true);
    browser->setOpenExternalLinks(false);

    auto *splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(tabs);
    splitter->addWidget(browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({280, 640});
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);

    connect(treContents, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        const QString topic = item->data(0, Qt::UserRole).toString();
        if (!topic.isEmpty())
            showTopic(topic);
    });
    connect(treContents, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        const QString topic = item->data(0, Qt::UserRole).toString();
        if (!topic.isEmpty())
            showTopic(topic);
    });
    // A link followed in a page changes the page shown as well.
    connect(browser, &QTextBrowser::sourceChanged, this, [this](const QUrl &url) {
        m_currentTopic = m_file.topicSpelling(topicOf(url));
        if (!m_currentTopic.isEmpty())
            selectInContents(m_currentTopic);
    });
    // Escape and Ctrl+W close the help window, as they close a viewer of the desktop.
    for (const QKeySequence &keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    connect(txtIndex, &QLineEdit::textEdited, this, &HelpViewer::txtIndex_Change);
    connect(txtIndex, &QLineEdit::returnPressed, this, &HelpViewer::displayIndexEntry);
    connect(lstIndex, &QListWidget::itemActivated, this, &HelpViewer::displayIndexEntry);
    connect(cmdIndexDisplay, &QPushButton::clicked, this, &HelpViewer::displayIndexEntry);
    connect(txtSearch, &QLineEdit::returnPressed, this, &HelpViewer::cmdListTopics_Click);
    connect(cmdListTopics, &QPushButton::clicked, this, &HelpViewer::cmdListTopics_Click);
    connect(lstSearch, &QListWidget::itemActivated, this, &HelpViewer::displaySearchEntry);
    connect(cmdSearchDisplay, &QPushButton::clicked, this, &HelpViewer::displaySearchEntry);
}

HelpViewer::~HelpViewer() = default;

bool HelpViewer::openFile(const QString &path)
{
    m_path = path;
    m_currentTopic.clear();
    m_opened = m_file.load(path);
    fillContents();
    fillIndex();
    lstSearch->clear();
    setWindowTitle(m_opened && !m_file.title().isEmpty() ? m_file.title() : QStringLiteral("Help"));
    if (!m_opened) {
        QString text;
        switch (m_file.failure()) {
        case HelpFile::Failure::Missing:
            text = QStringLiteral("The help file \"%1\" cannot be found. Reinstall the program to restore it.");
            break;
        case HelpFile::Failure::NoReader:
            text = QStringLiteral("The help file \"%1\" cannot be read: the program's help reader is missing. "
                                  "Reinstall the program to restore it.");
            break;
        default: text = QStringLiteral("The file \"%1\" is not a help file, or it is damaged."); break;
        }
        showError(QStringLiteral("Cannot open the help file"), text.arg(path));
    }
    return m_opened;
}

void HelpViewer::fillContents()
{
    treContents->clear();
    QList<QTreeWidgetItem *> parents;
    const QIcon book = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon page = style()->standardIcon(QStyle::SP_FileIcon);
    const QList<HelpFile::ContentsEntry> &entries = m_file.contents();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const HelpFile::ContentsEntry &entry = entries.at(i);
        const int level = std::min<int>(entry.level, int(parents.size()));
        parents.resize(level);
        auto *item = parents.isEmpty() ? new QTreeWidgetItem(treContents) : new QTreeWidgetItem(parents.last());
        item->setText(0, entry.title);
        item->setData(0, Qt::UserRole, entry.topic);
        const bool isBook = i + 1 < entries.size() && entries.at(i + 1).level > level;
        item->setIcon(0, isBook || entry.topic.isEmpty() ? book : page);
        parents.append(item);
    }
    treContents->expandAll();
}

void HelpViewer::fillIndex()
{
    lstIndex->clear();
    QList<HelpFile::IndexEntry> entries = m_file.index();
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(entries.begin(), entries.end(), [&](const HelpFile::IndexEntry &a, const HelpFile::IndexEntry &b) {
        return collator.compare(a.keyword, b.keyword) < 0;
    });
    for (const HelpFile::IndexEntry &entry : entries) {
        auto *item = new QListWidgetItem(entry.keyword, lstIndex);
        item->setData(Qt::UserRole, entry.topic);
    }
}

void HelpViewer::showError(const QString &heading, const QString &text)
{
    m_currentTopic.clear();
    browser->setHtml(QStringLiteral("<html><body><h2>%1</h2><p>%2</p></body></html>")
                         .arg(heading.toHtmlEscaped(), text.toHtmlEscaped()));
}

void HelpViewer::present()
{
    if (isMinimized())
        showNormal();
    platform::keepOnScreen(this);
    show();
    raise();
    activateWindow();
}

void HelpViewer::showContents()
{
    tabs->setCurrentIndex(ContentsTab);
    if (m_opened && m_currentTopic.isEmpty() && !m_file.defaultTopic().isEmpty())
        showTopic(m_file.defaultTopic());
}

void HelpViewer::showIndex()
{
    tabs->setCurrentIndex(IndexTab);
    if (m_opened && m_currentTopic.isEmpty() && !m_file.defaultTopic().isEmpty())
        showTopic(m_file.defaultTopic());
    txtIndex->setFocus();
}

void HelpViewer::showSearch(const QString &query, bool execute)
{
    tabs->setCurrentIndex(SearchTab);
    if (m_opened && m_currentTopic.isEmpty() && !m_file.defaultTopic().isEmpty())
        showTopic(m_file.defaultTopic());
    if (!query.isEmpty())
        txtSearch->setText(query);
    if (execute && !txtSearch->text().trimmed().isEmpty())
        cmdListTopics_Click();
    txtSearch->setFocus();
}

void HelpViewer::showTopic(const QString &topic)
{
    if (!m_opened)
        return; // the error page stays
    const QString name = topic.trimmed();
    if (!m_file.hasTopic(name)) {
        showError(QStringLiteral("Page not found"),
                  QStringLiteral("The page \"%1\" is not in this help file.").arg(name));
        return;
    }
    // The name as the file spells it, so that links between pages resolve alike.
    const QString spelled = m_file.topicSpelling(name);
    if (browser->source() == QUrl(spelled))
        browser->reload();
    else
        browser->setSource(QUrl(spelled));
    m_currentTopic = spelled;
    selectInContents(spelled);
}

void HelpViewer::selectInContents(const QString &topic)
{
    for (QTreeWidgetItemIterator it(treContents); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString().compare(topic, Qt::CaseInsensitive) == 0) {
            treContents->setCurrentItem(*it);
            return;
        }
    }
}

HelpViewer::Tab HelpViewer::currentTab() const
{
    return Tab(tabs->currentIndex());
}

QString HelpViewer::pageText() const
{
    return browser->toPlainText();
}

void HelpViewer::txtIndex_Change()
{
    const QString typed = txtIndex->text().trimmed();
    if (typed.isEmpty())
        return;
    for (int i = 0; i < lstIndex->count(); ++i) {
        if (lstIndex->item(i)->text().startsWith(typed, Qt::CaseInsensitive)) {
            lstIndex->setCurrentRow(i);
            lstIndex->scrollToItem(lstIndex->item(i));
            return;
        }
    }
}

void HelpViewer::displayIndexEntry()
{
    if (QListWidgetItem *item = lstIndex->currentItem())
        showTopic(item->data(Qt::UserRole).toString());
}

void HelpViewer::cmdListTopics_Click()
{
    lstSearch->clear();
    const QStringList found = m_file.search(txtSearch->text());
    for (const QString &topic : found) {
        auto *item = new QListWidgetItem(m_file.topicTitle(topic), lstSearch);
        item->setData(Qt::UserRole, topic);
    }
    if (found.isEmpty()) {
        auto *item = new QListWidgetItem(QStringLiteral("No topics found."), lstSearch);
        item->setFlags(Qt::NoItemFlags);
    } else {
        lstSearch->setCurrentRow(0);
    }
}

void HelpViewer::displaySearchEntry()
{
    QListWidgetItem *item = lstSearch->currentItem();
    if (item && !item->data(Qt::UserRole).toString().isEmpty())
        showTopic(item->data(Qt::UserRole).toString());
}
