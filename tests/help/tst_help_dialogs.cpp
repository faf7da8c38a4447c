#include "SchemaFixture.h"
#include "tst_help.h"

#include "controls/RichTextBox.h"
#include "core/ProductInfo.h"
#include "core/frmAgreement.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "search/frmSearch.h"
#include "search/searchfixture.h"
#include "shell/frmAbout.h"
#include "shell/mdiVelkor.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

namespace {

const QString BinDir = QStringLiteral(VELKOR_BIN_DIR);

// Restores the default locale and the program folder when a test ends.
struct DialogGuard
{
    ~DialogGuard()
    {
        QLocale::setDefault(QLocale::system());
        platform::setProgramFolder(QString());
    }
};

QString pdfText(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

} // namespace

void tst_help::aboutLabels()
{
    DialogGuard guard;
    platform::setAppTitle(QStringLiteral("Velkor-PED Title"));
    frmAbout about;
    about.Form_Load();
    platform::setAppTitle(QString());

    QCOMPARE(about.windowTitle(), QStringLiteral("About Velkor-PED Title"));
    QCOMPARE(about.lblTitle->text(), QStringLiteral("Velkor-PED Title"));
    QCOMPARE(about.lblVersion->text(), QStringLiteral("Version %1.%2.%3")
                                           .arg(product::VersionMajor)
                                           .arg(product::VersionMinor)
                                           .arg(product::VersionRevision));
    QCOMPARE(about.lblCopyright->text(), product::LegalCopyright);
    QVERIFY(about.txtContact->isReadOnly());
    QVERIFY(about.txtContact->toPlainText().contains(product::CompanyName));
    QCOMPARE(about.cmdAgreement->text(), QStringLiteral("License &Agreement"));
    QCOMPARE(about.cmdAgreement->toolTip(), QStringLiteral("View License Agreement..."));
    QCOMPARE(about.cmdOK->text(), QStringLiteral("Return to Program"));
    QVERIFY(about.isModal());
    // Tab order: Return first, the agreement second.
    QCOMPARE(about.cmdOK->nextInFocusChain(), static_cast<QWidget *>(about.cmdAgreement));

    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QVERIFY(about.grab().save(QDir::temp().filePath(QStringLiteral("velkor_about.png"))));
    about.cmdOK->click();
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

void tst_help::aboutLastUpdated_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("standards");
    QTest::addColumn<QString>("expected");
    QTest::newRow("day-month-year") << "de_DE" << true << "Last Updated - 11.03.2011";
    QTest::newRow("British") << "en_GB" << true << "Last Updated - 11/03/2011";
    QTest::newRow("month-day-year") << "en_US" << true << "Last Updated - 3/11/2011";
    QTest::newRow("no standards") << "de_DE" << false << "Last Updated - ";
}

void tst_help::aboutLastUpdated()
{
    QFETCH(QString, locale);
    QFETCH(bool, standards);
    QFETCH(QString, expected);
    DialogGuard guard;
    searchtest::SearchEnv env;
    QVERIFY(env.isValid());
    QTemporaryDir dir;
    const QString db = searchtest::createMaterialDb(dir.path(), standards);
    // The newest revision becomes 11 March 2011; older ones and a Null stay.
    QVERIFY(testsupport::execSql(
        db, {QStringLiteral("UPDATE standard SET revision_date = '2011-03-11' WHERE revision_date > '2011-03-11'")}));
    env.useDatabase(db);
    QVERIFY(env.loadSearch());

    QLocale::setDefault(QLocale(locale));
    frmAbout about;
    about.Form_Load();
    QCOMPARE(about.lblLastUpdated->text(), expected);
    env.closeWindows();
}

void tst_help::showAboutStatusTexts()
{
    DialogGuard guard;
    platform::ScriptedResponder responder;
    platform::setProgramFolder(BinDir);
    mdiVelkor &mdi = searchtest::mainWindow();
    mdi.SetStatus();
    mdi.ShowStatus(107); // as the Help menu does before it shows the about box

    QStringList seen;
    responder.answerEveryDialog([&](QDialog &dialog) {
        seen << dialog.objectName() + QLatin1Char(':') + dialog.windowTitle() + QLatin1Char(':') +
                    QString::number(dialog.isModal()) + QLatin1Char(':') + mdi.StatusText().left(20);
        if (auto *about = qobject_cast<frmAbout *>(&dialog)) {
            about->cmdAgreement_Click();
            seen << QStringLiteral("back:") + mdi.StatusText().left(20);
        } else if (auto *agreement = qobject_cast<frmAgreement *>(&dialog)) {
            seen << QStringLiteral("text:") + QString::number(agreement->rtfAgreement->toPlainText().contains(
                                                  QStringLiteral("Software License Agreement")));
        }
    });
    mdi.ShowAbout();
    QCOMPARE(seen,
             QStringList({
                 QStringLiteral("frmAbout:About ") + platform::appTitle() + QStringLiteral(":1:About Velkor-PED - p"),
                 QStringLiteral("frmAgreement:Velkor-PED License Agreement:1:License Agreement - "),
                 QStringLiteral("text:1"),
                 QStringLiteral("back:About Velkor-PED - p"),
             }));
    QCOMPARE(responder.count(), 0);
}

void tst_help::agreementLoad_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("written"); // the agreement of a folder of its own
    QTest::newRow("program folder's agreement") << true << QByteArray();
    QTest::newRow("agreement missing") << false << QByteArray();
    QTest::newRow("agreement of 4 MiB of empty paragraphs")
        << false << "{\\rtf1 " + QByteArray("\\par ").repeated(4 * 1024 * 1024 / 5 - 2) + '}';
}

