#include "tst_platform.h"

#include "platform/Environment.h"
#include "platform/ErrorBoundary.h"
#include "platform/KeyCodes.h"
#include "platform/MsgBox.h"
#include "platform/OleColor.h"
#include "platform/Twips.h"

#include <QDialog>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace platform;
using namespace testutil;

// ---- twips ----

void tst_Platform::twipsToPixels_data()
{
    QTest::addColumn<double>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("zero") << 0.0 << 0;
    QTest::newRow("one pixel") << 15.0 << 1;
    QTest::newRow("below half") << 22.0 << 1;
    QTest::newRow("above half") << 23.0 << 2;
    QTest::newRow("exact half") << 7.5 << 1;
    QTest::newRow("negative") << -22.0 << -1;
    QTest::newRow("search window") << 15090.0 << 1006;
    QTest::newRow("fraction") << 1215.4 << 81;
}

void tst_Platform::twipsToPixels()
{
    QFETCH(double, twips);
    QFETCH(int, pixels);
    QCOMPARE(platform::twipsToPixels(twips), pixels);
    QCOMPARE(platform::twipsToPixels(pixelsToTwips(pixels)), pixels);
    QCOMPARE(pixelsToTwips(pixels), pixels * 15.0);
}

void tst_Platform::widgetGeometryInTwips()
{
    QWidget parent;
    auto *child = new QWidget(&parent);
    moveTwips(child, 240, 3360, 1215, 255);
    QCOMPARE(child->geometry(), QRect(16, 224, 81, 17));
    QCOMPARE(leftTwips(child), 240.0);
    QCOMPARE(topTwips(child), 3360.0);
    QCOMPARE(widthTwips(child), 1215.0);
    QCOMPARE(heightTwips(child), 255.0);

    resizeTwips(child, 900, 1935);
    QCOMPARE(child->pos(), QPoint(16, 224));
    QCOMPARE(child->size(), QSize(60, 129));
    QCOMPARE(twipsRect(150, 75, 570, 525), QRect(10, 5, 38, 35));
}

// ---- colours ----

void tst_Platform::oleColor_data()
{
    QTest::addColumn<uint>("ole");
    QTest::addColumn<QColor>("color");
    QTest::newRow("white") << uint(0xFFFFFF) << QColor(255, 255, 255);
    QTest::newRow("black") << uint(0x000000) << QColor(0, 0, 0);
    QTest::newRow("red is the low byte") << uint(0x0000FF) << QColor(255, 0, 0);
    QTest::newRow("blue is the high byte") << uint(0xFF0000) << QColor(0, 0, 255);
    QTest::newRow("light green") << uint(0xA8FBA2) << QColor(0xA2, 0xFB, 0xA8);
    QTest::newRow("light blue") << uint(0xFEC7A5) << QColor(0xA5, 0xC7, 0xFE);
}

void tst_Platform::oleColor()
{
    QFETCH(uint, ole);
    QFETCH(QColor, color);
    QVERIFY(!isSystemColor(ole));
    QCOMPARE(toQColor(ole), color);
    QCOMPARE(fromQColor(color), OleColor(ole));
}

void tst_Platform::systemColors_data()
{
    const QPalette p = QApplication::palette();
    QTest::addColumn<uint>("ole");
    QTest::addColumn<QColor>("color");
    QTest::newRow("info background") << uint(olecolor::InfoBackground) << p.color(QPalette::ToolTipBase);
    QTest::newRow("application workspace") << uint(olecolor::AppWorkspace) << QColor(171, 171, 171);
    QTest::newRow("window background") << uint(olecolor::WindowBackground) << p.color(QPalette::Base);
    QTest::newRow("button face") << uint(olecolor::ButtonFace) << p.color(QPalette::Button);
    QTest::newRow("window text") << uint(olecolor::WindowText) << p.color(QPalette::WindowText);
    QTest::newRow("highlight") << uint(0x8000000D) << p.color(QPalette::Highlight);
}

void tst_Platform::systemColors()
{
    QFETCH(uint, ole);
    QFETCH(QColor, color);
    QVERIFY(isSystemColor(ole));
    QCOMPARE(toQColor(ole), color);
    // Stored back as the plain colour, never as the system colour.
    const OleColor back = fromQColor(toQColor(ole));
    QVERIFY(!isSystemColor(back));
    QCOMPARE(toQColor(back), color);
}

