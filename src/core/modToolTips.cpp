#include "core/modToolTips.h"

#include "core/ProgramWindow.h"

#include <QAction>
#include <QList>
#include <array>

namespace {

std::array<QString, 14> s_search;
QList<QString> s_toolbar; // by button number; index 0 unused
std::array<QString, 8> s_material;

void FillConstantTables()
{
    // Entries 0 and 1 belong to the table but no control shows them.
    s_search = {QString(),
                QString(),
                QStringLiteral("Type In Required Search Criteria"),
                QStringLiteral("Clear All Search Boxes ( Start New Search )"),
                QStringLiteral("Add Currently Chosen Material To The 'Selected' Grid"),
                QStringLiteral("Move To First Material In List"),
                QStringLiteral("Move To Previous Material In List"),
                QStringLiteral("Move To Next Material In List"),
                QStringLiteral("Move To Last Material In List"),
                QStringLiteral("'Drag and drop' Material Here To Remove From 'Selected' Grid"),
                QStringLiteral("'Drag and drop' Material Here To Add To 'Selected' Grid"),
                QStringLiteral("Show All Selected Materials..."),
                QStringLiteral("Clear All Materials From 'Selected' Grid"),
                QStringLiteral("Remove Currently Selected Material...")};
    s_material = {QStringLiteral("Save Graph As Portable Document Format File (*.pdf)..."),
                  QStringLiteral("Print (Preview) Graph..."),
                  QStringLiteral("Enlarge Graph View"),
                  QStringLiteral("Print (Preview) Design Values Table..."),
                  QStringLiteral("Save Design Values Table To File (*.pdf,*.rtf,*.txt)..."),
                  QStringLiteral("Enter Design Temperature Here"),
                  QStringLiteral("Date Velkor-PED last updated for this Material"),
                  QStringLiteral("Date Velkor-PED last updated for this Standard")};
}

// The material window's texts are constant: a window loading before the search window (a test,
// or a window shown on its own) still gets them.
struct ConstantTables
{
    ConstantTables() { FillConstantTables(); }
} s_constantTables;

} // namespace

namespace modToolTips {

void InitToolTipTexts()
{
    FillConstantTables();
    s_toolbar.clear();
    if (const ProgramWindow *mdi = ProgramWindow::instance()) {
        s_toolbar.resize(mdi->ButtonCount() + 1);
        for (int i = 1; i <= mdi->ButtonCount(); ++i)
            if (const QAction *button = mdi->Buttons(i); button && !button->isSeparator())
                s_toolbar[i] = button->toolTip();
    }
}

QString ToolbarText(int index)
{
    return index >= 1 && index < int(s_toolbar.size()) ? s_toolbar[index] : QString();
}

QString SearchText(int index)
{
    return index >= 0 && index < int(s_search.size()) ? s_search[index] : QString();
}

QString Tip(bool on, const QString &text)
{
    return on ? text : QString();
}

QString MaterialText(int index)
{
    return index >= 0 && index < int(s_material.size()) ? s_material[index] : QString();
}

} // namespace modToolTips
