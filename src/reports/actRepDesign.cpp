#include "reports/actRepDesign.h"

#include "reports/ColumnBands.h"

#include "core/ProgramWindow.h"
#include "core/TableCatalogue.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/MsgBox.h"
#include "platform/VbError.h"

#include <algorithm>
#include <cmath>

using controls::ReportField;
using controls::ReportLabel;
using controls::ReportSection;
using platform::vbCrLf;

namespace {

const double CellWidth = 1155;
const double SplitWidth = 10200;
// A further band of the continuation block starts this far below the one above it.
const double BandGap = 142;

void solidTopRightBottom(ReportField *box)
{
    box->border().topStyle = controls::borderstyle::Solid;
    box->border().rightStyle = controls::borderstyle::Solid;
    box->border().bottomStyle = controls::borderstyle::Solid;
}

template <typename T>
bool inBounds(const platform::VbArray<T> &array, int index)
{
    return array.isAllocated() && index >= array.lowerBound() && index <= array.upperBound();
}

} // namespace

actRepDesign::actRepDesign()
{
    BuildLayout();
}

actRepDesign::~actRepDesign() = default;

void actRepDesign::BuildLayout()
{
    addSection(ReportSection::Kind::PageHeader, QStringLiteral("PageHeader"), 0);

    ReportSection *temp = addSection(ReportSection::Kind::GroupHeader, QStringLiteral("ghDesignTemp"), 615);
    temp->setRepeatsOnEachPage(true);
    temp->controls().addLabel(QStringLiteral("lblDesignTemp"), 1701, 0, 1559, 283, QStringLiteral("Temperature"));
    temp->controls().addField(QStringLiteral("txtDesignTemp"), 3260, 0, 1275, 283);
    temp->controls().addLabel(QStringLiteral("lblTable"), 142, 283, 1559, 284, QStringLiteral("Table"));

    addSection(ReportSection::Kind::GroupHeader, QStringLiteral("ghExtended"), 15)->setVisible(false);

    ReportSection *detail = addSection(ReportSection::Kind::Detail, QStringLiteral("Detail"), 375);
    detail->controls().addField(QStringLiteral("txtField0"), 142, 10, 1559, 283)->font().size = 8.5;
    ReportField *txtField1 = detail->controls().addField(QStringLiteral("txtField1"), 1701, 10, 1155, 283);
    txtField1->border().setAll(controls::borderstyle::Solid);
    txtField1->setAlignment(controls::textalign::Centre);
    txtField1->font().size = 8.5;
    detail->controls().addLabel(QStringLiteral("lblDummy"), 3260, 10, 1134, 283);

    ReportSection *extended = addSection(ReportSection::Kind::GroupFooter, QStringLiteral("gfExtended"), 375);
    extended->setVisible(false);
    extended->controls()
        .addLabel(QStringLiteral("lblContinued"), 142, 0, 1559, 283, QStringLiteral("Continued..."))
        ->font()
        .size = 8;

    ReportSection *key = addSection(ReportSection::Kind::GroupFooter, QStringLiteral("gfDesignValuesKey"), 660);
    key->controls().addField(QStringLiteral("txtKey"), 1701, 0, 6519, 567)->font().size = 8;

    addSection(ReportSection::Kind::PageFooter, QStringLiteral("PageFooter"), 0);
}