// ---- dialogs ----

void tst_Platform::keyCodes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("shift");

    QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << 8 << 0;
    QTest::newRow("enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 13 << 0;
    QTest::newRow("return") << int(Qt::Key_Return) << 0 << 13 << 0;
    QTest::newRow("delete") << int(Qt::Key_Delete) << 0 << 46 << 0;
    // The point's character code is the delete key's code; the point must not read as delete.
    QTest::newRow("point") << int(Qt::Key_Period) << 0 << 0 << 0;
    QTest::newRow("minus") << int(Qt::Key_Minus) << 0 << 0 << 0;
    QTest::newRow("shift A") << int(Qt::Key_A) << int(Qt::ShiftModifier) << 65 << 1;
    QTest::newRow("ctrl alt 5") << int(Qt::Key_5) << int(Qt::ControlModifier | Qt::AltModifier) << 53 << 6;
    QTest::newRow("keypad 5") << int(Qt::Key_5) << int(Qt::KeypadModifier) << 101 << 0;
    QTest::newRow("F2") << int(Qt::Key_F2) << 0 << 113 << 0;
    QTest::newRow("left") << int(Qt::Key_Left) << 0 << 37 << 0;
}

void tst_Platform::keyCodes()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, code);
    QFETCH(int, shift);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(platform::vbKeyCode(&event), code);
    QCOMPARE(platform::vbShift(event.modifiers()), shift);
}

// clang-format off
void tst_Platform::filterConversion_data()
{
    QTest::addColumn<QString>("vb");
    QTest::addColumn<QString>("qt");
    QTest::newRow("one") << "Access files (*.mdb)|*.mdb" << "Access files (*.mdb)";
    QTest::newRow("two") << "Access files (*.mdb)|*.mdb|All files (*.*)|*.*"
                         << "Access files (*.mdb);;All files (*.*)";
    QTest::newRow("pattern not in text") << "Text files|*.txt" << "Text files (*.txt)";
    QTest::newRow("several patterns") << "Documents|*.txt;*.rtf" << "Documents (*.txt *.rtf)";
    QTest::newRow("text shows other patterns") << "Reports (*.pdf)|*.pdf;*.rtf" << "Reports (*.pdf) (*.pdf *.rtf)";
    QTest::newRow("empty") << "" << "";
}
// clang-format on

void tst_Platform::filterConversion()
{
    QFETCH(QString, vb);
    QFETCH(QString, qt);
    QCOMPARE(qtFilterFromVb(vb), qt);
}

void tst_Platform::responderRecordsAndAnswers()
{
    setAppTitle(QStringLiteral("Velkor-PED"));
    ScriptedResponder responder;
    QCOMPARE(dialogService(), &responder);

    responder.answerMessage(vbNo);
    QCOMPARE(msgBox(QStringLiteral("Try again?") + vbCrLf + QStringLiteral("Really?"), vbYesNo | vbQuestion,
                    QStringLiteral("Wrong Path...")),
             int(vbNo));
    // Empty queue: the first button.
    QCOMPARE(msgBox(QStringLiteral("Done")), int(vbOK));
    QCOMPARE(msgBox(QStringLiteral("Go on?"), vbYesNoCancel), int(vbYes));
    QCOMPARE(msgBox(QStringLiteral("Go on?"), vbOKCancel | vbExclamation), int(vbOK));
    QCOMPARE(showPrinter(nullptr, QStringLiteral("Print")), false);
    responder.answerPrint(true);
    QCOMPARE(showPrinter(nullptr), true);

    QCOMPARE(responder.count(), 6);
    const QList<MessageRequest> messages = responder.messages();
    QCOMPARE(messages.size(), 4);
    QCOMPARE(messages[0].text, QStringLiteral("Try again?\r\nReally?"));
    QCOMPARE(messages[0].buttons(), int(vbYesNo));
    QCOMPARE(messages[0].icon(), int(vbQuestion));
    QCOMPARE(messages[3].icon(), int(vbExclamation));
    QCOMPARE(responder.messageTitles(), QStringList({"Wrong Path...", "Velkor-PED", "Velkor-PED", "Velkor-PED"}));
    QCOMPARE(responder.interactions()[4].kind, ScriptedResponder::Interaction::Print);
    QCOMPARE(responder.interactions()[4].print.title, QStringLiteral("Print"));

    responder.clear();
    QCOMPARE(responder.count(), 0);
}

