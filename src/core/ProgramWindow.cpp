#include "core/ProgramWindow.h"

#include "core/TableCatalogue.h"
#include "platform/Twips.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>

namespace {
ProgramWindow *s_instance = nullptr;
}

ProgramWindow::ProgramWindow(QWidget *parent) : QMainWindow(parent)
{
    if (!s_instance)
        s_instance = this;
}

ProgramWindow::~ProgramWindow()
{
    if (s_instance == this)
        s_instance = nullptr;
}

ProgramWindow *ProgramWindow::instance()
{
    return s_instance;
}

QAction *ProgramWindow::Buttons(int index) const
{
    if (index < 1 || index > m_buttons.size())
        return nullptr;
    return m_buttons.at(index - 1);
}

QAction *ProgramWindow::Buttons(const QString &key) const
{
    return Buttons(ButtonIndex(key));
}

int ProgramWindow::ButtonIndex(const QString &key) const
{
    return int(m_buttonKeys.indexOf(key)) + 1;
}

QAction *ProgramWindow::ButtonMenus(const QString &buttonKey, int index) const
{
    const QMenu *menu = buttonKey == QLatin1String(catalogue::MechanicalButton) ? m_mechButtonMenu
                        : buttonKey == QLatin1String(catalogue::PhysicalButton) ? m_physButtonMenu
                                                                                : nullptr;
    if (!menu || index < 1 || index > menu->actions().size())
        return nullptr;
    return menu->actions().at(index - 1);
}

bool ProgramWindow::ToolbarAtBottom() const
{
    return toolBarArea(Toolbar1) == Qt::BottomToolBarArea;
}

void ProgramWindow::SetToolbarAtBottom(bool bottom)
{
    const bool hidden = Toolbar1->isHidden();
    addToolBar(bottom ? Qt::BottomToolBarArea : Qt::TopToolBarArea, Toolbar1);
    Toolbar1->setHidden(hidden);
}

bool ProgramWindow::ColourSchemeOn() const
{
    return mnuSettingsElem.size() > menuitem::Colour && mnuSettingsElem.at(menuitem::Colour)->isChecked();
}

void ProgramWindow::MaterialWindowsOpened()
{
    iMaterialsOpen = qint16(colMaterials.count());
    UpdateMenusAndButtons(QStringLiteral("View"), catalogue::Tables[catalogue::HeaderTable].menuItem);
}

void ProgramWindow::SearchWindowUnloaded()
{
    if (!mnuFileElem.isEmpty())
        mnuFileElem[menuitem::SelectMaterials]->setEnabled(true);
}

int ProgramWindow::PictureNumber(const QString &buttonKey) const
{
    int number = 0;
    for (const QAction *button : m_buttons) {
        if (button->isSeparator())
            continue;
        ++number;
        if (button->objectName() == buttonKey)
            return number;
    }
    return 0;
}

QPixmap ProgramWindow::ListPicture(int number, int sizeTwips) const
{
    if (number < 1 || number > ImageList1.size())
        return {};
    const int pixels = platform::twipsToPixels(sizeTwips);
    return ImageList1.at(number - 1).pixmap(pixels, pixels);
}
