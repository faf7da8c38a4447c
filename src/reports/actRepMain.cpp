#include "reports/actRepMain.h"

#include "controls/ReportExport.h"
#include "core/ProductInfo.h"
#include "core/ProgramWindow.h"
#include "core/TableCatalogue.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"
#include "reports/PageFooter.h"
#include "reports/actRepBatchPrint.h"
#include "reports/actRepBound.h"
#include "reports/actRepDesign.h"
#include "reports/actRepGraph.h"
#include "reports/actRepUnBound.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPainter>
#include <type_traits>

using controls::ReportField;
using controls::ReportImage;
using controls::ReportLabel;
using controls::ReportSection;
using controls::ReportSubReport;

namespace {

constexpr double FullWidth = 9921;
// The table sections' pictures, which a saved file leaves out whatever its format.
const QStringList SectionIcons = {QStringLiteral("imgIcon1"), QStringLiteral("imgIcon2"), QStringLiteral("imgIcon3"),
                                  QStringLiteral("imgIcon4"), QStringLiteral("imgIcon5"), QStringLiteral("imgIcon6")};

std::shared_ptr<actRepMain> &defaultSlot()
{
    static std::shared_ptr<actRepMain> report;
    return report;
}

QString dateText(const QDate &date)
{
    return date.isValid() ? platform::cStr(QVariant(date)) : QString();
}

ReportLabel *bandLabel(ReportSection *section, const QString &name, double top, const QString &caption)
{
    auto *label = section->controls().addLabel(name, 0, top, FullWidth, 285, caption);
    label->font().bold = true;
    label->setBackStyle(1);
    label->setBackColor(0xE0E0E0);
    return label;
}

ReportLabel *headingLabel(ReportSection *section, const QString &name, const QString &caption)
{
    auto *label = section->controls().addLabel(name, 0, 142, FullWidth, 425, caption);
    label->font().size = 12;
    label->font().bold = true;
    label->setVerticalAlignment(controls::textalign::Middle);
    label->border().bottomStyle = controls::borderstyle::Solid;
    return label;
}

void headerPair(ReportSection *section, const QString &labelName, const QString &caption, double labelLeft,
                const QString &fieldName, double left, double top, double width)
{
    auto *label = section->controls().addLabel(labelName, labelLeft, top, 1540, 270, caption);
    label->font().size = 9;
    label->font().bold = true;
    section->controls().addField(fieldName, left, top, width, 270);
}

// Pictures of the layout, drawn rather than shipped.
QImage drawnPicture(int width, int height, const QColor &color, const QString &text)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(color);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(1, 1, width - 2, height - 2), height / 6.0, height / 6.0);
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(qMax(8, height * 2 / 3));
    painter.setFont(font);
    painter.drawText(QRect(0, 0, width, height), Qt::AlignCenter, text);
    return image;
}

QImage programIcon()
{
    return drawnPicture(64, 64, QColor(0x1F, 0x4E, 0x9A), QStringLiteral("V"));
}

QImage bannerPicture()
{
    return drawnPicture(236, 58, QColor(0x1F, 0x4E, 0x9A), QStringLiteral("PED"));
}

QImage sectionIcon(const QString &name)
{
    static const QStringList marks{QStringLiteral("C"), QStringLiteral("M"), QStringLiteral("K"),
                                   QStringLiteral("P"), QStringLiteral("i"), QStringLiteral("D")};
    const int n = qBound(1, name.right(1).toInt(), 6);
    return drawnPicture(43, 43, QColor(0x2E, 0x7D, 0x32), marks.at(n - 1));
}

} // namespace

actRepMain::actRepMain()
{
    BuildLayout();
}

actRepMain::~actRepMain() = default;

actRepMain &actRepMain::defaultInstance()
{
    auto &slot = defaultSlot();
    if (!slot || (slot->isUnloaded() && !slot->isRunning()))
        slot = std::make_shared<actRepMain>();
    return *slot;
}

