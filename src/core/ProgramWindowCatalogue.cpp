#include "core/ProgramWindow.h"

#include "core/TableCatalogue.h"

#include "platform/MsgBox.h"
#include "platform/VbError.h"

namespace {

using catalogue::TableCount;

[[noreturn]] void subscriptOutOfRange()
{
    throw platform::VbError(platform::vberr::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
}

} // namespace

void ProgramWindow::InitTableNames()
{
    static const char *const titles[TableCount] = {
        "References",
        "Chemical composition",
        "Mechanical properties at room temperature",
        "Impact energy",
        "Minimum values for Rp0,2 [MPa] at elevated temperature",
        "Minimum values for Rp1,0 [MPa] at elevated temperature",
        "Minimum values for Rm [MPa] at elevated temperature",
        "Modulus of elasticity",
        "Thermal expansion",
        "Thermal conductivity",
        "Specific thermal capacity",
        "Specific electrical resistance",
        "Creep properties",
        "Additional Information",
    };
    for (int i = 0; i < TableCount; ++i) {
        m_tableNames[i] = QString::fromLatin1(titles[i]);
        m_tableNames[i + TableCount] = QString::fromLatin1(catalogue::TableKeys[i]);
    }
}

QString ProgramWindow::GetTableName(int index) const
{
    if (index < 0 || index >= TableCount)
        subscriptOutOfRange();
    return m_tableNames[index];
}

QString ProgramWindow::GetShortTableName(int index) const
{
    if (index < 0 || index >= TableCount)
        subscriptOutOfRange();
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
    using platform::vbCrLf;
    const QString squared(QChar(0xB2));
    const auto threeLines = [](const QString &first, const QString &second) {
        return first + vbCrLf + vbCrLf + second;
    };
    if (strTable == QLatin1String("Rp02"))
        return threeLines(QStringLiteral("Rp0,2 "), QStringLiteral("[MPa]"));
    if (strTable == QLatin1String("Rp10"))
        return threeLines(QStringLiteral("Rp1,0 "), QStringLiteral("[MPa]"));
    if (strTable == QLatin1String("Rm"))
        return threeLines(QStringLiteral("Rm "), QStringLiteral("[MPa]"));
    if (strTable == QLatin1String("ModElast"))
        return threeLines(QStringLiteral("KN "), QStringLiteral("/ mm") + squared);
    if (strTable == QLatin1String("ThermCond"))
        return threeLines(QStringLiteral("W "), QStringLiteral("/ (m x K)"));
    if (strTable == QLatin1String("SpecElecRes"))
        return threeLines(QStringLiteral("Ohm x mm") + squared + QLatin1Char(' '), QStringLiteral("/ m"));
    if (strTable == QLatin1String("CreepProp"))
        return QStringLiteral("Creep Properties");
    return {};
}
