#include "shell/mdiVelkor.h"

#include "search/frmSearch.h"

#include <QMdiSubWindow>

void mdiVelkor::ShowSearchWindow()
{
    frmSearch *frm = frmSearch::Load(this);
    if (frm->subWindow())
        frm->subWindow()->show();
    else
        frm->show();
}
