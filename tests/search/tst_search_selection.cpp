// The selection of the search window and its two grids: adding, removing, opening, sorting,
// column widths, cell tips, navigation, drag and drop.

#include "searchfixture.h"

#include "controls/DataGrid.h"
#include "core/modDBase.h"
#include "db/DataControl.h"
#include "db/Recordset.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "search/frmSearch.h"
#include "shell/mdiVelkor.h"

#include "PrivateCopy.h"
#include "ProgramDatabase.h"
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using searchtest::SearchEnv;

class SearchSelectionTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SearchEnv> env;
    std::unique_ptr<platform::ScriptedResponder> responder;
    frmSearch *frm = nullptr;

    mdiVelkor &mdi() { return searchtest::mainWindow(); }

    // Makes the result row with this material id current.
    void goToMaterial(int id)
    {
        db::Recordset *rs = frm->dtaMaterials->recordset();
        rs->findFirst(QStringLiteral("matID = %1").arg(id));
        QVERIFY(!rs->noMatch());
    }

    void addMaterial(int id)
    {
        goToMaterial(id);
        frm->cmdSelectMat_Click();
    }

    QList<QMdiSubWindow *> materialWindows()
    {
        QList<QMdiSubWindow *> windows;
        for (QMdiSubWindow *sub : mdi().mdiArea()->subWindowList(QMdiArea::CreationOrder))
            if (qobject_cast<frmMaterial2 *>(sub->widget()))
                windows << sub;
        return windows;
    }

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

    void limitOfThirty()
    {
        QCOMPARE(frm->lblSelCount->text(), QStringLiteral("No Materials Currently Selected"));
        for (int id = 1; id <= 30; ++id) {
            addMaterial(id);
            QCOMPARE(frm->cmdSelectMat->isEnabled(), id < 30);
        }
        QCOMPARE(mdi().colMaterials.count(), 30);
        QCOMPARE(frm->lblSelCount->text(), QStringLiteral("30 Materials Currently Selected"));
        QCOMPARE(frm->tdbSelected->rowCount(), 30);
        QVERIFY(responder->messages().isEmpty());

        // The 31st arrives by double click, by a drop and by Enter; each is refused.
        goToMaterial(31);
        frm->tdbMaterials_DblClick();
        frm->tdbSelected_DragDrop(frm->tdbMaterials->objectName());
        int enter = 13;
        frm->tdbMaterials_KeyDown(enter);
        QCOMPARE(mdi().colMaterials.count(), 30);
        const QList<platform::MessageRequest> messages = responder->messages();
        QCOMPARE(messages.size(), 3);
        for (const platform::MessageRequest &message : messages) {
            QCOMPARE(message.text, QStringLiteral("You have already selected the Maximum Number of Materials"));
            QCOMPARE(message.icon(), int(platform::vbInformation));
        }

        goToMaterial(31);
        frm->tdbSelected->setCurrentRow(0);
        frm->cmdSelections_Click(2);
        QVERIFY2(frm->cmdSelectMat->isEnabled(), "a removal enables adding again");
        QCOMPARE(frm->lblSelCount->text(), QStringLiteral("29 Materials Currently Selected"));
    }

    void duplicate()
    {
        addMaterial(2);
        addMaterial(2);
        QCOMPARE(mdi().colMaterials.count(), 1);
        QCOMPARE(frm->lblSelCount->text(), QStringLiteral("1 Material Currently Selected"));
        const QList<platform::MessageRequest> messages = responder->messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, QStringLiteral("This Material is already selected!"));
        QCOMPARE(messages[0].title, QStringLiteral("Duplicate Choice"));
        QCOMPARE(messages[0].icon(), 0);
    }

    void addedMaterialIdentity()
    {
        addMaterial(5);
        const MaterialPtr material = mdi().colMaterials.item(QStringLiteral("5"));
        QCOMPARE(material->ID(), qint16(5));
        QCOMPARE(material->Name(), QStringLiteral("P265GH"));
        QCOMPARE(material->Standard(), QStringLiteral("EN 10216-2"));
        QCOMPARE(material->StandardID(), qint16(3));
        QVERIFY(material->OthersElement());
    }

    // Ids are the database's long numbers: a grade numbered beyond the 16-bit range is added,
    // opened and removed like any other.
    void largeIds_data()
    {
        QTest::addColumn<int>("id");
        QTest::newRow("last 16-bit id") << 32767;
        QTest::newRow("first id beyond it") << 32768;
        QTest::newRow("beyond 65535") << 70001;
        QTest::newRow("largest long") << 2147483647;
    }

    void largeIds()
    {
        QFETCH(int, id);
        const QString path = frm->dtaMaterials->databaseName();
        env->closeWindows();
        testsupport::ProgramDatabase::close();
        QVERIFY(
            searchtest::appendSql(path, {QStringLiteral("UPDATE materials SET matID = %1 WHERE matID = 5").arg(id)}));
        env->useDatabase(path);
        frm = env->loadSearch();
        QVERIFY(frm);

        addMaterial(id);
        addMaterial(2);
        addMaterial(id);
        QCOMPARE(mdi().colMaterials.count(), 2);
        QCOMPARE(responder->messageTitles(), QStringList{QStringLiteral("Duplicate Choice")});
        const MaterialPtr material = mdi().colMaterials.item(QString::number(id));
        QVERIFY(material);
        QCOMPARE(material->ID(), id);
        QCOMPARE(material->Name(), QStringLiteral("P265GH"));
        QCOMPARE(frm->tdbSelected->rowCount(), 2);

        frm->cmdSelections_Click(0);
        QVERIFY(material->MyForm());
        QCOMPARE(material->MyForm()->windowTitle(), QStringLiteral("Name: P265GH Number: 1.0425 Standard: EN 10216-2"));

        mdi().SelectMaterials();
        frm->tdbSelected->setCurrentRow(1); // ordered by standard: 10028-2 first, then 10216-2
        QCOMPARE(frm->dtaSelected->recordset()->field(QStringLiteral("matID")).toLongLong(), qint64(id));
        frm->cmdSelections_Click(2);
        QCOMPARE(mdi().colMaterials.count(), 1);
        QCOMPARE(mdi().colMaterials.item(1)->ID(), 2);
    }

    void familyWarning_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("added");

        QTest::newRow("SS, a row found") << 1 << "1330" << 1;
        QTest::newRow("ASME, a row found") << 2 << "Grade 60" << 1;
        QTest::newRow("SS, nothing found") << 1 << "no such grade" << 0;
    }

    void familyWarning()
    {
        QFETCH(int, family);
        QFETCH(QString, name);
        QFETCH(int, added);

        chooseFamily(family);
        frm->txtSearch[1]->setText(name);
        frm->cmdSelectMat_Click();
        QCOMPARE(mdi().colMaterials.count(), added);
        const QList<platform::MessageRequest> messages = responder->messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].title, QStringLiteral("ASME/SS-standard"));
        QCOMPARE(messages[0].text,
                 QStringLiteral("You have entered an ASME/SS-standard. \r\nThe material properties given "
                                "by VELKOR PED are valid for EN-standards only."));
        QCOMPARE(messages[0].icon(), int(platform::vbExclamation));
    }

    void removeAndClear()
    {
        frm->cmdSelections_Click(2);
        frm->cmdSelections_Click(1);
        QVERIFY2(!frm->BinIsFull(), "nothing to remove changes nothing");

        for (int id : {1, 4, 6})
            addMaterial(id);
        QCOMPARE(frm->lblSelCount->text(), QStringLiteral("3 Materials Currently Selected"));
        // Selection order: standard, name.
        QCOMPARE(frm->tdbSelected->text(1, 1), QStringLiteral("P355N"));
        frm->tdbSelected->setCurrentRow(1);
        frm->imgBin_DragDrop(frm->tdbSelected->objectName());
        QVERIFY(!mdi().colMaterials.contains(QStringLiteral("4")));
        QCOMPARE(frm->lblSelCount->text(), QStringLiteral("2 Materials Currently Selected"));
        QVERIFY(frm->BinIsFull());
        QCOMPARE(frm->dtaSelected->recordSource(),
                 QStringLiteral("select * from Materials where matId = 1 or matId = 6 order by standard, name"));

        frm->cmdSelections_Click(1);
        QVERIFY(mdi().colMaterials.isEmpty());
        QCOMPARE(frm->tdbSelected->rowCount(), 0);
        QCOMPARE(frm->lblSelCount->text(), QStringLiteral("No Materials Currently Selected"));
        QCOMPARE(frm->dtaSelected->recordSource(), QStringLiteral("select * from materials where matid = 0"));
        QVERIFY(frm->cmdSelectMat->isEnabled());
    }

    void drops()
    {
        const QString result = frm->tdbMaterials->objectName();
        const QString selected = frm->tdbSelected->objectName();
        goToMaterial(2);
        frm->imgBin_DragDrop(result);
        frm->tdbMaterials_DragDrop(result);
        QVERIFY(mdi().colMaterials.isEmpty());
        frm->imgFolder_DragDrop(QStringLiteral("txtSearch1"));
        QVERIFY(mdi().colMaterials.isEmpty());
        frm->imgFolder_DragDrop(result);
        QCOMPARE(mdi().colMaterials.count(), 1);
        goToMaterial(3);
        frm->tdbSelected_DragDrop(result);
        QCOMPARE(mdi().colMaterials.count(), 2);

        frm->imgFolder_DragDrop(selected);
        frm->tdbSelected_DragDrop(selected);
        QCOMPARE(mdi().colMaterials.count(), 2);
        frm->tdbSelected->setCurrentRow(0);
        frm->tdbMaterials_DragDrop(selected);
        QCOMPARE(mdi().colMaterials.count(), 1);
    }

    // clang-format off
    void refreshSelected_data()
    {
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("source");

        QTest::newRow("none") << QList<int>() << "" << "select * from materials where matId = 0";
        QTest::newRow("two, no order") << QList<int>{12, 40} << ""
                                       << "select * from Materials where matId = 12 or matId = 40 order by standard, name";
        QTest::newRow("three, by name") << QList<int>{3, 1, 2} << "name"
                                        << "select * from Materials where matId = 3 or matId = 1 or matId = 2 order by name";
    }
    // clang-format on

    void refreshSelected()
    {
        QFETCH(QList<int>, ids);
        QFETCH(QString, order);
        QFETCH(QString, source);
        for (int id : ids)
            addMaterial(id);
        frm->RefreshSelected(order);
        QCOMPARE(frm->dtaSelected->recordSource(), source);
        QCOMPARE(frm->tdbSelected->rowCount(), ids.size());
    }

    void selectionHeaderSortsByFamilyField()
    {
        addMaterial(1);
        addMaterial(2);
        chooseFamily(1);
        frm->tdbSelected_HeadClick(1);
        QCOMPARE(frm->dtaSelected->recordSource(),
                 QStringLiteral("select * from Materials where matId = 1 or matId = 2 order by ss"));
    }

    void openSelected_data()
    {
        QTest::addColumn<int>("arrange");
        QTest::addColumn<bool>("batch");
        QTest::addColumn<QList<double>>("tops");

        QTest::newRow("cascade") << 0 << false << QList<double>{0, 300, 600};
        QTest::newRow("tiled") << 1 << false << QList<double>{0, 5050, 5050};
        QTest::newRow("cascade, batch print") << 0 << true << QList<double>{0, 300, 600};
    }

    void openSelected()
    {
        QFETCH(int, arrange);
        QFETCH(bool, batch);
        QFETCH(QList<double>, tops);

        mdi().iWindowArrange = qint16(arrange);
        mdi().blnBatchPrint = batch;
        frm->cmdSelections_Click(0);
        QVERIFY2(materialWindows().isEmpty(), "an empty selection opens nothing");
        QVERIFY(frm->subWindow()->isVisible());

        for (int id : {2, 1, 4})
            addMaterial(id);
        frm->ShowSelections();

        const QList<QMdiSubWindow *> windows = materialWindows();
        QCOMPARE(windows.size(), 3);
        const QStringList captions = {QStringLiteral("Name: P265GH Number: 1.0425 Standard: EN 10028-2"),
                                      QStringLiteral("Name: P235GH Number: 1.0345 Standard: EN 10028-2"),
                                      QStringLiteral("Name: P355N Number: 1.0562 Standard: EN 10028-3")};
        for (int i = 0; i < 3; ++i) {
            auto *window = static_cast<frmMaterial2 *>(windows[i]->widget());
            QCOMPARE(window->windowTitle(), captions[i]);
            QCOMPARE(window->mMat, mdi().colMaterials.item(i + 1));
            QCOMPARE(window->mMat->MyForm(), window);
            QCOMPARE(windows[i]->isVisible(), !batch);
            // Positions are whole pixels: within one pixel of the twips asked for.
            QVERIFY(qAbs(platform::topTwips(windows[i]) - tops[i]) < platform::TwipsPerPixel);
        }
        QCOMPARE(mdi().iMaterialsOpen, qint16(3));
        QVERIFY(!frm->subWindow()->isVisible());
        QCOMPARE(mdi().colMaterials.count(), 3);
        QCOMPARE(mdi().strLastWindowButton, arrange ? QStringLiteral("Horizontal") : QStringLiteral("Cascade"));
        QCOMPARE(mdi().strLastViewButton, QStringLiteral("Ref"));
        QCOMPARE(mdi().mnuFileElem[0]->text(), QStringLiteral("Select &Material(s)"));
        QVERIFY(mdi().mnuFileElem[2]->isEnabled());
        QVERIFY(mdi().mnuView->menuAction()->isVisible());
        QCOMPARE(mdi().mnuWindowElem[1]->isChecked(), arrange != 0);
    }

    void sorting_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("footer");
        QTest::addColumn<QString>("source");

        QTest::newRow("EN name header") << 0 << "" << 1 << false << "select * from materials order by name ASC";
        QTest::newRow("SS name header") << 1 << "" << 1 << false << "select * from materials order by ss ASC";
        QTest::newRow("ASME name header") << 2 << "" << 1 << false << "select * from materials order by asmegrade ASC";
        QTest::newRow("ASME standard footer")
            << 2 << "" << 0 << true << "select * from materials order by asmestandard DESC";
        QTest::newRow("footer keeps the criteria")
            << 0 << "P2" << 2 << true << "select * from materials where  name like '*P2*' order by numbr DESC";
        QTest::newRow("SS column header") << 0 << "" << 9 << false << "select * from materials order by ss ASC";
    }

    void sorting()
    {
        QFETCH(int, family);
        QFETCH(QString, name);
        QFETCH(int, column);
        QFETCH(bool, footer);
        QFETCH(QString, source);

        chooseFamily(family);
        frm->txtSearch[1]->setText(name);
        if (footer)
            frm->tdbMaterials_FootClick(column);
        else
            frm->tdbMaterials_HeadClick(column);
        QCOMPARE(frm->dtaMaterials->recordSource(), source);
    }

    void descendingOrderShowsLastFirst()
    {
        frm->tdbMaterials_FootClick(0);
        QCOMPARE(frm->tdbMaterials->text(0, 0), QStringLiteral("EN 10216-2"));
        frm->tdbMaterials_HeadClick(0);
        QCOMPARE(frm->tdbMaterials->text(0, 0), QStringLiteral("EN 10028-2"));
    }

    void columnWidths()
    {
        bool cancel = false;
        frm->tdbMaterials->column(3)->setWidthTwips(2400);
        frm->tdbMaterials_ColResize(3);
        QCOMPARE(frm->tdbSelected->column(3)->widthTwips(), 2400.0);
        QCOMPARE(double(mdi().ColumnSize(3)), 2400.0);

        const double selected5 = frm->tdbSelected->column(5)->widthTwips();
        frm->tdbMaterials->column(8)->setWidthTwips(900);
        frm->tdbMaterials_ColResize(8);
        QCOMPARE(frm->tdbSelected->column(5)->widthTwips(), selected5);

        frm->tdbSelected->column(2)->setWidthTwips(1650);
        frm->tdbSelected_ColResize(2);
        QCOMPARE(frm->tdbMaterials->column(2)->widthTwips(), 1650.0);
        QCOMPARE(double(mdi().ColumnSize(2)), 1350.0);
        QVERIFY(!cancel);

        // What was stored is what the next load gives both grids.
        frm = env->loadSearch();
        QCOMPARE(frm->tdbMaterials->column(3)->widthTwips(), 2400.0);
        QCOMPARE(frm->tdbSelected->column(3)->widthTwips(), 2400.0);
        QCOMPARE(frm->tdbMaterials->column(2)->widthTwips(), 1350.0);
    }

    void cellTips_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("tip");

        QTest::newRow("header") << "" << 1 << int(controls::DataGrid::HeaderRow) << " Order by 'EN Name' - Ascending ";
        QTest::newRow("footer") << "" << 3 << int(controls::DataGrid::FooterRow)
                                << " Order by 'Description' - Descending ";
        QTest::newRow("data cell") << "" << 1 << 0 << "";
        QTest::newRow("column outside") << "" << 10 << int(controls::DataGrid::HeaderRow) << "unchanged";
        QTest::newRow("no rows") << "no such grade" << 1 << int(controls::DataGrid::HeaderRow) << "unchanged";
    }

    void cellTips()
    {
        QFETCH(QString, name);
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QString, tip);
        frm->txtSearch[1]->setText(name);
        QString cellTip = QStringLiteral("unchanged");
        frm->tdbMaterials_FetchCellTips(column, row, cellTip);
        QCOMPARE(cellTip, tip);
    }

    void navigation_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("expected");

        // Four result rows (name like P), three selected rows.
        QTest::newRow("result first") << 0 << 3 << 0;
        QTest::newRow("result previous on first") << 1 << 0 << 0;
        QTest::newRow("result next") << 2 << 1 << 2;
        QTest::newRow("result next on last") << 2 << 3 << 3;
        QTest::newRow("result last") << 3 << 0 << 3;
        QTest::newRow("selection previous on first") << 5 << 0 << 0;
        QTest::newRow("selection next on last") << 6 << 2 << 2;
        QTest::newRow("selection last") << 7 << 0 << 2;
        QTest::newRow("selection first") << 4 << 2 << 0;
    }

    void navigation()
    {
        QFETCH(int, button);
        QFETCH(int, start);
        QFETCH(int, expected);

        frm->txtSearch[1]->setText(QStringLiteral("P"));
        QCOMPARE(frm->lblMatCount->text(), QStringLiteral("4"));
        for (int id : {1, 2, 4})
            addMaterial(id);
        db::Recordset *rs = button < 4 ? frm->dtaMaterials->recordset() : frm->dtaSelected->recordset();
        controls::DataGrid *grid = button < 4 ? frm->tdbMaterials : frm->tdbSelected;
        rs->setAbsolutePosition(start);
        frm->cmdTabNav_Click(button);
        QCOMPARE(rs->absolutePosition(), expected);
        QCOMPARE(grid->currentRow(), expected);
    }

    void demoDatabase()
    {
        const QString demo = QStringLiteral(VELKOR_BIN_DIR) + QStringLiteral("/Velkor_PED.mdb");
        if (!QFile::exists(demo))
            QSKIP("the demo database is not built");
        const QString copy = testsupport::privateCopy(demo, env->folder());
        QVERIFY(!copy.isEmpty());
        env->useDatabase(copy, QStringLiteral(";Pwd=" VELKOR_DB_PASSWORD));
        QVERIFY(modDBase::gMaterialDb);
        frm = env->loadSearch();
        QVERIFY(frm->lblMatCount->text().toInt() >= 30);
        frm->txtSearch[1]->setText(QStringLiteral("P265GH"));
        QVERIFY(frm->lblMatCount->text().toInt() >= 2);
        for (int row = 0; row < 2; ++row) {
            frm->tdbMaterials->setCurrentRow(row);
            frm->tdbMaterials_DblClick();
        }
        QCOMPARE(mdi().colMaterials.count(), 2);
        QCOMPARE(mdi().colMaterials.item(1)->Name(), QStringLiteral("P265GH"));
        QVERIFY(mdi().colMaterials.item(1)->Standard() != mdi().colMaterials.item(2)->Standard());
        frm->ShowSelections();
        QCOMPARE(materialWindows().size(), 2);
        QVERIFY(responder->messages().isEmpty());
        mdi().resize(1280, 900);
        QTest::qWait(50);
        mdi().grab().save(QStringLiteral("/tmp/search-shots/opened.png"));
    }

    // A Jet file whose tables were changed after their rows were written (a column added to the
    // grades, an OLE column to the standards, where one standard holds a picture): every grade is
    // listed with its name and opens.
    void jetFileWithHistory()
    {
        const QString copy = testsupport::privateCopy(
            QStringLiteral(VELKOR_SOURCE_DIR "/tests/fixtures/jet-real/Velkor_PED_history.mdb"), env->folder());
        QVERIFY(!copy.isEmpty());
        env->useDatabase(copy, QStringLiteral(";Pwd=" VELKOR_DB_PASSWORD));
        QVERIFY(modDBase::gMaterialDb);
        frm = env->loadSearch();
        QCOMPARE(frm->lblMatCount->text(), QStringLiteral("4"));
        int nameColumn = -1;
        for (int c = 0; c < frm->tdbMaterials->columnCount(); ++c)
            if (frm->tdbMaterials->column(c)->dataField() == QLatin1String("name"))
                nameColumn = c;
        QVERIFY(nameColumn >= 0);
        QStringList names;
        for (int row = 0; row < frm->tdbMaterials->rowCount(); ++row)
            names << frm->tdbMaterials->text(row, nameColumn);
        // In the order "standard, name".
        QCOMPARE(names, (QStringList{"16Mo3", "P265GH", "O'Brien test grade", "X5CrNi18-10"}));
        frm->subWindow()->grab().save(QStringLiteral("/tmp/search-shots/jet-history-search.png"));
        for (int row = 0; row < 4; ++row) {
            frm->tdbMaterials->setCurrentRow(row);
            frm->tdbMaterials_DblClick();
        }
        frm->ShowSelections();
        QCOMPARE(materialWindows().size(), 4);
        QVERIFY(responder->messages().isEmpty());
        mdi().resize(1280, 900);
        QTest::qWait(50);
        mdi().grab().save(QStringLiteral("/tmp/search-shots/jet-history.png"));
    }

    void navigationOnEmptyResult()
    {
        frm->txtSearch[1]->setText(QStringLiteral("no such grade"));
        for (int button = 0; button < 8; ++button)
            frm->cmdTabNav_Click(button);
        QVERIFY(responder->messages().isEmpty());
    }
};

int runSelectionTests(int argc, char **argv)
{
    SearchSelectionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_search_selection.moc"
