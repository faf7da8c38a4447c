#include "material/NoDataNote.h"

#include "material/MainWindowLink.h"
#include "material/Material.h"
#include "platform/MsgBox.h"

using platform::vbCrLf;

QString BuildNoDataNote(const Material &mat, const QString &strTable, bool paragraph, bool spaced)
{
    QString lead, separator, indent;
    if (!paragraph) {
        lead = vbCrLf;
        indent = QStringLiteral("  ");
    } else {
        lead = vbCrLf + vbCrLf;
        separator = spaced ? vbCrLf + vbCrLf : vbCrLf;
        indent = QStringLiteral("    ");
    }
    const QString title = mainlink::GetTableName(mainlink::GetTableIndex(strTable));
    return lead + QStringLiteral("  * ") + QStringLiteral("For this Grade - '") + mat.Name() + QStringLiteral("',") +
           separator + indent + QStringLiteral("the Specification - '") + mat.Standard() + QStringLiteral("',") +
           separator + indent + QStringLiteral("does not provide any data for - ") + separator + indent +
           QStringLiteral("'") + title + QStringLiteral(".'");
}
