// The search window laid out for an 800 by 600 screen.

#include "search/frmSearch.h"

#include "controls/DataGrid.h"
#include "platform/Twips.h"
#include "platform/VbConv.h"
#include "search/DropImage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

using platform::moveTwips;

void Layout800x600(frmSearch &frm)
{
    frm.m_smallLayout = true;
    for (QFrame *back : frm.lblBack)
        back->setVisible(false);
    moveTwips(frm.lblSearch, 120, platform::topTwips(frm.lblSearch), 2295, platform::heightTwips(frm.lblSearch));
    if (frm.m_subWindow) {
        const QSize size(platform::twipsToPixels(11700), platform::twipsToPixels(7470));
        frm.m_subWindow->setFixedSize(size);
        frm.m_subWindow->move(0, 0);
    }
    moveTwips(frm.framSearch, 0, 0, 2415, 6855);
    moveTwips(frm.framSide, 120, 120, 2415, 6855);
    for (int i = 0; i < SearchQuery::BoxCount; ++i) {
        const double rowTop = i == SearchQuery::Standard         ? 480
                              : i == SearchQuery::ProductFormBox ? 1320
                                                                 : 1320 + 840.0 * i;
        moveTwips(frm.cmdSelect[i], 1800, rowTop, 375, 285);
        // The narrow column leaves the boxes the width up to the pick buttons' right edge.
        moveTwips(frm.txtSearch[i], 120, rowTop + 360, 2055, platform::heightTwips(frm.txtSearch[i]));
        if (i < SearchQuery::FieldBoxes)
            moveTwips(frm.chkSearch[i], platform::leftTwips(frm.chkSearch[i]), rowTop, 1575, 255);
    }
    moveTwips(frm.lblProdForm, platform::leftTwips(frm.lblProdForm), 1320, 1575, 255);
    moveTwips(frm.chkListAll, 120, 6480, 2175, platform::heightTwips(frm.chkListAll));

    moveTwips(frm.framSelTable, 2640, 4200, 8895, 2775);
    moveTwips(frm.framSelTabNav, 120, 2280, 9135, 375);
    for (int i = 0; i < int(frm.cmdTabNav.size()); ++i)
        moveTwips(frm.cmdTabNav[i], 4920 + 600.0 * (i % modDBase::NavigationButtons), 0, 495, 375);
    const double selLeft[3] = {0, 3120, 1560};
    for (int i = 0; i < 3; ++i)
        moveTwips(frm.cmdSelections[i], selLeft[i], 0, 1455, 375);
    frm.cmdSelections[frmSearch::RemoveSelected]->setText(QStringLiteral("&Remove"));
    moveTwips(frm.imgBin, 8280, 0, 375, 375);
    moveTwips(frm.imgFullBin, 8280, 0, 375, 375);
    moveTwips(frm.tdbSelected, 120, 360, 8655, 1815);

    moveTwips(frm.framMatTable, 2640, 120, 8895, 4095);
    moveTwips(frm.framTabNav, 120, 3600, 9135, 495);
    moveTwips(frm.cmdSelectMat, 0, 0, 1455, 375);
    QPushButton *batch = frm.cmdBatch[frmSearch::BatchBesideNavigation];
    moveTwips(batch, platform::leftTwips(batch), 0, platform::widthTwips(batch), 375);
    batch->setVisible(true);
    // The first batch button stands below the narrow column, out of sight: the second one takes its
    // place, and Tab does not stop at a button that cannot be seen.
    frm.cmdBatch[frmSearch::BatchBelowSearch]->setVisible(false);
    moveTwips(frm.imgFolder, 8280, 0, 375, 375);
    moveTwips(frm.tdbMaterials, 120, 360, 8655, 3135);
    // These widths hold neither every heading's longest word nor a date in every type and date form: a
    // column too narrow for them is widened as far as they need.
    const double widths[SearchQuery::FieldBoxes] = {1500, 1950, 735, 1935, 570, 1110};
    QStringList dates;
    for (int month = 1; month <= 12; ++month)
        dates << platform::shortDate(QDate(2000, month, 28));
    for (int i = 0; i < SearchQuery::FieldBoxes; ++i)
        frm.tdbMaterials->column(i)->setWidthTwips(std::max(
            widths[i], frm.tdbMaterials->fittingWidthTwips(i, i == SearchQuery::RevisionDate ? dates : QStringList())));

    // The controls of the side column's lower part would fall below the narrow column; they move
    // into the top line of the result frame.
    moveTwips(frm.cmbChooseStd, 120, 15, 1095, 315);
    frm.lblMatCountCaption->setParent(frm.framMatTable);
    frm.lblMatCount->setParent(frm.framMatTable);
    moveTwips(frm.lblMatCountCaption, 1335, 60, 1500, 255);
    moveTwips(frm.lblMatCount, 2835, 60, 975, 255);
    frm.cmdShowPmaIndex->setParent(frm.framMatTable);
    moveTwips(frm.cmdShowPmaIndex, 6465, 0, 1815, 330);
    frm.imgIcon->setParent(frm.framMatTable);
    moveTwips(frm.imgIcon, 8400, 0, 375, 375);
    frm.imgIcon->setPixmap(searchpictures::helpIcon(platform::twipsToPixels(330)));
    frm.lblMatCountCaption->show();
    frm.lblMatCount->show();
    frm.imgIcon->show();
}
