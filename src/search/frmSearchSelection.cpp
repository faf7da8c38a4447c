// The selection of the search window: adding, removing, opening and batch printing.

#include "search/frmSearch.h"

#include "controls/DataGrid.h"
#include "core/ProgramWindow.h"
#include "core/TableCatalogue.h"
#include "db/DataControl.h"
#include "db/Recordset.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "platform/VbConv.h"
#include "platform/WaitCursor.h"
#include "search/DropImage.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScopeGuard>

namespace {

constexpr int MaxMaterials = 30;

} // namespace

bool frmSearch::ResultHasCurrentRow() const
{
    const db::Recordset *rs = dtaMaterials->recordset();
    return rs && !rs->isClosed() && !rs->bof() && !rs->eof();
}

void frmSearch::cmdSelectMat_Click()
{
    ProgramWindow *mdi = ProgramWindow::instance();
    if (m_chosenStandard != QLatin1String("EN"))
        platform::msgBox(
            QStringLiteral("You have entered an ASME/SS-standard. ") + platform::vbCrLf +
                QStringLiteral("The material properties given by VELKOR PED are valid for EN-standards only."),
            platform::vbExclamation, QStringLiteral("ASME/SS-standard"));
    if (!ResultHasCurrentRow() || !mdi)
        return;
    if (mdi->colMaterials.count() >= MaxMaterials) {
        platform::msgBox(QStringLiteral("You have already selected the Maximum Number of Materials"),
                         platform::vbInformation);
        return;
    }
    db::Recordset *rs = dtaMaterials->recordset();
    const qint32 id = platform::cLng(rs->field(QStringLiteral("matID")));
    for (const MaterialPtr &member : mdi->colMaterials) {
        if (member->ID() == id) {
            platform::msgBox(QStringLiteral("This Material is already selected!"), platform::vbOKOnly,
                             QStringLiteral("Duplicate Choice"));
            return;
        }
    }
    auto material = std::make_shared<Material>();
    material->SetProperties(*rs, *dtaStandard->recordset());
    mdi->colMaterials.add(material, QString::number(id));
    RefreshSelected(QString());
    if (mdi->colMaterials.count() == MaxMaterials)
        cmdSelectMat->setEnabled(false);
}

void frmSearch::imgFolder_DragDrop(const QString &Source)
{
    if (Source == tdbMaterials->objectName())
        cmdSelectMat_Click();
}

void frmSearch::RefreshSelected(QString strOrder)
{
    const ProgramWindow *mdi = ProgramWindow::instance();
    const int count = mdi ? mdi->colMaterials.count() : 0;
    QString query = QStringLiteral("select * from Materials where matId = ");
    bool first = true;
    if (mdi)
        for (const MaterialPtr &member : mdi->colMaterials) {
            if (!first)
                query += QStringLiteral(" or matId = ");
            query += QString::number(member->ID());
            first = false;
        }
    if (count > 0) {
        if (strOrder.isEmpty())
            strOrder = QStringLiteral("standard, name");
        dtaSelected->setRecordSource(query + QStringLiteral(" order by ") + strOrder);
    } else {
        dtaSelected->setRecordSource(QStringLiteral("select * from materials where matId = 0"));
    }
    dtaSelected->refresh();
    SetSelCount();
}

void frmSearch::SetSelCount()
{
    const ProgramWindow *mdi = ProgramWindow::instance();
    const int count = mdi ? mdi->colMaterials.count() : 0;
    if (count < 1)
        lblSelCount->setText(QStringLiteral("No Materials Currently Selected"));
    else if (count == 1)
        lblSelCount->setText(QStringLiteral("1 Material Currently Selected"));
    else
        lblSelCount->setText(QString::number(count) + QStringLiteral(" Materials Currently Selected"));
}

void frmSearch::ShowFullBin()
{
    imgBin->setPixmap(imgFullBin->pixmap());
    m_binFull = true;
}

