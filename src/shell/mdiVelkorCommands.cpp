// The commands of the menus and the toolbar, and the marks of the table shown.

#include "core/TableCatalogue.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/ErrorBoundary.h"
#include "platform/Twips.h"
#include "platform/WaitCursor.h"
#include "search/frmSearch.h"
#include "shell/ShowToolTips.h"
#include "shell/ToolbarDesign.h"
#include "shell/mdiVelkor.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <functional>

namespace {

using platform::WaitCursor;

// A command that fails leaves the window as it is; nothing escapes into the event loop.
void guarded(const std::function<void()> &command)
{
    platform::guard(platform::OnError::Silent, command);
}

bool enabled(const QList<QAction *> &items, int index)
{
    return index >= 0 && index < items.size() && items.at(index)->isEnabled();
}

void setPressed(QAction *button, bool pressed)
{
    if (button)
        button->setChecked(pressed);
}

using catalogue::Menu;

const QString SelectCaption = QStringLiteral("Select &Material(s)");
const QString ShowCaption = QStringLiteral("Show Selected &Material(s)");

} // namespace

void mdiVelkor::ConnectCommands()
{
    // A checkable item toggles itself on a click; the handlers set the marks themselves.
    auto connectItems = [this](const QList<QAction *> &items, void (mdiVelkor::*handler)(qint16)) {
        for (int i = 0; i < items.size(); ++i) {
            QAction *item = items.at(i);
            if (item->isSeparator() || item->menu())
                continue;
            connect(item, &QAction::triggered, this, [this, item, handler, i](bool checked) {
                if (item->isCheckable())
                    item->setChecked(!checked);
                guarded([&] { (this->*handler)(qint16(i)); });
            });
        }
    };
    connectItems(mnuFileElem, &mdiVelkor::mnuFileElem_Click);
    connectItems(mnuViewElem, &mdiVelkor::mnuViewElem_Click);
    connectItems(mnuViewMechElem, &mdiVelkor::mnuViewMechElem_Click);
    connectItems(mnuViewPhysElem, &mdiVelkor::mnuViewPhysElem_Click);
    connectItems(mnuSettingsElem, &mdiVelkor::mnuSettingsElem_Click);
    connectItems(mnuSettingsToolElem, &mdiVelkor::mnuSettingsToolElem_Click);
    connectItems(mnuWindowElem, &mdiVelkor::mnuWindowElem_Click);
    connectItems(mnuHelpElem, &mdiVelkor::mnuHelpElem_Click);

    for (QAction *button : std::as_const(m_buttons)) {
        if (button->isSeparator())
            continue;
        connect(button, &QAction::triggered, this, [this, button](bool checked) {
            // Only the check button changes its own state on a click; the others are pressed
            // and released by the commands.
            if (button->isCheckable() && button->objectName() != QLatin1String(catalogue::HeaderKey))
                button->setChecked(!checked);
            guarded([&] { Toolbar1_ButtonClick(button); });
        });
    }
    for (QMenu *menu : {m_mechButtonMenu, m_physButtonMenu})
        for (QAction *item : menu->actions())
            connect(item, &QAction::triggered, this,
                    [this, item] { guarded([&] { Toolbar1_ButtonMenuClick(item); }); });
}

void mdiVelkor::ShowTableOnAll(const QString &strTable)
{
    const QList<QMdiSubWindow *> windows = MaterialWindows();
    for (QMdiSubWindow *sub : windows)
        if (auto *frm = qobject_cast<frmMaterial2 *>(sub->widget()))
            frm->ShowTable(strTable);
}

void mdiVelkor::mnuViewElem_Click(qint16 Index)
{
    const catalogue::TableInfo *view = catalogue::AtMenuItem(Menu::View, Index);
    if (!view || !enabled(mnuViewElem, Index))
        return;
    UpdateMenusAndButtons(QStringLiteral("View"), Index);
    WaitCursor wait;
    const QString key = QString::fromLatin1(view->key);
    // The design values announce themselves before their grid is built, which takes a while.
    const bool statusFirst = view->status == status::DesignValues;
    const QList<QMdiSubWindow *> windows = MaterialWindows();
    for (QMdiSubWindow *sub : windows) {
        auto *frm = qobject_cast<frmMaterial2 *>(sub->widget());
        if (statusFirst) {
            ShowStatus(view->status);
            frm->ShowTable(key);
        } else {
            frm->ShowTable(key);
            ShowStatus(view->status);
        }
    }
}

void mdiVelkor::mnuViewMechElem_Click(qint16 Index)
{
    ShowSubmenuView(mnuViewMechElem, Index);
}

void mdiVelkor::mnuViewPhysElem_Click(qint16 Index)
{
    ShowSubmenuView(mnuViewPhysElem, Index);
}