void tst_Platform::fileDialogsThroughResponder()
{
    ScriptedResponder responder;
    FileDialogRequest request;
    request.title = QStringLiteral("Locate Velkor_PED.mdb...");
    request.initialDir = QStringLiteral("/opt/velkor/");
    request.fileName = QStringLiteral("Velkor_PED.mdb");
    request.filter = QStringLiteral("Access files (*.mdb)|*.mdb");

    // Nothing queued: cancelled, which is no path rather than an error.
    QCOMPARE(showOpen(request), std::nullopt);
    responder.cancelFile();
    QCOMPARE(showSave(request), std::nullopt);

    responder.answerFile(QStringLiteral("/data/Velkor_PED.mdb"));
    QCOMPARE(showOpen(request), QStringLiteral("/data/Velkor_PED.mdb"));
    responder.answerFile(QStringLiteral("/tmp/P235GH.pdf"));
    QCOMPARE(showSave(request), QStringLiteral("/tmp/P235GH.pdf"));

    const auto &recorded = responder.interactions();
    QCOMPARE(recorded.size(), 4);
    QCOMPARE(recorded[0].kind, ScriptedResponder::Interaction::File);
    QCOMPARE(recorded[0].file.kind, FileDialogRequest::Open);
    QCOMPARE(recorded[1].file.kind, FileDialogRequest::Save);
    QCOMPARE(recorded[3].file.kind, FileDialogRequest::Save);
    QCOMPARE(recorded[2].file.title, request.title);
    QCOMPARE(recorded[2].file.initialDir, request.initialDir);
    QCOMPARE(recorded[2].file.fileName, request.fileName);
    QCOMPARE(recorded[2].file.filter, request.filter);
}

void tst_Platform::respondersNestAndRestore()
{
    DialogService *real = dialogService();
    {
        ScriptedResponder outer;
        {
            ScriptedResponder inner;
            msgBox(QStringLiteral("inner"));
            QCOMPARE(inner.count(), 1);
            QCOMPARE(outer.count(), 0);
        }
        QCOMPARE(dialogService(), &outer);
        msgBox(QStringLiteral("outer"));
        QCOMPARE(outer.count(), 1);
    }
    QCOMPARE(dialogService(), real);
    setDialogService(nullptr);
    QCOMPARE(dialogService(), real);
}

// clang-format off
void tst_Platform::errorBoundary_data()
{
    QTest::addColumn<int>("policy");
    QTest::addColumn<QString>("raised"); // "vb", "other" or "" for none
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");   // the box shown; empty for none
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("handled");   // the boundary returns true
    QTest::addColumn<bool>("escapes");   // the exception passes the boundary

    const auto silent = int(OnError::Silent);
    const auto description = int(OnError::ShowDescription);
    const auto numbered = int(OnError::ShowNumbered);
    const auto errorNo = int(OnError::ShowErrorNo);
    const auto absorb = int(OnError::AbsorbAny);
    const QString item = QStringLiteral("Item not found in this collection.");
    QTest::newRow("no error, no box") << numbered << "" << "" << "" << 0 << true << false;
    QTest::newRow("silent") << silent << "vb" << "" << "" << 0 << false << false;
    QTest::newRow("description") << description << "vb" << "" << item << int(vbExclamation) << false << false;
    QTest::newRow("numbered") << numbered << "vb" << "" << "Error 3265: " + item << int(vbCritical) << false
                              << false;
    QTest::newRow("error no.") << errorNo << "vb" << "" << "Error no. 3265 " + item << int(vbCritical) << false
                               << false;
    QTest::newRow("error no. with its title") << errorNo << "vb" << "Error occurred..." << "Error no. 3265 " + item
                                              << int(vbCritical) << false << false;
    QTest::newRow("absorb a raised error") << absorb << "vb" << "" << "" << 0 << false << false;
    QTest::newRow("absorb anything") << absorb << "other" << "" << "" << 0 << false << false;
    QTest::newRow("only raised errors are reported") << description << "other" << "" << "" << 0 << false << true;
}
// clang-format on