void actRepMain::unloadDefault()
{
    auto &slot = defaultSlot();
    if (slot)
        slot->unload();
}

void actRepMain::unload()
{
    m_unloaded = true;
}

void actRepMain::AbandonRun(actRepMain &report)
{
    if (report.mMat) {
        report.mMat->colTablePrintList.clear();
        report.mMat->colUnBoundTablePrintList.clear();
    }
    report.unload();
}

namespace {

template <typename Step>
bool runDefault(Step &&step)
{
    actRepMain &report = actRepMain::defaultInstance();
    try {
        step(report);
        return true;
    } catch (const platform::VbError &error) {
        actRepMain::AbandonRun(report);
        platform::msgBox(error.description(), platform::vbCritical);
        return false;
    }
}

} // namespace

bool actRepMain::SaveDefault(exportformat::Type exportType, bool fromChart)
{
    return runDefault([&](actRepMain &report) {
        report.blnSave = true;
        report.iExpFileType = exportType;
        if (fromChart)
            report.blnfrmChart = true;
        report.run();
    });
}

bool actRepMain::PreviewDefault()
{
    return runDefault([](actRepMain &report) {
        report.show(ProgramWindow::instance(), true);
        unloadDefault();
    });
}

void actRepMain::BuildLayout()
{
    setPrintWidth(FullWidth);
    BuildReportHeader();
    addSection(ReportSection::Kind::PageHeader, QStringLiteral("PageHeader"), 0);
    BuildTableSections();
    BuildPageFooter();
}

void actRepMain::BuildReportHeader()
{
    auto *rh = addSection(ReportSection::Kind::ReportHeader, QStringLiteral("ReportHeader"), 3930);
    auto &c = rh->controls();
    auto *velkor = c.addLabel(QStringLiteral("lblVelkor"), 0, 0, 7350, 705, QStringLiteral("     elkor-PED"));
    velkor->font().size = 24;
    velkor->font().bold = true;
    velkor->setVerticalAlignment(controls::textalign::Middle);
    c.addImage(QStringLiteral("imgVelkor"), 150, 75, 570, 525);
    c.addField(QStringLiteral("txtDateTime"), 4665, 390, 2551, 270);
    c.addImage(QStringLiteral("Image1"), 7500, 90, 2360, 585)->setPicture(bannerPicture());

    bandLabel(rh, QStringLiteral("lblMaterial"), 1154, QStringLiteral("Material"));
    headerPair(rh, QStringLiteral("lblMatName"), QStringLiteral("Name"), 150, QStringLiteral("txtMatName"), 1701, 1594,
               3827);
    headerPair(rh, QStringLiteral("lblNumber"), QStringLiteral("Number"), 5600, QStringLiteral("txtMatNumber"), 6818,
               1594, 1843);
    headerPair(rh, QStringLiteral("lblMatDesc"), QStringLiteral("Description"), 150, QStringLiteral("txtMatDesc"), 1695,
               1875, 8085);
    headerPair(rh, QStringLiteral("lblMatGroup"), QStringLiteral("Group"), 150, QStringLiteral("txtMatGroup"), 1701,
               2161, 1842);
    headerPair(rh, QStringLiteral("lblRevDate"), QStringLiteral("Rev. Date"), 5600, QStringLiteral("txtRevDate"), 6803,
               2161, 1843);

    bandLabel(rh, QStringLiteral("lblStandard"), 2586, QStringLiteral("Standard"));
    headerPair(rh, QStringLiteral("lblSName"), QStringLiteral("Name"), 150, QStringLiteral("txtStandName"), 1701, 3012,
               3827);
    headerPair(rh, QStringLiteral("lblSRevDate"), QStringLiteral("Rev. Date"), 5600, QStringLiteral("txtSRevDate"),
               6818, 3012, 1843);
    headerPair(rh, QStringLiteral("lblProdForm"), QStringLiteral(" Product Form(s)"), 150,
               QStringLiteral("txtProdForm"), 1701, 3295, 8079);
    headerPair(rh, QStringLiteral("lblSDesc"), QStringLiteral("Description"), 150, QStringLiteral("txtStandDesc"), 1701,
               3579, 8079);
    c.item<ReportField>(QStringLiteral("txtProdForm"))->setCanGrow(true);
    c.item<ReportField>(QStringLiteral("txtStandDesc"))->setCanGrow(true);
    c.item<ReportField>(QStringLiteral("txtMatDesc"))->setCanGrow(true);
}

