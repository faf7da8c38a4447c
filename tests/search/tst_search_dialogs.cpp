// The two chooser dialogs, record navigation, the PMA index window and opening documents.

#include "searchfixture.h"

#include "AccessibleNames.h"

#include "controls/DataGrid.h"
#include "controls/GridView.h"
#include "core/modDBase.h"
#include "core/modDocument.h"
#include "db/DataControl.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "search/DataBoundList.h"
#include "search/frmPmaIndex.h"
#include "search/frmSearch.h"
#include "search/frmSelect.h"
#include "search/frmSelectStand.h"
#include "search/modDBaseChooser.h"
#include "shell/mdiVelkor.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using searchtest::SearchEnv;

namespace {

const QString numbers = QStringLiteral("select distinct numbr from materials order by numbr");
const QString standards = QStringLiteral("select * from standard order by standard");

} // namespace

class SearchDialogTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SearchEnv> env;
    std::unique_ptr<platform::ScriptedResponder> responder;

    mdiVelkor &mdi() { return searchtest::mainWindow(); }

private slots:
    void init()
    {
        responder = std::make_unique<platform::ScriptedResponder>();
        env = std::make_unique<SearchEnv>();
        QVERIFY(env->isValid());
    }

    void cleanup()
    {
        env.reset();
        responder.reset();
    }

    void chooserFind_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("finds");
        QTest::addColumn<QString>("chosen");

        QTest::newRow("part of the value") << "04" << QList<int>() << "1.0425";
        QTest::newRow("find next") << "04" << QList<int>{2} << "1.8040";
        QTest::newRow("find last then previous") << "04" << QList<int>{3, 1} << "1.0425";
        QTest::newRow("find next past the last match stays") << "04" << QList<int>{3, 2} << "1.8040";
        QTest::newRow("no match keeps the row") << "zz" << QList<int>() << "1.0345";
        QTest::newRow("typed star is a wildcard") << "5*1" << QList<int>() << "1.5415";
    }

    void chooserFind()
    {
        QFETCH(QString, typed);
        QFETCH(QList<int>, finds);
        QFETCH(QString, chosen);

        responder->answerEveryDialog([&](QDialog &dialog) {
            auto *select = qobject_cast<frmSelect *>(&dialog);
            QVERIFY(select);
            QAbstractItemModelTester tester(select->dblSelect->listModel(),
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
            dialog.show();
            QCOMPARE(select->dblSelect->currentIndex().row(), 0);
            select->txtSearch->setText(typed);
            for (int find : finds)
                select->cmdFind_Click(find);
            QCOMPARE(select->dblSelect->currentIndex().data().toString(), chosen);
            QCOMPARE(select->cmdFind[2]->toolTip(), QStringLiteral("Find Next '") + typed + QStringLiteral("'"));
            select->cmdSelect_Click();
        });
        QCOMPARE(modDBase::SelectFromList(numbers, QStringLiteral("numbr"), QStringLiteral("Material Number"),
                                          QStringLiteral("DatabaseName")),
                 chosen);
        QCOMPARE(modDBase::gSelection, chosen);
    }

    void chooserCancel_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("cancel button") << 0;
        QTest::newRow("close box") << 1;
        QTest::newRow("escape") << 2;
    }

    void chooserCancel()
    {
        QFETCH(int, how);
        modDBase::SetSelection(QStringLiteral("earlier value"));
        responder->answerEveryDialog([&](QDialog &dialog) {
            auto *select = qobject_cast<frmSelect *>(&dialog);
            dialog.show();
            if (how == 0)
                select->cmdCancel_Click();
            else if (how == 1)
                dialog.close();
            else
                QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        QCOMPARE(modDBase::SelectFromList(numbers, QStringLiteral("numbr"), QStringLiteral("x"),
                                          QStringLiteral("DatabaseName")),
                 QString());
    }

    void chooserWithoutRows_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("noData");
        QTest::newRow("no rows") << "select distinct numbr from materials where matID = -1" << false;
        QTest::newRow("failing query") << "select nosuchfield from nosuchtable" << true;
    }

    void chooserWithoutRows()
    {
        QFETCH(QString, query);
        QFETCH(bool, noData);
        modDBase::SetSelection(QStringLiteral("earlier value"));
        responder->answerEveryDialog([&](QDialog &dialog) {
            auto *select = qobject_cast<frmSelect *>(&dialog);
            dialog.show();
            QCOMPARE(select->dblSelect->model()->rowCount(), 0);
            QCOMPARE(select->NoData(), noData);
            QCOMPARE(select->cmdFind[0]->isEnabled(), !noData);
            QCOMPARE(select->txtSearch->isEnabled(), !noData);
            select->cmdSelNav_Click(2);
            select->cmdSelect_Click();
        });
        QCOMPARE(modDBase::SelectFromList(query, QStringLiteral("numbr"), QStringLiteral("x"),
                                          QStringLiteral("DatabaseName")),
                 QString());
        QVERIFY(responder->messages().isEmpty());
    }

    void chooserNavigation_data()
    {
        QTest::addColumn<QList<int>>("moves");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("previous on first") << QList<int>{1} << "1.0345";
        QTest::newRow("next twice") << QList<int>{2, 2} << "1.0562";
        QTest::newRow("last, next") << QList<int>{3, 2} << "1.9999";
        QTest::newRow("last, previous") << QList<int>{3, 1} << "1.9998";
        QTest::newRow("first after last") << QList<int>{3, 0} << "1.0345";
    }

    void chooserNavigation()
    {
        QFETCH(QList<int>, moves);
        QFETCH(QString, chosen);
        responder->answerEveryDialog([&](QDialog &dialog) {
            auto *select = qobject_cast<frmSelect *>(&dialog);
            dialog.show();
            for (int move : moves)
                select->cmdSelNav_Click(move);
            QCOMPARE(select->dblSelect->currentIndex().data().toString(), chosen);
            select->cmdSelect_Click();
        });
        QCOMPARE(modDBase::SelectFromList(numbers, QStringLiteral("numbr"), QStringLiteral("x"),
                                          QStringLiteral("DatabaseName")),
                 chosen);
    }

    void chooserDateValue()
    {
        responder->answerEveryDialog([&](QDialog &dialog) {
            auto *select = qobject_cast<frmSelect *>(&dialog);
            dialog.show();
            select->cmdSelNav_Click(3);
            select->cmdSelect_Click();
        });
        const QString date = modDBase::SelectFromList(
            QStringLiteral("select distinct revision_date from materials order by revision_date"),
            QStringLiteral("revision_date"), QStringLiteral("Revision Date"), QStringLiteral("DatabaseName"));
        QCOMPARE(date, QLocale().toString(QDate(2017, 6, 1), QLocale::ShortFormat));
        frmSearch *frm = env->loadSearch();
        frm->txtSearch[5]->setText(date);
        QCOMPARE(frm->lblMatCount->text(), QStringLiteral("34"));
    }

    void chooserResizeAndTips()
    {
        mdi().blnToolTips = false;
        responder->answerEveryDialog([&](QDialog &dialog) {
            auto *select = qobject_cast<frmSelect *>(&dialog);
            dialog.show();
            QVERIFY(select->cmdFind[0]->toolTip().isEmpty());
            QVERIFY(select->cmdSelNav[3]->toolTip().isEmpty());
            QVERIFY(select->txtSearch->toolTip().isEmpty());
            select->txtSearch->setText(QStringLiteral("04"));
            QVERIFY(select->cmdFind[0]->toolTip().isEmpty());

            QDir().mkpath(QStringLiteral("/tmp/search-shots"));
            dialog.grab().save(QStringLiteral("/tmp/search-shots/select.png"));
            const QSize load = dialog.size();
            const QPoint frame = select->framSelect[2]->pos();
            const QSize list = select->dblSelect->size();
            dialog.resize(load.width() - 60, load.height() - 60);
            QCOMPARE(dialog.size(), load);
            dialog.resize(load.width() + 45, load.height() + 30);
            QCOMPARE(select->framSelect[2]->pos(), frame + QPoint(45, 30));
            QCOMPARE(select->dblSelect->size(), list + QSize(45, 30));
            select->cmdCancel_Click();
        });
        modDBase::SelectFromList(numbers, QStringLiteral("numbr"), QStringLiteral("x"), QStringLiteral("DatabaseName"));
    }

    void standardChooser()
    {
        responder->answerEveryDialog([&](QDialog &dialog) {
            auto *stand = qobject_cast<frmSelectStand *>(&dialog);
            QVERIFY(stand);
            dialog.show();
            QCOMPARE(stand->lstSelect->count(), 4);
            QCOMPARE(stand->StandardArray().first(), QStringLiteral("EN 10028-2"));
            QCOMPARE(stand->lstSelect->currentRow(), 0);
            QCOMPARE(stand->txtDescription->toPlainText(),
                     QStringLiteral("Flat products for pressure purposes - Part 2"));
            QCOMPARE(stand->txtRevisionDate->text(), QLocale().toString(QDate(2009, 9, 1), QLocale::ShortFormat));
            QCOMPARE(stand->txtProductForms->toPlainText(), QStringLiteral("Plate, Strip"));
            QDir().mkpath(QStringLiteral("/tmp/search-shots"));
            dialog.grab().save(QStringLiteral("/tmp/search-shots/select-standard.png"));

            stand->cmdSelNav_Click(2);
            QCOMPARE(stand->lstSelect->currentItem()->text(), QStringLiteral("EN 10028-3"));
            QCOMPARE(stand->txtProductForms->toPlainText(), QStringLiteral("Plate"));

            stand->lstSelect->setCurrentRow(1);
            QCOMPARE(stand->txtDescription->toPlainText(),
                     QStringLiteral("Flat products for pressure purposes - Part 3"));

            stand->txtSearch->setText(QStringLiteral("13"));
            QCOMPARE(stand->lstSelect->currentItem()->text(), QStringLiteral("EN 10213"));
            QVERIFY2(stand->txtProductForms->toPlainText().isEmpty(), "a standard without product forms");
            QVERIFY(stand->txtRevisionDate->text().isEmpty());

            stand->cmdSelNav_Click(3);
            stand->cmdSelNav_Click(2);
            QCOMPARE(stand->lstSelect->currentItem()->text(), QStringLiteral("EN 10216-2"));
            stand->txtSearch->setText(QStringLiteral("no such"));
            QCOMPARE(stand->lstSelect->currentItem()->text(), QStringLiteral("EN 10216-2"));
            stand->cmdFind_Click(0);
            stand->txtSearch->setText(QStringLiteral("028"));
            stand->cmdFind_Click(2);
            QCOMPARE(stand->lstSelect->currentItem()->text(), QStringLiteral("EN 10028-3"));
            stand->cmdSelect_Click();
        });
        QCOMPARE(modDBase::SelectStandard(standards, QStringLiteral("DatabaseName")), QStringLiteral("EN 10028-3"));

        responder->answerEveryDialog([&](QDialog &dialog) {
            dialog.show();
            dialog.close();
        });
        QCOMPARE(modDBase::SelectStandard(standards, QStringLiteral("DatabaseName")), QString());

        responder->answerEveryDialog([&](QDialog &dialog) {
            auto *stand = qobject_cast<frmSelectStand *>(&dialog);
            dialog.show();
            QCOMPARE(stand->lstSelect->count(), 0);
            stand->cmdSelect_Click();
        });
        QCOMPARE(modDBase::SelectStandard(QStringLiteral("select * from standard where stID = -1"),
                                          QStringLiteral("DatabaseName")),
                 QString());
    }

    void chooserErrorsNameTheirSource()
    {
        try {
            modDBase::SelectStandard(QStringLiteral("select * from nosuchtable"), QStringLiteral("DatabaseName"));
            QFAIL("no error raised");
        } catch (const platform::VbError &error) {
            QVERIFY(error.source().endsWith(QStringLiteral("modDBase.SelectStandard")));
        }
    }

    // clang-format off
    void makeLikePattern_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("abc") << "abc" << "a*b*c*";
        QTest::newRow("with a blank") << "EN 1" << "E*N* *1*";
        QTest::newRow("empty") << "" << "";
    }
    // clang-format on

    void makeLikePattern()
    {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QCOMPARE(modDBase::MakeLikePattern(text), pattern);
    }

    void recordNavigate_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("expected");
        QTest::newRow("empty") << 0 << -1 << 2 << -1;
        QTest::newRow("one row, next") << 1 << 0 << 2 << 0;
        QTest::newRow("one row, previous") << 1 << 0 << 1 << 0;
        QTest::newRow("many, previous on first") << 5 << 0 << 1 << 0;
        QTest::newRow("many, next on last") << 5 << 4 << 2 << 4;
        QTest::newRow("many, last") << 5 << 1 << 3 << 4;
        QTest::newRow("many, unknown how") << 5 << 2 << 7 << 2;
    }

    void recordNavigate()
    {
        QFETCH(int, rows);
        QFETCH(int, start);
        QFETCH(int, how);
        QFETCH(int, expected);
        std::unique_ptr<db::Recordset> rs = modDBase::gMaterialDb->openRecordset(
            QStringLiteral("select * from materials where matID <= %1 order by matID").arg(rows));
        if (start >= 0)
            rs->setAbsolutePosition(start);
        modDBase::RecordNavigate(rs.get(), qint16(how));
        QCOMPARE(rs->absolutePosition(), expected);
    }

    void pmaSearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rows");
        QTest::newRow("Specification field") << "EN 102" << 2;
        QTest::newRow("number") << "1.04" << 1;
        QTest::newRow("search string") << "drum" << 1;
        QTest::newRow("revision date") << "2014-03" << 1;
        QTest::newRow("an apostrophe finds nothing, no error") << "O'" << 0;
        QTest::newRow("brackets are literal") << "[1]" << 0;
    }

    void pmaSearch()
    {
        QFETCH(QString, text);
        QFETCH(int, rows);
        searchtest::createPmaDb(env->folder());
        frmPmaIndex pma;
        pma.Form_Load();
        QCOMPARE(pma.tdbIndex->rowCount(), 3);
        pma.txtSearchString->setText(text);
        QTest::keyClick(pma.txtSearchString, Qt::Key_Return);
        QCOMPARE(pma.tdbIndex->rowCount(), rows);
        QVERIFY(responder->messages().isEmpty());
        pma.txtSearchString->setText(QStringLiteral("  "));
        QCOMPARE(pma.tdbIndex->rowCount(), 3);
    }

    // The choosers and the PMA index name every control for screen readers, also with tool tips off.
    void controlsNamedForScreenReaders()
    {
        mdi().blnToolTips = false;
        QStringList unnamed;
        responder->answerEveryDialog([&](QDialog &dialog) {
            dialog.show();
            unnamed << testsupport::unnamedControls(&dialog);
            dialog.reject();
        });
        modDBase::SelectFromList(QStringLiteral("select distinct name from materials order by name"),
                                 QStringLiteral("name"), QStringLiteral("Material Name"),
                                 QStringLiteral("DatabaseName"));
        modDBase::SelectStandard(QStringLiteral("select * from standard order by standard"),
                                 QStringLiteral("DatabaseName"));
        searchtest::createPmaDb(env->folder());
        frmPmaIndex pma;
        pma.Form_Load();
        unnamed << testsupport::unnamedControls(&pma);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1String(", "))));
    }

    void pmaQueryAndSort()
    {
        searchtest::createPmaDb(env->folder());
        frmPmaIndex pma;
        pma.Form_Load();
        QCOMPARE(pma.dtaPmaIndex->databaseName(), env->folder() + QStringLiteral("/PMA_Index.mdb"));
        QCOMPARE(pma.dtaPmaIndex->recordSource(), QStringLiteral("SELECT * FROM PMA_Index"));
        pma.txtSearchString->setText(QStringLiteral("x"));
        pma.cmdSearch_Click();
        QCOMPARE(
            pma.dtaPmaIndex->recordSource(),
            QStringLiteral("SELECT * FROM PMA_Index WHERE Specification LIKE '*x*' OR Designationname LIKE '*x*' OR "
                           "Designationnumber LIKE '*x*' OR Product LIKE '*x*' OR Revision LIKE '*x*' OR "
                           "Revisiondate LIKE '*x*' OR Searchstring LIKE '*x*'"));
        QCOMPARE(pma.tdbIndex->rowCount(), 1);

        pma.tdbIndex_HeadClick(1);
        QVERIFY(pma.txtSearchString->text().isEmpty());
        QCOMPARE(pma.dtaPmaIndex->recordSource(),
                 QStringLiteral("SELECT * FROM PMA_Index ORDER BY Designationname ASC"));
        QCOMPARE(pma.tdbIndex->text(0, 1), QStringLiteral("GP240GH"));

        pma.txtSearchString->setText(QStringLiteral("creep"));
        pma.cmdSearch_Click();
        pma.tdbIndex_FootClick(1);
        QVERIFY(pma.txtSearchString->text().isEmpty());
        QCOMPARE(pma.dtaPmaIndex->recordSource(),
                 QStringLiteral("SELECT * FROM PMA_Index ORDER BY Designationname DESC"));
        QCOMPARE(pma.tdbIndex->rowCount(), 3);
        QCOMPARE(pma.tdbIndex->text(0, 1), QStringLiteral("X10CrMoVNb9-1"));

        QDir().mkpath(QStringLiteral("/tmp/search-shots"));
        platform::resizeTwips(&pma, 12800, 8500);
        pma.show();
        pma.grab().save(QStringLiteral("/tmp/search-shots/pma-index.png"));
    }

    void pmaOpensDocuments()
    {
        searchtest::createPmaDb(env->folder());
        QTemporaryDir bin;
        searchtest::FakeOpener opener(bin.path());
        frmPmaIndex pma;
        pma.Form_Load();
        pma.tdbIndex_HeadClick(0);

        pma.tdbIndex->setCurrentRow(0); // EN 10028-2, a document in a subfolder
        pma.tdbIndex_DblClick();
        QCOMPARE(opener.log(), env->folder() + QStringLiteral("/docs/pma1.pdf\n"));

        pma.tdbIndex->setCurrentRow(1); // EN 10213, its document is missing
        pma.tdbIndex_DblClick();
        QCOMPARE(opener.log(), env->folder() + QStringLiteral("/docs/pma1.pdf\n"));
        QVERIFY(responder->messages().isEmpty());

        // Enter on a row acts as the double click; on the row without a document it opens nothing.
        QTest::keyClick(pma.tdbIndex->view(), Qt::Key_Return);
        pma.tdbIndex->setCurrentRow(0);
        QTest::keyClick(pma.tdbIndex->view(), Qt::Key_Enter);
        QCOMPARE(opener.log(), env->folder() + QStringLiteral("/docs/pma1.pdf\n") + env->folder() +
                                   QStringLiteral("/docs/pma1.pdf\n"));
        QVERIFY(responder->messages().isEmpty());

        pma.cmdInfo_Click();
        QCOMPARE(responder->messages().size(), 1);
        QCOMPARE(responder->messages()[0].text, QStringLiteral("File not found"));
    }

    void pmaMissingDatabase()
    {
        frmPmaIndex pma;
        pma.Form_Load();
        QCOMPARE(pma.tdbIndex->rowCount(), 0);
        QCOMPARE(responder->messages().size(), 1);
    }

    void openDocument_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("openerRuns");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("chooser"); // 0 none, 1 answered, 2 cancelled

        QTest::newRow("opened") << true << 0 << true << "" << 0;
        QTest::newRow("missing file") << false << 0 << false << "File not found" << 0;
        QTest::newRow("no associated program, one chosen") << true << 3 << true << "" << 1;
        QTest::newRow("action failed, chooser cancelled") << true << 4 << true << "" << 2;
        QTest::newRow("opener reports a missing file") << true << 2 << true << "File not found" << 0;
        QTest::newRow("opener fails otherwise") << true << 1 << true << "Unknown error" << 0;
    }

    void openDocument()
    {
        QFETCH(bool, exists);
        QFETCH(int, exitCode);
        QFETCH(bool, openerRuns);
        QFETCH(QString, message);
        QFETCH(int, chooser);

        QTemporaryDir bin;
        searchtest::FakeOpener opener(bin.path());
        opener.setExitCode(exitCode);
        const QString path = env->folder() + QStringLiteral("/report one.pdf");
        if (exists) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        if (chooser == 1)
            responder->answerFile(opener.viewerPath());
        else
            responder->cancelFile();

        modDocument::OpenDocument(nullptr, path);

        QCOMPARE(opener.log(), openerRuns ? path + QStringLiteral("\n") : QString());
        const QList<platform::MessageRequest> messages = responder->messages();
        QCOMPARE(messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(messages[0].text, message);
            QCOMPARE(messages[0].buttons(), int(platform::vbOKOnly));
            QCOMPARE(messages[0].title, platform::appTitle());
        }
        int fileDialogs = 0;
        for (const auto &interaction : responder->interactions())
            if (interaction.kind == platform::ScriptedResponder::Interaction::File)
                ++fileDialogs;
        QCOMPARE(fileDialogs, chooser ? 1 : 0);
        if (chooser == 1)
            QTRY_COMPARE(opener.viewerLog(), path + QStringLiteral("\n"));
        else
            QCOMPARE(opener.viewerLog(), QString());
    }

    // clang-format off
    void fileExists_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("linkTo"); // the name is made a link to this path
        QTest::addColumn<bool>("exists");
        QTest::newRow("file") << "Velkor_PED.mdb" << "" << true;
        QTest::newRow("folder") << "." << "" << false;
        QTest::newRow("missing") << "nothing.pdf" << "" << false;
        QTest::newRow("empty path") << "" << "" << false;
        QTest::newRow("link to a file") << "linked.mdb" << "Velkor_PED.mdb" << true;
        QTest::newRow("link to a device") << "zero.pdf" << "/dev/zero" << false;
        QTest::newRow("fifo") << "pipe.pdf" << "" << false;
    }
    // clang-format on

    void fileExists()
    {
        QFETCH(QString, name);
        QFETCH(QString, linkTo);
        QFETCH(bool, exists);
        const QString path = name.isEmpty() ? QString() : QDir(env->folder()).filePath(name);
        if (!linkTo.isEmpty())
            QVERIFY(QFile::link(linkTo, path));
        if (name == QLatin1String("pipe.pdf"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        QCOMPARE(modDocument::FileExists(path), exists);
    }
};

int runDialogTests(int argc, char **argv)
{
    SearchDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_search_dialogs.moc"