void mdiVelkor::ShowSubmenuView(const QList<QAction *> &items, int Index)
{
    const Menu menu = &items == &mnuViewMechElem ? Menu::Mechanical : Menu::Physical;
    const catalogue::TableInfo *view = catalogue::AtMenuItem(menu, Index);
    if (!view || !enabled(items, Index))
        return;
    UpdateMenusAndButtons(QString::fromLatin1(catalogue::SubmenuOf(menu)->name), Index);
    WaitCursor wait;
    ShowStatus(view->status);
    ShowTableOnAll(QString::fromLatin1(view->key));
}

void mdiVelkor::UpdateMenusAndButtons(const QString &strMenu, int Index)
{
    for (QList<QAction *> *items : {&mnuViewElem, &mnuViewMechElem, &mnuViewPhysElem})
        for (QAction *item : std::as_const(*items))
            if (!item->isSeparator())
                item->setEnabled(true);
    for (QMenu *menu : {m_mechButtonMenu, m_physButtonMenu})
        for (QAction *item : menu->actions())
            item->setEnabled(true);
    for (int i = 0; i < mnuViewElem.size(); ++i)
        setPressed(Buttons(catalogue::ViewButtonKey(i)), false);

    if (strMenu == QLatin1String("View") && Index >= 0 && Index < mnuViewElem.size()) {
        mnuViewElem[Index]->setEnabled(false);
        QAction *button = Buttons(catalogue::ViewButtonKey(Index));
        setPressed(button, true);
        strLastViewButton = button->objectName();
    }
    for (const catalogue::SubmenuInfo &submenu : catalogue::Submenus) {
        if (strMenu != QLatin1String(submenu.name) || !catalogue::AtMenuItem(submenu.menu, Index))
            continue;
        (submenu.menu == Menu::Mechanical ? mnuViewMechElem : mnuViewPhysElem)[Index]->setEnabled(false);
        setPressed(Buttons(QString::fromLatin1(submenu.buttonKey)), true);
        strLastViewButton = QString::fromLatin1(submenu.buttonKey);
        ButtonMenus(strLastViewButton, catalogue::ButtonMenuNumber(submenu.menu, Index))->setEnabled(false);
    }
    Toolbar1->update();
}

void mdiVelkor::Toolbar1_ButtonMenuClick(QAction *ButtonMenu)
{
    if (!ButtonMenu)
        return;
    WaitCursor wait;
    const QString key = ButtonMenu->objectName();
    const catalogue::TableInfo *view = catalogue::Find(key);
    if (!view || !catalogue::SubmenuOf(view->menu))
        return;
    UpdateMenusAndButtons(QString::fromLatin1(catalogue::SubmenuOf(view->menu)->name), view->menuItem);
    ShowStatus(view->status);
    ShowTableOnAll(key);
}

void mdiVelkor::Toolbar1_ButtonClick(QAction *Button)
{
    if (!Button)
        return;
    const QString key = Button->objectName();
    const catalogue::TableInfo *table = catalogue::Find(key);
    const bool viewButton = table && table->menu == Menu::View;
    // The buttons the commands hold down: every pressable one but the header's check button and
    // the drop-down buttons' faces.
    const bool held = Button->isCheckable() && !Button->menu() && key != QLatin1String(catalogue::HeaderKey);
    if (!Button->isChecked() && held)
        setPressed(Button, true);

    if (key == QLatin1String(toolbar::Select)) {
        mnuFileElem_Click(menuitem::SelectMaterials);
        ShowStatus(status::Search);
    } else if (key == QLatin1String(toolbar::Next)) {
        ActivateNextMaterial();
    } else if (key == QLatin1String(toolbar::Close)) {
        CloseMaterial();
    } else if (key == QLatin1String(toolbar::Print)) {
        mnuFileElem_Click(menuitem::PrintReport);
        ShowStatus(status::Remembered);
    } else if (key == QLatin1String(toolbar::Save)) {
        mnuFileElem_Click(menuitem::SaveReport);
    } else if (viewButton) {
        mnuViewElem_Click(qint16(table->menuItem));
        // The shown table's button stays pressed, also when the check button was clicked off.
        if (QAction *shown = Buttons(strLastViewButton); shown && !shown->isChecked())
            setPressed(shown, true);
    } else if (key == QLatin1String(toolbar::Exit)) {
        mnuFileElem_Click(menuitem::Exit);
        return;
    } else if (key == QLatin1String(toolbar::Cascade) || key == QLatin1String(toolbar::Horizontal)) {
        mnuWindowElem_Click(key == QLatin1String(toolbar::Cascade) ? menuitem::Cascade : menuitem::TileHorizontal);
        if (QAction *view = Buttons(strLastViewButton); view && !view->isChecked())
            setPressed(view, true);
    } else if (key == QLatin1String(toolbar::GenInfo)) {
        mnuFileElem_Click(menuitem::GeneralInformation);
    }

    if (viewButton)
        if (QAction *window = Buttons(strLastWindowButton); window && !window->isChecked())
            setPressed(window, true);
}

void mdiVelkor::SelectMaterials()
{
    mnuFileElem_Click(menuitem::SelectMaterials);
}