void frmSearch::ShowSelections()
{
    cmdSelections_Click(ShowSelected);
}

void frmSearch::cmdSelections_Click(int Index)
{
    ProgramWindow *mdi = ProgramWindow::instance();
    if (!mdi || mdi->colMaterials.isEmpty())
        return;
    switch (Index) {
    case ShowSelected:
        OpenSelectedMaterials();
        mdi->ShowStatus(status::ChooseTable);
        break;
    case ClearSelected:
        while (mdi->colMaterials.count() > 0)
            mdi->colMaterials.remove(1);
        dtaSelected->setRecordSource(QStringLiteral("select * from materials where matid = 0"));
        dtaSelected->refresh();
        ShowFullBin();
        lblSelCount->setText(QStringLiteral("No Materials Currently Selected"));
        cmdSelectMat->setEnabled(true);
        break;
    case RemoveSelected: {
        const db::Recordset *rs = dtaSelected->recordset();
        if (!rs || rs->isClosed() || rs->bof() || rs->eof())
            return;
        const qint32 id = platform::cLng(rs->field(QStringLiteral("matID")));
        QString key;
        for (int i = 1; i <= mdi->colMaterials.count(); ++i)
            if (mdi->colMaterials.item(i)->ID() == id) {
                key = mdi->colMaterials.keyAt(i);
                break;
            }
        if (key.isEmpty())
            return;
        mdi->colMaterials.remove(key);
        cmdSelectMat->setEnabled(true);
        RefreshSelected(QString());
        ShowFullBin();
        break;
    }
    default: break;
    }
}

void frmSearch::imgBin_DragDrop(const QString &Source)
{
    if (Source == tdbSelected->objectName())
        cmdSelections_Click(RemoveSelected);
}

void frmSearch::OpenSelectedMaterials()
{
    ProgramWindow *mdi = ProgramWindow::instance();
    if (!mdi)
        return;
    const platform::WaitCursor wait;

    for (const MaterialPtr &member : mdi->colMaterials) {
        auto *frm = new frmMaterial2;
        frm->setAttribute(Qt::WA_DeleteOnClose);
        frm->setWindowTitle(QStringLiteral("Name: ") + member->Name() + QStringLiteral(" ") +
                            QStringLiteral("Number: ") + member->Number() + QStringLiteral(" ") +
                            QStringLiteral("Standard: ") + member->Standard());
        // The window comes with its fixed outer size; the frame takes it at once, so that the
        // arrangement below centres it.
        const QSize fixed = frm->size();
        QMdiSubWindow *sub = mdi->mdiArea()->addSubWindow(frm);
        sub->hide();
        sub->resize(fixed);
        frm->SetMaterial(member);
    }

    mdi->ShowMaterialCommands();

    QMdiSubWindow *front = mdi->ArrangeOpenedMaterials();

    if (!mdi->blnBatchPrint)
        for (const MaterialPtr &member : mdi->colMaterials)
            if (frmMaterial2 *frm = member->MyForm()) {
                if (QWidget *sub = frm->parentWidget())
                    sub->show();
                frm->show();
            }
    if (!mdi->blnBatchPrint && front)
        mdi->mdiArea()->setActiveSubWindow(front);

    mdi->MaterialWindowsOpened();
    if (m_subWindow)
        m_subWindow->hide();
    else
        hide();
}

void frmSearch::cmdBatch_Click()
{
    ProgramWindow *mdi = ProgramWindow::instance();
    if (!mdi || mdi->colMaterials.isEmpty())
        return;
    mdi->blnBatchPrint = true;
    {
        // A failed step must not leave later openings in batch mode, with their windows kept hidden.
        const auto batchEnds = qScopeGuard([mdi] { mdi->blnBatchPrint = false; });
        OpenSelectedMaterials();
        mdi->DoBatchPrint();
    }
    mdi->SelectMaterials();
}