void tst_help::agreementLoad()
{
    QFETCH(bool, present);
    QFETCH(QByteArray, written);
    DialogGuard guard;
    platform::ScriptedResponder responder;
    QTemporaryDir dir;
    platform::setProgramFolder(present ? BinDir : dir.path());
    if (!written.isEmpty()) {
        QFile file(frmAgreement::AgreementPath());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(written) == written.size());
    }
    QCOMPARE(frmAgreement::AgreementPath(), platform::programFolder() + QStringLiteral("/Velkor_PED_License.rtf"));

    frmAgreement viewer;
    viewer.Form_Load();
    QCOMPARE(viewer.windowTitle(), QStringLiteral("Velkor-PED License Agreement"));
    QCOMPARE(viewer.cmdPrint->text(), QStringLiteral("&Print..."));
    QCOMPARE(viewer.cmdReturn->text(), QStringLiteral("&Return"));
    QVERIFY(viewer.rtfAgreement->isReadOnly());
    if (present) {
        const QString text = viewer.rtfAgreement->toPlainText();
        QVERIFY(text.startsWith(QStringLiteral("Velkor-PED\nSoftware License Agreement")));
        QVERIFY(text.contains(QStringLiteral("\u201cSoftware\u201d")));
        QVERIFY(text.contains(QStringLiteral("Copyright \u00a9 Brisvale")));
        QVERIFY(!text.contains(QStringLiteral("Arial"))); // the font table is no text
        QTextCursor heading(viewer.rtfAgreement->document());
        heading.movePosition(QTextCursor::NextCharacter);
        QVERIFY(heading.charFormat().fontWeight() >= QFont::Bold);
    } else {
        QVERIFY(viewer.rtfAgreement->toPlainText().isEmpty());
    }
    QCOMPARE(responder.count(), 0);

    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    if (present)
        QVERIFY(viewer.grab().save(QDir::temp().filePath(QStringLiteral("velkor_agreement.png"))));
    viewer.cmdReturn->click();
    QVERIFY(!viewer.isVisible());
}

