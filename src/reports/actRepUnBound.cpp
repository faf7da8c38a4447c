#include "reports/actRepUnBound.h"

#include "core/ProgramWindow.h"
#include "core/TableCatalogue.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"
#include "reports/ColumnBands.h"

using controls::ReportField;
using controls::ReportLabel;
using controls::ReportSection;
using controls::ReportTextControl;

namespace {

using catalogue::key::ChemComp;
using catalogue::key::CreepProp;
using catalogue::key::MechProp;

// Chemical-composition columns from this index on print in the footer block.
constexpr int ChemExtCol = 12;
// The widest table that still fits across the page.
constexpr double MaxTableWidth = 10200;

constexpr platform::OleColor CaptionBack = 0xE0E0E0;

QString cellText(const platform::XArray &data, int r, int c)
{
    return data.value(r, c).toString();
}

} // namespace

actRepUnBound::actRepUnBound()
{
    setCaption(QStringLiteral("actRepUnBound"));
    using Kind = ReportSection::Kind;
    addSection(Kind::PageHeader, QStringLiteral("PageHeader"), 0);

    ReportSection *ghTitle = addSection(Kind::GroupHeader, QStringLiteral("ghTitle"), 1380);
    ghTitle->setRepeatsOnEachPage(true);
    ReportLabel *title = ghTitle->controls().addLabel(QStringLiteral("lblTitle"), 0, 0, 6803, 283);
    title->font().size = 10;
    title->font().bold = true;
    ReportField *cap0 = ghTitle->controls().addField(QStringLiteral("lblCaption0"), 142, 425, 850, 851);
    cap0->setCanGrow(true);
    cap0->setAlignment(controls::textalign::Centre);
    cap0->setBackStyle(1);
    cap0->setBackColor(CaptionBack);
    cap0->setForeColor(platform::olecolor::Black);
    cap0->font().size = 8;
    cap0->border().setAll(controls::borderstyle::Solid);

    addSection(Kind::GroupHeader, QStringLiteral("ghOther"), 15)->setVisible(false);
    addSection(Kind::GroupHeader, QStringLiteral("ghExtended"), 0)->setVisible(false);

    ReportSection *detail = addSection(Kind::Detail, QStringLiteral("Detail"), 330);
    ReportField *field0 = detail->controls().addField(QStringLiteral("Field0"), 142, 0, 850, 283);
    field0->setAlignment(controls::textalign::Centre);
    field0->setVerticalAlignment(controls::textalign::Middle);
    field0->font().size = 9;
    field0->border().setAll(controls::borderstyle::Solid);

    ReportSection *gfExtended = addSection(Kind::GroupFooter, QStringLiteral("gfExtended"), 1755);
    gfExtended->setVisible(false);
    ReportLabel *ext = gfExtended->controls().addLabel(QStringLiteral("lblExtended"), 125, 142, 6661, 283);
    ext->font().bold = true;
    ReportField *capExt = gfExtended->controls().addField(QStringLiteral("lblCapExt"), 142, 425, 850, 567);
    StyleAsCaption(capExt);
    capExt->setAlignment(controls::textalign::Centre);
    ReportField *extMin =
        gfExtended->controls().addField(QStringLiteral("FieldExt"), 142, 1100, 850, 283, QStringLiteral("min"));
    ReportField *extMax =
        gfExtended->controls().addField(QStringLiteral("FieldExt0"), 142, 1420, 850, 284, QStringLiteral("max"));
    for (ReportField *f : {extMin, extMax}) {
        f->setAlignment(controls::textalign::Centre);
        f->setVerticalAlignment(controls::textalign::Middle);
        f->font().size = 8;
        f->border().setAll(controls::borderstyle::Solid);
    }
    ReportField *x0 = gfExtended->controls().addField(QStringLiteral("lblX_0"), 1134, 425, 850, 851);
    StyleAsCaption(x0);
    x0->setAlignment(controls::textalign::Centre);
    ReportField *x10 = gfExtended->controls().addField(QStringLiteral("FieldX1_0"), 1134, 1372, 850, 284);
    StyleAsCaption(x10);
    x10->setAlignment(controls::textalign::Centre);
    x10->setVerticalAlignment(controls::textalign::Middle);

    ReportSection *gfOther = addSection(Kind::GroupFooter, QStringLiteral("gfOther"), 705);
    gfOther->setVisible(false);
    gfOther->controls()
        .addLabel(QStringLiteral("lblOther"), 142, 142, 1559, 283, QStringLiteral("Other Elements"))
        ->font()
        .bold = true;
    gfOther->controls().addField(QStringLiteral("txtOther"), 142, 425, 9496, 284)->setCanGrow(true);

    ReportSection *gfNotes = addSection(Kind::GroupFooter, QStringLiteral("gfNotes"), 645);
    gfNotes->controls().addLabel(QStringLiteral("lblNotes"), 142, 0, 1559, 283, QStringLiteral("Notes"))->font().bold =
        true;
    gfNotes->controls().addField(QStringLiteral("txtNotes"), 142, 283, 9496, 284)->setCanGrow(true);

    addSection(Kind::PageFooter, QStringLiteral("PageFooter"), 0);
}

