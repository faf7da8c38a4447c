#include "core/HelpFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>

namespace {

const QString Magic = QStringLiteral("VELKOR-HELP 1");

QString plainTextOf(const QString &html)
{
    QTextDocument doc;
    doc.setHtml(html);
    return doc.toPlainText().toLower();
}

} // namespace

bool HelpFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("The help file \"%1\" cannot be opened: %2").arg(path, file.errorString());
        return false;
    }
    return parse(file.readAll());
}

bool HelpFile::parse(const QByteArray &bytes)
{
    *this = HelpFile();
    QString text = QString::fromUtf8(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.isEmpty() || lines.first() != Magic) {
        m_error = QStringLiteral("The file is not a help file of this program.");
        return false;
    }

    enum Section { None, Title, Contents, Index, Topic } section = None;
    QString topicName;
    QStringList topicLines;
    auto endTopic = [&]() {
        if (section != Topic)
            return;
        const QString key = topicName.toLower();
        if (!m_topics.contains(key))
            m_topicOrder << topicName;
        const QString html = topicLines.join(QLatin1Char('\n'));
        m_topics.insert(key, html);
        m_plainText.insert(key, plainTextOf(html));
        topicLines.clear();
    };

    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.startsWith(QLatin1String("::"))) {
            endTopic();
            const QString marker = line.mid(2);
            if (marker == QLatin1String("title")) {
                section = Title;
            } else if (marker == QLatin1String("contents")) {
                section = Contents;
            } else if (marker == QLatin1String("index")) {
                section = Index;
            } else if (marker.startsWith(QLatin1String("topic "))) {
                section = Topic;
                topicName = marker.mid(6).trimmed();
            } else if (marker == QLatin1String("end")) {
                section = None;
                break;
            } else {
                section = None;
            }
            continue;
        }
        switch (section) {
        case Title:
            if (m_title.isEmpty())
                m_title = line.trimmed();
            break;
        case Contents: {
            const QStringList parts = line.split(QLatin1Char('\t'));
            bool ok = false;
            const int level = parts.value(0).toInt(&ok);
            if (parts.size() >= 3 && ok && level >= 0)
                m_contents.append({level, parts.at(1).trimmed(), parts.mid(2).join(QLatin1Char(' ')).trimmed()});
            break;
        }
        case Index: {
            const QStringList parts = line.split(QLatin1Char('\t'));
            if (parts.size() >= 2 && !parts.at(0).trimmed().isEmpty())
                m_index.append({parts.at(0).trimmed(), parts.at(1).trimmed()});
            break;
        }
        case Topic:
            topicLines << line;
            break;
        case None:
            break;
        }
    }
    endTopic();
    return true;
}

bool HelpFile::hasTopic(const QString &name) const
{
    return m_topics.contains(name.trimmed().toLower());
}

QString HelpFile::topicHtml(const QString &name) const
{
    return m_topics.value(name.trimmed().toLower());
}

QString HelpFile::topicTitle(const QString &name) const
{
    static const QRegularExpression titleTag(QStringLiteral("<title>(.*?)</title>"),
                                             QRegularExpression::CaseInsensitiveOption |
                                                 QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = titleTag.match(topicHtml(name));
    if (m.hasMatch()) {
        QTextDocument doc;
        doc.setHtml(m.captured(1));
        const QString title = doc.toPlainText().simplified();
        if (!title.isEmpty())
            return title;
    }
    return name;
}

QString HelpFile::defaultTopic() const
{
    for (const ContentsEntry &entry : m_contents)
        if (!entry.topic.isEmpty() && hasTopic(entry.topic))
            return entry.topic;
    return m_topicOrder.value(0);
}

QStringList HelpFile::search(const QString &query) const
{
    static const QRegularExpression separators(QStringLiteral("\\s+"));
    const QStringList words = query.toLower().split(separators, Qt::SkipEmptyParts);
    QStringList found;
    if (words.isEmpty())
        return found;
    for (const QString &name : m_topicOrder) {
        const QString &text = m_plainText[name.toLower()];
        bool all = true;
        for (const QString &word : words)
            if (!text.contains(word)) {
                all = false;
                break;
            }
        if (all)
            found << name;
    }
    return found;
}
