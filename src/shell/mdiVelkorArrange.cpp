// Arranging the material windows and keeping track of the current material.

#include "shell/mdiVelkor.h"

#include "core/TableCatalogue.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/Environment.h"
#include "platform/Twips.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"
#include "search/frmSearch.h"
#include "shell/ToolbarDesign.h"

#include <QAction>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolBar>

namespace {

bool isNormal(const QMdiSubWindow *sub)
{
    return !(sub->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
}

frmMaterial2 *materialOf(const QMdiSubWindow *sub)
{
    return qobject_cast<frmMaterial2 *>(sub->widget());
}

} // namespace

mdiVelkor::ScreenPlacement mdiVelkor::PlaceOnScreen(const QRect &available, const QSize &needed)
{
    ScreenPlacement placement;
    placement.normal = QRect(available.topLeft(), needed.boundedTo(available.size()));
    placement.maximised = available.width() >= needed.width() && available.height() >= needed.height();
    return placement;
}

QSize mdiVelkor::NeededSize() const
{
    // The work area must reach the search window's bottom right corner; the main window's layout
    // adds the menu bar, the toolbar and the status bar around it.
    QSize area(0, 0);
    if (const frmSearch *search = frmSearch::instance(); search && search->subWindow()) {
        const QRect window = search->subWindow()->geometry();
        area = QSize(window.right() + 1, window.bottom() + 1);
    }
    const int frame = 2 * m_mdiArea->frameWidth();
    const QSize before = m_mdiArea->minimumSize();
    m_mdiArea->setMinimumSize(area + QSize(frame, frame));
    const QSize needed = layout()->totalMinimumSize().expandedTo(minimumSizeHint());
    m_mdiArea->setMinimumSize(before);
    return needed;
}

void mdiVelkor::ShowOnScreen()
{
    // The frame the window system draws around the window takes its share of the area as well,
    // as far as it is known before the window is shown.
    winId();
    const QRect outer = frameGeometry(), inner = geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    const QRect available = platform::availableScreenGeometry();
    const ScreenPlacement placement = PlaceOnScreen(available.marginsRemoved(frame), NeededSize());
    resize(placement.normal.size());
    move(available.topLeft());
    if (placement.maximised)
        showMaximized();
    else
        show();
}

QList<QMdiSubWindow *> mdiVelkor::MaterialWindows() const
{
    QList<QMdiSubWindow *> windows;
    const QList<QMdiSubWindow *> children = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow *sub : children)
        if (materialOf(sub))
            windows.append(sub);
    return windows;
}

QMdiSubWindow *mdiVelkor::DoCascade()
{
    QMdiSubWindow *front = nullptr;
    double top = 0;
    const QList<QMdiSubWindow *> windows = MaterialWindows();
    for (QMdiSubWindow *sub : windows) {
        if (!isNormal(sub))
            continue;
        const double left = (platform::widthTwips(this) - platform::widthTwips(sub)) / 2;
        sub->move(platform::twipsToPixels(left), platform::twipsToPixels(top));
        top += 300;
        sub->raise();
        front = sub;
        SetCurrentMaterial(materialOf(sub)->mMat);
    }
    return front;
}

QMdiSubWindow *mdiVelkor::DoTileHorizontal()
{
    int n = colMaterials.count();
    if (n % 2 != 0)
        n -= 1;
    const double left = platform::roundHalfEven((platform::widthTwips(this) - 11280) / 2);
    int k = 1;
    QMdiSubWindow *first = nullptr;
    const QList<QMdiSubWindow *> windows = MaterialWindows();
    for (QMdiSubWindow *sub : windows) {
        if (!isNormal(sub))
            continue;
        double top = 0;
        if (k == 1)
            first = sub;
        else
            top = k <= n / 2 ? 0 : 5050;
        sub->move(platform::twipsToPixels(left), platform::twipsToPixels(top));
        ++k;
        SetCurrentMaterial(materialOf(sub)->mMat);
    }
    if (first)
        first->raise();
    return first;
}

