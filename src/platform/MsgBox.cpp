#include "platform/MsgBox.h"

#include "platform/Environment.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

namespace platform {

namespace {

QString g_appTitle;
DialogService *g_service = nullptr;

QString plainLines(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

class QtDialogService : public DialogService
{
public:
    int messageBox(const MessageRequest &request) override
    {
        QMessageBox box(dialogParent());
        box.setWindowTitle(request.title);
        // Texts carry names and values from the database: never read them as markup.
        box.setTextFormat(Qt::PlainText);
        box.setText(plainLines(request.text));
        switch (request.icon()) {
        case vbCritical: box.setIcon(QMessageBox::Critical); break;
        case vbQuestion: box.setIcon(QMessageBox::Question); break;
        case vbExclamation: box.setIcon(QMessageBox::Warning); break;
        case vbInformation: box.setIcon(QMessageBox::Information); break;
        default: box.setIcon(QMessageBox::NoIcon); break;
        }
        switch (request.buttons()) {
        case vbOKCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
        case vbYesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
        case vbYesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
            box.setDefaultButton(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Ok);
            break;
        }
        box.exec();
        switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Ok: return vbOK;
        case QMessageBox::Yes: return vbYes;
        case QMessageBox::No: return vbNo;
        case QMessageBox::Cancel: return vbCancel;
        default: break;
        }
        switch (request.buttons()) {
        case vbYesNo: return vbNo;
        case vbOKCancel:
        case vbYesNoCancel: return vbCancel;
        default: return vbOK;
        }
    }

    FileDialogReply fileDialog(const FileDialogRequest &request) override
    {
        // Callers propose Windows paths ("c:\" and "c:\name.pdf"); a folder that does not exist here
        // becomes the home folder and the proposed name keeps only its last part.
        QString folder = QString(request.initialDir).replace(QLatin1Char('\\'), QLatin1Char('/'));
        QString name = QString(request.fileName).replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (const qsizetype slash = name.lastIndexOf(QLatin1Char('/')); slash >= 0) {
            if (folder.isEmpty())
                folder = name.left(slash + 1);
            name = name.mid(slash + 1);
        }
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            folder = QDir::homePath();
        QFileDialog dialog(dialogParent(), request.title, folder);
        const bool save = request.kind == FileDialogRequest::Save;
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        const QStringList filters = qtFilterFromVb(request.filter).split(QStringLiteral(";;"), Qt::SkipEmptyParts);
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
            const int index =
                request.filterIndex >= 1 && request.filterIndex <= filters.size() ? request.filterIndex : 1;
            dialog.selectNameFilter(filters.at(index - 1));
        }
        if (!name.isEmpty())
            dialog.selectFile(name);

        FileDialogReply reply;
        reply.filterIndex = request.filterIndex;
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return reply;
        reply.cancelled = false;
        reply.path = dialog.selectedFiles().constFirst();
        const int chosen = filters.indexOf(dialog.selectedNameFilter());
        if (chosen >= 0)
            reply.filterIndex = chosen + 1;
        return reply;
    }

    bool printDialog(const PrintDialogRequest &request) override
    {
        QPrinter fallback;
        QPrintDialog dialog(request.printer ? request.printer : &fallback, dialogParent());
        if (!request.title.isEmpty())
            dialog.setWindowTitle(request.title);
        return dialog.exec() == QDialog::Accepted;
    }

    void runDialog(QDialog &dialog) override { dialog.exec(); }
};

QtDialogService &qtService()
{
    static QtDialogService service;
    return service;
}

std::optional<QString> showFile(FileDialogRequest request, FileDialogRequest::Kind kind)
{
    request.kind = kind;
    const FileDialogReply reply = dialogService()->fileDialog(request);
    if (reply.cancelled)
        return std::nullopt;
    return reply.path;
}

} // namespace

QString appTitle()
{
    if (!g_appTitle.isEmpty())
        return g_appTitle;
    if (QCoreApplication::instance() && !QCoreApplication::applicationName().isEmpty())
        return QCoreApplication::applicationName();
    return exeName();
}

void setAppTitle(const QString &title)
{
    g_appTitle = title;
}

DialogService *dialogService()
{
    return g_service ? g_service : &qtService();
}

void setDialogService(DialogService *service)
{
    g_service = service;
}

int msgBox(const QString &prompt, int style, const QString &title)
{
    MessageRequest request;
    request.text = prompt;
    request.style = style;
    request.title = title.isEmpty() ? appTitle() : title;
    return dialogService()->messageBox(request);
}