void actRepMain::BuildTableSections()
{
    using K = ReportSection::Kind;
    auto icon = [](ReportSection *section, const QString &name, double left = 9354) {
        section->controls().addImage(name, left, 142, 426, 425)->setPicture(sectionIcon(name));
    };

    auto *chem = addSection(K::GroupHeader, QStringLiteral("ghChemComp"), 840);
    headingLabel(chem, QStringLiteral("lblChemComp"), QStringLiteral("Chemical Composition"));
    chem->controls().addSubReport(QStringLiteral("subRepChemComp"), 0, 567, FullWidth, 283);
    icon(chem, QStringLiteral("imgIcon1"));
    // The table prints no title of its own: the section's heading is its title, also on further pages.
    chem->setRepeatsOnEachPage(true);

    auto *mech = addSection(K::GroupHeader, QStringLiteral("ghMechProp"), 990);
    headingLabel(mech, QStringLiteral("lblMechProp"), QStringLiteral("Mechanical Properties"));
    mech->controls().addSubReport(QStringLiteral("subRepMechProp"), 0, 709, FullWidth, 283);
    icon(mech, QStringLiteral("imgIcon2"));
    icon(mech, QStringLiteral("imgIcon6"), 8220);
    mech->controls().item(QStringLiteral("imgIcon6"))->setVisible(false);

    for (int i = 1; i <= catalogue::ElevatedTableCount; ++i) {
        auto *elevated = addSection(K::GroupHeader, QStringLiteral("ghElevated%1").arg(i), 420);
        elevated->setVisible(false);
        elevated->controls().addSubReport(QStringLiteral("subRepElevated%1").arg(i), 0, 142, FullWidth, 283);
    }

    auto *creep = addSection(K::GroupHeader, QStringLiteral("ghCreepProp"), 375);
    creep->setVisible(false);
    creep->controls().addSubReport(QStringLiteral("subRepCreepProp"), 0, 142, FullWidth, 283);

    auto *imp = addSection(K::GroupHeader, QStringLiteral("ghImpEnergy"), 840);
    headingLabel(imp, QStringLiteral("lblImpEnergy"), QStringLiteral("Impact Energy"));
    imp->controls().addSubReport(QStringLiteral("subRepImpEnergy"), 0, 567, FullWidth, 283);
    icon(imp, QStringLiteral("imgIcon3"));
    imp->setRepeatsOnEachPage(true);

    auto *phys1 = addSection(K::GroupHeader, QStringLiteral("ghPhysProp1"), 975);
    phys1->setVisible(false);
    headingLabel(phys1, QStringLiteral("lblPhysProp"), QStringLiteral("Physical Properties"));
    phys1->controls().addSubReport(QStringLiteral("subRepPhysProp1"), 0, 709, FullWidth, 283);
    icon(phys1, QStringLiteral("imgIcon4"));
    for (int i = 2; i <= catalogue::PhysicalTableCount; ++i) {
        auto *phys = addSection(K::GroupHeader, QStringLiteral("ghPhysProp%1").arg(i), i == 2 ? 30 : 0);
        phys->setVisible(false);
        phys->controls().addSubReport(QStringLiteral("subRepPhysProp%1").arg(i), 0, 0, FullWidth, 283);
    }

    auto *add = addSection(K::GroupHeader, QStringLiteral("ghAddInfo"), 990);
    headingLabel(add, QStringLiteral("lblAddInfo"), QStringLiteral("Additional Information..."));
    add->controls().addField(QStringLiteral("txtAddInfo"), 150, 705, 9645, 285)->setCanGrow(true);
    icon(add, QStringLiteral("imgIcon5"));

    addSection(K::Detail, QStringLiteral("Detail"), 0);
    // One group header above, and so one footer here, for each data table.
    for (int i = catalogue::TableCount - catalogue::FirstDataTable; i >= 1; --i)
        addSection(K::GroupFooter, QStringLiteral("GroupFooter%1").arg(i), 0)->setVisible(false);
}

