#include "reports/frmSelData.h"

#include "core/ProgramWindow.h"
#include "core/TableCatalogue.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/Twips.h"
#include "platform/VbError.h"
#include "platform/WaitCursor.h"
#include "reports/actRepMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The check boxes, one row for each table, fill the frame; the dialog ends below it.
constexpr int FrameTop = 120;
constexpr int FirstBoxTop = 840;
constexpr int BoxPitch = 360;
constexpr int FrameHeight = FirstBoxTop - FrameTop + BoxPitch * catalogue::TableCount + 480;
constexpr int FormHeight = FrameTop + FrameHeight + 240;

QFont arial()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    return font;
}

} // namespace

frmSelData::frmSelData(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Select Data..."));
    setModal(true);
    platform::resizeTwips(this, 9000, FormHeight);

    framSelData = new QGroupBox(this);
    platform::moveTwips(framSelData, 240, FrameTop, 5400, FrameHeight);
    lblSelData = new QLabel(this);
    platform::moveTwips(lblSelData, 480, 360, 4800, 360);
    for (int i = 0; i < catalogue::TableCount; ++i) {
        auto *box = new QCheckBox(QString::fromLatin1(catalogue::Tables[i].printCaption), this);
        box->setObjectName(QStringLiteral("chkData%1").arg(i));
        box->setFont(arial());
        box->setChecked(true);
        platform::moveTwips(box, 480, FirstBoxTop + BoxPitch * i, 5000, 300);
        connect(box, &QCheckBox::toggled, this, [this, i] { chkData_Click(i); });
        chkData[std::size_t(i)] = box;
    }

    framSave = new QGroupBox(QStringLiteral("File Format"), this);
    platform::moveTwips(framSave, 5880, 120, 2880, exportformat::FrameHeightTwips());
    optFormat = exportformat::AddOptions(framSave, 2000);

    cmdSavePrint = new QPushButton(QStringLiteral("Save / Print..."), this);
    cmdSavePrint->setObjectName(QStringLiteral("cmdSavePrint"));
    platform::moveTwips(cmdSavePrint, 5880, 5040, 2880, 495);
    connect(cmdSavePrint, &QPushButton::clicked, this, [this] { cmdSavePrint_Click(); });
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    platform::moveTwips(cmdCancel, 5880, 5760, 2880, 495);
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

frmSelData::~frmSelData() = default;

void frmSelData::Form_Load()
{
    platform::moveTwips(this, 5000, 3000, platform::widthTwips(this), platform::heightTwips(this));
    ProgramWindow *mdi = ProgramWindow::instance();
    mMaterial = mdi ? mdi->mCurrent : MaterialPtr();

    {
        const platform::WaitCursor wait;
        if (mMaterial) {
            if (frmMaterial2 *form = mMaterial->MyForm()) {
                form->hide();
                try {
                    form->CheckTablesForRecords();
                } catch (const platform::VbError &) {
                    // A table that cannot be checked keeps its box as it is.
                }
                form->show();
            }
            DisableEmptyTables();
        }
    }
    SetTabOrder();
}

void frmSelData::SetSaving(bool save)
{
    cmdSavePrint->setText(save ? QStringLiteral("Save...") : QStringLiteral("Print/Preview..."));
    framSave->setVisible(save);
}

bool frmSelData::Saving() const
{
    return !framSave->isHidden();
}

void frmSelData::DisableEmptyTables()
{
    ProgramWindow *mdi = ProgramWindow::instance();
    if (!mdi)
        return;
    for (int i = catalogue::FirstDataTable; i < catalogue::TableCount; ++i) {
        if (!mMaterial->TableHasData(mdi->GetShortTableName(i))) {
            chkData[std::size_t(i)]->setChecked(false);
            chkData[std::size_t(i)]->setEnabled(false);
        }
    }
}

void frmSelData::SetTabOrder()
{
    QList<QWidget *> order;
    for (auto *option : optFormat)
        order << option;
    order << cmdSavePrint;
    for (auto *box : chkData)
        order << box;
    order << cmdCancel;
    for (int i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

void frmSelData::chkData_Click(int Index)
{
    // The references head every report.
    if (Index == catalogue::HeaderTable)
        chkData[catalogue::HeaderTable]->setChecked(true);
}

void frmSelData::cmdSavePrint_Click()
{
    if (mMaterial) {
        for (int i = 0; i < catalogue::TableCount; ++i)
            mMaterial->PrintTable(i, chkData[std::size_t(i)]->isChecked());
    }

    if (cmdSavePrint->text() == QLatin1String("Save..."))
        actRepMain::SaveDefault(exportformat::Chosen(optFormat));
    else if (actRepMain::PreviewDefault())
        ProgramWindow::ShowStatusIfOpen(status::Remembered);
    Unload();
}

void frmSelData::cmdCancel_Click()
{
    ProgramWindow::ShowStatusIfOpen(status::Remembered);
    Unload();
}

void frmSelData::Unload()
{
    m_unloaded = true;
    accept();
}
