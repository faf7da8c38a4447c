// The search window: set-up, families, criteria and their query, layouts and lifecycle.

#include "searchfixture.h"

#include "AccessibleNames.h"

#include "controls/DataGrid.h"
#include "db/DataControl.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "platform/OleColor.h"
#include "platform/Twips.h"
#include "search/DataBoundList.h"
#include "search/frmPmaIndex.h"
#include "search/frmSearch.h"
#include "search/frmSelect.h"
#include "search/frmSelectStand.h"
#include "search/modDBaseChooser.h"
#include "shell/mdiVelkor.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

using searchtest::SearchEnv;

class SearchWindowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SearchEnv> env;
    std::unique_ptr<platform::ScriptedResponder> responder;
    frmSearch *frm = nullptr;

    void chooseFamily(int index)
    {
        frm->cmbChooseStd->setCurrentIndex(index);
        frm->cmbChooseStd_Click();
    }

private slots:
    void init()
    {
        responder = std::make_unique<platform::ScriptedResponder>();
        env = std::make_unique<SearchEnv>();
        QVERIFY(env->isValid());
        frm = env->loadSearch();
        QVERIFY(frm);
    }

    void cleanup()
    {
        env.reset();
        responder.reset();
    }

    // clang-format off
    void queryText_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("count");

        const QString plateIn = QStringLiteral(
            "materials.standard in (select standard from StandardProdForm where productForm like '*plate*')");
        QTest::newRow("all boxes empty") << 0 << QStringList() << "select * from materials order by standard,name"
                                         << "" << "40";
        QTest::newRow("name and product form")
            << 0 << QStringList{"", "P265", "", "", "", "", "plate"}
            << "select * from materials where  name like '*P265*' and  " + plateIn + " order by standard,name"
            << " where  name like '*P265*'" << "1";
        QTest::newRow("only product form") << 0 << QStringList{"", "", "", "", "", "", "plate"}
                                           << "select * from materials where  " + plateIn + " order by standard,name"
                                           << "" << "37";
        QTest::newRow("standard and number")
            << 0 << QStringList{"EN 10028", "", "1.04"}
            << "select * from materials where  standard like '*EN 10028*' and  numbr like '*1.04*' order by standard,name"
            << " where  standard like '*EN 10028*' and  numbr like '*1.04*'" << "1";
        QTest::newRow("SS name searches ss") << 1 << QStringList{"", "1330"}
                                             << "select * from materials where  ss like '*1330*' order by standard,name"
                                             << " where  ss like '*1330*'" << "1";
        QTest::newRow("ASME standard and grade")
            << 2 << QStringList{"SA-516", "65"}
            << "select * from materials where  asmestandard like '*SA-516*' and  asmegrade like '*65*' order by "
               "standard,name"
            << " where  asmestandard like '*SA-516*' and  asmegrade like '*65*'" << "1";
        QTest::newRow("wildcards typed stay wildcards")
            << 0 << QStringList{"", "P2?5*H"} << "select * from materials where  name like '*P2?5*H*' order by standard,name"
            << " where  name like '*P2?5*H*'" << "3";
        QTest::newRow("pasted apostrophe is searched for")
            << 0 << QStringList{"", "O'Neil"} << "select * from materials where  name like '*O''Neil*' order by standard,name"
            << " where  name like '*O''Neil*'" << "1";
        QTest::newRow("pasted brackets are searched for")
            << 0 << QStringList{"", "A[1]"} << "select * from materials where  name like '*A[[]1]*' order by standard,name"
            << " where  name like '*A[[]1]*'" << "1";
        QTest::newRow("nothing found") << 0 << QStringList{"", "no such grade"}
                                       << "select * from materials where  name like '*no such grade*' order by standard,name"
                                       << " where  name like '*no such grade*'" << "0";
    }
    // clang-format on

    void queryText()
    {
        QFETCH(int, family);
        QFETCH(QStringList, boxes);
        QFETCH(QString, source);
        QFETCH(QString, where);
        QFETCH(QString, count);

        chooseFamily(family);
        for (int i = 0; i < boxes.size(); ++i)
            frm->txtSearch[i]->setText(boxes[i]);
        QCOMPARE(frm->dtaMaterials->recordSource(), source);
        QCOMPARE(frm->WhereClause(), where);
        QCOMPARE(frm->lblMatCount->text(), count);
        QCOMPARE(frm->chkListAll->isChecked(), boxes.join(QString()).isEmpty());
        QVERIFY(responder->messages().isEmpty());
    }

    void resultFollowsStandard()
    {
        frm->txtSearch[1]->setText(QStringLiteral("P355N"));
        QCOMPARE(frm->dtaStandard->recordset()->field(QStringLiteral("standard")).toString(),
                 QStringLiteral("EN 10028-3"));
        frm->txtSearch[1]->setText(QStringLiteral("O'Neil"));
        QCOMPARE(frm->dtaStandard->recordset()->field(QStringLiteral("standard")).toString(),
                 QStringLiteral("EN 10216-2"));
    }

    // clang-format off
    void pickListQuery_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("title");

        const QString plateIn =
            QStringLiteral("(select standard from StandardProdForm where productForm like '*plate*')");
        QTest::newRow("product form, none typed")
            << 0 << QStringList() << 6
            << "select distinct productForm from StandardProdForm where standard in (select standard from materials ) "
               "order by productForm"
            << "Select 'Product Form'";
        QTest::newRow("product form, typed and name")
            << 0 << QStringList{"", "P2", "", "", "", "", "pl"} << 6
            << "select distinct productForm from StandardProdForm where standard in (select standard from materials  "
               "where  name like '*P2*') and productForm like '*pl*' order by productForm"
            << "Select 'Product Form'";
        QTest::newRow("number, name typed")
            << 0 << QStringList{"", "P2"} << 2 << "select distinct numbr from materials  where  name like '*P2*' order by numbr"
            << "Select 'Material Number'";
        QTest::newRow("group, product form only")
            << 0 << QStringList{"", "", "", "", "", "", "plate"} << 4
            << "select distinct groups from materials  where  standard in " + plateIn + " order by groups"
            << "Select 'Material Group'";
        QTest::newRow("name, standard and product form")
            << 0 << QStringList{"EN", "", "", "", "", "", "plate"} << 1
            << "select distinct name from materials  where  standard like '*EN*' and  standard in " + plateIn +
                   " order by name"
            << "Select 'Material Name'";
        QTest::newRow("revision date, nothing typed")
            << 0 << QStringList() << 5 << "select distinct revision_date from materials  order by revision_date"
            << "Select 'Revision Date'";
        QTest::newRow("standard, EN")
            << 0 << QStringList() << 0
            << "select * from standard where standard in (select standard from materials) order by standard"
            << "Select 'Standard'";
        QTest::newRow("standard, EN with name and product form")
            << 0 << QStringList{"", "P", "", "", "", "", "plate"} << 0
            << "select * from standard where standard in (select standard from materials where  name like '*P*' and "
               "standard in " + plateIn + ") order by standard"
            << "Select 'Standard'";
        QTest::newRow("standard, ASME")
            << 2 << QStringList() << 0
            << "select distinct asmestandard from materials WHERE standard IN (select standard from StandardProdForm "
               "where productForm like '**') order by asmestandard"
            << "Select 'ASME Standard'";
        QTest::newRow("name, SS searches ss, noun unchanged")
            << 1 << QStringList() << 1 << "select distinct ss from materials  order by ss" << "Select 'Material Name'";
        QTest::newRow("name, ASME with product form")
            << 2 << QStringList{"", "", "", "", "", "", "plate"} << 1
            << "select distinct asmegrade from materials  where  standard in " + plateIn + " order by asmegrade"
            << "Select 'Material Name'";
    }
    // clang-format on

    void pickListQuery()
    {
        QFETCH(int, family);
        QFETCH(QStringList, boxes);
        QFETCH(int, index);
        QFETCH(QString, query);
        QFETCH(QString, title);

        chooseFamily(family);
        for (int i = 0; i < boxes.size(); ++i)
            frm->txtSearch[i]->setText(boxes[i]);
        const QString before = frm->txtSearch[index]->text();
        QString shownQuery;
        QString shownTitle;
        responder->answerEveryDialog([&](QDialog &dialog) {
            if (auto *select = qobject_cast<frmSelect *>(&dialog))
                shownQuery = select->dtaSelect->recordSource();
            else if (auto *stand = qobject_cast<frmSelectStand *>(&dialog))
                shownQuery = stand->dtaSelect->recordSource();
            shownTitle = dialog.windowTitle();
            dialog.show();
            dialog.reject();
        });
        frm->cmdSelect_Click(index);
        QCOMPARE(shownQuery, query);
        QCOMPARE(shownTitle, title);
        QCOMPARE(frm->txtSearch[index]->text(), before);
        QVERIFY(responder->messages().isEmpty());
    }

    void pickListResultRunsSearch()
    {
        responder->answerEveryDialog([](QDialog &dialog) {
            auto *select = qobject_cast<frmSelect *>(&dialog);
            QVERIFY(select);
            dialog.show();
            select->txtSearch->setText(QStringLiteral("0562"));
            select->cmdSelect_Click();
        });
        frm->cmdSelect_Click(2);
        QCOMPARE(frm->txtSearch[2]->text(), QStringLiteral("1.0562"));
        QCOMPARE(frm->lblMatCount->text(), QStringLiteral("1"));
        QVERIFY(!frm->chkListAll->isChecked());
    }

    // clang-format off
    void family_data()
    {
        QTest::addColumn<int>("previous");
        QTest::addColumn<int>("family");
        QTest::addColumn<QList<int>>("enabled");
        QTest::addColumn<QString>("field0");
        QTest::addColumn<QString>("field1");
        QTest::addColumn<QList<int>>("columns");
        QTest::addColumn<bool>("notice");
        QTest::addColumn<double>("gridTop");

        QTest::newRow("EN") << 0 << 0 << QList<int>{0, 1, 2, 3, 4, 5, 6} << "standard" << "name"
                            << QList<int>{0, 1, 2, 3, 4, 5, 7, 8, 9} << false << 615.0;
        QTest::newRow("SS") << 0 << 1 << QList<int>{1, 6} << "standard" << "ss" << QList<int>{0, 1, 2, 9} << true << 915.0;
        QTest::newRow("ASME") << 0 << 2 << QList<int>{0, 1, 6} << "asmestandard" << "asmegrade"
                              << QList<int>{0, 1, 2, 7, 8} << true << 915.0;
        QTest::newRow("SS back to EN") << 1 << 0 << QList<int>{0, 1, 2, 3, 4, 5, 6} << "standard" << "name"
                                       << QList<int>{0, 1, 2, 3, 4, 5, 7, 8, 9} << false << 615.0;
        QTest::newRow("ASME back to EN") << 2 << 0 << QList<int>{0, 1, 2, 3, 4, 5, 6} << "standard" << "name"
                                         << QList<int>{0, 1, 2, 3, 4, 5, 7, 8, 9} << false << 615.0;
    }
    // clang-format on

    void family()
    {
        QFETCH(int, previous);
        QFETCH(int, family);
        QFETCH(QList<int>, enabled);
        QFETCH(QString, field0);
        QFETCH(QString, field1);
        QFETCH(QList<int>, columns);
        QFETCH(bool, notice);
        QFETCH(double, gridTop);

        chooseFamily(previous);
        frm->txtSearch[1]->setText(QStringLiteral("P2"));
        frm->tdbMaterials_HeadClick(3);
        chooseFamily(family);

        QCOMPARE(frm->ChosenStandard(), frm->cmbChooseStd->itemText(family));
        for (int i = 0; i < 7; ++i) {
            const bool on = enabled.contains(i);
            QCOMPARE(frm->txtSearch[i]->isEnabled(), on);
            QCOMPARE(frm->cmdSelect[i]->isEnabled(), on);
            QVERIFY(frm->txtSearch[i]->text().isEmpty());
            QCOMPARE(frm->txtSearch[i]->palette().color(QPalette::Base),
                     platform::toQColor(on ? platform::olecolor::InfoBackground : platform::olecolor::ButtonFace));
        }
        QCOMPARE(frm->SearchField(0), field0);
        QCOMPARE(frm->SearchField(1), field1);
        QCOMPARE(frm->SearchCaption(1), QStringLiteral("Material Name"));
        for (int c = 0; c < 10; ++c)
            QCOMPARE(frm->tdbMaterials->column(c)->isVisible(), columns.contains(c));
        QCOMPARE(frm->lblStdInfo->isVisibleTo(frm), notice);
        QCOMPARE(platform::topTwips(frm->tdbMaterials), gridTop);
        QCOMPARE(platform::topTwips(frm->tdbMaterials) + platform::heightTwips(frm->tdbMaterials), 4230.0);
        QCOMPARE(frm->dtaMaterials->recordSource(), QStringLiteral("select * from materials order by standard,name"));
        QVERIFY(frm->chkListAll->isChecked());
    }

    // The family is set up when the choice changes, whether by keyboard or from outside.
    void familyChangedAnyWay_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("arrow key") << true;
        QTest::newRow("set from outside") << false;
    }

    void familyChangedAnyWay()
    {
        QFETCH(bool, byKey);
        frm->txtSearch[3]->setText(QStringLiteral("steel"));
        if (byKey)
            QTest::keyClick(frm->cmbChooseStd, Qt::Key_Down);
        else
            frm->cmbChooseStd->setCurrentIndex(1);
        QCOMPARE(frm->cmbChooseStd->currentText(), QStringLiteral("SS"));
        QVERIFY(frm->txtSearch[3]->text().isEmpty());
        QVERIFY(!frm->txtSearch[3]->isEnabled());
        QVERIFY(frm->txtSearch[1]->isEnabled());
        QCOMPARE(frm->lblMatCount->text(), QStringLiteral("40"));
    }

    // Every control a user reaches by keyboard has a name for screen readers; the criteria boxes are
    // named after the check box or label beside them.
    void controlsNamedForScreenReaders()
    {
        const QStringList unnamed = testsupport::unnamedControls(frm);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1String(", "))));
        const char *const names[7] = {"Standard", "Name",          "Number",      "Description",
                                      "Group",    "Revision Date", "Product Form"};
        for (int i = 0; i < 7; ++i) {
            QAccessibleInterface *box = QAccessible::queryAccessibleInterface(frm->txtSearch[i]);
            QCOMPARE(box->text(QAccessible::Name), QString::fromLatin1(names[i]));
            QCOMPARE(int(box->role()), int(QAccessible::EditableText));
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(frm->cmdSelect[1])->text(QAccessible::Name),
                 QStringLiteral("Select Material's 'Name' From List..."));
        QCOMPARE(int(QAccessible::queryAccessibleInterface(frm->cmbChooseStd)->role()), int(QAccessible::ComboBox));
    }

    void listAll()
    {
        QVERIFY(frm->chkListAll->isChecked());
        frm->txtSearch[3]->setText(QStringLiteral("tube"));
        QVERIFY(!frm->chkListAll->isChecked());
        QCOMPARE(frm->lblMatCount->text(), QStringLiteral("1"));

        frm->chkListAll->setChecked(true);
        QVERIFY(frm->txtSearch[3]->text().isEmpty());
        QCOMPARE(frm->lblMatCount->text(), QStringLiteral("40"));

        frm->chkListAll->setChecked(false);
        QVERIFY2(frm->chkListAll->isChecked(), "cannot be unticked while nothing is typed");

        frm->txtSearch[6]->setText(QStringLiteral("tube"));
        QVERIFY(!frm->chkListAll->isChecked());
        frm->txtSearch[6]->setText(QString());
        QVERIFY(frm->chkListAll->isChecked());
    }

    void columnCheckBox()
    {
        mdiVelkor &mdi = searchtest::mainWindow();
        frm->txtSearch[3]->setText(QStringLiteral("tube"));
        frm->chkSearch[3]->setChecked(false);
        QVERIFY(!mdi.ColumnVisible(3));
        QVERIFY(!frm->tdbSelected->column(3)->isVisible());
        QVERIFY(!frm->tdbMaterials->column(3)->isVisible());
        QVERIFY(!frm->txtSearch[3]->isEnabled());
        QVERIFY(!frm->cmdSelect[3]->isEnabled());
        QCOMPARE(frm->chkSearch[3]->toolTip(), QStringLiteral("Show 'Description' Column"));
        QVERIFY(frm->txtSearch[3]->text().isEmpty());
        QCOMPARE(frm->lblMatCount->text(), QStringLiteral("40"));

        chooseFamily(1);
        chooseFamily(0);
        QVERIFY2(!frm->tdbMaterials->column(3)->isVisible(), "a family change keeps an unticked column hidden");
        QVERIFY(!frm->txtSearch[3]->isEnabled());

        frm->chkSearch[3]->setChecked(true);
        QVERIFY(mdi.ColumnVisible(3));
        QVERIFY(frm->tdbSelected->column(3)->isVisible());
        QVERIFY(frm->tdbMaterials->column(3)->isVisible());
        QVERIFY(frm->txtSearch[3]->isEnabled());
        QCOMPARE(frm->chkSearch[3]->toolTip(), QStringLiteral("Hide 'Description' Column"));
    }

    void hiddenColumnAtLoad()
    {
        searchtest::mainWindow().ColumnVisible(4, false);
        frm = env->loadSearch();
        QVERIFY(!frm->chkSearch[4]->isChecked());
        QVERIFY(!frm->tdbMaterials->column(4)->isVisible());
        QVERIFY(!frm->tdbSelected->column(4)->isVisible());
        QVERIFY(frm->tdbMaterials->column(3)->isVisible());
    }

    // clang-format off
    void keyboardFilter_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");

        QTest::newRow("brackets and apostrophe refused") << 1 << "P[2]6'5" << "P265";
        QTest::newRow("comma in the number becomes a point") << 2 << "1,0425" << "1.0425";
        QTest::newRow("comma elsewhere stays") << 3 << "a,b" << "a,b";
        QTest::newRow("product form box refuses too") << 6 << "'pl[ate" << "plate";
    }
    // clang-format on

    void keyboardFilter()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QTest::keyClicks(frm->txtSearch[box], typed);
        QCOMPARE(frm->txtSearch[box]->text(), shown);
    }

    // Typed criteria go into the pattern as Jet reads them: "#" is one digit, a quote stays a quote.
    // clang-format off
    void typedPattern_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("count");

        QTest::newRow("one digit") << 1 << "P#65" << "2";
        QTest::newRow("one digit is not a letter") << 1 << "#265" << "0";
        QTest::newRow("digits in a row") << 2 << "1.0##5" << "3";
        QTest::newRow("quote") << 1 << "O'Neil" << "1";
    }
    // clang-format on

    void typedPattern()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, count);
        frm->txtSearch[box]->setText(typed);
        QCOMPARE(frm->lblMatCount->text(), count);
        QVERIFY(responder->messages().isEmpty());
    }

    // The revision date is matched as the grids write it, the regional short date.
    // clang-format off
    void revisionDateCriterion_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("shortDate");

        QTest::newRow("British") << "en_GB" << "01/09/2009";
        QTest::newRow("German") << "de_DE" << QLocale(QStringLiteral("de_DE")).toString(QDate(2009, 9, 1), QLocale::ShortFormat);
    }
    // clang-format on

    void revisionDateCriterion()
    {
        QFETCH(QString, locale);
        QFETCH(QString, shortDate);
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        auto restore = qScopeGuard([&] { QLocale::setDefault(before); });
        QVERIFY(shortDate.contains(QLatin1String("09")));

        frm = env->loadSearch();
        frm->txtSearch[1]->setText(QStringLiteral("P235GH"));
        QCOMPARE(frm->tdbMaterials->text(0, 5), shortDate);

        frm->txtSearch[1]->clear();
        frm->txtSearch[5]->setText(shortDate);
        QCOMPARE(frm->lblMatCount->text(), QStringLiteral("3"));
        // Part of the date, as the user reads it.
        frm->txtSearch[5]->setText(shortDate.left(5));
        QCOMPARE(frm->lblMatCount->text(), QStringLiteral("3"));
        // The stored form is not what the user sees, so it finds nothing.
        frm->txtSearch[5]->setText(QStringLiteral("2009-09"));
        QCOMPARE(frm->lblMatCount->text(), QStringLiteral("0"));

        // The pick list shows the grid's texts, finds in them and returns the one chosen, with which
        // the search finds its rows.
        const QString latest = QLocale().toString(QDate(2017, 6, 1), QLocale::ShortFormat);
        QStringList listed;
        responder->answerEveryDialog([&](QDialog &dialog) {
            auto *select = qobject_cast<frmSelect *>(&dialog);
            dialog.show();
            for (int row = 0; row < select->dblSelect->model()->rowCount(); ++row)
                listed << select->dblSelect->model()->index(row, 0).data().toString();
            select->txtSearch->setText(latest);
            select->cmdSelect_Click();
        });
        frm->txtSearch[5]->clear();
        frm->cmdSelect_Click(5);
        QCOMPARE(listed.value(0), shortDate);
        QCOMPARE(listed.size(), 3);
        QCOMPARE(frm->txtSearch[5]->text(), latest);
        QCOMPARE(frm->lblMatCount->text(), QStringLiteral("34"));
        QVERIFY(responder->messages().isEmpty());
    }

    void enterInCriterionAddsNothingOnEmptyResult()
    {
        frm->txtSearch[1]->setText(QStringLiteral("no such grade"));
        QTest::keyClick(frm->txtSearch[1], Qt::Key_Return);
        QVERIFY(searchtest::mainWindow().colMaterials.isEmpty());
        QVERIFY(responder->messages().isEmpty());

        frm->txtSearch[1]->setText(QStringLiteral("P355N"));
        QTest::keyClick(frm->txtSearch[1], Qt::Key_Return);
        QCOMPARE(searchtest::mainWindow().colMaterials.count(), 1);
    }

    void layout_data()
    {
        QTest::addColumn<bool>("small");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<QString>("removeCaption");
        QTest::addColumn<bool>("secondBatchButton");
        QTest::addColumn<double>("column1Width");

        QTest::newRow("normal screen") << false << 15090.0 << 10020.0 << "&Remove Material" << false << 2100.0;
        QTest::newRow("small screen") << true << 11700.0 << 7470.0 << "&Remove" << true << 1950.0;
    }

    void layout()
    {
        QFETCH(bool, small);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(QString, removeCaption);
        QFETCH(bool, secondBatchButton);
        QFETCH(double, column1Width);

        env->resetMainWindow();
        searchtest::mainWindow().blnLowResolution = small;
        frm = env->loadSearch();
        QMdiSubWindow *sub = frm->subWindow();
        QVERIFY(sub);
        QCOMPARE(platform::widthTwips(sub), width);
        QCOMPARE(platform::heightTwips(sub), height);
        QCOMPARE(frm->cmdSelections[2]->text(), removeCaption);
        QCOMPARE(frm->cmdBatch[1]->isVisibleTo(frm), secondBatchButton);
        // In the small layout the first batch button would lie below the narrow column, out of sight:
        // the second one takes its place.
        QCOMPARE(frm->cmdBatch[0]->isVisibleTo(frm), !secondBatchButton);
        QCOMPARE(frm->tdbMaterials->column(1)->widthTwips(), column1Width);
        QCOMPARE(double(searchtest::mainWindow().ColumnSize(1)), column1Width);
        if (small)
            QCOMPARE(sub->pos(), QPoint(0, 0));

        sub->show();
        sub->resize(sub->width() + 200, sub->height() - 100);
        QCOMPARE(platform::widthTwips(sub), width);
        QCOMPARE(platform::heightTwips(sub), height);
        sub->showMaximized();
        QCOMPARE(platform::widthTwips(sub), width);
        QCOMPARE(platform::heightTwips(sub), height);
        sub->showMinimized();
        QVERIFY(sub->isMinimized());
        sub->showNormal();

        chooseFamily(2);
        QVERIFY(frm->lblStdInfo->isVisibleTo(frm));
        const QRect notice = frm->lblStdInfo->geometry();
        QVERIFY2(!notice.intersects(frm->tdbMaterials->geometry()), "the notice does not cover the result");
        QVERIFY(frm->framMatTable->rect().contains(frm->tdbMaterials->geometry()));

        const QString shot = QStringLiteral("/tmp/search-shots");
        QDir().mkpath(shot);
        frm->txtSearch[6]->setText(QStringLiteral("plate"));
        sub->grab().save(shot + (small ? QStringLiteral("/search-small.png") : QStringLiteral("/search-normal.png")));
    }

    // The main window opens within the screen's available area, maximised where that area is larger
    // than the window needs, and its work area shows the search window whole.
    void mainWindowOnScreen_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<bool>("maximised");
        QTest::newRow("1280 x 1024") << QRect(0, 0, 1280, 1024) << true;
        QTest::newRow("1280 x 1024 below a panel") << QRect(0, 28, 1280, 996) << true;
        QTest::newRow("800 x 600") << QRect(0, 0, 800, 600) << true;
        QTest::newRow("640 x 480") << QRect(0, 0, 640, 480) << false;
    }

    void mainWindowOnScreen()
    {
        QFETCH(QRect, available);
        QFETCH(bool, maximised);
        mdiVelkor &mdi = searchtest::mainWindow();
        env->resetMainWindow();
        mdi.blnLowResolution = available.width() < 1024;
        frm = env->loadSearch();
        frm->subWindow()->show();

        const QSize needed = mdi.NeededSize();
        const mdiVelkor::ScreenPlacement placement = mdiVelkor::PlaceOnScreen(available, needed);
        QCOMPARE(placement.maximised, maximised);
        QVERIFY(available.contains(placement.normal));
        QCOMPARE(placement.normal.topLeft(), available.topLeft());

        // At the size it needs, the work area holds the whole search window.
        mdi.showNormal();
        mdi.setGeometry(QRect(available.topLeft(), needed));
        QTRY_COMPARE(mdi.size(), needed);
        QVERIFY(mdi.mdiArea()->viewport()->rect().contains(frm->subWindow()->geometry()));
        if (!maximised) {
            // Too small a screen: the window takes the available area as a normal window.
            platform::setAvailableScreenOverride(available);
            auto restore = qScopeGuard([] { platform::setAvailableScreenOverride(QRect()); });
            mdi.ShowOnScreen();
            QTRY_COMPARE(mdi.frameGeometry().topLeft(), available.topLeft());
            QVERIFY(available.contains(mdi.frameGeometry()));
            QVERIFY(!mdi.isMaximized());
        }
    }

    void closeButtonDoesNothing()
    {
        QMdiSubWindow *sub = frm->subWindow();
        sub->show();
        QVERIFY(!sub->close());
        QVERIFY(frmSearch::instance() == frm);
        QVERIFY(sub->isVisible());
    }

    void newestRevision() { QCOMPARE(frm->LastUpdated(), QDate(2017, 6, 1)); }

    void emptyStandardTable()
    {
        QTemporaryDir other;
        env->useDatabase(searchtest::createMaterialDb(other.path(), false));
        frm = env->loadSearch();
        QVERIFY(frm->LastUpdated().isNull());
        QCOMPARE(frm->lblMatCount->text(), QStringLiteral("40"));
    }

    void savedCriteria()
    {
        mdiVelkor &mdi = searchtest::mainWindow();
        mdi.SavedSearch(0, QStringLiteral("SA-516"));
        mdi.SavedSearch(3, QStringLiteral("steel"));
        mdi.SavedSearch(7, QStringLiteral("2"));
        frm = env->loadSearch();
        QCOMPARE(frm->cmbChooseStd->currentText(), QStringLiteral("ASME"));
        QCOMPARE(frm->txtSearch[0]->text(), QStringLiteral("SA-516"));
        QVERIFY2(frm->txtSearch[3]->text().isEmpty(), "a box the family does not offer stays empty");
        QCOMPARE(frm->lblMatCount->text(), QStringLiteral("2"));

        frm->txtSearch[1]->setText(QStringLiteral("65"));
        QCOMPARE(mdi.SavedSearch(1), QStringLiteral("65"));
        chooseFamily(1);
        QCOMPARE(mdi.SavedSearch(7), QStringLiteral("1"));
        frm->txtSearch[1]->setText(QStringLiteral("1330"));
        frm->Form_Unload();
        QCOMPARE(mdi.SavedSearch(0), QString());
        QCOMPARE(mdi.SavedSearch(1), QStringLiteral("1330"));
        QCOMPARE(mdi.SavedSearch(7), QStringLiteral("1"));
    }

    void pmaButton_data()
    {
        QTest::addColumn<bool>("indexPresent");
        QTest::newRow("index present") << true;
        QTest::newRow("index missing") << false;
    }

    void pmaButton()
    {
        QFETCH(bool, indexPresent);
        if (indexPresent)
            searchtest::createPmaDb(env->folder());
        frm = env->loadSearch();
        QCOMPARE(frm->cmdShowPmaIndex->isVisibleTo(frm), indexPresent);
        if (!indexPresent)
            return;
        QString shown;
        QSize size;
        int rows = -1;
        responder->answerEveryDialog([&](QDialog &dialog) {
            shown = dialog.objectName();
            size = dialog.size();
            if (auto *pma = qobject_cast<frmPmaIndex *>(&dialog))
                rows = pma->tdbIndex->rowCount();
        });
        // On a screen that holds it the index keeps its size.
        platform::setAvailableScreenOverride(QRect(0, 0, 1280, 1024));
        frm->cmdShowPmaIndex->click();
        platform::setAvailableScreenOverride(QRect());
        QCOMPARE(shown, QStringLiteral("frmPmaIndex"));
        QCOMPARE(size, QSize(platform::twipsToPixels(12800), platform::twipsToPixels(8500)));
        QCOMPARE(rows, 3);
    }
};

int runWindowTests(int argc, char **argv)
{
    SearchWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_search_window.moc"