void actRepMain::BuildPageFooter()
{
    auto *pf = addSection(ReportSection::Kind::PageFooter, QStringLiteral("PageFooter"), 285);
    auto &c = pf->controls();
    auto *copyright = c.addLabel(QStringLiteral("lblCopyright"), 150, 0, 3000, 285);
    copyright->font().size = 6;
    reports::addPageOfPages(c);
    auto *doc = c.addLabel(QStringLiteral("lblDocName"), 6300, 0, 3480, 285);
    doc->setAlignment(controls::textalign::Right);
    doc->font().size = 8;
    addSection(ReportSection::Kind::ReportFooter, QStringLiteral("ReportFooter"), 0)->setVisible(false);
}

template <typename T>
std::shared_ptr<T> actRepMain::AttachNew(const QString &strSection, const QString &strControl)
{
    auto report = std::make_shared<T>();
    if constexpr (std::is_same_v<T, actRepBound>)
        report->ParentReport = this;
    section(strSection)->controls().item<ReportSubReport>(strControl)->setReport(report);
    return report;
}

void actRepMain::ActiveReport_ReportStart()
{
    ProgramWindow *mdi = ProgramWindow::instance();
    if (!mdi)
        platform::throwObjectNotSet();
    if (mdi->blnBatchPrint) {
        mMat = actRepBatchPrint::colMaterialsBatch().item(1);
        mdi->mCurrent = mMat;
    } else {
        mMat = mdi->mCurrent;
    }
    if (!mMat)
        platform::throwObjectNotSet();

    auto *rh = section(QStringLiteral("ReportHeader"));
    auto *imgVelkor = rh->controls().item<ReportImage>(QStringLiteral("imgVelkor"));
    const QIcon mainIcon = mdi->windowIcon();
    const QImage iconPicture = mainIcon.isNull() ? programIcon() : mainIcon.pixmap(64, 64).toImage();
    imgVelkor->setPicture(iconPicture);
    if (blnSave) {
        // A format without pictures gets none of the layout's (the icon, the banner, the sections'
        // icons), and the title in full where the icon stood for its first letter. The tables'
        // drawn headings are their subreports' and are written as their text.
        const bool pictures = exportformat::Of(iExpFileType).pictures;
        if (!pictures)
            rh->controls().item<ReportLabel>(QStringLiteral("lblVelkor"))->setCaption(product::ProductName);
        for (int s = 0; s < sectionCount(); ++s) {
            for (const auto &control : sectionAt(s)->controls()) {
                auto *image = dynamic_cast<ReportImage *>(control.get());
                if (image && (!pictures || SectionIcons.contains(image->name())))
                    image->setVisible(false);
            }
        }
    }

    auto setText = [rh](const QString &name, const QString &text) {
        rh->controls().item<ReportField>(name)->setText(text);
    };
    setText(QStringLiteral("txtMatName"), mMat->Name());
    setText(QStringLiteral("txtMatNumber"), mMat->Number());
    setText(QStringLiteral("txtMatDesc"), mMat->Description());
    setText(QStringLiteral("txtMatGroup"), mMat->Group());
    setText(QStringLiteral("txtRevDate"), dateText(mMat->RevisionDate()));
    setText(QStringLiteral("txtStandName"), mMat->Standard());
    setText(QStringLiteral("txtSRevDate"), dateText(mMat->StandardRevisionDate()));
    setText(QStringLiteral("txtStandDesc"), mMat->StandardDescription());

    setCaption(QStringLiteral("Name : ") + mMat->Name() + QStringLiteral(" Number : ") + mMat->Number() +
               QStringLiteral(" Standard : ") + mMat->Standard());
    setDocumentName(platform::exeName() + QLatin1Char('_') + mMat->Name() + QLatin1Char('_') + mMat->Number());
    section(QStringLiteral("PageFooter"))
        ->controls()
        .item<ReportLabel>(QStringLiteral("lblDocName"))
        ->setCaption(documentName());

    if (mMat->HasProductForms()) {
        const auto forms = mMat->ProductForms();
        QStringList parts;
        for (int i = forms.lowerBound(); i <= forms.upperBound(); ++i)
            parts << forms[i];
        setText(QStringLiteral("txtProdForm"), parts.join(QStringLiteral(", ")) + QLatin1Char('.'));
    }

    if (mdi->blnBatchPrint) {
        const QString suffix = QStringLiteral("     ") + mMat->Name() + QLatin1Char('_') + mMat->Number();
        // The headings that name one table name the material too.
        for (const catalogue::TableInfo &table : catalogue::Tables) {
            if (table.reportSection != catalogue::ReportSection::Heading &&
                table.reportSection != catalogue::ReportSection::Text)
                continue;
            const QString key = QString::fromLatin1(table.key);
            auto *label =
                section(QStringLiteral("gh") + key)->controls().item<ReportLabel>(QStringLiteral("lbl") + key);
            label->setCaption(label->caption() + suffix);
        }
    }

    setText(QStringLiteral("txtDateTime"), platform::cStr(QVariant(QDateTime::currentDateTime())));
    section(QStringLiteral("PageFooter"))
        ->controls()
        .item<ReportLabel>(QStringLiteral("lblCopyright"))
        ->setCaption(product::LegalCopyright);

    frmMaterial2 *form = mMat->MyForm();
    if (!form)
        platform::throwObjectNotSet();
    using ReportType = frmMaterial2::ReportType;
    const ReportType reportType = form->iReportType;
    if (reportType != ReportType::Full) {
        auto *mech = section(QStringLiteral("ghMechProp"));
        if (reportType == ReportType::Chart) {
            AttachNew<actRepGraph>(QStringLiteral("ghMechProp"), QStringLiteral("subRepMechProp"));
        } else {
            AttachNew<actRepDesign>(QStringLiteral("ghMechProp"), QStringLiteral("subRepMechProp"));
            mech->controls()
                .item<ReportImage>(QStringLiteral("imgIcon2"))
                ->setPicture(mech->controls().item<ReportImage>(QStringLiteral("imgIcon6"))->picture());
            mech->controls()
                .item<ReportLabel>(QStringLiteral("lblMechProp"))
                ->setCaption(QStringLiteral("Design Values"));
            mech->setRepeatsOnEachPage(true);
        }
        section(QStringLiteral("ghChemComp"))->setVisible(false);
        section(QStringLiteral("ghImpEnergy"))->setVisible(false);
        section(QStringLiteral("ghAddInfo"))->setVisible(false);
    } else {
        SetupTableSections();
        const int addInfoIndex = mdi->GetTableIndex(catalogue::key::AddInfo);
        if (!mMat->AddInfo().isEmpty() && mMat->PrintTable(addInfoIndex))
            section(QStringLiteral("ghAddInfo"))
                ->controls()
                .item<ReportField>(QStringLiteral("txtAddInfo"))
                ->setText(mMat->AddInfo());
        else
            section(QStringLiteral("ghAddInfo"))->setVisible(false);
    }

    if (mdi->blnBatchPrint)
        actRepBatchPrint::colMaterialsBatch().remove(1);
}