void actRepDesign::ActiveReport_DataInitialize()
{
    ReportSection *detail = section(QStringLiteral("Detail"));
    section(QStringLiteral("gfDesignValuesKey"))
        ->controls()
        .item<ReportField>(QStringLiteral("txtKey"))
        ->setText(QStringLiteral("KEY") + vbCrLf + vbCrLf +
                  QStringLiteral("'-' = Below Temperature Range of this table") + vbCrLf +
                  QStringLiteral("'+' = Above Temperature Range of this table") + vbCrLf +
                  QStringLiteral("'x' = No value given for this temperature"));

    m_iRow = 1;
    m_blnCreep = false;
    m_blnExtStarted = false;
    m_iCreepCol = 0;
    m_extBottom = 0;
    m_extBands = 0;
    // A detail row is as high as lblDummy reaches, also below the laid-out height (spacer rows).
    detail->setCanShrink(true);

    ProgramWindow *mdi = ProgramWindow::instance();
    if (!mdi || !mdi->mCurrent || !mdi->mCurrent->MyForm())
        platform::throwObjectNotSet();
    m_mat = mdi->mCurrent;
    frmMaterial2 *form = m_mat->MyForm();
    m_xDesign = form->xDesignDB;
    m_iLastCol = qint16(m_xDesign.upperBound(2));

    section(QStringLiteral("ghDesignTemp"))
        ->controls()
        .item<ReportField>(QStringLiteral("txtDesignTemp"))
        ->setText(form->DesignTemperatureText() + QStringLiteral(" ") + QChar(176) + QStringLiteral("C"));

    auto *txtField1 = detail->controls().item<ReportField>(QStringLiteral("txtField1"));
    if (m_mat->TableHasData(catalogue::key::CreepProp)) {
        m_blnCreep = true;
        m_sCreepColSize = m_mat->MechCreepColSize(catalogue::key::CreepProp);
        m_blnEmptyCreepCols = form->EmptyCreepCols();
        const double size = inBounds(m_sCreepColSize, 1) ? m_sCreepColSize.at(1) : 0;
        txtField1->setWidth(qMax(size, CellWidth));
    }

    m_blnSplit = FindSplitColumn();
    if (m_blnSplit) {
        // Columns beyond the split that no block fills leave nothing to continue: no lone label.
        section(QStringLiteral("gfExtended"))->setVisible(m_iFirstFlagged > 0);
        AddExtendedRowLabels();
    }

    for (qint16 c = 2; c <= m_iLastCol; ++c) {
        if (m_blnSplit && c >= m_iSplitCol) {
            AddExtendedColumn(c);
        } else {
            AddDetailField(c);
            fields().add(QStringLiteral("Field") + QString::number(c));
        }
    }

    fields().add(QStringLiteral("Field0"));
    fields().add(QStringLiteral("Field1"));
    detail->controls().item<ReportField>(QStringLiteral("txtField0"))->setDataField(QStringLiteral("Field0"));
    txtField1->setDataField(QStringLiteral("Field1"));
}

void actRepDesign::AddDetailField(qint16 c)
{
    ReportSection *detail = section(QStringLiteral("Detail"));
    const ReportField *before =
        c == 2 ? detail->controls().item<ReportField>(QStringLiteral("txtField1")) : m_lastDetail;
    ReportField *box = detail->controls().addField(QStringLiteral("txtField") + QString::number(c));
    box->setDataField(QStringLiteral("Field") + QString::number(c));
    box->setWidth(CellWidth);
    box->setVerticalAlignment(controls::textalign::Middle);
    box->setAlignment(controls::textalign::Centre);
    solidTopRightBottom(box);
    box->setLeft(before->left() + before->width());
    m_lastDetail = box;
}

bool actRepDesign::FindSplitColumn()
{
    qint16 split = -1;
    if (!m_blnCreep) {
        const double labelWidth =
            section(QStringLiteral("Detail"))->controls().item(QStringLiteral("txtField0"))->width();
        const QVector<double> widths(qMax<int>(m_iLastCol + 1, 0), CellWidth);
        split = qint16(columnbands::splitColumn(labelWidth, widths, 1, SplitWidth));
    } else if (m_sCreepColSize.isAllocated()) {
        QVector<double> widths;
        QVector<bool> skip;
        for (int c = 0; c <= m_sCreepColSize.upperBound(); ++c) {
            widths << qMax(double(m_sCreepColSize.at(c)), CellWidth);
            skip << (inBounds(m_blnEmptyCreepCols, c) && m_blnEmptyCreepCols.at(c));
        }
        split = qint16(columnbands::splitColumn(0, widths, 0, SplitWidth, skip, true));
    }
    // The creep widths may find a column the array does not have, or walk fewer columns than the
    // array holds; whatever the rule above finds, no column may pass the paper's edge.
    if (split > m_iLastCol)
        split = -1;
    const qint16 byWidth = DetailColumnPastEdge();
    if (byWidth > 0 && (split < 0 || byWidth < split))
        split = byWidth;
    // Columns 0 and 1 always print in the detail rows.
    if (split < 0)
        return false;
    m_iSplitCol = qMax<qint16>(split, 2);
    MarkExtendedRows();
    return true;
}

qint16 actRepDesign::DetailColumnPastEdge()
{
    const ReportSection *detail = section(QStringLiteral("Detail"));
    const auto *txtField0 = detail->controls().item(QStringLiteral("txtField0"));
    QVector<double> widths{txtField0->width(), detail->controls().item(QStringLiteral("txtField1"))->width()};
    for (int c = 2; c <= m_iLastCol; ++c)
        widths.append(CellWidth);
    const QVector<int> starts = columnbands::bandStarts(txtField0->left(), widths, printWidth());
    return starts.isEmpty() ? qint16(-1) : qint16(starts.first());
}