void tst_Platform::errorBoundary()
{
    QFETCH(int, policy);
    QFETCH(QString, raised);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(int, style);
    QFETCH(bool, handled);
    QFETCH(bool, escapes);
    ScriptedResponder responder;
    setAppTitle(QStringLiteral("Velkor-PED"));

    bool ran = false;
    bool escaped = false;
    bool result = false;
    try {
        result = guard(
            OnError(policy),
            [&] {
                ran = true;
                if (raised == QLatin1String("vb"))
                    throw VbError(3265, QStringLiteral("Item not found in this collection."));
                if (raised == QLatin1String("other"))
                    throw std::runtime_error("out of memory");
            },
            title);
    } catch (const std::runtime_error &) {
        escaped = true;
    }
    setAppTitle(QString());

    QVERIFY(ran);
    QCOMPARE(escaped, escapes);
    if (!escapes)
        QCOMPARE(result, handled);
    const QList<MessageRequest> boxes = responder.messages();
    QCOMPARE(boxes.size(), text.isEmpty() ? 0 : 1);
    if (!text.isEmpty()) {
        QCOMPARE(boxes.at(0).text, text);
        QCOMPARE(boxes.at(0).style, style);
        QCOMPARE(boxes.at(0).title, title.isEmpty() ? QStringLiteral("Velkor-PED") : title);
    }
}

void tst_Platform::dialogsThroughResponder()
{
    ScriptedResponder responder;
    QDialog first, second, third;
    QStringList seen;

    // Queued handlers answer in turn; a dialog left shown is closed.
    responder.answerDialog([&](QDialog &d) {
        seen << QStringLiteral("first");
        d.show();
        // A dialog opened from inside another takes the next handler.
        runModal(second);
        QVERIFY(d.isVisible());
    });
    responder.answerDialog([&](QDialog &d) {
        seen << QStringLiteral("second");
        d.accept();
    });
    runModal(first);
    QCOMPARE(seen, QStringList({"first", "second"}));
    QVERIFY(!first.isVisible());
    QCOMPARE(second.result(), int(QDialog::Accepted));

    // With the queue empty the standing handler answers every dialog.
    responder.answerEveryDialog([&](QDialog &d) {
        seen << QStringLiteral("every");
        d.show();
    });
    runModal(third);
    runModal(third);
    QCOMPARE(seen.size(), 4);
    QVERIFY(!third.isVisible());

    // A dialog that deletes itself on close is closed once and not touched afterwards.
    QPointer<QDialog> self = new QDialog;
    self->setAttribute(Qt::WA_DeleteOnClose);
    runModal(*self);
    QTRY_VERIFY(self.isNull());

    // Unanswered: rejected, as by Escape.
    responder.answerEveryDialog({});
    QDialog unanswered;
    unanswered.setResult(QDialog::Accepted);
    runModal(unanswered);
    QCOMPARE(unanswered.result(), int(QDialog::Rejected));
    // None of them counts as a box or common dialog.
    QCOMPARE(responder.count(), 0);
}

void tst_Platform::realMessageBox_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("buttonCount");
    QTest::addColumn<int>("icon");
    QTest::newRow("ok") << int(vbOKOnly | vbCritical) << int(QMessageBox::Ok) << int(vbOK) << 1
                        << int(QMessageBox::Critical);
    QTest::newRow("ok cancel") << int(vbOKCancel | vbExclamation) << int(QMessageBox::Cancel) << int(vbCancel) << 2
                               << int(QMessageBox::Warning);
    QTest::newRow("yes no") << int(vbYesNo | vbInformation) << int(QMessageBox::No) << int(vbNo) << 2
                            << int(QMessageBox::Information);
    QTest::newRow("yes no cancel") << int(vbYesNoCancel | vbQuestion) << int(QMessageBox::Yes) << int(vbYes) << 3
                                   << int(QMessageBox::Question);
    QTest::newRow("no icon") << int(vbOKOnly) << int(QMessageBox::Ok) << int(vbOK) << 1 << int(QMessageBox::NoIcon);
}