actRepUnBound::~actRepUnBound() = default;

double actRepUnBound::ColWidth(int c) const
{
    return m_colSize.at(c);
}

bool actRepUnBound::IsEmptyCreepCol(int c) const
{
    return m_strKey == CreepProp && m_emptyCreepCols.isAllocated() && c >= m_emptyCreepCols.lowerBound() &&
           c <= m_emptyCreepCols.upperBound() && m_emptyCreepCols.at(c);
}

void actRepUnBound::ActiveReport_DataInitialize()
{
    ProgramWindow *mdi = ProgramWindow::instance();
    if (!mdi || !mdi->mCurrent)
        platform::throwObjectNotSet();
    m_mat = mdi->mCurrent;
    m_strKey = m_mat->colUnBoundTablePrintList.item(1);

    ReportSection *ghTitle = section(QStringLiteral("ghTitle"));
    ReportSection *detail = section(QStringLiteral("Detail"));
    ReportSection *gfExtended = section(QStringLiteral("gfExtended"));
    auto *lblTitle = ghTitle->controls().item<ReportLabel>(QStringLiteral("lblTitle"));
    auto *lblCaption0 = ghTitle->controls().item<ReportField>(QStringLiteral("lblCaption0"));
    auto *field0 = detail->controls().item<ReportField>(QStringLiteral("Field0"));

    m_data = m_mat->UnboundTableData(m_strKey);
    if (m_strKey == ChemComp) {
        lblTitle->setVisible(false);
        const QString others = m_mat->OthersText();
        if (m_mat->OthersElement() && others != QLatin1String("-") && !others.isEmpty()) {
            ReportSection *gfOther = section(QStringLiteral("gfOther"));
            gfOther->setVisible(true);
            gfOther->controls().item<ReportField>(QStringLiteral("txtOther"))->setText(others);
        }
        ghTitle->setHeight(ghTitle->height() - 280);
        lblCaption0->setHeight(lblCaption0->height() - 280);
        lblCaption0->setWidth(lblCaption0->width() - 50);
        field0->font().size = 8;
        field0->setWidth(field0->width() - 50);
    } else {
        m_colSize = m_mat->MechCreepColSize(m_strKey);
        if (m_colSize.isAllocated() && m_colSize.count() > 0) {
            lblCaption0->setWidth(ColWidth(0));
            field0->setWidth(ColWidth(0));
        }
        if (m_strKey == CreepProp) {
            if (frmMaterial2 *frm = m_mat->MyForm()) {
                m_emptyCreepCols = frm->EmptyCreepCols();
            } else if (m_data.isAllocated()) {
                // The window is closed already (batch printing closes every window before the report
                // runs): the same test the window makes on its grid, from the kept copy of it.
                m_emptyCreepCols.redim(0, m_data.upperBound(2));
                for (int c = 0; c <= m_data.upperBound(2); ++c) {
                    int empty = 0;
                    for (int r = m_data.lowerBound(1); r <= m_data.upperBound(1); ++r) {
                        const QString cell = cellText(m_data, r, c);
                        if (cell.isEmpty() || cell == QLatin1String(" ") || cell == QLatin1String("-"))
                            ++empty;
                    }
                    m_emptyCreepCols[c] = m_data.count(1) > 0 && empty == m_data.count(1);
                }
            }
        }
    }

    // A table that was never loaded has nothing to print but its title and notes.
    m_lastCol = m_data.isAllocated() ? m_data.upperBound(2) : -1;

    if (m_strKey == ChemComp && m_lastCol >= ChemExtCol) {
        gfExtended->setVisible(true);
        gfExtended->controls().item(QStringLiteral("lblX_0"))->setVisible(false);
        gfExtended->controls().item(QStringLiteral("FieldX1_0"))->setVisible(false);
    } else if (m_strKey != ChemComp && m_lastCol >= 0 && IsTableTooWide()) {
        gfExtended->setVisible(true);
        for (const QString &name :
             {QStringLiteral("lblCapExt"), QStringLiteral("FieldExt"), QStringLiteral("FieldExt0")})
            gfExtended->controls().item(name)->setVisible(false);
        gfExtended->controls().item(QStringLiteral("lblX_0"))->setLeft(142);
        gfExtended->controls().item(QStringLiteral("FieldX1_0"))->setLeft(142);
        AddExtendedRow(0);
    }

    m_mat->colUnBoundTablePrintList.remove(1);

    QString title = mdi->GetTableName(mdi->GetTableIndex(m_strKey));
    if (mdi->blnBatchPrint) {
        lblTitle->setWidth(9071);
        title += QStringLiteral("     ") + m_mat->Name() + QStringLiteral("_") + m_mat->Number();
    }
    lblTitle->setCaption(title);
    if (gfExtended->isVisible())
        gfExtended->controls()
            .item<ReportLabel>(QStringLiteral("lblExtended"))
            ->setCaption(title + QStringLiteral(" continued..."));

    if (m_lastCol >= 0)
        lblCaption0->setText(m_mat->ColCaption(m_strKey, 0));

    for (int c = 1; c <= m_lastCol; ++c) {
        if (IsEmptyCreepCol(c))
            continue;
        if (m_iSplitCol > 0 && c >= m_iSplitCol) {
            AddExtendedRow(c);
        } else {
            AddColumnCaption(m_strKey, c);
            AddDetailField(m_strKey, c);
        }
    }

    field0->setDataField(QStringLiteral("Field0"));
    for (int c = 0; c <= m_lastCol; ++c)
        fields().add(QStringLiteral("Field") + QString::number(c));

    m_curRow = m_data.isAllocated() ? m_data.lowerBound(1) : 0;

    const QString notes = m_mat->TableNotes(mdi->GetTableIndex(m_strKey));
    ReportSection *gfNotes = section(QStringLiteral("gfNotes"));
    gfNotes->controls().item<ReportField>(QStringLiteral("txtNotes"))->setText(notes);
    if (notes == QLatin1String("-") || notes.isEmpty())
        gfNotes->setVisible(false);
}

