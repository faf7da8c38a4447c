#include "reports/actRepBound.h"

#include "controls/HeadingPictures.h"
#include "core/ProgramWindow.h"
#include "core/TableCatalogue.h"
#include "core/modDBase.h"
#include "db/DataControl.h"
#include "db/Database.h"
#include "material/Material.h"
#include "platform/MsgBox.h"
#include "platform/VbError.h"

using controls::ReportField;
using controls::ReportImage;
using controls::ReportLabel;
using controls::ReportSection;
using platform::vbCrLf;

namespace {

const double ColumnFontSize = 8.5;

// The drawn headings by number: the hidden holders imgPhys0..5 carry those up to LastHolder, from
// which the visible imgPhysA and imgPhysB take theirs; the last is imgPhysB's own.
constexpr int LastHolder = 5;
constexpr int SecondHeadingPicture = int(controls::UnitHeading::ExpansionDiff);
static_assert(SecondHeadingPicture == LastHolder + 1 && controls::UnitHeadingCount == SecondHeadingPicture + 1);

QString threeLines(const QString &first, const QString &last)
{
    return first + vbCrLf + vbCrLf + last;
}

ReportField *columnBox(ReportSection *section, const QString &name, double left, double top, double width,
                       double height, bool leftBorder)
{
    ReportField *box = section->controls().addField(name, left, top, width, height);
    box->font().size = ColumnFontSize;
    box->setAlignment(controls::textalign::Centre);
    box->setVerticalAlignment(controls::textalign::Middle);
    box->border().topStyle = controls::borderstyle::Solid;
    box->border().rightStyle = controls::borderstyle::Solid;
    box->border().bottomStyle = controls::borderstyle::Solid;
    box->border().leftStyle = leftBorder ? 1 : 0;
    return box;
}

} // namespace

QImage actRepBound::HeadingPicture(int index)
{
    // The pictures fill their 840 by 720 twips holders.
    return controls::headingPicture(controls::UnitHeading(index), QSize(56, 48));
}

QString actRepBound::HeadingText(int index)
{
    return controls::headingText(controls::UnitHeading(index));
}

actRepBound::actRepBound()
{
    BuildLayout();
}

actRepBound::~actRepBound() = default;

void actRepBound::BuildLayout()
{
    addSection(ReportSection::Kind::PageHeader, QStringLiteral("PageHeader"), 0);

    ReportSection *title = addSection(ReportSection::Kind::GroupHeader, QStringLiteral("ghTitle"), 1320);
    title->setRepeatsOnEachPage(true);
    title->controls().addLabel(QStringLiteral("lblTitle"), 0, 142, 6803, 283, QStringLiteral("Title"));
    columnBox(title, QStringLiteral("lblCol1"), 135, 567, 1275, 709, true);
    columnBox(title, QStringLiteral("lblCol2"), 1410, 567, 850, 709, false);
    columnBox(title, QStringLiteral("lblCol3"), 2260, 567, 850, 709, false);
    columnBox(title, QStringLiteral("lblCol4"), 3110, 567, 850, 709, false);
    for (int i = 0; i <= LastHolder; ++i) {
        ReportImage *holder =
            title->controls().addImage(QStringLiteral("imgPhys") + QString::number(i), 10000 + 900 * i, 555, 840, 720);
        holder->setPicture(HeadingPicture(i));
        holder->setAlternateText(HeadingText(i));
        holder->setVisible(false);
    }
    title->controls().addImage(QStringLiteral("imgPhysA"), 4125, 555, 840, 720)->setVisible(false);
    ReportImage *imgB = title->controls().addImage(QStringLiteral("imgPhysB"), 5055, 555, 840, 720);
    imgB->setPicture(HeadingPicture(SecondHeadingPicture));
    imgB->setAlternateText(HeadingText(SecondHeadingPicture));
    imgB->setVisible(false);

    ReportSection *detail = addSection(ReportSection::Kind::Detail, QStringLiteral("Detail"), 330);
    columnBox(detail, QStringLiteral("txtField1"), 135, 0, 1275, 283, true)->setDataField(QStringLiteral("temp"));
    columnBox(detail, QStringLiteral("txtField2"), 1410, 0, 850, 283, false);
    columnBox(detail, QStringLiteral("txtField3"), 2260, 0, 850, 283, false);
    columnBox(detail, QStringLiteral("txtField4"), 3110, 0, 850, 283, false);

    ReportSection *notes = addSection(ReportSection::Kind::GroupFooter, QStringLiteral("gfNotes"), 915);
    notes->setKeepTogether(true);
    notes->controls().addLabel(QStringLiteral("lblNotes"), 135, 0, 1559, 283, QStringLiteral("Notes"));
    ReportField *txtNotes = notes->controls().addField(QStringLiteral("txtNotes"), 135, 283, 9496, 567);
    txtNotes->font().size = 8;

    addSection(ReportSection::Kind::PageFooter, QStringLiteral("PageFooter"), 0);
}

