#include "search/SearchQuery.h"

#include "search/modDBaseChooser.h"

using modDBase::LikeText;

namespace {

QString criterionField(int box, const QString &field)
{
    return box == SearchQuery::RevisionDateBox ? QStringLiteral("shortdate(") + field + QStringLiteral(")") : field;
}

QString productFormIn(const QString &likeText)
{
    return QStringLiteral("(select standard from StandardProdForm where productForm like '*") + likeText +
           QStringLiteral("*')");
}

} // namespace

SearchQuery::SearchQuery(const Fields &fields, const Texts &texts) : m_productForm(texts[ProductFormBox])
{
    bool first = true;
    for (int i = 0; i < FieldBoxes; ++i) {
        if (texts[i].isEmpty())
            continue;
        const QString joiner = first ? QStringLiteral(" where ") : QStringLiteral(" and ");
        first = false;
        m_where += joiner + QStringLiteral(" ") + criterionField(i, fields[i]) + QStringLiteral(" like '*") +
                   LikeText(texts[i]) + QStringLiteral("*'");
    }
}

QString SearchQuery::materials(const QString &order) const
{
    QString query = QStringLiteral("select * from materials") + m_where;
    if (!m_productForm.isEmpty()) {
        const QString joiner = m_where.isEmpty() ? QStringLiteral(" where ") : QStringLiteral(" and ");
        query += joiner + QStringLiteral(" materials.standard in ") + productFormIn(LikeText(m_productForm));
    }
    return query + QStringLiteral(" order by ") + order;
}

QString SearchQuery::pickList(int index, const Fields &fields, const QString &where, const QString &productForm,
                              bool enStandards)
{
    const QString t6 = LikeText(productForm);
    const QString j = where.isEmpty() ? QStringLiteral(" where ") : QStringLiteral(" and ");
    if (index == ProductFormBox) {
        QString query = QStringLiteral("select distinct productForm from StandardProdForm") +
                        QStringLiteral(" where standard in (select standard from materials ") + where +
                        QStringLiteral(")");
        if (!t6.isEmpty())
            query += QStringLiteral(" and productForm like '*") + t6 + QStringLiteral("*'");
        return query + QStringLiteral(" order by productForm");
    }
    if (index >= 1 && index < FieldBoxes) {
        const QString &f = fields[index];
        QString query = QStringLiteral("select distinct ") + f + QStringLiteral(" from materials ") + where;
        if (!t6.isEmpty())
            query += j + QStringLiteral(" standard in ") + productFormIn(t6);
        return query + QStringLiteral(" order by ") + f;
    }
    if (index == 0) {
        if (enStandards) {
            QString query = QStringLiteral("select * from standard where standard in ") +
                            QStringLiteral("(select standard from materials") + where;
            if (!t6.isEmpty())
                query += j + QStringLiteral("standard in ") + productFormIn(t6);
            return query + QStringLiteral(") order by standard");
        }
        return QStringLiteral("select distinct asmestandard from materials WHERE standard IN ") + productFormIn(t6) +
               QStringLiteral(" order by asmestandard");
    }
    return {};
}
