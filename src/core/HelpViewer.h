#pragma once

// The help window: a compiled help file (see HelpFile.h) with its Contents, Index and Search
// tabs beside the page shown. One help window serves the whole program; it is not modal, and the
// program neither waits for it nor closes it.

#include "core/HelpFile.h"

#include <QString>
#include <QTextBrowser>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

// The commands the help window takes, with the values the callers know.
namespace hh {
constexpr int DisplayTopic = 0;
constexpr int DisplayToc = 1;
constexpr int DisplayIndex = 2;
constexpr int DisplaySearch = 3;

// The full-text search request of DisplaySearch.
struct FtsQuery
{
    qint32 cbStruct = 32;
    qint32 fUniCodeStrings = 0;
    QString pszSearchQuery;
    qint32 iProximity = 0;
    qint32 fStemmedSearch = 0;
    qint32 fTitleOnly = 0;
    qint32 fExecute = 1;
    QString pszWindow;
};
} // namespace hh

class HelpBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget *parent = nullptr) : QTextBrowser(parent) {}
    void setHelpFile(const HelpFile *file) { m_file = file; }
    QVariant loadResource(int type, const QUrl &name) override;

private:
    const HelpFile *m_file = nullptr;
};

class HelpViewer : public QWidget
{
    Q_OBJECT
public:
    enum Tab { ContentsTab = 0, IndexTab = 1, SearchTab = 2 };

    // Runs a help command on a help file, as the platform's help function does: opens (or
    // reuses) the help window on that file and shows the tab or the topic. An empty path opens
    // nothing and gives nullptr. topic is the page for DisplayTopic and is ignored otherwise.
    static HelpViewer *htmlHelp(QWidget *hwndCaller, const QString &pszFile, int uCommand, const QString &topic = {});
    static HelpViewer *htmlHelp(QWidget *hwndCaller, const QString &pszFile, int uCommand, const hh::FtsQuery &query);

    // The help window, nullptr while none is open.
    static HelpViewer *instance();

    ~HelpViewer() override;

    // Reads the help file again; false (and an error page) when it is missing or unreadable.
    bool openFile(const QString &path);
    QString filePath() const { return m_path; }
    bool fileOpened() const { return m_opened; }
    const HelpFile &helpFile() const { return m_file; }

    void showContents();
    void showIndex();
    void showSearch(const QString &query = {}, bool execute = false);
    // Shows the page; a page the file does not hold shows an error page.
    void showTopic(const QString &topic);

    Tab currentTab() const;
    // The page shown, as named in the file; empty while an error page is shown.
    QString currentTopic() const { return m_currentTopic; }
    // The plain text of the page shown.
    QString pageText() const;

    QTabWidget *tabs = nullptr;
    QTreeWidget *treContents = nullptr;
    QLineEdit *txtIndex = nullptr;
    QListWidget *lstIndex = nullptr;
    QPushButton *cmdIndexDisplay = nullptr;
    QLineEdit *txtSearch = nullptr;
    QPushButton *cmdListTopics = nullptr;
    QListWidget *lstSearch = nullptr;
    QPushButton *cmdSearchDisplay = nullptr;
    HelpBrowser *browser = nullptr;

private:
    explicit HelpViewer(QWidget *parent = nullptr);
    void fillContents();
    void fillIndex();
    void showError(const QString &heading, const QString &text);
    void present();
    void txtIndex_Change();
    void displayIndexEntry();
    void cmdListTopics_Click();
    void displaySearchEntry();
    void selectInContents(const QString &topic);

    HelpFile m_file;
    QString m_path;
    QString m_currentTopic;
    bool m_opened = false;
};