void actRepBound::ActiveReport_ReportStart()
{
    ProgramWindow *mdi = ProgramWindow::instance();
    if (!mdi || !mdi->mCurrent)
        platform::throwObjectNotSet();
    m_mat = mdi->mCurrent;

    ReportSection *title = section(QStringLiteral("ghTitle"));
    ReportSection *detail = section(QStringLiteral("Detail"));
    auto *lblCol2 = title->controls().item<ReportField>(QStringLiteral("lblCol2"));
    auto *lblCol3 = title->controls().item<ReportField>(QStringLiteral("lblCol3"));
    auto *imgA = title->controls().item<ReportImage>(QStringLiteral("imgPhysA"));
    auto *imgB = title->controls().item<ReportImage>(QStringLiteral("imgPhysB"));
    imgA->setGeometry(lblCol2->left(), lblCol2->top(), lblCol2->width(), lblCol2->height());
    imgB->setGeometry(lblCol3->left(), lblCol3->top(), lblCol3->width(), lblCol3->height());

    // Item 1 raises VbError 9 on an empty queue: a subreport without a table is a caller's fault.
    m_strKey = m_mat->colTablePrintList.item(1);

    title->controls()
        .item<ReportField>(QStringLiteral("lblCol1"))
        ->setText(threeLines(QStringLiteral("Temperature"), QStringLiteral("[") + QChar(176) + QStringLiteral("C]")));
    detail->controls().item<ReportField>(QStringLiteral("txtField1"))->setDataField(QStringLiteral("temp"));

    db::DataControl *dtaTable = dataControl();
    dtaTable->setDatabaseName(modDBase::gMaterialDb ? modDBase::gMaterialDb->name() : QString());
    const QString k = m_strKey;
    const QString i = QString::number(m_mat->ID());
    if (m_mat->ElevatedMultiCol(k)) {
        dtaTable->setRecordSource(
            QStringLiteral("transform MAX (") + k + QStringLiteral(".") + k + QStringLiteral(") ") +
            QStringLiteral("select temp, ordering from ") + k + QStringLiteral(" ") + QStringLiteral("where matID = ") +
            i + QStringLiteral(" ") + QStringLiteral("group by temp, ordering ") +
            QStringLiteral("order by temp, ordering ") + QStringLiteral("pivot ") + k + QStringLiteral(".thickness"));
        dtaTable->refresh();
        SetThicknessColumns();
    } else {
        dtaTable->setRecordSource(QStringLiteral("select * from ") + k + QStringLiteral(" where matID=") + i +
                                  QStringLiteral(" order by temp"));
        dtaTable->refresh();
        if (k == catalogue::key::ImpEnergy)
            SetImpEnergyLayout();
        else
            SetPhysPropLayout();
    }

    const qint16 index = mdi->GetTableIndex(k);
    auto *txtNotes = section(QStringLiteral("gfNotes"))->controls().item<ReportField>(QStringLiteral("txtNotes"));
    txtNotes->setText(QString());
    if (!m_mat->TableNotes(index).isEmpty())
        txtNotes->setText(m_mat->TableNotes(index));
    if (txtNotes->text().isEmpty() || txtNotes->text() == QLatin1String("-"))
        section(QStringLiteral("gfNotes"))->setVisible(false);

    auto *lblTitle = title->controls().item<ReportLabel>(QStringLiteral("lblTitle"));
    lblTitle->setCaption(mdi->GetTableName(index));
    if (mdi->blnBatchPrint) {
        lblTitle->setWidth(9071);
        lblTitle->setCaption(lblTitle->caption() + QStringLiteral("     ") + m_mat->Name() + QStringLiteral("_") +
                             m_mat->Number());
    }

    m_mat->colTablePrintList.remove(1);
}