void tst_help::agreementResize()
{
    DialogGuard guard;
    platform::setProgramFolder(BinDir);
    frmAgreement viewer;
    viewer.Form_Load();
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    const QSize opening = viewer.size();
    QCOMPARE(platform::widthTwips(&viewer), viewer.MinWidth());
    QCOMPARE(platform::heightTwips(&viewer), viewer.MinHeight());
    const int bottomGap = viewer.height() - viewer.cmdPrint->y();
    const int textRightGap = viewer.width() - viewer.rtfAgreement->geometry().right();
    const int textBottomGap = viewer.height() - viewer.rtfAgreement->geometry().bottom();

    // Larger: the text follows, the buttons keep their distance to the bottom edge.
    viewer.resize(opening + QSize(200, 120));
    QTRY_COMPARE(viewer.size(), opening + QSize(200, 120));
    QCOMPARE(viewer.width() - viewer.rtfAgreement->geometry().right(), textRightGap);
    QCOMPARE(viewer.height() - viewer.rtfAgreement->geometry().bottom(), textBottomGap);
    QCOMPARE(viewer.height() - viewer.cmdPrint->y(), bottomGap);
    QCOMPARE(viewer.height() - viewer.cmdReturn->y(), bottomGap);

    // Smaller than at the opening, in either direction: back to the opening size.
    viewer.resize(opening - QSize(150, 100));
    QTRY_COMPARE(viewer.size(), opening);
    QCOMPARE(viewer.height() - viewer.cmdPrint->y(), bottomGap);
    viewer.resize(opening.width() + 100, opening.height() - 50);
    QTRY_COMPARE(viewer.size(), QSize(opening.width() + 100, opening.height()));
    QCOMPARE(viewer.width() - viewer.rtfAgreement->geometry().right(), textRightGap);
}

void tst_help::agreementPrint_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("select");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QString>("message"); // empty: none
    QTest::addColumn<QStringList>("printed");
    QTest::addColumn<QStringList>("notPrinted");
    QTest::newRow("cancelled") << false << false << true << QString() << QStringList() << QStringList();
    QTest::newRow("everything") << true << false << true << QString()
                                << QStringList({"Software License Agreement", "Grant of license", "Termination"})
                                << QStringList();
    QTest::newRow("selection only") << true << true << true << QString() << QStringList({"Grant of license"})
                                    << QStringList({"Termination", "Software License Agreement"});
    QTest::newRow("printer fails") << true << false << false << "Error no. 482 Printer error" << QStringList()
                                   << QStringList();
}

void tst_help::agreementPrint()
{
    QFETCH(bool, answer);
    QFETCH(bool, select);
    QFETCH(bool, writable);
    QFETCH(QString, message);
    QFETCH(QStringList, printed);
    QFETCH(QStringList, notPrinted);
    if (!printed.isEmpty() && QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is needed to read the printout");
    DialogGuard guard;
    platform::setProgramFolder(BinDir);
    QTemporaryDir dir;
    const QString output =
        writable ? dir.filePath(QStringLiteral("out.pdf")) : dir.filePath(QStringLiteral("no/such/out.pdf"));

    frmAgreement viewer;
    viewer.Form_Load();
    viewer.printer()->setOutputFormat(QPrinter::PdfFormat);
    viewer.printer()->setOutputFileName(output);
    if (select) {
        QTextCursor cursor = viewer.rtfAgreement->document()->find(QStringLiteral("Grant of license"));
        QVERIFY(!cursor.isNull());
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        viewer.rtfAgreement->setTextCursor(cursor);
    }

    platform::ScriptedResponder responder;
    responder.answerPrint(answer);
    viewer.cmdPrint_Click();

    QCOMPARE(responder.count(), message.isEmpty() ? 1 : 2);
    QCOMPARE(responder.interactions().at(0).kind, platform::ScriptedResponder::Interaction::Print);
    QCOMPARE(responder.interactions().at(0).print.printer, viewer.printer());
    QCOMPARE(viewer.printer()->printRange(), select ? QPrinter::Selection : QPrinter::AllPages);
    if (!message.isEmpty()) {
        const platform::MessageRequest box = responder.messages().at(0);
        QCOMPARE(box.text, message);
        QCOMPARE(box.title, QStringLiteral("Error occurred..."));
        QCOMPARE(box.icon(), int(platform::vbCritical));
        QCOMPARE(box.buttons(), int(platform::vbOKOnly));
    }
    QCOMPARE(QFile::exists(output), !printed.isEmpty());
    if (printed.isEmpty())
        return;
    const QString text = pdfText(output);
    for (const QString &line : printed)
        QVERIFY2(text.contains(line), qPrintable(line));
    for (const QString &line : notPrinted)
        QVERIFY2(!text.contains(line), qPrintable(line));
}