std::optional<QString> showOpen(const FileDialogRequest &request)
{
    return showFile(request, FileDialogRequest::Open);
}

std::optional<QString> showSave(const FileDialogRequest &request)
{
    return showFile(request, FileDialogRequest::Save);
}

bool showPrinter(QPrinter *printer, const QString &title)
{
    PrintDialogRequest request;
    request.title = title;
    request.printer = printer;
    return dialogService()->printDialog(request);
}

void runModal(QDialog &dialog)
{
    keepOnScreen(&dialog);
    dialogService()->runDialog(dialog);
}

QString qtFilterFromVb(const QString &vbFilter)
{
    const QStringList parts = vbFilter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        QStringList patterns;
        if (i + 1 < parts.size()) {
            for (const QString &p : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts))
                if (!p.trimmed().isEmpty())
                    patterns << p.trimmed();
        }
        if (description.isEmpty() && patterns.isEmpty())
            continue;
        const QString joined = patterns.join(QLatin1Char(' '));
        // The dialog takes its patterns from the parenthesis ending the text; add it unless the
        // description already ends in exactly these patterns.
        static const QRegularExpression tail(QStringLiteral("\\(([^()]*)\\)\\s*$"));
        const QRegularExpressionMatch m = tail.match(description);
        const QString shown = m.hasMatch()
                                  ? m.captured(1)
                                        .split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts)
                                        .join(QLatin1Char(' '))
                                  : QString();
        if (patterns.isEmpty() || shown == joined)
            out << (description.isEmpty() ? QStringLiteral("(%1)").arg(joined) : description);
        else if (description.isEmpty())
            out << QStringLiteral("(%1)").arg(joined);
        else
            out << QStringLiteral("%1 (%2)").arg(description, joined);
    }
    return out.join(QStringLiteral(";;"));
}

QWidget *dialogParent()
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return nullptr;
    return QApplication::activeWindow();
}

ScriptedResponder::ScriptedResponder() : m_previous(g_service)
{
    setDialogService(this);
}

ScriptedResponder::~ScriptedResponder()
{
    if (g_service == this)
        setDialogService(m_previous);
}

QList<MessageRequest> ScriptedResponder::messages() const
{
    QList<MessageRequest> out;
    for (const Interaction &i : m_interactions)
        if (i.kind == Interaction::Message)
            out << i.message;
    return out;
}

QStringList ScriptedResponder::messageTitles() const
{
    QStringList out;
    for (const Interaction &i : m_interactions)
        if (i.kind == Interaction::Message)
            out << i.message.title;
    return out;
}

int ScriptedResponder::messageBox(const MessageRequest &request)
{
    Interaction i;
    i.kind = Interaction::Message;
    i.message = request;
    m_interactions.append(i);
    if (!m_messageAnswers.isEmpty())
        return m_messageAnswers.takeFirst();
    switch (request.buttons()) {
    case vbYesNo:
    case vbYesNoCancel: return vbYes;
    case vbAbortRetryIgnore: return vbAbort;
    case vbRetryCancel: return vbRetry;
    default: return vbOK;
    }
}

FileDialogReply ScriptedResponder::fileDialog(const FileDialogRequest &request)
{
    Interaction i;
    i.kind = Interaction::File;
    i.file = request;
    m_interactions.append(i);
    FileDialogReply reply;
    reply.filterIndex = request.filterIndex;
    if (!m_fileAnswers.isEmpty()) {
        reply.path = m_fileAnswers.takeFirst();
        reply.cancelled = reply.path.isEmpty();
    }
    return reply;
}

bool ScriptedResponder::printDialog(const PrintDialogRequest &request)
{
    Interaction i;
    i.kind = Interaction::Print;
    i.print = request;
    m_interactions.append(i);
    return m_printAnswers.isEmpty() ? false : m_printAnswers.takeFirst();
}

void ScriptedResponder::runDialog(QDialog &dialog)
{
    const DialogHandler handler = m_dialogAnswers.isEmpty() ? m_everyDialog : m_dialogAnswers.takeFirst();
    if (!handler) {
        dialog.reject();
        return;
    }
    // Closing may delete the dialog (a preview deletes itself on close).
    const QPointer<QDialog> open(&dialog);
    handler(dialog);
    if (open && open->isVisible())
        open->close();
}

} // namespace platform