void tst_Platform::realMessageBox()
{
    QFETCH(int, style);
    QFETCH(int, button);
    QFETCH(int, result);
    QFETCH(int, buttonCount);
    QFETCH(int, icon);
    setDialogService(nullptr);
    setAppTitle(QStringLiteral("Velkor-PED"));

    QString text, title;
    int buttons = 0, shownIcon = -1;
    Qt::TextFormat format = Qt::AutoText;
    whenShown<QMessageBox>([&](QMessageBox *box) {
        text = box->text();
        title = box->windowTitle();
        buttons = int(box->buttons().size());
        shownIcon = int(box->icon());
        format = box->textFormat();
        box->button(QMessageBox::StandardButton(button))->click();
    });
    const int answer = msgBox(QStringLiteral("<b>Steel</b> 1.4301\r\n\r\nnext"), style);
    QCOMPARE(answer, result);
    QCOMPARE(text, QStringLiteral("<b>Steel</b> 1.4301\n\nnext"));
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(title, QStringLiteral("Velkor-PED"));
    QCOMPARE(buttons, buttonCount);
    QCOMPARE(shownIcon, icon);
}

void tst_Platform::realFileDialog()
{
    setDialogService(nullptr);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Velkor_PED.mdb"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    FileDialogRequest request;
    request.title = QStringLiteral("Locate Velkor_PED.mdb...");
    request.initialDir = dir.path();
    request.fileName = QStringLiteral("Velkor_PED.mdb");
    request.filter = QStringLiteral("Access files (*.mdb)|*.mdb|All files (*.*)|*.*");
    request.filterIndex = 2;

    QString title, selectedFilter;
    QStringList filters;
    whenShown<QFileDialog>([&](QFileDialog *d) {
        title = d->windowTitle();
        filters = d->nameFilters();
        selectedFilter = d->selectedNameFilter();
        d->reject();
    });
    QCOMPARE(showOpen(request), std::nullopt);
    QCOMPARE(title, request.title);
    QCOMPARE(filters, QStringList({"Access files (*.mdb)", "All files (*.*)"}));
    QCOMPARE(selectedFilter, QStringLiteral("All files (*.*)"));

    whenShown<QFileDialog>([&](QFileDialog *d) {
        d->selectFile(path);
        QMetaObject::invokeMethod(d, "accept");
    });
    QCOMPARE(QFileInfo(showOpen(request).value_or(QString())).canonicalFilePath(), QFileInfo(path).canonicalFilePath());

    // A Windows folder that does not exist here: the home folder, with the bare proposed name.
    request.initialDir = QStringLiteral("c:\\");
    request.fileName = QStringLiteral("c:\\P235GH.pdf");
    request.filter = QStringLiteral("Portable Document Format (*.pdf)|*.pdf");
    request.filterIndex = 1;
    QString folder, proposed;
    whenShown<QFileDialog>([&](QFileDialog *d) {
        folder = d->directory().absolutePath();
        proposed = d->selectedFiles().value(0);
        d->reject();
    });
    QCOMPARE(showSave(request), std::nullopt);
    QCOMPARE(folder, QDir::home().absolutePath());
    QCOMPARE(QFileInfo(proposed).fileName(), QStringLiteral("P235GH.pdf"));
}

// ---- environment ----

// clang-format off
void tst_Platform::installedProgramFolder_data()
{
    QTest::addColumn<QString>("exe");      // the executable's folder, under a temporary root
    QTest::addColumn<QString>("made");     // the folder that exists beside it, if any
    QTest::addColumn<QString>("expected"); // the program folder
    QTest::newRow("installed") << "usr/bin" << "usr/share/velkor-ped" << "usr/share/velkor-ped";
    QTest::newRow("build folder") << "build/bin" << "" << "build/bin";
    QTest::newRow("not a bin folder") << "opt/velkor" << "share/velkor-ped" << "opt/velkor";
    QTest::newRow("a file, not a folder") << "usr/bin" << "usr/share/velkor-ped=file" << "usr/bin";
}
// clang-format on

void tst_Platform::installedProgramFolder()
{
    QFETCH(QString, exe);
    QFETCH(QString, made);
    QFETCH(QString, expected);
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(exe));
    if (made.endsWith(QLatin1String("=file"))) {
        made.chop(5);
        QVERIFY(QDir(root.path()).mkpath(QFileInfo(made).path()));
        QFile file(root.filePath(made));
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (!made.isEmpty()) {
        QVERIFY(QDir(root.path()).mkpath(made));
    }
    QCOMPARE(programFolderFor(root.filePath(exe)), QDir::cleanPath(root.filePath(expected)));
    QCOMPARE(programFolderFor(root.filePath(exe) + QLatin1Char('/')), QDir::cleanPath(root.filePath(expected)));
}