void actRepMain::SetupTableSections()
{
    using catalogue::ReportSection;
    ProgramWindow *mdi = ProgramWindow::instance();

    int mechTables = 0;
    for (const catalogue::TableInfo *table : catalogue::ReportTables()) {
        const QString key = QString::fromLatin1(table->key);
        const QString sectionName = QStringLiteral("gh") + key;
        if (!mMat->PrintTable(mdi->GetTableIndex(key))) {
            if (table->reportSection == ReportSection::Heading)
                section(sectionName)->setVisible(false);
            continue;
        }
        if (table->group == catalogue::Group::Mechanical)
            ++mechTables;
        switch (table->reportSection) {
        case ReportSection::Elevated:
            mMat->colTablePrintList.add(key);
            AddElevatedSubReport(key);
            break;
        case ReportSection::Physical:
            mMat->colTablePrintList.add(key);
            AddPhysPropSubReport(key);
            break;
        case ReportSection::Heading:
        case ReportSection::Group:
        case ReportSection::Appended:
            if (table->binding == catalogue::Binding::Unbound) {
                mMat->colUnBoundTablePrintList.add(key);
                AttachNew<actRepUnBound>(sectionName, QStringLiteral("subRep") + key);
            } else {
                AttachNew<actRepBound>(sectionName, QStringLiteral("subRep") + key);
                mMat->colTablePrintList.add(key);
            }
            if (table->reportSection == ReportSection::Appended)
                section(sectionName)->setVisible(true);
            break;
        case ReportSection::None:
        case ReportSection::Text: break;
        }
    }
    if (mechTables < 1)
        section(QStringLiteral("ghMechProp"))->setVisible(false);
}