void mdiVelkor::SetCurrentMaterial(const MaterialPtr &mMat)
{
    mCurrent = mMat;
    if (!blnToolTips || !mMat)
        return;
    const QString name = mMat->Name();
    if (QAction *close = Buttons(QString::fromLatin1(toolbar::Close)))
        close->setToolTip(QStringLiteral("Close ") + name);
    if (QAction *save = Buttons(QString::fromLatin1(toolbar::Save)))
        save->setToolTip(QStringLiteral("Save ") + name + QStringLiteral(" Report To File..."));
    if (QAction *print = Buttons(QString::fromLatin1(toolbar::Print)))
        print->setToolTip(QStringLiteral("Print (Preview) ") + name + QStringLiteral(" Report..."));
}

void mdiVelkor::CountMaterialsOpen()
{
    if (iMaterialsOpen >= 1)
        return;
    for (int i = 2; i <= ButtonCount() - 2; ++i)
        if (QAction *button = Buttons(i))
            button->setVisible(false);
    if (mnuFileElem.size() > menuitem::PrintReport) {
        mnuFileElem[menuitem::SaveReport]->setEnabled(false);
        mnuFileElem[menuitem::PrintReport]->setEnabled(false);
    }
    mnuView->menuAction()->setVisible(false);
    if (!mnuSettingsElem.isEmpty())
        mnuSettingsElem[menuitem::Toolbar]->setEnabled(false);
}

void mdiVelkor::CloseMaterial()
{
    if (!mCurrent)
        return;
    const QPointer<frmMaterial2> frm = mCurrent->MyForm();
    try {
        colMaterials.remove(QString::number(mCurrent->ID()));
    } catch (const platform::VbError &) {
        return;
    }
    if (!frm)
        return;
    if (auto *sub = qobject_cast<QMdiSubWindow *>(frm->parentWidget()))
        sub->close();
    else
        frm->close();
}

void mdiVelkor::ActivateNextMaterial()
{
    QList<QMdiSubWindow *> shown;
    const QList<QMdiSubWindow *> windows = MaterialWindows();
    for (QMdiSubWindow *sub : windows)
        if (!sub->isHidden())
            shown.append(sub);
    if (shown.isEmpty())
        return;
    const int active = int(shown.indexOf(m_mdiArea->activeSubWindow()));
    m_mdiArea->setActiveSubWindow(shown.at((active + 1) % shown.size()));
}

void mdiVelkor::ShowMaterialCommands()
{
    if (mnuFileElem.size() > menuitem::PrintReport) {
        mnuFileElem[menuitem::SaveReport]->setEnabled(true);
        mnuFileElem[menuitem::PrintReport]->setEnabled(true);
        mnuFileElem[menuitem::SelectMaterials]->setText(QStringLiteral("Select &Material(s)"));
    }
    if (Toolbar1) {
        const bool showItemDisabled =
            !mnuSettingsToolElem.isEmpty() && !mnuSettingsToolElem[menuitem::ShowToolbar]->isEnabled();
        Toolbar1->setVisible(showItemDisabled);
    }
    for (int i = 2; i <= ButtonCount() - 2; ++i)
        if (QAction *button = Buttons(i))
            button->setVisible(true);
    if (mnuView)
        mnuView->menuAction()->setVisible(true);
    if (!mnuSettingsElem.isEmpty())
        mnuSettingsElem[menuitem::Toolbar]->setEnabled(true);
}

QMdiSubWindow *mdiVelkor::ArrangeOpenedMaterials()
{
    const bool tiled = iWindowArrange != 0;
    QMdiSubWindow *front = tiled ? DoTileHorizontal() : DoCascade();
    MarkArrangement(tiled);
    // The windows open on their header.
    strLastViewButton = QString::fromLatin1(catalogue::HeaderKey);
    return front;
}
