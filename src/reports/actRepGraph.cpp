#include "reports/actRepGraph.h"

#include "controls/Chart.h"
#include "core/ProgramWindow.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/VbError.h"

using controls::ReportSection;

actRepGraph::actRepGraph()
{
    setCaption(QStringLiteral("actRepGraph"));
    using Kind = ReportSection::Kind;
    addSection(Kind::PageHeader, QStringLiteral("PageHeader"), 0);
    addSection(Kind::GroupHeader, QStringLiteral("GroupHeader1"), 6210)
        ->controls()
        .addChart(QStringLiteral("MSChart1"), 142, 142, 9638, 5952);
    addSection(Kind::Detail, QStringLiteral("Detail"), 0);
    addSection(Kind::GroupFooter, QStringLiteral("GroupFooter1"), 0);
    addSection(Kind::PageFooter, QStringLiteral("PageFooter"), 0);
}

actRepGraph::~actRepGraph() = default;

void actRepGraph::ActiveReport_ReportStart()
{
    ProgramWindow *mdi = ProgramWindow::instance();
    frmMaterial2 *frm = mdi && mdi->mCurrent ? mdi->mCurrent->MyForm() : nullptr;
    controls::Chart *source = frm ? frm->ShownChart() : nullptr;
    if (!source)
        platform::throwObjectNotSet();
    controls::Chart *target = section(QStringLiteral("GroupHeader1"))
                                  ->controls()
                                  .item<controls::ReportChart>(QStringLiteral("MSChart1"))
                                  ->chart();

    target->setChartType(source->chartType());
    target->setChartData(source->chartData());
    target->setTitleText(source->titleText());
    target->setAxisTitle(0, source->axisTitle(0));
    target->setAxisTitle(1, source->axisTitle(1));
    target->setShowLegend(source->showLegend());
    target->setColumnCount(source->columnCount());
    for (int c = 1; c <= source->columnCount(); ++c) {
        source->setColumn(c);
        target->setColumn(c);
        target->setColumnLabel(source->columnLabel());
    }
}
