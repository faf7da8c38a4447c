#include "reports/frmSave.h"

#include "core/ProgramWindow.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/Twips.h"
#include "reports/actRepMain.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

frmSave::frmSave(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Save Graph / Design Values..."));
    setModal(true);
    const int frameHeight = exportformat::FrameHeightTwips();
    platform::resizeTwips(this, 4200, 120 + frameHeight + 720);

    framSave = new QGroupBox(QStringLiteral("File Format"), this);
    platform::moveTwips(framSave, 240, 120, 2160, frameHeight);
    optFormat = exportformat::AddOptions(framSave, 1600);

    const char *const captions[2] = {"Save...", "Cancel"};
    for (int i = 0; i < 2; ++i) {
        auto *button = new QPushButton(QString::fromLatin1(captions[i]), this);
        button->setObjectName(QStringLiteral("cmdSave%1").arg(i));
        platform::moveTwips(button, 2640, 240 + 600 * i, 1320, 435);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdSave_Click(i); });
        cmdSave[std::size_t(i)] = button;
    }
}

frmSave::~frmSave() = default;

void frmSave::Form_Load()
{
    ProgramWindow::ShowStatusIfOpen(status::Passing + status::SaveFormat);
}

void frmSave::Form_Unload()
{
    ProgramWindow::ShowStatusIfOpen(status::Remembered);
}

void frmSave::cmdSave_Click(int Index)
{
    if (Index == SaveButton) {
        actRepMain::SaveDefault(exportformat::Chosen(optFormat));
    } else if (Index == CancelButton) {
        ProgramWindow *mdi = ProgramWindow::instance();
        if (mdi && mdi->mCurrent)
            if (frmMaterial2 *form = mdi->mCurrent->MyForm())
                form->iReportType = frmMaterial2::ReportType::Full;
    }
    Unload();
}

void frmSave::Unload()
{
    m_unloaded = true;
    Form_Unload();
    accept();
}

void frmSave::reject()
{
    if (!m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    QDialog::reject();
}
