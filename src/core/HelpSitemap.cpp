#include "core/HelpSitemap.h"

#include <QRegularExpression>
#include <QTextDocumentFragment>

#include <algorithm>

namespace helpsitemap {

namespace {

QString decoded(const QString &value)
{
    if (!value.contains(QLatin1Char('&')))
        return value;
    return QTextDocumentFragment::fromHtml(value.toHtmlEscaped().replace(QLatin1String("&amp;"), QLatin1String("&")))
        .toPlainText();
}

// The attribute of a tag's text, e.g. name of ` name="Local" value="a.htm"`.
QString attribute(const QString &attributes, const QString &wanted)
{
    static const QRegularExpression pair(
        QStringLiteral("([A-Za-z_:-]+)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"));
    for (auto it = pair.globalMatch(attributes); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(1).compare(wanted, Qt::CaseInsensitive) == 0)
            return decoded(m.captured(2) + m.captured(3) + m.captured(4));
    }
    return QString();
}

} // namespace

QList<Item> parse(const QString &html)
{
    static const QRegularExpression tag(QStringLiteral("<(/?)([A-Za-z]+)([^>]*)>"));
    QList<Item> items;
    int depth = 0;
    bool inObject = false;
    Item item;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const bool closing = !m.capturedView(1).isEmpty();
        const QString name = m.captured(2).toLower();
        if (name == QLatin1String("ul")) {
            depth = closing ? std::max(0, depth - 1) : depth + 1;
        } else if (name == QLatin1String("object")) {
            if (!closing) {
                inObject = attribute(m.captured(3), QStringLiteral("type"))
                               .compare(QLatin1String("text/sitemap"), Qt::CaseInsensitive) == 0;
                item = Item();
                item.level = std::max(0, depth - 1);
            } else if (inObject) {
                inObject = false;
                if (!item.name.isEmpty())
                    items.append(item);
            }
        } else if (name == QLatin1String("param") && inObject) {
            const QString param = attribute(m.captured(3), QStringLiteral("name"));
            const QString value = attribute(m.captured(3), QStringLiteral("value"));
            if (param.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0 && item.name.isEmpty())
                item.name = value.trimmed();
            else if (param.compare(QLatin1String("Local"), Qt::CaseInsensitive) == 0 && item.local.isEmpty())
                item.local = value.trimmed();
        }
    }
    return items;
}

} // namespace helpsitemap