void actRepMain::AddElevatedSubReport(const QString &)
{
    if (m_elevatedSlot < catalogue::ElevatedTableCount) {
        const int slot = m_elevatedSlot + 1;
        const QString name = QStringLiteral("ghElevated%1").arg(slot);
        section(name)->setVisible(true);
        AttachNew<actRepBound>(name, QStringLiteral("subRepElevated%1").arg(slot));
    }
    ++m_elevatedSlot;
}

void actRepMain::AddPhysPropSubReport(const QString &)
{
    if (m_physPropSlot < catalogue::PhysicalTableCount) {
        const int slot = m_physPropSlot + 1;
        const QString name = QStringLiteral("ghPhysProp%1").arg(slot);
        section(name)->setVisible(true);
        AttachNew<actRepBound>(name, QStringLiteral("subRepPhysProp%1").arg(slot));
    }
    ++m_physPropSlot;
}

void actRepMain::ActiveReport_ReportEnd()
{
    ProgramWindow *mdi = ProgramWindow::instance();
    if (!blnSave) {
        if (mdi)
            mdi->ShowStatus(status::Passing + status::PrintPreview);
        return;
    }

    const exportformat::Format &format = exportformat::Of(iExpFileType);
    const std::unique_ptr<controls::ReportExportFilter> filter = format.writer();
    const QString strFilter = QString::fromLatin1(format.filter);
    const QString strExt = QString::fromLatin1(format.extension);

    try {
        if (mdi)
            mdi->ShowStatus(status::Passing + status::ChooseFile);
        platform::FileDialogRequest request;
        request.kind = platform::FileDialogRequest::Save;
        request.fileName = QStringLiteral("c:\\") + (mMat ? mMat->Name() : QString()) + strExt;
        request.initialDir = QStringLiteral("c:\\");
        request.filter = strFilter;
        // A cancelled dialog says nothing and writes nothing.
        if (std::optional<QString> fileName = platform::showSave(request)) {
            // The save dialog's default extension: a name typed without one gets the format's.
            if (!fileName->isEmpty() && QFileInfo(*fileName).suffix().isEmpty())
                *fileName += strExt;
            platform::msgBox(*fileName);
            if (!fileName->isEmpty() && filter) {
                filter->setFileName(*fileName);
                exportReport(*filter);
            }
        }
    } catch (const platform::VbError &error) {
        // A failed export must not pass for a written file.
        platform::msgBox(error.description(), platform::vbCritical);
    }

    if (mdi)
        mdi->ShowStatus(blnfrmChart ? status::Passing + status::EnlargedChart : status::Remembered);
    unload();
}

void actRepMain::ActiveReport_Resize()
{
    if (windowState() == 1)
        setWindowState(0);
}
