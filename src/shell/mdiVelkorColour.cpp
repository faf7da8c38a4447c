// The colour scheme: a light colour on the input boxes and alternating row colours in the grids,
// switched on and off by the Settings menu's colour item.

#include "shell/mdiVelkor.h"

#include "controls/DataGrid.h"
#include "material/frmMaterial2.h"
#include "search/frmSearch.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

namespace {

// A text box's back colour is its base; a frame's is its window colour, filled.
void SetBoxBackColor(QWidget *box, platform::OleColor color)
{
    if (!box)
        return;
    QPalette palette = box->palette();
    const QColor c = platform::toQColor(color);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, c);
    box->setPalette(palette);
}

void SetFrameBackColor(QWidget *frame, platform::OleColor color)
{
    if (!frame)
        return;
    QPalette palette = frame->palette();
    const QColor c = platform::toQColor(color);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Window, c);
    frame->setPalette(palette);
    frame->setAutoFillBackground(true);
}

} // namespace

void mdiVelkor::Do_Undo_Colour_All()
{
    const bool on = mnuSettingsElem.size() > 2 && mnuSettingsElem.at(2)->isChecked();
    blnColoursOFF = !on;
    const platform::OleColor c = on ? vInfoBackground : platform::olecolor::White;
    SetBackColor(on ? vMyBlue : platform::olecolor::White);

    if (frmSearch *search = frmSearch::instance()) {
        for (QLineEdit *box : search->txtSearch)
            SetBoxBackColor(box, c);
        search->tdbSelected->setAlternatingRows(on);
        search->tdbMaterials->setAlternatingRows(on);
    }

    for (QMdiSubWindow *sub : MaterialWindows())
        Do_Undo_Colour(sub->widget());
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget *widget : widgets)
        if (widget->objectName() == QLatin1String("frmChart"))
            SetFrameBackColor(widget->findChild<QWidget *>(QStringLiteral("framChart")), c);
}

void mdiVelkor::Do_Undo_Colour(QWidget *frm)
{
    auto *material = qobject_cast<frmMaterial2 *>(frm);
    if (!material)
        return;
    const bool on = mnuSettingsElem.size() > 2 && mnuSettingsElem.at(2)->isChecked();
    const platform::OleColor c = on ? vInfoBackground : platform::olecolor::White;

    SetBoxBackColor(material->txtDesignTemp, c);
    SetBoxBackColor(material->txtNotes, c);
    for (QPlainTextEdit *box : material->txtMainData)
        SetBoxBackColor(box, c);
    SetFrameBackColor(material->framChart, c);
    SetBoxBackColor(material->txtNoData, c);

    for (controls::DataGrid *grid : {material->tdbBoundTable, material->tdbTable, material->tdbDesign})
        if (grid)
            grid->setAlternatingRows(on);
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