void actRepDesign::MarkExtendedRows()
{
    const int rows = m_xDesign.upperBound(1);
    m_blnRowFlags.redim(0, rows);
    m_iFirstFlagged = 0;
    for (int r = 1; r <= rows; r += 3) {
        const QVariant cell = m_xDesign.value(r, m_iSplitCol);
        const QString text = cell.isNull() ? QString() : cell.toString();
        if (text.isEmpty() || text == QLatin1String(" "))
            continue;
        for (int k = r; k <= r + 2 && k <= rows; ++k)
            m_blnRowFlags[k] = true;
        if (m_iFirstFlagged == 0)
            m_iFirstFlagged = qint16(r);
    }
}

void actRepDesign::AddExtendedRowLabels()
{
    ReportSection *extended = section(QStringLiteral("gfExtended"));
    const auto *continued = extended->controls().item(QStringLiteral("lblContinued"));
    extended->setHeight(PlaceExtendedLabels(continued->top() + continued->height() + 70, 0));
}

// The label column of one band of the continuation block from y down; returns the y below it.
double actRepDesign::PlaceExtendedLabels(double y, int band)
{
    ReportSection *extended = section(QStringLiteral("gfExtended"));
    const auto *txtField0 =
        section(QStringLiteral("Detail"))->controls().item<ReportField>(QStringLiteral("txtField0"));
    m_firstExtLabel = nullptr;
    for (int r = m_iFirstFlagged; r <= m_blnRowFlags.upperBound(); ++r) {
        if (r < 1 || !m_blnRowFlags.at(r))
            continue;
        // Every band repeats the labels, bound to the same field as the first band's.
        const QString field = QStringLiteral("txtFieldExt") + QString::number(r) + QStringLiteral("_0");
        ReportField *box =
            extended->controls().addField(band == 0 ? field : field + QStringLiteral("_") + QString::number(band));
        fields().add(field);
        box->setDataField(field);
        box->setTop(y);
        box->setLeft(txtField0->left());
        box->setWidth(txtField0->width());
        switch (KindOf(r)) {
        case RowKind::Heading:
            box->setHeight(851);
            box->setVerticalAlignment(controls::textalign::Top);
            box->setAlignment(controls::textalign::Centre);
            box->font().size = txtField0->font().size;
            box->font().bold = true;
            break;
        case RowKind::Value:
            box->setHeight(283);
            box->setVisible(false);
            break;
        case RowKind::Spacer:
            box->setHeight(0);
            box->setVisible(false);
            break;
        }
        if (!m_firstExtLabel)
            m_firstExtLabel = box;
        y += box->height();
        m_extBottom = std::max(m_extBottom, y);
    }
    m_extBandWidths = {txtField0->width()};
    return y;
}

