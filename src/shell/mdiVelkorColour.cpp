// The colour scheme: a light colour on the input boxes and alternating row colours in the grids,
// switched on and off by the Settings menu's colour item.

#include "shell/mdiVelkor.h"

#include "controls/DataGrid.h"
#include "material/frmChart.h"
#include "material/frmMaterial2.h"
#include "search/frmSearch.h"

#include <QAction>
#include <QApplication>
#include <QMdiSubWindow>

void mdiVelkor::Do_Undo_Colour_All()
{
    const bool on = ColourSchemeOn();
    blnColoursOFF = !on;
    SetBackColor(on ? vMyBlue : platform::olecolor::White);

    if (frmSearch *search = frmSearch::instance())
        search->ApplyColours(on);

    for (QMdiSubWindow *sub : MaterialWindows())
        Do_Undo_Colour(sub->widget());
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget *widget : widgets)
        if (auto *chart = qobject_cast<frmChart *>(widget))
            chart->ApplyColours(on);
}

void mdiVelkor::Do_Undo_Colour(QWidget *frm)
{
    if (auto *material = qobject_cast<frmMaterial2 *>(frm))
        material->ApplyColours(ColourSchemeOn());
}

void mdiVelkor::SetRowColors(controls::DataGrid *tdbGrid, bool blnOpposite)
{
    if (!tdbGrid)
        return;
    tdbGrid->setEvenRowColor(blnOpposite ? vMyBlue : vMyGreen);
    tdbGrid->setOddRowColor(blnOpposite ? vMyGreen : vMyBlue);
}

void mdiVelkor::MDIForm_DblClick()
{
    using namespace platform::olecolor;
    const platform::OleColor current = m_backColor;
    if (!blnColoursOFF) {
        if (current == vMyBlue)
            SetBackColor(vMyGreen);
        else if (current == vMyGreen)
            SetBackColor(InfoBackground);
        else if (current == InfoBackground)
            SetBackColor(AppWorkspace);
        else if (current == AppWorkspace)
            SetBackColor(White);
        else if (current == White)
            SetBackColor(vMyBlue);
    } else {
        if (current == White)
            SetBackColor(AppWorkspace);
        else if (current == AppWorkspace)
            SetBackColor(White);
    }
}
