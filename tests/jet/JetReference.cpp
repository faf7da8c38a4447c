#include "JetReference.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>

#include <charconv>

namespace jetreference {

namespace {

QString unescaped(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        const QChar c = text[++i];
        if (c == u't')
            out += u'\t';
        else if (c == u'n')
            out += u'\n';
        else if (c == u'r')
            out += u'\r';
        else if (c == u'x' && i + 2 < text.size()) {
            out += QChar(text.mid(i + 1, 2).toUShort(nullptr, 16));
            i += 2;
        } else
            out += c;
    }
    return out;
}

template <typename T>
bool parsed(const QString &text, T *value)
{
    const QByteArray bytes = text.toLatin1();
    const auto result = std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), *value);
    return result.ec == std::errc() && result.ptr == bytes.constData() + bytes.size();
}

QString shown(const QVariant &value)
{
    if (value.isNull())
        return QStringLiteral("Null");
    QString text = QStringLiteral("%1 %2").arg(QString::fromLatin1(value.typeName()), value.toString());
    return text.size() > 80 ? text.left(80) + QStringLiteral("... (%1 characters)").arg(text.size()) : text;
}

QString differs(const QVariant &value, const QString &expected)
{
    return QStringLiteral("read %1, reference %2").arg(shown(value), expected.left(80));
}

QString binaryMismatch(const QVariant &value, const QString &expected)
{
    if (value.typeId() != QMetaType::QByteArray)
        return differs(value, expected);
    const QByteArray bytes = value.toByteArray();
    const qsizetype colon = expected.indexOf(u':');
    if (expected.mid(1, colon - 1).toLongLong() != bytes.size())
        return QStringLiteral("read %1 bytes, reference %2").arg(bytes.size()).arg(expected.left(80));
    const QString content = expected.mid(colon + 1);
    const QByteArray actual = content.startsWith(QLatin1String("sha1="))
                                  ? "sha1=" + QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()
                                  : bytes.toHex();
    return QString::fromLatin1(actual) == content ? QString() : QStringLiteral("bytes differ from %1").arg(expected);
}

} // namespace

QList<Table> read(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    QList<Table> tables;
    while (!file.atEnd()) {
        QString line = QString::fromUtf8(file.readLine());
        if (line.endsWith(u'\n'))
            line.chop(1);
        const QString word = line.section(u' ', 0, 0);
        const QString rest = line.mid(word.size() + 1);
        if (word == QLatin1String("TABLE")) {
            tables.append(Table{rest, {}, {}});
        } else if (tables.isEmpty() && word != QLatin1String("FILE")) {
            *error = QStringLiteral("no table before: ") + line;
            return {};
        } else if (word == QLatin1String("COL")) {
            const QStringList parts = rest.split(u'\t');
            tables.last().columns.append(Column{parts.value(1), parts.value(2)});
        } else if (word == QLatin1String("R")) {
            tables.last().rows.append(rest.split(u'\t'));
        } else if (word == QLatin1String("ROWS") && rest.toLongLong() != tables.last().rows.size()) {
            *error = QStringLiteral("%1: %2 rows listed, %3 announced")
                         .arg(tables.last().name)
                         .arg(tables.last().rows.size())
                         .arg(rest);
            return {};
        }
    }
    return tables;
}

QString mismatch(const QVariant &value, const QString &type, const QString &expected)
{
    if (expected == QLatin1String("NULL"))
        return value.isNull() ? QString() : differs(value, expected);
    if (value.isNull())
        return differs(value, expected);
    if (type == QLatin1String("TEXT") || type == QLatin1String("MEMO") || type == QLatin1String("GUID")) {
        // Null and the empty text are told apart: the reference writes a text with a leading quote.
        const bool same = value.typeId() == QMetaType::QString && expected.startsWith(u'\'') &&
                          value.toString() == unescaped(QStringView(expected).mid(1));
        return same ? QString() : differs(value, expected);
    }
    if (type == QLatin1String("BYTE") || type == QLatin1String("INT") || type == QLatin1String("LONG")) {
        qlonglong number = 0;
        const bool whole = value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong;
        return whole && parsed(expected, &number) && value.toLongLong() == number ? QString()
                                                                                  : differs(value, expected);
    }
    if (type == QLatin1String("BOOLEAN")) {
        const bool same = value.typeId() == QMetaType::Bool && value.toBool() == (expected == QLatin1String("1"));
        return same ? QString() : differs(value, expected);
    }
    // Money, numeric and double values as the double nearest to the reference's exact decimal.
    if (type == QLatin1String("MONEY") || type == QLatin1String("NUMERIC") || type == QLatin1String("DOUBLE")) {
        double number = 0;
        const bool same =
            value.typeId() == QMetaType::Double && parsed(expected, &number) && value.toDouble() == number;
        return same ? QString() : differs(value, expected);
    }
    // A single is kept as the shortest decimal that reads back as it: the same single.
    if (type == QLatin1String("FLOAT")) {
        float number = 0;
        const bool same =
            value.typeId() == QMetaType::Double && parsed(expected, &number) && float(value.toDouble()) == number;
        return same ? QString() : differs(value, expected);
    }
    if (type.contains(QLatin1String("DATE"))) {
        const QDateTime moment = value.typeId() == QMetaType::QDate ? value.toDate().startOfDay() : value.toDateTime();
        const bool same = (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime) &&
                          moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) == expected;
        return same ? QString() : differs(value, expected);
    }
    if (type == QLatin1String("BINARY") || type == QLatin1String("OLE"))
        return binaryMismatch(value, expected);
    return QStringLiteral("type %1 not compared").arg(type);
}

} // namespace jetreference