void actRepDesign::AddExtendedColumn(qint16 c)
{
    ReportSection *extended = section(QStringLiteral("gfExtended"));
    if (!m_blnExtStarted) {
        m_lastExt = m_firstExtLabel;
        m_blnExtStarted = true;
    }
    const int emptyUpper = m_blnEmptyCreepCols.isAllocated() ? m_blnEmptyCreepCols.upperBound() : -1;
    if (m_blnCreep && m_iCreepCol < emptyUpper) {
        if (c == m_iSplitCol) {
            m_iCreepCol = m_iSplitCol;
        } else {
            while (inBounds(m_blnEmptyCreepCols, m_iCreepCol) && m_blnEmptyCreepCols.at(m_iCreepCol))
                ++m_iCreepCol;
        }
    }

    double width = CellWidth;
    if (m_blnCreep && m_iCreepCol < emptyUpper && inBounds(m_sCreepColSize, m_iCreepCol) &&
        m_sCreepColSize.at(m_iCreepCol) >= CellWidth)
        width = m_sCreepColSize.at(m_iCreepCol);
    // A column that would pass the paper's edge starts a further band below, with its own labels.
    QVector<double> band = m_extBandWidths;
    band.append(width);
    const double labelLeft = section(QStringLiteral("Detail"))->controls().item(QStringLiteral("txtField0"))->left();
    if (!columnbands::bandStarts(labelLeft, band, printWidth()).isEmpty()) {
        PlaceExtendedLabels(m_extBottom + BandGap, ++m_extBands);
        m_lastExt = m_firstExtLabel;
        band = {m_extBandWidths.first(), width};
    }
    m_extBandWidths = band;

    ReportField *first = nullptr;
    for (int r = m_iFirstFlagged; r <= m_blnRowFlags.upperBound(); ++r) {
        if (r < 1 || !m_blnRowFlags.at(r))
            continue;
        const QString name =
            QStringLiteral("txtFieldExt") + QString::number(r) + QStringLiteral("_") + QString::number(c);
        ReportField *box = extended->controls().addField(name);
        fields().add(name);
        box->setDataField(name);
        ReportField *last = m_lastExt;
        const RowKind kind = KindOf(r);
        switch (kind) {
        case RowKind::Heading: {
            if (r == m_iFirstFlagged) {
                box->setTop(last->top());
                box->setLeft(last->left() + last->width());
            } else {
                box->setLeft(last->left());
                box->setTop(last->top() + last->height() + 70);
            }
            box->setHeight(851);
            box->setVerticalAlignment(controls::textalign::Top);
            box->setAlignment(controls::textalign::Centre);
            box->setWidth(width);
            break;
        }
        case RowKind::Value:
            box->setTop(last->top() + last->height() + 70);
            box->setLeft(last->left());
            box->setHeight(283);
            box->font().bold = true;
            box->setVerticalAlignment(controls::textalign::Middle);
            box->setAlignment(controls::textalign::Centre);
            box->setWidth(last->width());
            break;
        case RowKind::Spacer:
            box->setTop(last->top() + last->height() + 70);
            box->setLeft(last->left());
            box->setHeight(0);
            box->setWidth(last->width());
            box->setVisible(false);
            break;
        }
        if (kind != RowKind::Spacer)
            solidTopRightBottom(box);
        // The hidden spacer box carries the size on as well, so that a later flagged block keeps the
        // size of the first instead of falling back to the default.
        box->font().size = last->font().size;
        if (c == m_iSplitCol)
            box->border().leftStyle = controls::borderstyle::Solid;
        m_lastExt = box;
        if (box->isVisible())
            m_extBottom = std::max(m_extBottom, box->top() + box->height());
        if (!first)
            first = box;
    }
    if (first)
        m_lastExt = first;
    if (m_blnCreep)
        ++m_iCreepCol;
}

void actRepDesign::ActiveReport_FetchData(bool &EOF_)
{
    if (m_iRow > m_xDesign.upperBound(1)) {
        EOF_ = true;
        return;
    }
    const int r = m_iRow;
    const bool flagged = m_blnSplit && inBounds(m_blnRowFlags, r) && m_blnRowFlags.at(r);
    for (int c = 0; c <= m_iLastCol; ++c) {
        const QVariant cell = m_xDesign.value(r, c);
        if (!m_blnSplit || c < m_iSplitCol) {
            fields().setValue(QStringLiteral("Field") + QString::number(c), cell);
            if (m_blnSplit && flagged && c == 0)
                fields().setValue(QStringLiteral("txtFieldExt") + QString::number(r) + QStringLiteral("_0"), cell);
        } else if (flagged) {
            fields().setValue(
                QStringLiteral("txtFieldExt") + QString::number(r) + QStringLiteral("_") + QString::number(c), cell);
        }
    }
    ++m_iRow;
    EOF_ = false;
}

void actRepDesign::formatSection(ReportSection &section)
{
    if (section.name() == QLatin1String("Detail"))
        Detail_Format();
}

void actRepDesign::Detail_Format()
{
    ReportSection *detail = section(QStringLiteral("Detail"));
    const int r = m_iRow - 1;
    const RowKind kind = KindOf(r);
    const double fontSize = detail->controls().item<ReportField>(QStringLiteral("txtField0"))->font().size;
    auto *lblDummy = detail->controls().item<ReportLabel>(QStringLiteral("lblDummy"));
    const int lastPrinted = m_blnSplit ? m_iSplitCol - 1 : m_iLastCol;
    // A block's heading row does not end a page without its values.
    detail->setKeepWithNext(kind == RowKind::Heading);
    for (int c = 0; c <= lastPrinted; ++c) {
        auto *box = detail->controls().item<ReportField>(QStringLiteral("txtField") + QString::number(c));
        box->setTop(10);
        switch (kind) {
        case RowKind::Heading:
            box->setHeight(851);
            box->font().bold = c == 0;
            box->setVerticalAlignment(controls::textalign::Top);
            box->setVisible(true);
            break;
        case RowKind::Value:
            box->setHeight(283);
            box->font().bold = true;
            box->setVerticalAlignment(controls::textalign::Middle);
            break;
        case RowKind::Spacer:
            box->setVisible(false);
            box->setHeight(0);
            break;
        }
        box->font().size = fontSize;
        lblDummy->setHeight(box->height() + 50);
    }
}