void actRepUnBound::ActiveReport_FetchData(bool &eof)
{
    if (!m_data.isAllocated() || m_lastCol < 0 || m_curRow > m_data.upperBound(1)) {
        eof = true;
        return;
    }
    const bool split = section(QStringLiteral("gfExtended"))->isVisible() && m_strKey != ChemComp;
    const QString row = QString::number(m_curRow);
    for (int c = 0; c <= m_lastCol; ++c) {
        const QString value = cellText(m_data, m_curRow, c);
        if (m_strKey == ChemComp && c >= ChemExtCol && m_curRow == 2) {
            fields().setValue(QStringLiteral("FieldExt") + QString::number(c), value);
        } else if (split && c == 0) {
            const QString cell = QStringLiteral("FieldX") + row + QStringLiteral("_0");
            if (fields().contains(cell))
                fields().setValue(cell, value);
            fields().setValue(QStringLiteral("Field0"), value);
        } else if (split && m_iSplitCol > 0 && c >= m_iSplitCol) {
            if (!IsEmptyCreepCol(c))
                fields().setValue(QStringLiteral("FieldX") + row + QStringLiteral("_") + QString::number(c), value);
        } else {
            fields().setValue(QStringLiteral("Field") + QString::number(c), value);
        }
    }
    ++m_curRow;
    eof = false;
}

