#pragma once

// The material window's calls into the main window's catalogue and state. Without a main window
// (a window shown on its own) the catalogue answers empty texts and index 0.

#include "core/ProgramWindow.h"

#include <QString>

namespace mainlink {

inline ProgramWindow *mdi()
{
    return ProgramWindow::instance();
}

inline qint16 GetTableIndex(const QString &strTable)
{
    return mdi() ? mdi()->GetTableIndex(strTable) : 0;
}

inline QString GetTableName(int index)
{
    return mdi() ? mdi()->GetTableName(index) : QString();
}

inline QString GetShortTableName(int index)
{
    return mdi() ? mdi()->GetShortTableName(index) : QString();
}

inline QString GetCaption(const QString &strTable)
{
    return mdi() ? mdi()->GetCaption(strTable) : QString();
}

inline bool ToolTipsOn()
{
    return mdi() && mdi()->blnToolTips;
}

} // namespace mainlink
