#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace platform {

// Message box styles and answers, with the values the stored texts and callers know.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbYes = 6, vbNo = 7 };

constexpr int msgButtonsMask = 0x7;
constexpr int msgIconMask = 0x70;

// Line break inside message texts and multi-line captions.
inline const QString vbCrLf = QStringLiteral("\r\n");

// The program's title, used when a message box is given none.
QString appTitle();
void setAppTitle(const QString &title);

struct MessageRequest
{
    QString text;  // CR LF line breaks as given
    int style = 0; // buttons | icon
    QString title; // already defaulted to appTitle()
    int buttons() const { return style & msgButtonsMask; }
    int icon() const { return style & msgIconMask; }
};

struct FileDialogRequest
{
    enum Kind { Open, Save };
    Kind kind = Open;
    QString title;
    QString initialDir;
    QString fileName;    // proposed name
    QString filter;      // as the callers write it: "Access files (*.mdb)|*.mdb"
    int filterIndex = 1; // 1-based
};

struct FileDialogReply
{
    bool cancelled = true;
    QString path;
    int filterIndex = 1;
};

struct PrintDialogRequest
{
    QString title;
    QPrinter *printer = nullptr;
};

// The one service behind every message box and common dialog. The real one shows Qt dialogs;
// tests install a ScriptedResponder so that nothing blocks on a modal window.
class DialogService
{
public:
    virtual ~DialogService() = default;
    virtual int messageBox(const MessageRequest &request) = 0;
    virtual FileDialogReply fileDialog(const FileDialogRequest &request) = 0;
    virtual bool printDialog(const PrintDialogRequest &request) = 0; // false when cancelled
    // Shows one of the program's own dialogs modally and returns once it is closed.
    virtual void runDialog(QDialog &dialog) = 0;
};

DialogService *dialogService();
// Installs a service (not owned); nullptr restores the Qt one.
void setDialogService(DialogService *service);

// Shows a message box; an empty title becomes appTitle(). Returns an MsgBoxResult.
int msgBox(const QString &prompt, int style = vbOKOnly, const QString &title = {});

// Open and save dialogs: the chosen path, nothing when cancelled.
std::optional<QString> showOpen(const FileDialogRequest &request);
std::optional<QString> showSave(const FileDialogRequest &request);
bool showPrinter(QPrinter *printer, const QString &title = {});
// Runs a dialog of the program's own modally through the service.
void runModal(QDialog &dialog);

// "Access files (*.mdb)|*.mdb|All files (*.*)|*.*" -> "Access files (*.mdb);;All files (*.*)"
QString qtFilterFromVb(const QString &vbFilter);

// Parent for modal dialogs: the active window, or none.
QWidget *dialogParent();

// Records every box and common dialog and answers them from queues. An empty queue answers a message
// box with its first button (OK or Yes), a file dialog with cancel and a print dialog with false.
// The program's own dialogs run without a modal loop: the next queued handler (else the standing
// one) gets the dialog, shows it if it needs it shown and acts on it; one still shown afterwards is
// closed by its close box. A dialog that no handler answers is rejected (Escape).
class ScriptedResponder : public DialogService
{
public:
    struct Interaction
    {
        enum Kind { Message, File, Print };
        Kind kind = Message;
        MessageRequest message;
        FileDialogRequest file;
        PrintDialogRequest print;
    };

    ScriptedResponder();           // installs itself
    ~ScriptedResponder() override; // restores the previous service

    void answerMessage(int result) { m_messageAnswers.append(result); }
    void answerFile(const QString &path) { m_fileAnswers.append(path); }
    void cancelFile() { m_fileAnswers.append(QString()); }
    void answerPrint(bool ok) { m_printAnswers.append(ok); }
    using DialogHandler = std::function<void(QDialog &dialog)>;
    void answerDialog(DialogHandler handler) { m_dialogAnswers.append(std::move(handler)); }
    void answerEveryDialog(DialogHandler handler) { m_everyDialog = std::move(handler); }

    const QList<Interaction> &interactions() const { return m_interactions; }
    QList<MessageRequest> messages() const;
    QStringList messageTitles() const;
    int count() const { return m_interactions.size(); }
    void clear() { m_interactions.clear(); }

    int messageBox(const MessageRequest &request) override;
    FileDialogReply fileDialog(const FileDialogRequest &request) override;
    bool printDialog(const PrintDialogRequest &request) override;
    void runDialog(QDialog &dialog) override;

private:
    DialogService *m_previous = nullptr;
    QList<Interaction> m_interactions;
    QList<int> m_messageAnswers;
    QStringList m_fileAnswers;
    QList<bool> m_printAnswers;
    QList<DialogHandler> m_dialogAnswers;
    DialogHandler m_everyDialog;
};

} // namespace platform