void actRepUnBound::AddColumnCaption(const QString &strKey, int c)
{
    ReportSection *ghTitle = section(QStringLiteral("ghTitle"));
    ReportSection *gfExtended = section(QStringLiteral("gfExtended"));
    auto *lblCaption0 = ghTitle->controls().item<ReportField>(QStringLiteral("lblCaption0"));
    auto *lblCapExt = gfExtended->controls().item<ReportField>(QStringLiteral("lblCapExt"));
    const bool ext = strKey == ChemComp && c >= ChemExtCol;
    if (ext && c == ChemExtCol) {
        m_lastCaption = lblCapExt;
        m_captionPlaced = true;
    }

    auto *ctl = (ext ? gfExtended : ghTitle)->controls().addField(QStringLiteral("lblCaption") + QString::number(c));
    ctl->setWidth(strKey == ChemComp ? lblCaption0->width() : ColWidth(c));
    ctl->setTop(ext ? lblCapExt->top() : lblCaption0->top());
    ctl->setHeight(lblCaption0->height());
    ctl->setCanGrow(lblCaption0->canGrow());
    ctl->setVerticalAlignment(controls::textalign::Top);
    ctl->setAlignment(controls::textalign::Centre);
    ctl->setText(m_mat->ColCaption(strKey, c));
    StyleAsCaption(ctl);
    if (c == 1 || !m_captionPlaced)
        ctl->setLeft(lblCaption0->left() + lblCaption0->width());
    else
        ctl->setLeft(m_lastCaption->left() + m_lastCaption->width());
    m_lastCaption = ctl;
    m_captionPlaced = true;
}

void actRepUnBound::AddDetailField(const QString &strKey, int c)
{
    ReportSection *detail = section(QStringLiteral("Detail"));
    ReportSection *gfExtended = section(QStringLiteral("gfExtended"));
    auto *field0 = detail->controls().item<ReportField>(QStringLiteral("Field0"));

    auto style = [&](ReportField *f) {
        f->setVerticalAlignment(controls::textalign::Middle);
        f->setAlignment(controls::textalign::Centre);
        f->border().topStyle = controls::borderstyle::Solid;
        f->border().rightStyle = controls::borderstyle::Solid;
        f->border().bottomStyle = controls::borderstyle::Solid;
        f->font().size = field0->font().size;
        f->setDataField(f->name());
    };

    if (strKey == ChemComp && c >= ChemExtCol) {
        auto *extMin = gfExtended->controls().item<ReportField>(QStringLiteral("FieldExt"));
        auto *extMax = gfExtended->controls().item<ReportField>(QStringLiteral("FieldExt0"));
        if (c == ChemExtCol) {
            extMin->setHeight(field0->height());
            extMax->setHeight(field0->height());
            m_lastField = extMin;
            m_lastExtMax = extMax;
        }
        auto *fMin = gfExtended->controls().addField(QStringLiteral("Field") + QString::number(c));
        style(fMin);
        fMin->setGeometry(m_lastField->left() + m_lastField->width(), extMin->top(), field0->width(), extMin->height());
        auto *fMax = gfExtended->controls().addField(QStringLiteral("FieldExt") + QString::number(c));
        style(fMax);
        fMax->setGeometry(m_lastExtMax->left() + m_lastExtMax->width(), extMax->top(), field0->width(),
                          extMax->height());
        fields().add(fMax->name());
        m_lastField = fMin;
        m_lastExtMax = fMax;
        m_fieldPlaced = true;
        return;
    }

    auto *f = detail->controls().addField(QStringLiteral("Field") + QString::number(c));
    style(f);
    f->setWidth(strKey == ChemComp ? field0->width() : ColWidth(c));
    f->setTop(field0->top());
    f->setHeight(field0->height());
    if (c == 1 || !m_fieldPlaced)
        f->setLeft(field0->left() + field0->width());
    else
        f->setLeft(m_lastField->left() + m_lastField->width());
    m_lastField = f;
    m_fieldPlaced = true;
}

