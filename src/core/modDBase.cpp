#include "core/modDBase.h"

#include "core/modFileHandler.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "platform/SafeFile.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"
#include "platform/WaitCursor.h"

#include <QDateTime>
#include <QEventLoop>
#include <QLocale>
#include <QRegularExpression>
#include <QTimer>

using platform::vbCrLf;
using platform::VbError;

namespace modDBase {

std::shared_ptr<db::Database> gMaterialDb;
bool gDbPathChanged = false;
bool gDbNotOpened = false;

namespace {

constexpr int PathFileAccessError = 75;
// The first line is a path; anything longer is no path file of ours.
constexpr qint64 MaxPathFileBytes = 64 * 1024;
// How often the wait for the database read ahead looks whether it is read.
constexpr int ReadAheadPollMs = 10;

QString programFolderWithSeparator()
{
    QString folder = platform::programFolder();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

VbError raisedAgain(const VbError &e, const char *procedure)
{
    return VbError(e.number(), e.description(), platform::exeName() + QLatin1String(procedure));
}

QString errorText(const VbError &e)
{
    return QStringLiteral("Error No. - ") + QString::number(e.number()) + vbCrLf +
           QStringLiteral("Application EXE - ") + platform::exeName() + vbCrLf + QStringLiteral("Sub/Function - ") +
           QStringLiteral("modDBase.OpenDBase") + vbCrLf + QStringLiteral("Error Description - ") + vbCrLf +
           e.description();
}

// Shows the unexpected error and writes the log. A log that cannot be written is not reported again.
void reportUnexpected(const VbError &e)
{
    const QString text = errorText(e);
    platform::msgBox(text + vbCrLf + vbCrLf + QStringLiteral("Error Log - 'ErrorLog.txt' has been created at...") +
                         vbCrLf + modFileHandler::GetDataFolder() + vbCrLf +
                         QStringLiteral("Report Error To Supplier, sending a copy of the Error Log"),
                     platform::vbOKOnly, QStringLiteral("Error Occurred!!"));
    // The general date-and-time form: short date, time with seconds.
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    const QString stamp = locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                          locale.toString(now.time(), timeFormat.trimmed());
    // Replaces the earlier log only when the new one is complete.
    platform::writeFileAtomically(modFileHandler::DataFilePath(QStringLiteral("ErrorLog.txt")),
                                  (stamp + vbCrLf + text + vbCrLf).toUtf8());
}

// The first line of a path file.
QString firstLine(const QByteArray &bytes)
{
    QByteArray line = bytes.left(bytes.indexOf('\n'));
    const qsizetype cr = line.indexOf('\r');
    if (cr >= 0)
        line.truncate(cr);
    return QString::fromUtf8(line);
}

void waitForReadAhead(const QString &path)
{
    if (!db::Database::readingAhead(path))
        return;
    platform::WaitCursor wait;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&loop, &path] {
        if (!db::Database::readingAhead(path))
            loop.quit();
    });
    poll.start(ReadAheadPollMs);
    // The start-up takes no input meanwhile; what the user types waits for it.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

void ReadAheadDBase(const QString &strDbName, const QString &strPathFile, const QString &strPassword)
{
    const platform::FileRead file =
        platform::readRegularFile(modFileHandler::DataFilePath(strPathFile), MaxPathFileBytes);
    QString strPath = file.ok() ? firstLine(file.bytes) : QString();
    if (strPath.isEmpty())
        strPath = programFolderWithSeparator() + strDbName;
    db::Database::readAhead(strPath, QStringLiteral(";Pwd=") + strPassword);
}

bool OpenDBase(QWidget *frm, const QString &strDbName, const QString &strPathFile, bool blnExclusive, bool blnReadOnly,
               const QString &strPassword, const QString &strMissingText)
{
    QWidget *comDlg = frm;
    QString strPath = ReadPathFile(strPathFile);
    if (strPath.isEmpty())
        strPath = programFolderWithSeparator() + strDbName;

    for (;;) {
        bool opened = false;
        try {
            strPath = MapToUNC(strPath);
            waitForReadAhead(strPath);
            gMaterialDb = db::Database::open(strPath, blnExclusive, blnReadOnly, QStringLiteral(";Pwd=") + strPassword);
            opened = true;
            gDbNotOpened = false;
            if (gDbPathChanged)
                WritePathFile(strPathFile, strPath);
            return true;
        } catch (const VbError &e) {
            if (opened) {
                // The database is open; only remembering its path failed. The run goes on.
                reportUnexpected(e);
                return true;
            }
            int answer = platform::vbNo;
            switch (e.number()) {
            case db::dberr::FileNotFound:
            case db::dberr::InvalidPath:
                answer = platform::msgBox(QStringLiteral("Error <") + QString::number(e.number()) +
                                              QStringLiteral("> ") + e.description() + vbCrLf + vbCrLf + strMissingText,
                                          platform::vbCritical | platform::vbYesNo, QStringLiteral("Database Missing"));
                break;
            case db::dberr::UnrecognizedFormat:
                answer = platform::msgBox(
                    QStringLiteral("You attempted to open a non-database file.") + vbCrLf + vbCrLf + strPath + vbCrLf +
                        vbCrLf + strDbName + QStringLiteral("is the necessary file") + vbCrLf + vbCrLf +
                        QStringLiteral("Do you wish to try again?"),
                    platform::vbCritical | platform::vbYesNo, QStringLiteral("Wrong file format"));
                break;
            default:
                reportUnexpected(e);
                gDbNotOpened = true;
                return false;
            }
            if (answer != platform::vbYes) {
                gDbNotOpened = true;
                return false;
            }
            strPath = LocateDBase(comDlg, strDbName);
            if (strPath.isEmpty()) {
                gDbNotOpened = true;
                return false;
            }
        }
    }
}

void CloseDBase()
{
    if (gDbNotOpened || !gMaterialDb)
        return;
    try {
        gMaterialDb->close();
        gMaterialDb.reset();
    } catch (const VbError &e) {
        gMaterialDb.reset();
        throw raisedAgain(e, "modDBase.CloseDBase");
    }
}

QString ReadPathFile(const QString &strFile)
{
    const QString path = modFileHandler::DataFilePath(strFile);
    const platform::FileRead file = platform::readRegularFile(path, MaxPathFileBytes);
    if (file.status == platform::FileRead::Missing) {
        platform::writeFileAtomically(path, QByteArray());
        return {};
    }
    // A path file that is no regular file, is unreadable or far too long names no database; it is
    // left as it is, and the database is looked for in the program folder.
    if (!file.ok())
        return {};
    return firstLine(file.bytes);
}

void WritePathFile(const QString &strFile, const QString &strPath)
{
    if (!platform::writeFileAtomically(modFileHandler::DataFilePath(strFile), (strPath + vbCrLf).toUtf8()))
        throw VbError(PathFileAccessError, QStringLiteral("Path/File access error"));
}

QString MapToUNC(const QString &strPath)
{
    try {
        static const QRegularExpression driveLetter(QStringLiteral("^[A-Za-z]:"));
        const QString drive = driveLetter.match(strPath).hasMatch() ? strPath.left(2) : QString();
        const QString share = platform::driveShareName(drive);
        if (!share.isEmpty() && share.compare(drive, Qt::CaseInsensitive) != 0) {
            gDbPathChanged = true;
            return strPath.toLower().replace(drive.toLower(), share);
        }
        return strPath;
    } catch (const VbError &) {
        return {};
    }
}

QString LocateDBase(QWidget *comDlg, const QString &strDbName)
{
    Q_UNUSED(comDlg);
    try {
        for (;;) {
            platform::FileDialogRequest request;
            request.kind = platform::FileDialogRequest::Open;
            request.initialDir = programFolderWithSeparator();
            request.title = QStringLiteral("Locate ") + strDbName + QStringLiteral("...");
            request.fileName = strDbName;
            request.filter = QStringLiteral("Access files (*.mdb)|*.mdb");
            const std::optional<QString> picked = platform::showOpen(request);
            if (!picked)
                return {};
            const QString &chosen = *picked;
            if (CheckName(chosen, strDbName)) {
                gDbPathChanged = true;
                return chosen;
            }
            const int answer = platform::msgBox(
                QStringLiteral("You attempted to open wrong file.") + vbCrLf + vbCrLf + QLatin1Char('\'') + chosen +
                    QLatin1Char('\'') + vbCrLf + vbCrLf + QStringLiteral("Do you wish to try again ?"),
                platform::vbInformation | platform::vbYesNo, QStringLiteral("Wrong Path..."));
            if (answer != platform::vbYes) {
                gDbPathChanged = true;
                return {};
            }
        }
    } catch (const VbError &) {
        return {};
    }
}

bool CheckName(const QString &strText, const QString &strSuffix)
{
    return strText.right(strSuffix.size()) == strSuffix;
}

QString GetText(const db::Recordset *rs, qint32 iID, const QString &strIDField, const QString &strTextField)
{
    if (!rs)
        return {};
    try {
        std::unique_ptr<db::Recordset> clone = rs->clone();
        clone->findFirst(strIDField + QLatin1Char('=') + QString::number(iID));
        QString result;
        if (!clone->noMatch()) {
            const QVariant value = clone->field(strTextField);
            if (!platform::isNull(value))
                result = platform::cStr(value);
        }
        clone->close();
        return result;
    } catch (const VbError &e) {
        if (e.number() == platform::vberr::ObjectNotSet || e.number() == platform::vberr::ArgumentNotOptional)
            return {};
        throw raisedAgain(e, "modDBase.GetText");
    }
}

qint32 GetID(const db::Recordset *rs, const QString &strText, const QString &strTextField, const QString &strIDField)
{
    if (!rs)
        return 0;
    try {
        std::unique_ptr<db::Recordset> clone = rs->clone();
        clone->findFirst(strTextField + QStringLiteral("='") + strText + QLatin1Char('\''));
        qint32 result = 0;
        if (!clone->noMatch())
            result = platform::cLng(clone->field(strIDField));
        clone->close();
        return result;
    } catch (const VbError &e) {
        if (e.number() == platform::vberr::ObjectNotSet || e.number() == platform::vberr::ArgumentNotOptional)
            return 0;
        throw raisedAgain(e, "modDBase.GetID");
    }
}

} // namespace modDBase
