#pragma once

// A compiled HTML help file (.chm), read whole by the help reader (core/HelpArchive.h): its title,
// its table of contents and keyword index (the file's own sitemap files, .hhc and .hhk), and its
// pages and pictures. The build makes the program's help file from data/help/ with chmcmd; any
// other compiled help file reads alike.
//
// Pages and pictures are named by their path inside the file without the leading "/"
// ("General_Information.htm", "images/logo.png"), looked up without regard to letter case as the
// help system does.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class HelpFile
{
public:
    enum class Failure {
        None,
        Missing,  // no such file
        Damaged,  // not a regular file, not a compiled help file, or one that cannot be read whole
        NoReader, // the help reader is missing
    };

    struct ContentsEntry
    {
        int level = 0;
        QString topic; // empty for a book without its own page
        QString title;
    };
    struct IndexEntry
    {
        QString keyword; // a sub-keyword reads "keyword, sub-keyword"
        QString topic;
    };

    HelpFile();
    ~HelpFile();
    HelpFile(const HelpFile &) = delete;
    HelpFile &operator=(const HelpFile &) = delete;

    // Reads the file; false (with failure() and errorString()) when it is missing, not a regular
    // file, or not a readable compiled help file with at least one page.
    bool load(const QString &path);
    Failure failure() const { return m_failure; }
    QString errorString() const { return m_error; }

    QString title() const { return m_title; }
    const QList<ContentsEntry> &contents() const { return m_contents; }
    const QList<IndexEntry> &index() const { return m_index; }
    // The HTML pages in the order of the file.
    QStringList topicNames() const { return m_topicOrder; }
    bool hasTopic(const QString &name) const;
    // The name as the file spells it; empty when the file holds no such page.
    QString topicSpelling(const QString &name) const;
    QString topicHtml(const QString &name) const;  // empty when unknown
    QString topicTitle(const QString &name) const; // the page's <title>, else its name
    // The bytes of any object of the file (a page, a picture); empty when unknown.
    QByteArray object(const QString &name) const;
    // The file's default page, else the first page of the contents, else the first page.
    QString defaultTopic() const;

    // Names of the pages whose text holds every word of the query (letter case ignored), in the
    // order of the file; empty for a query without words.
    QStringList search(const QString &query) const;

    // The name inside the file that a link or a contents entry refers to: without the fragment,
    // the "ms-its:file.chm::" form and the leading "/"; empty for a link to elsewhere (http:...).
    static QString topicPath(const QString &link);

private:
    void clear();
    bool fail(Failure failure, const QString &message);
    void readSystem();
    QString decodeHtml(const QByteArray &bytes) const;

    Failure m_failure = Failure::None;
    QString m_error;
    QString m_title;
    QString m_defaultTopic;
    QString m_contentsFile;
    QString m_indexFile;
    QList<ContentsEntry> m_contents;
    QList<IndexEntry> m_index;
    QStringList m_topicOrder;
    QHash<QString, QString> m_objects;           // lower-case name -> path in the file
    QHash<QString, QByteArray> m_bytes;          // path in the file -> its bytes
    mutable QHash<QString, QString> m_plainText; // lower-case name -> lower-case plain text
};