void actRepUnBound::AddExtendedRow(int c)
{
    ReportSection *gfExtended = section(QStringLiteral("gfExtended"));
    auto *lblX0 = gfExtended->controls().item<ReportField>(QStringLiteral("lblX_0"));
    auto *fieldX10 = gfExtended->controls().item<ReportField>(QStringLiteral("FieldX1_0"));

    ReportTextControl *caption = nullptr;
    int firstRow = 1;
    if (c == 0) {
        lblX0->setText(m_mat->ColCaption(m_strKey, 0));
        lblX0->setWidth(ColWidth(0));
        fieldX10->setWidth(ColWidth(0));
        fieldX10->setDataField(fieldX10->name());
        fields().add(fieldX10->name());
        caption = lblX0;
        m_lastExtCaption = lblX0;
        m_lastCell = fieldX10;
        firstRow = 2;
    } else {
        auto *ctl = gfExtended->controls().addField(QStringLiteral("lblX_") + QString::number(c));
        ctl->setText(m_mat->ColCaption(m_strKey, c));
        ctl->setGeometry(m_lastExtCaption->left() + m_lastExtCaption->width(), m_lastExtCaption->top(), ColWidth(c),
                         m_lastExtCaption->height());
        ctl->setVerticalAlignment(controls::textalign::Top);
        ctl->setAlignment(controls::textalign::Centre);
        StyleAsCaption(ctl);
        caption = ctl;
        m_lastExtCaption = ctl;
    }

    const int lastRow = m_data.upperBound(1);
    for (int r = firstRow; r <= lastRow; ++r) {
        const QString name = QStringLiteral("FieldX") + QString::number(r) + QStringLiteral("_") + QString::number(c);
        auto *cell = gfExtended->controls().addField(name);
        if (r == 1)
            cell->setGeometry(m_lastCell->left() + m_lastCell->width(), fieldX10->top(), caption->width(),
                              m_lastCell->height());
        else
            cell->setGeometry(m_lastCell->left(), m_lastCell->top() + m_lastCell->height() + 47, caption->width(),
                              m_lastCell->height());
        cell->setVerticalAlignment(controls::textalign::Middle);
        cell->setAlignment(controls::textalign::Centre);
        cell->setDataField(name);
        fields().add(name);
        cell->setText(name);
        StyleAsCaption(cell);
        m_lastCell = cell;
    }
    if (c == 0)
        gfExtended->setHeight(m_lastCell->top() + m_lastCell->height() + 97);
}

void actRepUnBound::StyleAsCaption(ReportTextControl *ctl)
{
    auto *cap0 = section(QStringLiteral("ghTitle"))->controls().item<ReportField>(QStringLiteral("lblCaption0"));
    ctl->setBackStyle(1);
    ctl->setBackColor(cap0->backColor());
    ctl->setForeColor(cap0->foreColor());
    ctl->font().size = cap0->font().size;
    ctl->border().setAll(controls::borderstyle::Solid);
}

bool actRepUnBound::IsTableTooWide()
{
    // An empty creep column takes no room.
    QVector<double> widths;
    for (int c = 0; c <= m_lastCol; ++c)
        widths << (IsEmptyCreepCol(c) ? 0.0 : double(ColWidth(c)));
    const int split = columnbands::splitColumn(0, widths, 0, MaxTableWidth);
    if (split < 0)
        return false;
    m_iSplitCol = split;
    return true;
}
