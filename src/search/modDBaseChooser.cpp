#include "search/modDBaseChooser.h"

#include "core/modDBase.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"
#include "search/frmSelect.h"
#include "search/frmSelectStand.h"

#include <QDate>
#include <QDateTime>

namespace modDBase {

QString gSelection;

namespace {

[[noreturn]] void raiseAgain(platform::VbError error, const char *tag)
{
    error.setSource(platform::exeName() + QLatin1String(tag));
    throw error;
}

} // namespace

void SetSelection(const QVariant &vSelection)
{
    if (platform::isNull(vSelection))
        gSelection.clear();
    else if (vSelection.typeId() == QMetaType::QDate)
        gSelection = platform::shortDate(vSelection.toDate());
    else if (vSelection.typeId() == QMetaType::QDateTime)
        gSelection = platform::shortDate(vSelection.toDateTime().date());
    else if (vSelection.typeId() == QMetaType::QString)
        gSelection = vSelection.toString();
    else
        gSelection = platform::cStr(vSelection);
}

void RecordNavigate(db::Recordset *rs, qint16 how)
{
    try {
        if (!rs || rs->bof() || rs->eof())
            return;
        switch (how) {
        case MoveFirst: rs->moveFirst(); break;
        case MovePrevious:
            rs->movePrevious();
            if (rs->bof())
                rs->moveFirst();
            break;
        case MoveNext:
            rs->moveNext();
            if (rs->eof())
                rs->moveLast();
            break;
        case MoveLast: rs->moveLast(); break;
        default: break;
        }
        if (rs->eof())
            rs->moveLast();
    } catch (const platform::VbError &error) {
        raiseAgain(error, "modDBase.RecordNavigate");
    }
}

QString OpenDatabaseName()
{
    return gMaterialDb ? gMaterialDb->name() : QString();
}

QString SelectFromList(const QString &strSQL, const QString &strField, const QString &strNoun, const QString &strDbName)
{
    try {
        const QString database = strDbName == QLatin1String("DatabaseName") ? OpenDatabaseName() : strDbName;
        frmSelect dialog;
        dialog.Form_Load();
        dialog.ListValues(database, strSQL, strField, strNoun);
        platform::runModal(dialog);
        return gSelection;
    } catch (const platform::VbError &error) {
        raiseAgain(error, "modDBase.SelectFromList");
    }
}

QString SelectStandard(const QString &strSQL, const QString &strDbName)
{
    try {
        const QString database = strDbName == QLatin1String("DatabaseName") ? OpenDatabaseName() : strDbName;
        frmSelectStand dialog;
        dialog.Form_Load();
        dialog.ListStandards(database, strSQL);
        dialog.setWindowTitle(QStringLiteral("Select 'Standard'"));
        platform::runModal(dialog);
        return gSelection;
    } catch (const platform::VbError &error) {
        raiseAgain(error, "modDBase.SelectStandard");
    }
}

QString MakeLikePattern(const QString &strText)
{
    QString pattern;
    for (const QChar c : strText) {
        pattern += c;
        pattern += QLatin1Char('*');
    }
    return pattern;
}

QString LikeText(const QString &strText)
{
    QString out;
    out.reserve(strText.size());
    for (const QChar c : strText) {
        if (c == QLatin1Char('\''))
            out += QStringLiteral("''");
        else if (c == QLatin1Char('['))
            out += QStringLiteral("[[]");
        else
            out += c;
    }
    return out;
}

} // namespace modDBase
