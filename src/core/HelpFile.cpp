#include "core/HelpFile.h"

#include "core/HelpArchive.h"
#include "core/HelpSitemap.h"
#include "platform/SafeFile.h"
#include "platform/WaitCursor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The records of the file's #SYSTEM object that name its parts.
enum SystemRecord : quint16 {
    ContentsFileRecord = 0,
    IndexFileRecord = 1,
    DefaultTopicRecord = 2,
    TitleRecord = 3,
};

// Text of the file's own code page: UTF-8 when it is valid UTF-8, else Windows-1252.
QString eightBitText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows("windows-1252");
    return windows.isValid() ? QString(windows.decode(bytes)) : QString::fromLatin1(bytes);
}

bool isPage(const QString &path)
{
    return path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
}

// The file opened for the reader; -1 unless it is a regular file.
int openRegularFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    struct stat state
    {
    };
    if (fd >= 0 && (::fstat(fd, &state) != 0 || !S_ISREG(state.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

HelpFile::HelpFile() = default;
HelpFile::~HelpFile() = default;

void HelpFile::clear()
{
    m_failure = Failure::None;
    m_error.clear();
    m_title.clear();
    m_defaultTopic.clear();
    m_contentsFile.clear();
    m_indexFile.clear();
    m_contents.clear();
    m_index.clear();
    m_topicOrder.clear();
    m_objects.clear();
    m_bytes.clear();
    m_plainText.clear();
}

bool HelpFile::fail(Failure failure, const QString &message)
{
    clear();
    m_failure = failure;
    m_error = message;
    return false;
}

bool HelpFile::load(const QString &path)
{
    clear();
    // The reader reads whatever it is given: a fifo would block it and a device would feed it
    // forever.
    if (!QFileInfo::exists(path))
        return fail(Failure::Missing, QStringLiteral("The help file \"%1\" cannot be found.").arg(path));
    const int fd = platform::isRegularFile(path) ? openRegularFile(path) : -1;
    if (fd < 0)
        return fail(Failure::Damaged, QStringLiteral("\"%1\" is not a file.").arg(path));
    QList<helparchive::Object> objects;
    helparchive::ReadResult read;
    {
        platform::WaitCursor wait;
        read = helparchive::readInChild(fd, &objects);
    }
    ::close(fd);
    if (read == helparchive::ReadResult::NoReader)
        return fail(
            Failure::NoReader,
            QStringLiteral("The help reader \"%1\" is missing.").arg(QLatin1String(helparchive::kReaderProgramName)));
    if (read != helparchive::ReadResult::Done)
        return fail(Failure::Damaged,
                    QStringLiteral("\"%1\" is not a compiled help file, or it is damaged.").arg(path));

    QStringList paths;
    for (helparchive::Object &object : objects) {
        const QString name = object.path.mid(1);
        m_bytes.insert(object.path, std::move(object.bytes));
        if (name.isEmpty() || name.startsWith(QLatin1Char('#')) || name.startsWith(QLatin1Char('$')))
            continue; // the file's own records
        paths.append(object.path);
        m_objects.insert(name.toLower(), object.path);
        if (isPage(name))
            m_topicOrder.append(name);
    }
    if (m_topicOrder.isEmpty())
        return fail(Failure::Damaged,
                    QStringLiteral("\"%1\" holds no pages: it is not a help file, or it is damaged.").arg(path));

    readSystem();
    auto firstOfType = [&](const QString &suffix) {
        for (const QString &objectPath : std::as_const(paths))
            if (objectPath.lastIndexOf(QLatin1Char('/')) == 0 && objectPath.endsWith(suffix, Qt::CaseInsensitive))
                return objectPath.mid(1);
        return QString();
    };
    if (m_contentsFile.isEmpty())
        m_contentsFile = firstOfType(QStringLiteral(".hhc"));
    if (m_indexFile.isEmpty())
        m_indexFile = firstOfType(QStringLiteral(".hhk"));

    for (const helpsitemap::Item &item : helpsitemap::parse(eightBitText(object(m_contentsFile))))
        m_contents.append({item.level, topicPath(item.local), item.name});

    QStringList keywords; // the keyword of each level above the item
    for (const helpsitemap::Item &item : helpsitemap::parse(eightBitText(object(m_indexFile)))) {
        keywords.resize(item.level);
        const QString keyword = keywords.isEmpty() || keywords.last().isEmpty()
                                    ? item.name
                                    : keywords.last() + QStringLiteral(", ") + item.name;
        keywords.append(keyword);
        const QString topic = topicPath(item.local);
        if (!topic.isEmpty())
            m_index.append({keyword, topic});
    }
    if (object(defaultTopic()).isEmpty())
        return fail(Failure::Damaged, QStringLiteral("\"%1\" is damaged: its first page is empty.").arg(path));
    return true;
}

void HelpFile::readSystem()
{
    const QByteArray system = m_bytes.value(QStringLiteral("/#SYSTEM"));
    // A version number, then records of a 16-bit code, a 16-bit length and that many bytes.
    qsizetype at = 4;
    while (at + 4 <= system.size()) {
        const auto *p = reinterpret_cast<const uchar *>(system.constData() + at);
        const quint16 code = quint16(p[0] | (p[1] << 8));
        const quint16 length = quint16(p[2] | (p[3] << 8));
        at += 4;
        if (at + length > system.size())
            break;
        QByteArray value = system.mid(at, length);
        at += length;
        if (const qsizetype end = value.indexOf('\0'); end >= 0)
            value.truncate(end);
        const QString text = eightBitText(value).trimmed();
        switch (code) {
        case ContentsFileRecord: m_contentsFile = text; break;
        case IndexFileRecord: m_indexFile = text; break;
        case DefaultTopicRecord: m_defaultTopic = topicPath(text); break;
        case TitleRecord: m_title = text; break;
        default: break;
        }
    }
}

QString HelpFile::topicPath(const QString &link)
{
    QString path = link.trimmed();
    if (const qsizetype store = path.indexOf(QLatin1String("::")); store >= 0)
        path = path.mid(store + 2); // ms-its:other.chm::/page.htm
    else if (QUrl url(path); !url.scheme().isEmpty() && url.scheme().size() > 1)
        return url.scheme() == QLatin1String("file") ? topicPath(url.path()) : QString();
    if (const qsizetype hash = path.indexOf(QLatin1Char('#')); hash >= 0)
        path.truncate(hash);
    if (const qsizetype query = path.indexOf(QLatin1Char('?')); query >= 0)
        path.truncate(query);
    path = QUrl::fromPercentEncoding(path.toUtf8()).replace(QLatin1Char('\\'), QLatin1Char('/'));
    path = QDir::cleanPath(path);
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    return path == QLatin1String(".") ? QString() : path;
}

QByteArray HelpFile::object(const QString &name) const
{
    return m_bytes.value(m_objects.value(topicPath(name).toLower()));
}

bool HelpFile::hasTopic(const QString &name) const
{
    return !topicSpelling(name).isEmpty();
}

QString HelpFile::topicSpelling(const QString &name) const
{
    const QString key = topicPath(name);
    if (!isPage(key))
        return QString();
    const QString path = m_objects.value(key.toLower());
    return path.isEmpty() ? QString() : path.mid(1);
}

QString HelpFile::decodeHtml(const QByteArray &bytes) const
{
    // A page that names its character set is read in it; one that does not, like the sitemaps.
    static const QRegularExpression charset(QStringLiteral("<meta[^>]+charset\\s*=\\s*[\"']?([A-Za-z0-9_-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = charset.match(QString::fromLatin1(bytes.left(2048)));
    if (m.hasMatch()) {
        QStringDecoder decoder(m.captured(1).toLatin1().constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return eightBitText(bytes);
}

QString HelpFile::topicHtml(const QString &name) const
{
    return hasTopic(name) ? decodeHtml(object(name)) : QString();
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
    return topicSpelling(name).isEmpty() ? name : topicSpelling(name);
}

QString HelpFile::defaultTopic() const
{
    if (hasTopic(m_defaultTopic))
        return topicSpelling(m_defaultTopic);
    for (const ContentsEntry &entry : m_contents)
        if (hasTopic(entry.topic))
            return topicSpelling(entry.topic);
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
        const QString key = name.toLower();
        if (!m_plainText.contains(key)) {
            QTextDocument doc;
            doc.setHtml(topicHtml(name));
            m_plainText.insert(key, doc.toPlainText().toLower());
        }
        const QString &text = m_plainText[key];
        const bool all = std::all_of(words.begin(), words.end(), [&](const QString &w) { return text.contains(w); });
        if (all)
            found << name;
    }
    return found;
}
