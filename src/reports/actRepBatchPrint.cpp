#include "reports/actRepBatchPrint.h"

#include "core/ProgramWindow.h"
#include "material/Material.h"
#include "platform/Environment.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"
#include "reports/PageFooter.h"
#include "reports/actRepMain.h"

#include <QDateTime>
#include <cmath>

using controls::ReportField;
using controls::ReportLabel;
using controls::ReportSection;

actRepBatchPrint::actRepBatchPrint()
{
    // The preview and its print dialog are titled after the command that opens them.
    setCaption(QStringLiteral("Print All Selected Materials"));
    using Kind = ReportSection::Kind;
    addSection(Kind::PageHeader, QStringLiteral("PageHeader"), 0);
    addSection(Kind::Detail, QStringLiteral("Detail"), 75);

    auto &c = addSection(Kind::PageFooter, QStringLiteral("PageFooter"), 285)->controls();
    c.addLabel(QStringLiteral("lblDocName"), 0, 0, 3480, 285)->font().size = 8;
    reports::addPageOfPages(c);
    auto *when = c.addField(QStringLiteral("txtDateTime"), 7370, 0, 2551, 283);
    when->setAlignment(controls::textalign::Right);
    when->font().size = 8;
}

actRepBatchPrint::~actRepBatchPrint() = default;

platform::Collection<MaterialPtr> &actRepBatchPrint::colMaterialsBatch()
{
    static platform::Collection<MaterialPtr> materials;
    return materials;
}

void actRepBatchPrint::ActiveReport_ReportStart()
{
    ProgramWindow *mdi = ProgramWindow::instance();
    if (!mdi)
        platform::throwObjectNotSet();

    // The material reports of an earlier run that never started must not print in this one.
    colMaterialsBatch().clear();

    ReportSection *detail = section(QStringLiteral("Detail"));
    const int n = mdi->colMaterials.count();
    double nextTop = 0;
    int i = 0;
    for (const MaterialPtr &material : mdi->colMaterials) {
        ++i;
        colMaterialsBatch().add(material);
        auto *sub = detail->controls().addSubReport(QStringLiteral("SubReport") + QString::number(i));
        sub->setLeft(0);
        sub->setWidth(printWidth());
        sub->setTop(nextTop);
        sub->setReport(std::make_shared<actRepMain>());
        nextTop = std::round(sub->top() + sub->height());
        if (i < n)
            detail->controls().addPageBreak(QStringLiteral("PageBreak") + QString::number(i), nextTop);
    }

    auto &footer = section(QStringLiteral("PageFooter"))->controls();
    footer.item<ReportField>(QStringLiteral("txtDateTime"))
        ->setText(platform::cStr(QVariant(QDateTime::currentDateTime())));
    setDocumentName(platform::exeName() + QStringLiteral("_MATERIALS_BATCH_PRINT"));
    footer.item<ReportLabel>(QStringLiteral("lblDocName"))->setCaption(documentName());
}

void actRepBatchPrint::ActiveReport_Resize()
{
    if (windowState() == 1)
        setWindowState(2);
}
