#include "core/modDocument.h"

#include "platform/MsgBox.h"
#include "platform/SafeFile.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringList>

namespace modDocument {

namespace {

// xdg-open's exit statuses.
constexpr int XdgSuccess = 0;
constexpr int XdgFileMissing = 2;
constexpr int XdgNoTool = 3;
constexpr int XdgActionFailed = 4;

// Most handlers return at once; one that keeps xdg-open waiting has started the document's program.
constexpr int LaunchWaitMs = 5000;

} // namespace

bool FileExists(const QString &strPath)
{
    // Only a regular file is a document: a fifo or a device would hang the program that opens it.
    return platform::isRegularFile(strPath);
}

int ShellOpen(const QString &strPath)
{
    const QFileInfo info(strPath);
    // A fifo or a device under a document's name is no document: the program that opened it would
    // wait for it without end.
    if (!FileExists(strPath))
        return shellcode::FileNotFound;
    if (!info.isReadable())
        return shellcode::AccessDenied;

    auto *process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(QStringLiteral("xdg-open"), {strPath});
    if (!process->waitForStarted()) {
        delete process;
        // Without the desktop's opener there is no association either; the user may still pick a program.
        return shellcode::NoAssociation;
    }
    if (!process->waitForFinished(LaunchWaitMs)) {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return shellcode::Success;
    }
    const bool normalExit = process->exitStatus() == QProcess::NormalExit;
    const int status = process->exitCode();
    delete process;
    if (!normalExit)
        return 0;
    switch (status) {
    case XdgSuccess: return shellcode::Success;
    case XdgFileMissing: return shellcode::FileNotFound;
    case XdgNoTool:
    case XdgActionFailed: return shellcode::NoAssociation;
    default: return 0;
    }
}

QString ShellErrorText(int code)
{
    switch (code) {
    case shellcode::FileNotFound: return QStringLiteral("File not found");
    case shellcode::PathNotFound: return QStringLiteral("Path not found");
    case shellcode::AccessDenied: return QStringLiteral("Access denied");
    case shellcode::OutOfMemory: return QStringLiteral("Out of memory");
    case shellcode::BadFormat: return QStringLiteral("Invalid EXE file or error in EXE image");
    case shellcode::SharingViolation: return QStringLiteral("A sharing violation occurred");
    case shellcode::AssocIncomplete: return QStringLiteral("Incomplete or invalid file association");
    case shellcode::DdeTimeout: return QStringLiteral("DDE Time out");
    case shellcode::DdeFail: return QStringLiteral("DDE transaction failed");
    case shellcode::DdeBusy: return QStringLiteral("DDE busy");
    case shellcode::NoAssociation: return QString();
    case shellcode::DllNotFound: return QStringLiteral("DLL not found");
    default: return QStringLiteral("Unknown error");
    }
}

bool OpenWith(QWidget *hwnd, const QString &strPath)
{
    Q_UNUSED(hwnd);
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogRequest::Open;
    request.title = QStringLiteral("Open With - ") + QFileInfo(strPath).fileName();
    request.initialDir = QStringLiteral("/usr/bin");
    request.filter = QStringLiteral("Programs (*)|*");
    const QString program = platform::showOpen(request).value_or(QString());
    if (program.isEmpty())
        return false;
    if (!QProcess::startDetached(program, {strPath})) {
        platform::msgBox(ShellErrorText(shellcode::BadFormat), platform::vbOKOnly);
        return false;
    }
    return true;
}

void OpenDocument(QWidget *hwnd, const QString &strPath)
{
    const int code = ShellOpen(strPath);
    if (code > 32)
        return;
    if (code == shellcode::NoAssociation) {
        OpenWith(hwnd, strPath);
        return;
    }
    platform::msgBox(ShellErrorText(code), platform::vbOKOnly);
}

} // namespace modDocument
