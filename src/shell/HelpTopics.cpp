#include "shell/HelpTopics.h"

#include "controls/Chart.h"
#include "controls/ReportPreview.h"
#include "core/HTMLHelp.h"
#include "core/TableCatalogue.h"
#include "core/frmAgreement.h"
#include "material/frmChart.h"
#include "material/frmMaterial2.h"
#include "reports/frmSave.h"
#include "reports/frmSelData.h"
#include "search/frmPmaIndex.h"
#include "search/frmSearch.h"
#include "search/frmSelect.h"
#include "search/frmSelectStand.h"
#include "shell/frmAbout.h"
#include "shell/mdiVelkor.h"

#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace helptopics {

namespace {

constexpr int HelpFile = 1;

template <typename Window>
bool is(const QWidget *w)
{
    return dynamic_cast<const Window *>(w) != nullptr;
}

QString materialTopic(const frmMaterial2 &frm)
{
    if (frm.strCurrentTable == catalogue::key::Design)
        return QStringLiteral("Design_Values.htm");
    if (const QWidget *chart = frm.ShownChart(); chart && chart->isVisibleTo(&frm))
        return QStringLiteral("Charts.htm");
    return QStringLiteral("Material_Window.htm");
}

// The page of the first window the help is about, from the widget up to its window.
QString topicUpTo(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (const auto *frm = dynamic_cast<const frmMaterial2 *>(w))
            return materialTopic(*frm);
        if (const auto *dialog = dynamic_cast<const frmSelData *>(w))
            return dialog->Saving() ? QStringLiteral("Saving_Reports.htm") : QStringLiteral("Printing_And_Preview.htm");
        if (is<frmSearch>(w))
            return QStringLiteral("Search_Window.htm");
        if (is<frmChart>(w))
            return QStringLiteral("Charts.htm");
        if (is<controls::ReportPreview>(w))
            return QStringLiteral("Printing_And_Preview.htm");
        if (is<frmSave>(w))
            return QStringLiteral("Saving_Reports.htm");
        if (is<frmPmaIndex>(w))
            return QStringLiteral("PMA_Index.htm");
        if (is<frmSelectStand>(w))
            return QStringLiteral("Select_Standard.htm");
        if (is<frmSelect>(w))
            return QStringLiteral("Select_From_List.htm");
        if (is<frmAbout>(w) || is<frmAgreement>(w))
            return QStringLiteral("About_Box.htm");
        if (w->isWindow())
            break;
    }
    return {};
}

} // namespace

QString TopicOf(const QWidget *widget)
{
    const QString topic = topicUpTo(widget);
    if (!topic.isEmpty() || !widget)
        return topic;
    // In the main window outside its child windows (the menus, the toolbar): the active child.
    if (const auto *main = dynamic_cast<const mdiVelkor *>(widget->window())) {
        if (const QMdiSubWindow *sub = main->mdiArea()->activeSubWindow())
            return topicUpTo(sub->widget());
    }
    return {};
}

void ShowHelpFor(const QWidget *widget)
{
    const QString topic = TopicOf(widget);
    if (topic.isEmpty())
        HTMLHelp::ShowHelpContents(HelpFile);
    else
        HTMLHelp::ShowHelpTopic(HelpFile, topic);
}

bool HelpKey::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::ShortcutOverride || type == QEvent::KeyPress) && watched->isWidgetType()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            // Taken as the focus widget's own key, F1 reaches it as a key press instead of
            // triggering a shortcut.
            event->accept();
            if (type == QEvent::KeyPress && !key->isAutoRepeat())
                ShowHelpFor(static_cast<QWidget *>(watched));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace helptopics
