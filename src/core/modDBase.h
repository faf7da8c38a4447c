#pragma once

// The one material database of a run: finding and opening it, closing it, and the id/text lookups.

#include <QString>
#include <memory>

class QWidget;

namespace db {
class Database;
class Recordset;
} // namespace db

namespace modDBase {

// The open material database, shared by all windows; null until OpenDBase succeeded.
extern std::shared_ptr<db::Database> gMaterialDb;
// The path used for the open differs from the saved one and is written to the path file.
extern bool gDbPathChanged;
// The last open failed; CloseDBase then does nothing.
extern bool gDbNotOpened;

// The material database's password.
inline QString MaterialPassword()
{
    return QStringLiteral(VELKOR_DB_PASSWORD);
}

// The database file and the path file the main window opens it with.
inline QString MaterialDbName()
{
    return QStringLiteral("Velkor_PED.mdb");
}
inline QString PathFileName()
{
    return QStringLiteral("PathSet.vlk");
}

// Starts reading the database that OpenDBase will open (the path the path file names, else the
// program folder's file) in the background, so that the open finds it read. Reports nothing and
// changes no file: the open does both.
void ReadAheadDBase(const QString &strDbName, const QString &strPathFile, const QString &strPassword);

// Finds and opens the database; true when gMaterialDb is open. Talks the user through a missing
// or wrong file and logs unexpected errors in the data folder. While the database read ahead is still
// being read, the windows go on painting under the wait cursor.
bool OpenDBase(QWidget *frm, const QString &strDbName, const QString &strPathFile, bool blnExclusive, bool blnReadOnly,
               const QString &strPassword, const QString &strMissingText);
// Raises VbError (source "<exe>modDBase.CloseDBase") when the engine fails.
void CloseDBase();

// First line of a file of the data folder, or empty; a file that cannot be read is created empty.
QString ReadPathFile(const QString &strFile);
// Replaces a file of the data folder by the path and a line end; raises VbError when it cannot.
void WritePathFile(const QString &strFile, const QString &strPath);
// A path on a mapped drive turned into its network share; empty when the drive cannot be looked up.
QString MapToUNC(const QString &strPath);
// The database the user chose in the open-file dialog, or empty.
QString LocateDBase(QWidget *comDlg, const QString &strDbName);
// The text ends with the suffix, letter case included.
bool CheckName(const QString &strText, const QString &strSuffix);

// Lookups on a clone of the recordset (its current record does not move). A null recordset gives
// the empty result; engine errors are raised again with the source "<exe>modDBase.GetText"/"GetID".
QString GetText(const db::Recordset *rs, qint32 iID, const QString &strIDField, const QString &strTextField);
qint32 GetID(const db::Recordset *rs, const QString &strText, const QString &strTextField, const QString &strIDField);
inline QString GetText(const db::Recordset &rs, qint32 iID, const QString &strIDField, const QString &strTextField)
{
    return GetText(&rs, iID, strIDField, strTextField);
}
inline qint32 GetID(const db::Recordset &rs, const QString &strText, const QString &strTextField,
                    const QString &strIDField)
{
    return GetID(&rs, strText, strTextField, strIDField);
}

} // namespace modDBase
