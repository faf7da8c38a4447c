#include "core/ProgramWindow.h"

#include "core/TableCatalogue.h"

#include "platform/MsgBox.h"
#include "platform/VbError.h"

namespace {

using catalogue::TableCount;

} // namespace

void ProgramWindow::InitTableNames()
{
    for (int i = 0; i < TableCount; ++i) {
        m_tableNames[i] = QString::fromLatin1(catalogue::Tables[i].title);
        m_tableNames[i + TableCount] = QString::fromLatin1(catalogue::Tables[i].key);
    }
}

QString ProgramWindow::GetTableName(int index) const
{
    if (index < 0 || index >= TableCount)
        platform::raiseSubscriptOutOfRange();
    return m_tableNames[index];
}

QString ProgramWindow::GetShortTableName(int index) const
{
    if (index < 0 || index >= TableCount)
        platform::raiseSubscriptOutOfRange();
    return m_tableNames[index + TableCount];
}

qint16 ProgramWindow::GetTableIndex(const QString &strTable) const
{
    for (int i = 0; i < TableCount; ++i) {
        if (m_tableNames[i + TableCount] == strTable)
            return qint16(i);
    }
    return 0;
}

QString ProgramWindow::GetCaption(const QString &strTable) const
{
    const int index = catalogue::IndexOfKey(strTable);
    const catalogue::TableInfo &table = catalogue::Tables[index];
    if (strTable != QLatin1String(table.key))
        return {};
    const QString text = QString::fromLatin1(table.captionText);
    const QString unit = QString::fromLatin1(table.captionUnit);
    return unit.isEmpty() ? text : text + platform::vbCrLf + platform::vbCrLf + unit;
}
