#include "shell/mdiVelkor.h"

#include "core/TableCatalogue.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/ErrorBoundary.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "platform/WaitCursor.h"
#include "reports/actRepBatchPrint.h"
#include "reports/frmSelData.h"
#include "shell/ToolbarDesign.h"

#include <QApplication>
#include <QCheckBox>
#include <QMdiSubWindow>

// The save and print dialogs for the current material's report.
void mdiVelkor::ShowReportDialog(qint16 Index)
{
    if (!mCurrent || !mCurrent->MyForm())
        return;
    mCurrent->MyForm()->iReportType = frmMaterial2::ReportType::Full;

    frmSelData dialog(this);
    dialog.Form_Load();
    const bool save = Index == menuitem::SaveReport;
    if (save)
        dialog.setWindowTitle(QStringLiteral("Save ") + mCurrent->Name() + QStringLiteral(" As Text File - ") +
                              dialog.windowTitle());
    else
        dialog.setWindowTitle(QStringLiteral("Print ") + mCurrent->Name() + QStringLiteral(" - ") +
                              dialog.windowTitle());
    dialog.SetSaving(save);
    ShowStatus(save ? status::Passing + status::SaveTables : status::Passing + status::PrintTables);
    const int picture = PictureNumber(QString::fromLatin1(save ? toolbar::Save : toolbar::Print));
    if (picture >= 1 && picture <= ImageList1.size())
        dialog.setWindowIcon(ImageList1.at(picture - 1));
    platform::moveTwips(&dialog, platform::leftTwips(&dialog), 1500, platform::widthTwips(&dialog),
                        platform::heightTwips(&dialog));
    platform::runModal(dialog);
}

// The batch report of the whole selection.
void mdiVelkor::PrepareBatchPrint()
{
    for (const MaterialPtr &material : colMaterials) {
        frmMaterial2 *frm = material->MyForm();
        if (!frm)
            continue;
        frm->CheckTablesForRecords();
        frm->iReportType = frmMaterial2::ReportType::Full;
        for (int i = catalogue::FirstDataTable; i < catalogue::TableCount; ++i)
            if (material->TableHasData(GetShortTableName(i)))
                material->PrintTable(i, true);
        if (auto *sub = qobject_cast<QMdiSubWindow *>(frm->parentWidget()))
            sub->close();
        else
            frm->close();
    }
}

void mdiVelkor::DoBatchPrint()
{
    // Called from a button of the search window: a failing report is reported here, not thrown on.
    const bool prepared = platform::guard(platform::OnError::ShowErrorNo, [this] {
        const platform::WaitCursor wait;
        PrepareBatchPrint();
    });
    if (!prepared)
        return;
    platform::guard(platform::OnError::ShowErrorNo, [this] {
        actRepBatchPrint report;
        report.show(this);
    });
}
