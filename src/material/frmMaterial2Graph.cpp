#include "material/frmMaterial2.h"

#include "controls/DataGrid.h"
#include "platform/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace platform;

void frmMaterial2::ShowUnboundGraph(const QString &strTable, db::Recordset &rs)
{
    Q_UNUSED(strTable);
    Q_UNUSED(rs);
}

void frmMaterial2::ShowBoundGraph(const QString &strTable)
{
    Q_UNUSED(strTable);
}

void frmMaterial2::ShowGraphView(bool blnGraph)
{
    if (blnGraph) {
        moveTwips(framBlank, leftTwips(framBlank), 2520, widthTwips(framBlank), 1935);
        framBlank->show();
        tdbBoundTable->hide();
        framNotes->hide();
        framChart->show();
    } else {
        moveTwips(framBlank, leftTwips(framBlank), topTwips(framOptions), widthTwips(framBlank), heightTwips(framOptions));
        framBlank->hide();
        ImgPic[2]->hide();
        tdbBoundTable->show();
        framNotes->show();
        framChart->hide();
        lblFullForm->show();
    }
}

void frmMaterial2::EnableGraphButtons(bool blnEnable)
{
    CommandShowTable->setVisible(!blnEnable);
    CommandShowGraph->setVisible(blnEnable);
}