void mdiVelkor::mnuFileElem_Click(qint16 Index)
{
    switch (Index) {
    case menuitem::SelectMaterials: {
        frmSearch *search = frmSearch::instance();
        if (mnuFileElem[menuitem::SelectMaterials]->text() != SelectCaption) {
            if (colMaterials.count() >= 1 && search) {
                mnuFileElem[menuitem::SelectMaterials]->setText(SelectCaption);
                search->ShowSelections();
            }
            return;
        }
        mnuFileElem[menuitem::SelectMaterials]->setText(ShowCaption);
        const QList<QMdiSubWindow *> windows = MaterialWindows();
        for (QMdiSubWindow *sub : windows)
            sub->close();
        if (search) {
            QWidget *frame = search->subWindow() ? static_cast<QWidget *>(search->subWindow()) : search;
            if (frame->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))
                frame->showNormal();
            frame->show();
            frame->move(frame->x(), platform::twipsToPixels(50));
            search->RefreshSelected(QString());
        }
        Toolbar1->hide();
        mnuView->menuAction()->setVisible(false);
        mnuSettingsElem[menuitem::Toolbar]->setEnabled(false);
        mnuFileElem[menuitem::SaveReport]->setEnabled(false);
        mnuFileElem[menuitem::PrintReport]->setEnabled(false);
        break;
    }
    case menuitem::SaveReport:
    case menuitem::PrintReport: ShowReportDialog(Index); break;
    case menuitem::GeneralInformation: ShowGeneralInformation(); break;
    case menuitem::Exit:
        m_unloadingOthers = true;
        UnloadOtherWindows();
        m_unloadingOthers = false;
        CloseMainWindow();
        break;
    default: break;
    }
}

void mdiVelkor::mnuSettingsElem_Click(qint16 Index)
{
    switch (Index) {
    case menuitem::StatusBar:
        stbStatus->setHidden(!stbStatus->isHidden());
        mnuSettingsElem[menuitem::StatusBar]->setChecked(!mnuSettingsElem[menuitem::StatusBar]->isChecked());
        break;
    case menuitem::Colour:
        mnuSettingsElem[menuitem::Colour]->setChecked(!mnuSettingsElem[menuitem::Colour]->isChecked());
        Do_Undo_Colour_All();
        break;
    case menuitem::ToolTips:
        mnuSettingsElem[menuitem::ToolTips]->setChecked(!mnuSettingsElem[menuitem::ToolTips]->isChecked());
        blnToolTips = !blnToolTips;
        ShowToolTips(blnToolTips);
        break;
    case menuitem::BackColour: MDIForm_DblClick(); break;
    default: break;
    }
}

void mdiVelkor::mnuSettingsToolElem_Click(qint16 Index)
{
    if (Index == menuitem::ShowToolbar || Index == menuitem::HideToolbar) {
        Toolbar1->setHidden(!Toolbar1->isHidden());
        mnuSettingsToolElem[menuitem::ShowToolbar]->setEnabled(
            !mnuSettingsToolElem[menuitem::ShowToolbar]->isEnabled());
        mnuSettingsToolElem[menuitem::HideToolbar]->setEnabled(
            !mnuSettingsToolElem[menuitem::HideToolbar]->isEnabled());
    } else if (Index == menuitem::AlignTop || Index == menuitem::AlignBottom) {
        SetToolbarAtBottom(!ToolbarAtBottom());
        mnuSettingsToolElem[menuitem::AlignTop]->setEnabled(!mnuSettingsToolElem[menuitem::AlignTop]->isEnabled());
        mnuSettingsToolElem[menuitem::AlignBottom]->setEnabled(
            !mnuSettingsToolElem[menuitem::AlignBottom]->isEnabled());
    }
}

void mdiVelkor::mnuWindowElem_Click(qint16 Index)
{
    if (Index != menuitem::Cascade && Index != menuitem::TileHorizontal)
        return;
    if (mnuWindowElem[Index]->isChecked())
        return;
    const bool tiled = Index == menuitem::TileHorizontal;
    if (tiled)
        DoTileHorizontal();
    else
        DoCascade();
    MarkArrangement(tiled);
    Toolbar1->update();
    iWindowArrange = Index;
}

void mdiVelkor::MarkArrangement(bool tiled)
{
    if (mnuWindowElem.size() > menuitem::TileHorizontal) {
        mnuWindowElem[menuitem::Cascade]->setChecked(!tiled);
        mnuWindowElem[menuitem::TileHorizontal]->setChecked(tiled);
    }
    setPressed(Buttons(QString::fromLatin1(toolbar::Cascade)), !tiled);
    setPressed(Buttons(QString::fromLatin1(toolbar::Horizontal)), tiled);
    strLastWindowButton = QString::fromLatin1(tiled ? toolbar::Horizontal : toolbar::Cascade);
}

void mdiVelkor::stbStatus_DblClick()
{
    mnuSettingsElem_Click(menuitem::StatusBar);
}

void mdiVelkor::ShowToolTips(bool blnOn)
{
    modToolTips::ShowToolTips(blnOn);
}