void actRepBound::SetPhysPropLayout()
{
    ReportSection *title = section(QStringLiteral("ghTitle"));
    ReportSection *detail = section(QStringLiteral("Detail"));
    auto *lblCol2 = title->controls().item<ReportField>(QStringLiteral("lblCol2"));
    auto *lblCol3 = title->controls().item<ReportField>(QStringLiteral("lblCol3"));
    auto *txtField3 = detail->controls().item<ReportField>(QStringLiteral("txtField3"));
    auto *imgA = title->controls().item<ReportImage>(QStringLiteral("imgPhysA"));
    auto *imgB = title->controls().item<ReportImage>(QStringLiteral("imgPhysB"));
    // A heading takes a holder's picture together with its text.
    const auto take = [title](ReportImage *image, int n) {
        const auto *holder = title->controls().item<ReportImage>(QStringLiteral("imgPhys") + QString::number(n));
        image->setPicture(holder->picture());
        image->setAlternateText(holder->alternateText());
    };

    lblCol3->setVisible(false);
    title->controls().item(QStringLiteral("lblCol4"))->setVisible(false);
    txtField3->setVisible(false);
    detail->controls().item(QStringLiteral("txtField4"))->setVisible(false);

    lblCol2->setText(ProgramWindow::instance()->GetCaption(m_strKey));
    lblCol3->setText(QString());
    detail->controls().item<ReportField>(QStringLiteral("txtField2"))->setDataField(m_strKey);

    imgA->setVisible(true);
    lblCol2->setVisible(false);
    const auto secondColumn = [&](const QString &field) {
        imgB->setVisible(true);
        lblCol3->setVisible(true);
        txtField3->setVisible(true);
        txtField3->setDataField(field);
    };
    const catalogue::TableInfo *table = catalogue::Find(m_strKey);
    if (table && table->headings[0] != catalogue::Heading::None) {
        take(imgA, int(table->headings[0]));
        if (*table->secondField) {
            // The second heading's own picture needs no holder.
            if (const int holder = int(table->headings[1]); holder <= LastHolder)
                take(imgB, holder);
            secondColumn(QString::fromLatin1(table->secondField));
        }
    } else {
        lblCol2->setVisible(true);
        imgA->setVisible(false);
        imgB->setVisible(false);
    }
}

void actRepBound::SetImpEnergyLayout()
{
    ReportSection *title = section(QStringLiteral("ghTitle"));
    ReportSection *detail = section(QStringLiteral("Detail"));
    title->controls().item(QStringLiteral("lblTitle"))->setVisible(false);

    ReportField *heads[3], *boxes[3];
    for (int c = 0; c < 3; ++c) {
        heads[c] = title->controls().item<ReportField>(QStringLiteral("lblCol") + QString::number(c + 2));
        boxes[c] = detail->controls().item<ReportField>(QStringLiteral("txtField") + QString::number(c + 2));
    }

    const qint16 mask = m_mat->ImpEnergyCols();
    if (mask == 0) {
        // Nothing of the table prints; the material report's control is hidden as well when known.
        for (int s = 0; s < sectionCount(); ++s)
            sectionAt(s)->setVisible(false);
        if (ParentReport) {
            for (int s = 0; s < ParentReport->sectionCount(); ++s) {
                if (auto *control = ParentReport->sectionAt(s)->controls().find(QStringLiteral("subRepImpEnergy")))
                    control->setVisible(false);
            }
        }
    } else if (mask <= 7) {
        static const char *const names[] = {"KV", "KVL", "KVT"};
        static const char *const fields[] = {"kv", "kvLong", "kvTrans"};
        int column = 0;
        for (int bit = 0; bit < 3; ++bit) {
            if (!(mask & (1 << bit)))
                continue;
            heads[column]->setText(threeLines(QString::fromLatin1(names[bit]), QStringLiteral("[Joule]")));
            boxes[column]->setDataField(QString::fromLatin1(fields[bit]));
            ++column;
        }
        for (int c = column; c < 3; ++c) {
            heads[c]->setVisible(false);
            boxes[c]->setVisible(false);
        }
    }

    for (int c = 0; c < 3; ++c) {
        heads[c]->setWidth(1151);
        boxes[c]->setWidth(1151);
    }
    heads[1]->setLeft(heads[0]->left() + heads[0]->width());
    heads[2]->setLeft(heads[1]->left() + heads[1]->width());
    boxes[1]->setLeft(heads[1]->left());
    boxes[2]->setLeft(heads[2]->left());
}

