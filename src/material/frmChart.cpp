#include "material/frmChart.h"

#include "controls/BackColor.h"
#include "controls/Chart.h"
#include "controls/Pictograms.h"
#include "material/MainWindowLink.h"
#include "material/Material.h"
#include "material/ReportCalls.h"
#include "material/frmMaterial2.h"
#include "platform/OleColor.h"
#include "platform/TabChain.h"
#include "platform/Twips.h"

#include <QAction>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using platform::moveTwips;

namespace {

constexpr int FormWidth = 11400;
constexpr int FormHeight = 7470;
// The pictures of the buttons (32 by 29 pixels), in pixels.
constexpr int ButtonPicture = 24;

frmMaterial2 *currentMaterialWindow()
{
    ProgramWindow *mdi = mainlink::mdi();
    return mdi && mdi->mCurrent ? mdi->mCurrent->MyForm() : nullptr;
}

} // namespace

frmChart::frmChart(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmChart"));
    setWindowTitle(QStringLiteral("Chart"));
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    CreateControls();
    Form_Load();
}

frmChart::~frmChart() = default;

void frmChart::CreateControls()
{
    platform::resizeTwips(this, FormWidth, FormHeight);
    setFixedSize(size());
    framChart = new QGroupBox(this);
    framChart->setObjectName(QStringLiteral("framChart"));
    moveTwips(framChart, 120, 60, 11160, 7290);
    MSChart1 = new controls::Chart(framChart);
    MSChart1->setObjectName(QStringLiteral("MSChart1"));
    moveTwips(MSChart1, 60, 120, 10335, 7110);

    const char *const tips[GraphButtons] = {"Save Graph As Portable Document Format File (*.pdf)...", "Print Graph",
                                            "Return To Material"};
    const char *const pictures[GraphButtons] = {"document-save", "document-print", "go-previous"};
    const int tops[GraphButtons] = {960, 1440, 240};
    for (int i = 0; i < GraphButtons; ++i) {
        cmdGraph[i] = new QPushButton(framChart);
        cmdGraph[i]->setObjectName(QStringLiteral("cmdGraph%1").arg(i));
        cmdGraph[i]->setToolTip(QString::fromLatin1(tips[i]));
        cmdGraph[i]->setIcon(controls::themeIcon(QString::fromLatin1(pictures[i])));
        cmdGraph[i]->setIconSize(QSize(ButtonPicture, ButtonPicture));
        cmdGraph[i]->setAccessibleName(QString::fromLatin1(tips[i]));
        moveTwips(cmdGraph[i], 10500, tops[i], 480, 435);
        platform::connectGuarded(cmdGraph[i], &QPushButton::clicked, this, ErrorPolicy,
                                 [this, i] { cmdGraph_Click(i); });
    }
    lblBack = new QLabel(framChart);
    lblBack->setObjectName(QStringLiteral("lblBack"));
    moveTwips(lblBack, 10440, 120, 600, 1815);
    lblBack->lower();
}

void frmChart::ApplyColours(bool on)
{
    controls::setFrameBackColor(framChart, on ? platform::olecolor::InfoBackground : platform::olecolor::White);
}

void frmChart::Form_Load()
{
    ProgramWindow::ShowStatusIfOpen(status::Passing + status::EnlargedChart);
    ProgramWindow *mdi = mainlink::mdi();
    if (!mdi || !mdi->blnToolTips)
        for (QPushButton *button : cmdGraph)
            button->setToolTip(QString());
    if (mdi && !mdi->ColourSchemeOn())
        ApplyColours(false);

    if (frmMaterial2 *source = currentMaterialWindow()) {
        controls::Chart *from = source->ShownChart();
        MSChart1->setChartType(from->chartType());
        MSChart1->setChartData(from->chartData());
        MSChart1->setTitleText(from->titleText());
        MSChart1->setAxisTitle(controls::Chart::AxisX, from->axisTitle(controls::Chart::AxisX));
        MSChart1->setAxisTitle(controls::Chart::AxisY, from->axisTitle(controls::Chart::AxisY));
        MSChart1->setUniformAxis(from->uniformAxis());
        MSChart1->setShowLegend(from->showLegend());
        MSChart1->setColumnCount(from->columnCount());
        for (int c = 1; c <= from->columnCount(); ++c) {
            from->setColumn(c);
            MSChart1->setColumn(c);
            MSChart1->setColumnLabel(from->columnLabel());
        }
        m_strTable = source->strCurrentTable;
        // Named after what it shows: the table and the material.
        const QString table = mainlink::GetTableName(mainlink::GetTableIndex(m_strTable));
        if (!table.isEmpty() && source->mMat)
            setWindowTitle(table + QStringLiteral(" - ") + source->mMat->Name());
    }

    // Return first, and with the focus when the window opens, then save and print; the chart, which
    // takes no key, last.
    platform::setTabChain({cmdGraph[ReturnToMaterial], cmdGraph[SaveGraph], cmdGraph[PrintGraph], MSChart1});
    cmdGraph[ReturnToMaterial]->setFocus();
}

void frmChart::Form_Activate()
{
    ProgramWindow::ShowStatusIfOpen(status::Passing + status::EnlargedChart);
}

void frmChart::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    ProgramWindow::ShowStatusIfOpen(status::Remembered);
}

bool frmChart::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    return QDialog::event(e);
}

void frmChart::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void frmChart::cmdGraph_Click(int Index)
{
    frmMaterial2 *form = currentMaterialWindow();
    switch (Index) {
    case SaveGraph:
        if (form)
            form->iReportType = frmMaterial2::ReportType::Chart;
        reportcalls::RunMainReportToPdf(true);
        break;
    case PrintGraph:
        if (form)
            form->iReportType = frmMaterial2::ReportType::Chart;
        reportcalls::ShowMainReportPreview();
        ProgramWindow::ShowStatusIfOpen(status::Passing + status::EnlargedChart);
        break;
    case ReturnToMaterial: reject(); break;
    default: break;
    }
}
