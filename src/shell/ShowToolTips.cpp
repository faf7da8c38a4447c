#include "shell/ShowToolTips.h"

#include "core/modToolTips.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "search/frmSearch.h"
#include "shell/mdiVelkor.h"

#include <QAction>
#include <QMdiSubWindow>

namespace {

void ApplyToolbarTips(mdiVelkor &mdi, bool on)
{
    const frmSearch *search = frmSearch::instance();
    const QWidget *searchFrame = search && search->subWindow() ? static_cast<const QWidget *>(search->subWindow())
                                                               : static_cast<const QWidget *>(search);
    const bool materialsShown = searchFrame && searchFrame->isHidden();
    const QString name = mdi.mCurrent ? mdi.mCurrent->Name() : QString();
    for (int i = 1; i <= mdi.ButtonCount(); ++i) {
        QAction *button = mdi.Buttons(i);
        if (!button || button->isSeparator())
            continue;
        QString text = modToolTips::ToolbarText(i);
        if (materialsShown) {
            const QString key = button->objectName();
            if (key == QLatin1String("Close"))
                text = QStringLiteral("Close '") + name + QStringLiteral("'");
            else if (key == QLatin1String("Save"))
                text = QStringLiteral("Save '") + name + QStringLiteral("'");
            else if (key == QLatin1String("Print"))
                text = QStringLiteral("Print '") + name + QStringLiteral("'");
        }
        button->setToolTip(modToolTips::Tip(on, text));
    }
}

} // namespace

namespace modToolTips {

void ShowToolTips(bool blnOn)
{
    if (frmSearch *search = frmSearch::instance())
        search->ApplyToolTips(blnOn);
    mdiVelkor *mdi = mdiVelkor::instance();
    if (!mdi)
        return;
    ApplyToolbarTips(*mdi, blnOn);
    for (QMdiSubWindow *sub : mdi->MaterialWindows())
        static_cast<frmMaterial2 *>(sub->widget())->ApplyToolTips();
}

} // namespace modToolTips
