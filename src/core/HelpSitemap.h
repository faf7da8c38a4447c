#pragma once

// The sitemap files of a compiled help file: the table of contents (.hhc) and the keyword index
// (.hhk) are HTML lists of <OBJECT type="text/sitemap"> items with "Name" and "Local" parameters,
// nested by <UL> for books and sub-keywords.

#include <QList>
#include <QString>

namespace helpsitemap {

struct Item
{
    int level = 0; // 0 for the outermost list
    QString name;  // the first "Name" parameter
    QString local; // the first "Local" parameter, as written; empty when none
};

// The items in the order written. Tags and parameter names are matched without regard to letter
// case; values may be quoted with " or ' and may hold character references.
QList<Item> parse(const QString &html);

} // namespace helpsitemap
