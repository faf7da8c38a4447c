#pragma once

// The program's help file: one UTF-8 text file that holds the help's title, its table of contents,
// its keyword index and every topic page (HTML). The build writes it from the sources in data/help/
// with tools/mkhelp. The layout, line by line:
//
//   VELKOR-HELP 1                      first line, always
//   ::title                            the next line is the help window's title
//   Velkor-PED Help
//   ::contents                         one line per entry: level TAB topic TAB title
//   0<TAB><TAB>How To Use Velkor-PED     (level 0 is the top; an empty topic is a book without a page)
//   1<TAB>Cant_Start.htm<TAB>Can't Start Velkor-PED?
//   ::index                            one line per entry: keyword TAB topic
//   database, missing<TAB>Cant_Start.htm
//   ::topic General_Information.htm    a topic page: every line up to the next line starting "::"
//   <html>...</html>
//   ::end                              optional; nothing after it is read
//
// No topic line starts with "::". Topic names are file names and are looked up without regard to
// letter case, as the help system does.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class HelpFile
{
public:
    struct ContentsEntry
    {
        int level = 0;
        QString topic; // empty for a book without its own page
        QString title;
    };
    struct IndexEntry
    {
        QString keyword;
        QString topic;
    };

    // Reads the file; false (with errorString()) when it is missing or not a help file.
    bool load(const QString &path);
    // The same from the file's bytes.
    bool parse(const QByteArray &bytes);
    QString errorString() const { return m_error; }

    QString title() const { return m_title; }
    const QList<ContentsEntry> &contents() const { return m_contents; }
    const QList<IndexEntry> &index() const { return m_index; }
    // Topic names in the order of the file.
    QStringList topicNames() const { return m_topicOrder; }
    bool hasTopic(const QString &name) const;
    QString topicHtml(const QString &name) const;   // empty when unknown
    QString topicTitle(const QString &name) const;  // the page's <title>, else its name
    // The first page of the contents, else the first topic.
    QString defaultTopic() const;

    // Names of the topics whose text holds every word of the query (letter case ignored), in
    // the order of the file; empty for a query without words.
    QStringList search(const QString &query) const;

private:
    QString m_error;
    QString m_title;
    QList<ContentsEntry> m_contents;
    QList<IndexEntry> m_index;
    QStringList m_topicOrder;
    QHash<QString, QString> m_topics;    // lower-case name -> HTML
    QHash<QString, QString> m_plainText; // lower-case name -> lower-case plain text
};
