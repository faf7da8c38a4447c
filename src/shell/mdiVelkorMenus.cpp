#include "shell/mdiVelkor.h"

#include "controls/AccessibleRole.h"
#include "core/TableCatalogue.h"
#include "platform/Twips.h"
#include "shell/ToolbarDesign.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

QAction *addItem(QMenu *menu, QList<QAction *> &items, const QString &caption, const QKeySequence &shortcut = {})
{
    QAction *action = caption == QLatin1String("-") ? menu->addSeparator() : menu->addAction(caption);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    items.append(action);
    return action;
}

QAction *addSubmenu(QMenu *menu, QList<QAction *> &items, QMenu *submenu)
{
    QAction *action = menu->addMenu(submenu);
    items.append(action);
    return action;
}

void setChecked(QAction *action, bool checked)
{
    action->setCheckable(true);
    action->setChecked(checked);
}

} // namespace

void mdiVelkor::CreateMenus()
{
    QMenuBar *bar = menuBar();

    mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    addItem(mnuFile, mnuFileElem, QStringLiteral("Show Selected &Material(s)"), QKeySequence(Qt::CTRL | Qt::Key_M));
    addItem(mnuFile, mnuFileElem, QStringLiteral("-"));
    addItem(mnuFile, mnuFileElem, QStringLiteral("&Save Report For Current Material To File..."),
            QKeySequence(Qt::CTRL | Qt::Key_S))
        ->setEnabled(false);
    addItem(mnuFile, mnuFileElem, QStringLiteral("&Print (Preview) Report For Current Material..."),
            QKeySequence(Qt::CTRL | Qt::Key_P))
        ->setEnabled(false);
    addItem(mnuFile, mnuFileElem, QStringLiteral("-"));
    addItem(mnuFile, mnuFileElem, QStringLiteral("&Generial Information"), QKeySequence(Qt::CTRL | Qt::Key_G));
    addItem(mnuFile, mnuFileElem, QStringLiteral("-"));
    addItem(mnuFile, mnuFileElem, QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    mnuView = bar->addMenu(QStringLiteral("&View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    using catalogue::Menu;
    for (const catalogue::SubmenuInfo &submenu : catalogue::Submenus) {
        QMenu *menu = new QMenu(QString::fromLatin1(submenu.caption), mnuView);
        QList<QAction *> &items = submenu.menu == Menu::Mechanical ? mnuViewMechElem : mnuViewPhysElem;
        (submenu.menu == Menu::Mechanical ? mnuViewMech : mnuViewPhys) = menu;
        for (int i = 0; i < catalogue::MenuItemCount(submenu.menu); ++i) {
            const catalogue::TableInfo *view = catalogue::AtMenuItem(submenu.menu, i);
            addItem(menu, items, view ? QString::fromLatin1(view->menuCaption) : QStringLiteral("-"));
        }
    }
    for (int i = 0; i < catalogue::MenuItemCount(Menu::View); ++i) {
        if (const catalogue::SubmenuInfo *submenu = catalogue::SubmenuAt(i)) {
            addSubmenu(mnuView, mnuViewElem, submenu->menu == Menu::Mechanical ? mnuViewMech : mnuViewPhys);
        } else {
            const catalogue::TableInfo *view = catalogue::AtMenuItem(Menu::View, i);
            // The header is shown when the windows open: its item starts as the one chosen.
            addItem(mnuView, mnuViewElem, QString::fromLatin1(view->menuCaption))
                ->setEnabled(view != &catalogue::Tables[catalogue::HeaderTable]);
        }
    }
    mnuView->menuAction()->setVisible(false);

    mnuSettings = bar->addMenu(QStringLiteral("&Settings"));
    mnuSettings->setObjectName(QStringLiteral("mnuSettings"));
    mnuSettingsTool = new QMenu(QStringLiteral("&Toolbar"), mnuSettings);
    addSubmenu(mnuSettings, mnuSettingsElem, mnuSettingsTool)->setEnabled(false);
    setChecked(addItem(mnuSettings, mnuSettingsElem, QStringLiteral("Status &Bar")), true);
    setChecked(addItem(mnuSettings, mnuSettingsElem, QStringLiteral("&Colour")), true);
    setChecked(addItem(mnuSettings, mnuSettingsElem, QStringLiteral("ToolTi&ps")), true);
    addItem(mnuSettings, mnuSettingsElem, QStringLiteral("C&hange Back Colour"));
    addItem(mnuSettingsTool, mnuSettingsToolElem, QStringLiteral("&Show"))->setEnabled(false);
    addItem(mnuSettingsTool, mnuSettingsToolElem, QStringLiteral("&Hide"));
    addItem(mnuSettingsTool, mnuSettingsToolElem, QStringLiteral("Align &Top"))->setEnabled(false);
    addItem(mnuSettingsTool, mnuSettingsToolElem, QStringLiteral("Align &Bottom"));

    mnuWindow = bar->addMenu(QStringLiteral("&Window"));
    mnuWindow->setObjectName(QStringLiteral("mnuWindow"));
    setChecked(addItem(mnuWindow, mnuWindowElem, QStringLiteral("&Cascade")), true);
    setChecked(addItem(mnuWindow, mnuWindowElem, QStringLiteral("Tile &Horizontal")), false);
    connect(mnuWindow, &QMenu::aboutToShow, this, &mdiVelkor::ListChildWindows);

    mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    addItem(mnuHelp, mnuHelpElem, QStringLiteral("&Contents"), QKeySequence(Qt::Key_F1));
    addItem(mnuHelp, mnuHelpElem, QStringLiteral("&Index"));
    addItem(mnuHelp, mnuHelpElem, QStringLiteral("&Search"));
    addItem(mnuHelp, mnuHelpElem, QStringLiteral("-"));
    addItem(mnuHelp, mnuHelpElem, QStringLiteral("&About VELKor-PED"));
}

// The Window menu lists the open child windows below its items; choosing one activates it.
void mdiVelkor::ListChildWindows()
{
    for (QAction *action : std::as_const(m_windowListActions)) {
        mnuWindow->removeAction(action);
        action->deleteLater();
    }
    m_windowListActions.clear();
    const QList<QMdiSubWindow *> children = m_mdiArea->subWindowList();
    int number = 0;
    for (QMdiSubWindow *child : children) {
        if (child->isHidden())
            continue;
        if (number == 0)
            m_windowListActions.append(mnuWindow->addSeparator());
        ++number;
        QAction *action = mnuWindow->addAction(QStringLiteral("&%1 %2").arg(number).arg(child->windowTitle()));
        action->setCheckable(true);
        action->setChecked(child == m_mdiArea->activeSubWindow());
        QPointer<QMdiSubWindow> target(child);
        connect(action, &QAction::triggered, this, [this, target]() {
            if (target)
                m_mdiArea->setActiveSubWindow(target);
        });
        m_windowListActions.append(action);
    }
}

void mdiVelkor::CreateToolbar()
{
    Toolbar1 = new QToolBar(QStringLiteral("Toolbar"), this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, Toolbar1);

    // The buttons' menus hold the submenus' items without their separators.
    using catalogue::Menu;
    const auto buttonMenu = [this](Menu menu) {
        auto *buttons = new QMenu(this);
        for (int i = 0; i < catalogue::MenuItemCount(menu); ++i)
            if (const catalogue::TableInfo *view = catalogue::AtMenuItem(menu, i))
                buttons->addAction(QString::fromLatin1(view->buttonCaption))
                    ->setObjectName(QString::fromLatin1(view->key));
        return buttons;
    };
    m_mechButtonMenu = buttonMenu(Menu::Mechanical);
    m_physButtonMenu = buttonMenu(Menu::Physical);

    using toolbar::Style;
    for (const toolbar::Button &b : toolbar::Design()) {
        QAction *action = nullptr;
        if (b.style == Style::Separator) {
            action = Toolbar1->addSeparator();
        } else {
            // No text: an action falls back to its text for an empty tool tip, and tool tips
            // switched off must show nothing.
            action = Toolbar1->addAction(QString());
            if (auto *button = qobject_cast<QToolButton *>(Toolbar1->widgetForAction(action))) {
                controls::setButtonRole(button, b.style == Style::Check      ? QAccessible::CheckBox
                                                : b.style == Style::DropDown ? QAccessible::ButtonMenu
                                                                             : QAccessible::Button);
                // A screen reader names the button by its tool tip, also while tool tips are off.
                button->setAccessibleName(b.tip);
            }
            action->setToolTip(b.tip);
            // Pressed and released by the program; a check button also by the user.
            action->setCheckable(b.style != Style::Default);
            action->setChecked(b.pressed);
            if (b.style == Style::DropDown) {
                action->setMenu(b.key == QLatin1String(catalogue::MechanicalButton) ? m_mechButtonMenu
                                                                                    : m_physButtonMenu);
                if (auto *button = qobject_cast<QToolButton *>(Toolbar1->widgetForAction(action)))
                    button->setPopupMode(QToolButton::MenuButtonPopup);
            }
        }
        action->setObjectName(b.key);
        m_buttons.append(action);
        m_buttonKeys.append(b.key);
    }
}

void mdiVelkor::AssignToolbarPictures()
{
    int picture = 0;
    for (QAction *action : std::as_const(m_buttons)) {
        if (action->isSeparator())
            continue;
        if (picture < ImageList1.size())
            action->setIcon(ImageList1.at(picture));
        ++picture;
    }
    // Button height of 450 twips.
    const int height = platform::twipsToPixels(450);
    for (QAction *action : std::as_const(m_buttons)) {
        if (QWidget *button = Toolbar1->widgetForAction(action); button && !action->isSeparator())
            button->setMinimumHeight(height);
    }
}

void mdiVelkor::CreateStatusBar()
{
    stbStatus = new QStatusBar(this);
    stbStatus->setObjectName(QStringLiteral("stbStatus"));
    m_statusPanel = new QLabel(stbStatus);
    m_statusPanel->setObjectName(QStringLiteral("stbStatusPanel1"));
    m_statusPanel->setTextFormat(Qt::PlainText);
    // A long status text is cut at the window's edge; it never widens the window.
    m_statusPanel->setMinimumWidth(1);
    stbStatus->addWidget(m_statusPanel, 1);
    setStatusBar(stbStatus);
}