void actRepBound::SetThicknessColumns()
{
    ReportSection *title = section(QStringLiteral("ghTitle"));
    ReportSection *detail = section(QStringLiteral("Detail"));
    const auto head = [title](int c) {
        return title->controls().item<ReportField>(QStringLiteral("lblCol") + QString::number(c));
    };
    const auto box = [detail](int c) {
        return detail->controls().item<ReportField>(QStringLiteral("txtField") + QString::number(c));
    };
    for (int c = 3; c <= 4; ++c) {
        head(c)->setVisible(false);
        box(c)->setVisible(false);
    }

    const platform::VbArray<qint16> t = m_mat->ElevatedColumns(m_strKey);
    const int n = t.isAllocated() ? t.upperBound() : 0;
    const auto text = [&t](int j) { return QString::number(t.at(j)); };
    if (n >= 1) {
        head(2)->setText(threeLines(QStringLiteral("(   ) - "), text(1) + QStringLiteral("mm")));
        box(2)->setDataField(text(1));
    }
    for (int c = 3; c <= 4 && c - 1 <= n; ++c) {
        head(c)->setVisible(true);
        box(c)->setVisible(true);
        head(c)->setText(
            threeLines(QStringLiteral("(") + text(c - 2) + QStringLiteral(") - "), text(c - 1) + QStringLiteral("mm")));
        box(c)->setDataField(text(c - 1));
    }
    for (int j = 4; j <= n; ++j)
        AddThicknessColumn(qint16(j), t.at(j), t.at(j - 1));
}

void actRepBound::AddThicknessColumn(qint16 n, qint16 t, qint16 tPrev)
{
    ReportSection *title = section(QStringLiteral("ghTitle"));
    ReportSection *detail = section(QStringLiteral("Detail"));
    if (n == 4) {
        m_lastHeading = title->controls().item<ReportField>(QStringLiteral("lblCol4"));
        m_lastDetail = detail->controls().item<ReportField>(QStringLiteral("txtField4"));
    }
    auto *heading = title->controls().addField(QStringLiteral("lblCol") + QString::number(n + 1));
    auto *box = detail->controls().addField(QStringLiteral("txtField") + QString::number(n + 1));

    heading->setText(threeLines(QStringLiteral("(") + QString::number(tPrev) + QStringLiteral(") -"),
                                QString::number(t) + QStringLiteral("mm")));
    box->setDataField(QString::number(t));

    const auto copyFrom = [](ReportField *to, const ReportField *from) {
        to->setTop(from->top());
        to->setHeight(from->height());
        to->setWidth(from->width());
        to->setAlignment(from->alignment());
        to->setVerticalAlignment(from->verticalAlignment());
        to->font().size = from->font().size;
        to->setLeft(from->left() + from->width());
        to->border().topStyle = controls::borderstyle::Solid;
        to->border().bottomStyle = controls::borderstyle::Solid;
        to->border().rightStyle = controls::borderstyle::Solid;
    };
    copyFrom(heading, m_lastHeading);
    copyFrom(box, m_lastDetail);
    m_lastHeading = heading;
    m_lastDetail = box;
}