void tst_Platform::environment()
{
    QCOMPARE(programFolder(), QCoreApplication::applicationDirPath());
    QTemporaryDir dir;
    setProgramFolder(dir.path() + QLatin1Char('/'));
    QCOMPARE(programFolder(), dir.path());
    setProgramFolder(QString());
    QCOMPARE(programFolder(), QCoreApplication::applicationDirPath());

    QCOMPARE(exeName(), QStringLiteral("tst_platform"));
    setExeName(QStringLiteral("Velkor_PED"));
    QCOMPARE(exeName(), QStringLiteral("Velkor_PED"));
    setExeName(QString());
    QCOMPARE(exeName(), QStringLiteral("tst_platform"));

    qputenv("VELKOR_TEST_APPDATA", "/home/user/.config");
    QCOMPARE(platform::environ(QStringLiteral("VELKOR_TEST_APPDATA")), QStringLiteral("/home/user/.config"));
    qunsetenv("VELKOR_TEST_APPDATA");
    QCOMPARE(platform::environ(QStringLiteral("VELKOR_TEST_APPDATA")), QString());

    const int real = screenWidthPixels();
    QVERIFY(real > 0);
    setScreenWidthOverride(800);
    QCOMPARE(screenWidthPixels(), 800);
    setScreenWidthOverride(0);
    QCOMPARE(screenWidthPixels(), real);

    QCOMPARE(driveShareName(QStringLiteral("Z:")), QString());
    setDriveShareLookup([](const QString &drive) {
        return drive == QLatin1String("Z:") ? QStringLiteral("\\\\server\\share") : QString();
    });
    QCOMPARE(driveShareName(QStringLiteral("Z:")), QStringLiteral("\\\\server\\share"));
    QCOMPARE(driveShareName(QStringLiteral("C:")), QString());
    setDriveShareLookup({});
    QCOMPARE(driveShareName(QStringLiteral("Z:")), QString());
}

// clang-format off
void tst_Platform::keepOnScreen_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("before");  // a null position: the window system places it
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<QRect>("after");
    // Before it is shown a window's frame is reckoned as 4 pixels each side and a title bar of 32.
    const QRect screen(0, 0, 800, 600);
    QTest::newRow("fits") << screen << QRect(100, 100, 600, 400) << QSize() << QRect(100, 100, 600, 400);
    QTest::newRow("too large, placed by the system") << screen << QRect(0, 0, 900, 700) << QSize()
                                                     << QRect(0, 0, 792, 564);
    QTest::newRow("no smaller than its minimum") << screen << QRect(0, 0, 900, 400) << QSize(850, 300)
                                                 << QRect(0, 0, 850, 400);
    QTest::newRow("partly off on the right") << screen << QRect(333, 100, 600, 440) << QSize()
                                             << QRect(192, 100, 600, 440);
    QTest::newRow("off above and left") << screen << QRect(-50, -20, 300, 200) << QSize() << QRect(0, 0, 300, 200);
    QTest::newRow("below a panel") << QRect(0, 28, 800, 572) << QRect(0, 10, 600, 550) << QSize()
                                   << QRect(0, 28, 600, 536);
}
// clang-format on

void tst_Platform::keepOnScreen()
{
    QFETCH(QRect, area);
    QFETCH(QRect, before);
    QFETCH(QSize, minimum);
    QFETCH(QRect, after);
    setAvailableScreenOverride(area);
    auto restore = qScopeGuard([] { setAvailableScreenOverride(QRect()); });
    QWidget window;
    window.resize(before.size());
    if (!before.topLeft().isNull())
        window.move(before.topLeft());
    if (minimum.isValid())
        window.setMinimumSize(minimum);
    platform::keepOnScreen(&window);
    QCOMPARE(window.size(), after.size());
    if (window.testAttribute(Qt::WA_Moved))
        QCOMPARE(window.pos(), after.topLeft());
    else
        QVERIFY(after.topLeft().isNull());
}

QTEST_MAIN(tst_Platform)
