#pragma once

// The queries the search window runs: the materials its boxes describe, and the lists its pick
// buttons offer. Plain text in, plain SQL (in the engine's Jet forms) out.

#include <QString>
#include <array>

class SearchQuery
{
public:
    // The search fields by place, in the order of the result grid's columns. The boxes take the
    // first seven: boxes 0..5 match a field of the materials, each with its check box; box 6 names
    // a product form of their standard.
    enum Field : int {
        Standard,
        Name,
        Number,
        Description,
        Group,
        RevisionDate,
        ProductForm,
        AsmeStandard,
        AsmeGrade,
        Ss,
    };
    static constexpr int FieldCount = 10;
    static constexpr int FieldBoxes = 6;
    static constexpr int BoxCount = 7;
    static constexpr int ProductFormBox = ProductForm;
    // The revision date matches as the grids show it, as a regional short date.
    static constexpr int RevisionDateBox = RevisionDate;

    using Fields = std::array<QString, FieldCount>;
    using Texts = std::array<QString, BoxCount>;

    SearchQuery(const Fields &fields, const Texts &texts);

    // The condition of the field boxes: " where  <field> like '*<text>*'" joined by " and ";
    // empty when every field box is empty.
    QString where() const { return m_where; }
    // The materials the boxes describe, in the order given ("standard,name", "ss DESC").
    QString materials(const QString &order) const;

    // The list a pick button offers under the condition where (from an earlier where()) and the
    // product form typed: 0 the standards (the standard table's rows when enStandards, else the
    // ASME standards), 1..5 the values of that box's field, 6 the product forms. Empty for another
    // index.
    static QString pickList(int index, const Fields &fields, const QString &where, const QString &productForm,
                            bool enStandards);

private:
    QString m_where;
    QString m_productForm;
};
