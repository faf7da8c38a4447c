// The material window: header, product forms, fixed size, table dispatch, notes pane, no-data note.

#include "tst_material.h"

#include "AccessibleNames.h"

#include "controls/DataGrid.h"
#include "db/DataControl.h"
#include "material/NoDataNote.h"
#include "material/TextBox.h"
#include "material/frmMaterial2.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "shell/mdiVelkor.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {

QStringList productFormRows(const QList<int> &listed)
{
    QStringList rows{QStringLiteral("INSERT INTO ProdForm VALUES (3, 'Plate'), (7, 'Bar'), (12, 'Tube')")};
    for (int id : listed)
        rows << QStringLiteral("INSERT INTO StandProdForm VALUES (5, %1)").arg(id);
    return rows;
}

QStringList creepRows()
{
    return {
        QStringLiteral("INSERT INTO Columns VALUES (1, 'Temperature', 1), (2, 'Rm 10000', 2), (3, 'Rm 100000', 2), "
                       "(4, 'Rp1 10000', 2)"),
        QStringLiteral("INSERT INTO Units VALUES (1, '[°C]'), (2, '[MPa]')"),
        QStringLiteral("INSERT INTO CreepPropTable VALUES (5, 1, NULL, NULL, '900', 1), (5, 2, NULL, NULL, '900', 2), "
                       "(5, 3, NULL, NULL, '900', 3), (5, 4, NULL, NULL, '900', 4)"),
        QStringLiteral(
            "INSERT INTO CreepProperties VALUES (1, 1, 1, 1, '380'), (1, 1, 2, 2, '229'), (1, 1, 3, 3, '-'), "
            "(1, 1, 4, 4, '165'), (1, 2, 1, 1, '400'), (1, 2, 2, 2, '210'), (1, 2, 3, 3, ' '), "
            "(1, 2, 4, 4, '150')")};
}

QStringList thicknessRows(const QString &key, const QList<int> &thicknesses)
{
    QStringList rows;
    int ordering = 0;
    for (int t : thicknesses)
        for (int temp : {100, 200}) {
            ++ordering;
            rows << QStringLiteral("INSERT INTO %1 VALUES (1, %2, '%3', %4, %5)")
                        .arg(key)
                        .arg(temp)
                        .arg(300 - temp / 10 - t)
                        .arg(t)
                        .arg(temp / 100);
        }
    return rows;
}

} // namespace

void tst_material::setMaterialFillsHeader()
{
    Fixture fixture(baseRows() << productFormRows({3, 7, 12}));
    QVERIFY(fixture.isOpen());
    platform::ScriptedResponder responder;
    const MaterialPtr m = fixture.material(1);
    auto w = openWindow(m);

    QCOMPARE(responder.count(), 0);
    QCOMPARE(
        w->dtaTable->recordSource(),
        QStringLiteral("select * from ProdForm where prodFID = 3 or prodFID = 7 or prodFID = 12 order by productForm"));
    const QString shortDate = QLocale().dateFormat(QLocale::ShortFormat);
    const QStringList expected{" EN 1",
                               "Plates for pressure purposes",
                               " G1",
                               " Carbon steel",
                               " 1.0001",
                               " 1.1",
                               " " + QDate(2008, 6, 1).toString(shortDate),
                               " Bar, Plate, Tube",
                               " " + QDate(2007, 12, 1).toString(shortDate)};
    for (int i = 0; i < 9; ++i)
        QCOMPARE(w->txtMainData[i]->toPlainText(), expected.at(i));
    QCOMPARE(w->txtMainData[8]->toolTip(), QStringLiteral("Date Velkor-PED last updated for this Standard"));
    QCOMPARE(w->txtMainData[6]->toolTip(), QStringLiteral("Date Velkor-PED last updated for this Material"));

    QVERIFY(m->HasProductForms());
    const platform::VbArray<QString> forms = m->ProductForms();
    QCOMPARE(forms.lowerBound(), 0);
    QCOMPARE(forms.upperBound(), 2);
    QCOMPARE(forms.at(0), QStringLiteral("Bar"));
    QCOMPARE(forms.at(2), QStringLiteral("Tube"));

    QCOMPARE(m->MyForm(), w.get());
    QCOMPARE(w->mMat, m);
    QCOMPARE(w->strCurrentTable, QStringLiteral("Ref"));
    QVERIFY(m->TableHasData(QStringLiteral("Ref")));
    QVERIFY(!m->TableChecked(QStringLiteral("ChemComp")));
    QVERIFY(w->isHidden());
    QCOMPARE(w->iReportType, frmMaterial2::ReportType::Full);
    QCOMPARE(w->TimerFlash->interval(), 1000);
    QVERIFY(w->TimerFlash->isActive());
    // A new window shows its header only, not every panel stacked.
    QVERIFY(!w->framMain->isHidden());
    QVERIFY(w->tdbTable->isHidden());
    QVERIFY(w->tdbBoundTable->isHidden());
    QVERIFY(w->framDesign->isHidden());
    QVERIFY(w->framChart->isHidden());
    QCOMPARE(w->lblDesignTemp->text(), QStringLiteral("Design temperature [°C]"));
    QCOMPARE(w->tdbBoundTable->column(0)->caption(), crlf("Temperature \n\n[°C]"));
    QCOMPARE(w->tdbBoundTable->column(0)->dataField(), QStringLiteral("temp"));

    w->ShowTable(QStringLiteral("Ref"));
    QVERIFY(!w->framStand->isHidden());
    QVERIFY(!w->framMain->isHidden());
    QCOMPARE(w->framStand->geometry(), twips(240, 240, 10695, 2535));
    QCOMPARE(w->framMain->geometry(), twips(240, 2895, 10695, 1575));
    QVERIFY(w->tdbTable->isHidden());
    QVERIFY(w->framNotes->isHidden());
}

void tst_material::productForms_data()
{
    QTest::addColumn<QList<int>>("listed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("forms"); // empty: not assigned

    QTest::newRow("none listed") << QList<int>{} << "" << QStringList{};
    QTest::newRow("one") << QList<int>{12} << " Tube" << QStringList{"Tube"};
    QTest::newRow("id without row") << QList<int>{3, 99} << " Plate" << QStringList{"Plate"};
    QTest::newRow("id listed twice") << QList<int>{7, 7} << " Bar" << QStringList{"Bar"};
    QTest::newRow("only unknown ids") << QList<int>{98, 99} << "" << QStringList{};
}

void tst_material::productForms()
{
    QFETCH(QList<int>, listed);
    QFETCH(QString, shown);
    QFETCH(QStringList, forms);

    Fixture fixture(baseRows() << productFormRows(listed));
    platform::ScriptedResponder responder;
    const MaterialPtr m = fixture.material(1);
    auto w = openWindow(m);
    QCOMPARE(responder.count(), 0);
    QCOMPARE(w->txtMainData[7]->toPlainText(), shown);
    QCOMPARE(m->HasProductForms(), !forms.isEmpty());
    QCOMPARE(m->ProductForms().isAllocated(), !forms.isEmpty());
    for (int i = 0; i < forms.size(); ++i)
        QCOMPARE(m->ProductForms().at(i), forms.at(i));
    if (!forms.isEmpty())
        QCOMPARE(m->ProductForms().upperBound(), forms.size() - 1);
}

void tst_material::fixedSizeInMdiArea()
{
    Fixture fixture(baseRows());
    m_mdi->show();
    auto hideMain = qScopeGuard([this] { m_mdi->hide(); });
    auto *w = new frmMaterial2;
    QMdiSubWindow *sub = m_mdi->mdiArea()->addSubWindow(w);
    const MaterialPtr material = fixture.material(1);
    w->SetMaterial(material);
    const QSize fixed(platform::twipsToPixels(11280), platform::twipsToPixels(5040));
    sub->show();
    w->show();
    QTRY_COMPARE(sub->size(), fixed);
    // The layout reaches down to the notes strip: the client area holds it.
    QVERIFY(w->height() >= platform::twipsToPixels(4575));

    // Activation makes the material current.
    m_mdi->mCurrent.reset();
    m_mdi->mdiArea()->setActiveSubWindow(nullptr);
    m_mdi->mdiArea()->setActiveSubWindow(sub);
    QTRY_COMPARE(m_mdi->mCurrent, material);

    sub->resize(400, 200);
    QTRY_COMPARE(sub->size(), fixed);

    sub->showMaximized();
    QTRY_VERIFY(sub->isMaximized());
    QVERIFY(sub->size() != fixed);

    const qint16 open = m_mdi->iMaterialsOpen;
    sub->close();
    QCOMPARE(m_mdi->iMaterialsOpen, qint16(open - 1));
    m_mdi->iMaterialsOpen = open;
}

void tst_material::elevatedShowsRp02_data()
{
    QTest::addColumn<int>("selectedBefore"); // -1: none
    QTest::newRow("no option selected") << -1;
    QTest::newRow("Rm selected") << 2;
    QTest::newRow("Rp0,2 selected") << 0;
}

void tst_material::elevatedShowsRp02()
{
    QFETCH(int, selectedBefore);
    Fixture fixture(baseRows() << thicknessRows(QStringLiteral("Rp02"), {-1}));
    platform::ScriptedResponder responder;
    auto w = openWindow(fixture.material(1));
    if (selectedBefore >= 0)
        w->optMechProp[selectedBefore]->setChecked(true);
    const QString key = QStringLiteral("Elevated");
    w->ShowTable(key);
    QCOMPARE(key, QStringLiteral("Elevated"));

    QCOMPARE(responder.count(), 0);
    QCOMPARE(w->strCurrentTable, QStringLiteral("Rp02"));
    QVERIFY(w->optMechProp[0]->isChecked());
    QVERIFY(!w->optMechProp[2]->isChecked());
    QVERIFY(!w->lblElevated->isHidden());
    QVERIFY(!w->framMechOpt->isHidden());
    QVERIFY(!w->framOptions->isHidden());
    QVERIFY(!w->tdbBoundTable->isHidden());
    QCOMPARE(w->tdbBoundTable->column(1)->dataField(), QStringLiteral("Rp02"));
    QCOMPARE(w->tdbBoundTable->rowCount(), 2);

    // The physical tables hide the elevated-temperature options.
    w->ShowTable(QStringLiteral("ModElast"));
    QVERIFY(w->lblElevated->isHidden());
    QVERIFY(w->framMechOpt->isHidden());
    QVERIFY(!w->framOptions->isHidden());
}

// Every control a user reaches by keyboard has a name for screen readers; the header boxes are named
// after the labels beside them.
void tst_material::controlsNamedForScreenReaders()
{
    Fixture fixture(baseRows());
    auto w = openWindow(fixture.material(1));
    for (const char *table : {"Ref", "ChemComp", "Rp02", "Design", "AddInfo"}) {
        w->ShowTable(QString::fromLatin1(table));
        const QStringList unnamed = testsupport::unnamedControls(w.get());
        QVERIFY2(unnamed.isEmpty(),
                 qPrintable(QString::fromLatin1(table) + QLatin1String(": ") + unnamed.join(QLatin1String(", "))));
    }
    const char *const names[9] = {"Standard", "Standard Description", "Name",          "Description",  "Number",
                                  "Group",    "Revision Date",        "Product Forms", "Revision Date"};
    for (int i = 0; i < 9; ++i)
        QCOMPARE(QAccessible::queryAccessibleInterface(w->txtMainData[i])->text(QAccessible::Name),
                 QString::fromLatin1(names[i]));
    // The two dates are told apart by their descriptions, also with tool tips off.
    w->txtMainData[6]->setToolTip(QString());
    QCOMPARE(QAccessible::queryAccessibleInterface(w->txtMainData[6])->text(QAccessible::Description),
             QStringLiteral("Date Velkor-PED last updated for this Material"));
}

void tst_material::elevatedOptionActsWhenChecked_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("shown");
    QTest::newRow("arrow key") << "key" << 1 << "Rp10";
    QTest::newRow("checked from outside") << "setChecked" << 2 << "Rm";
    QTest::newRow("screen reader's toggle") << "toggleAction" << 2 << "Rm";
    QTest::newRow("mouse click") << "click" << 1 << "Rp10";
}

// However an option becomes selected, its table is shown, once.
void tst_material::elevatedOptionActsWhenChecked()
{
    QFETCH(QString, how);
    QFETCH(int, option);
    QFETCH(QString, shown);
    Fixture fixture(baseRows() << thicknessRows(QStringLiteral("Rp02"), {-1})
                               << thicknessRows(QStringLiteral("Rp10"), {-1})
                               << thicknessRows(QStringLiteral("Rm"), {-1}));
    platform::ScriptedResponder responder;
    auto w = openWindow(fixture.material(1));
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));

    QSignalSpy refreshes(w->dtaTable, &db::DataControl::refreshed);
    w->ShowTable(shown);
    const qsizetype once = refreshes.count();
    w->ShowTable(QStringLiteral("Elevated"));
    QCOMPARE(w->strCurrentTable, QStringLiteral("Rp02"));
    refreshes.clear();

    QRadioButton *target = w->optMechProp[std::size_t(option)];
    if (how == QLatin1String("key")) {
        w->optMechProp[0]->setFocus();
        QTRY_VERIFY(w->optMechProp[0]->hasFocus());
        QTest::keyClick(w->optMechProp[0], Qt::Key_Right);
    } else if (how == QLatin1String("setChecked")) {
        target->setChecked(true);
    } else if (how == QLatin1String("toggleAction")) {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(target);
        QVERIFY(accessible && accessible->actionInterface());
        QVERIFY(accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    } else {
        QTest::mouseClick(target, Qt::LeftButton);
    }
    QVERIFY(target->isChecked());
    QCOMPARE(w->strCurrentTable, shown);
    QCOMPARE(w->tdbBoundTable->column(1)->dataField(), shown);
    QCOMPARE(refreshes.count(), once);
    QCOMPARE(responder.count(), 0);
}

void tst_material::addInfoFillsWorkArea()
{
    Fixture fixture(baseRows() << QStringLiteral("INSERT INTO GetInfo VALUES (1, 1, 1, 'Weldable')"));
    auto w = openWindow(fixture.material(1));
    w->ShowTable(QStringLiteral("AddInfo"));

    const QRect full = w->lblFullForm->geometry();
    QCOMPARE(full, twips(120, 120, 10935, 4455));
    QCOMPARE(w->framNotes->geometry(),
             twips(platform::leftTwips(w->lblFullForm) + 100, platform::topTwips(w->lblFullForm) + 100,
                   platform::widthTwips(w->lblFullForm) - 200, platform::heightTwips(w->lblFullForm) - 200));
    QCOMPARE(w->txtNotes->height(), platform::twipsToPixels(platform::heightTwips(w->framNotes) - 800));
    QVERIFY(w->cmdShowNotes->isHidden());
    QVERIFY(!w->lblNotes->isHidden());
    QCOMPARE(w->lblNotes->text(), QStringLiteral("Additional Information..."));
    QCOMPARE(w->lblNotes->x(), platform::twipsToPixels(240));
    QVERIFY(!w->framNotes->isHidden());

    // The next table gets the notes strip back as laid out.
    w->ShowTable(QStringLiteral("ChemComp"));
    QCOMPARE(w->framNotes->geometry(), twips(225, 4080, 10695, 375));
    QCOMPARE(w->txtNotes->geometry(), twips(240, 480, 10095, 1215));
    QCOMPARE(w->lblNotes->x(), platform::twipsToPixels(840));
}

void tst_material::creepGraphButtonOnlyWithData_data()
{
    QTest::addColumn<bool>("withData");
    QTest::newRow("with creep data") << true;
    QTest::newRow("without creep data") << false;
}

void tst_material::creepGraphButtonOnlyWithData()
{
    QFETCH(bool, withData);
    QStringList rows = baseRows() << creepRows();
    if (!withData)
        rows << QStringLiteral("DELETE FROM CreepProperties");
    Fixture fixture(rows);
    platform::ScriptedResponder responder;
    auto w = openWindow(fixture.material(1));
    w->ShowTable(QStringLiteral("CreepProp"));
    QCOMPARE(responder.count(), 0);
    QCOMPARE(!w->cmdUnBoundGraph->isHidden(), withData);
    QCOMPARE(w->mMat->TableHasData(QStringLiteral("CreepProp")), withData);
    w->ShowTable(QStringLiteral("MechProp"));
    QVERIFY(w->cmdUnBoundGraph->isHidden());
}

void tst_material::boundGridTrimmedBeforeEachTable()
{
    Fixture fixture(baseRows() << thicknessRows(QStringLiteral("Rp02"), {16, 40, 60, 100})
                               << thicknessRows(QStringLiteral("Rp10"), {-1}));
    auto w = openWindow(fixture.material(1));
    w->ShowTable(QStringLiteral("Rp02"));
    QCOMPARE(w->tdbBoundTable->columnCount(), 5);

    w->ShowTable(QStringLiteral("Rp10"));
    QCOMPARE(w->tdbBoundTable->columnCount(), 4);
    for (int c = 0; c < 4; ++c)
        QCOMPARE(w->tdbBoundTable->column(c)->widthTwips(), 1200.0);
    QVERIFY(!w->tdbBoundTable->column(2)->isVisible());
    QVERIFY(!w->tdbBoundTable->column(3)->isVisible());
    QCOMPARE(w->tdbBoundTable->column(1)->dataField(), QStringLiteral("Rp10"));

    w->ShowTable(QStringLiteral("Ref"));
    QCOMPARE(w->tdbBoundTable->columnCount(), 4);
}

void tst_material::checkTablesVisitsEachTableOnce()
{
    Fixture fixture(baseRows() << chemicalRows(QStringLiteral("G1"), 2) << thicknessRows(QStringLiteral("Rm"), {-1}));
    platform::ScriptedResponder responder;
    const MaterialPtr m = fixture.material(1);
    auto w = openWindow(m);
    w->ShowTable(QStringLiteral("ChemComp"));
    w->ShowTable(QStringLiteral("Ref"));

    w->CheckTablesForRecords();
    QCOMPARE(responder.count(), 0);
    QCOMPARE(w->strCurrentTable, QStringLiteral("Ref"));
    QVERIFY(!w->framStand->isHidden());
    for (int i = 1; i <= 13; ++i)
        QVERIFY2(m->TableChecked(m_mdi->GetShortTableName(i)), qPrintable(m_mdi->GetShortTableName(i)));
    QVERIFY(m->TableHasData(QStringLiteral("ChemComp")));
    QVERIFY(m->TableHasData(QStringLiteral("Rm")));
    QVERIFY(!m->TableHasData(QStringLiteral("Rp02")));
    QVERIFY(!m->TableHasData(QStringLiteral("AddInfo")));

    // Everything known: the second check only shows the current table again.
    QSignalSpy tableQueries(w->dtaTable, &db::DataControl::refreshed);
    QSignalSpy noteQueries(w->dtaNotes, &db::DataControl::refreshed);
    w->CheckTablesForRecords();
    QCOMPARE(tableQueries.count(), 0);
    QCOMPARE(noteQueries.count(), 0);
    QCOMPARE(w->strCurrentTable, QStringLiteral("Ref"));

    // A window showing the design values shows them again afterwards.
    w->ShowTable(QStringLiteral("Design"));
    w->CheckTablesForRecords();
    QCOMPARE(w->strCurrentTable, QStringLiteral("Design"));
    QVERIFY(!w->framDesign->isHidden());
    QVERIFY(!w->lblFullForm->isHidden());
    QCOMPARE(tableQueries.count(), 0);
}

void tst_material::tableIconIsButtonPicture_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("button");
    // clang-format off
    const char *const rows[][2] = {
        {"Ref", "Physical"},          {"ChemComp", "ChemComp"},  {"MechProp", "Mech"},
        {"ImpEnergy", "ImpEnergy"},   {"Rp02", "Mech"},          {"Rp10", "Mech"},
        {"Rm", "Mech"},               {"ModElast", "Physical"},  {"ThermExp", "Physical"},
        {"ThermCond", "Physical"},    {"SpecThermCap", "Physical"}, {"SpecElecRes", "Physical"},
        {"CreepProp", "Mech"},        {"AddInfo", "AddInfo"},    {"Design", "Physical"},
        {"Elevated", "Mech"},
    };
    // clang-format on
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]);
}

void tst_material::tableIconIsButtonPicture()
{
    QFETCH(QString, table);
    QFETCH(QString, button);
    Fixture fixture(baseRows());
    QVERIFY(fixture.isOpen());
    platform::ScriptedResponder responder;
    auto w = openWindow(fixture.material(1));
    w->ShowTable(table);

    const QPixmap shown = w->ImgPic[0]->pixmap();
    QVERIFY(!shown.isNull());
    QCOMPARE(w->ImgPic[2]->pixmap().toImage(), shown.toImage());
    const QImage expected = mdiVelkor::ButtonPicture(button).pixmap(shown.size()).toImage();
    QCOMPARE(shown.toImage().convertToFormat(QImage::Format_ARGB32), expected.convertToFormat(QImage::Format_ARGB32));
}

void tst_material::failingQueryKeepsWindowOpen()
{
    Fixture fixture(baseRows() << chemicalRows(QStringLiteral("G1"), 3) << QStringLiteral("DROP TABLE ThermCond")
                               << QStringLiteral("DROP TABLE GetInfo"));
    platform::ScriptedResponder responder;
    auto w = openWindow(fixture.material(1));

    w->ShowTable(QStringLiteral("ThermCond"));
    QCOMPARE(responder.count(), 1);
    QCOMPARE(responder.messages().at(0).icon(), int(platform::vbCritical));
    QVERIFY(!responder.messages().at(0).text.isEmpty());
    QCOMPARE(w->strCurrentTable, QStringLiteral("ThermCond"));
    QVERIFY(!w->mMat->TableChecked(QStringLiteral("ThermCond")));

    w->ShowTable(QStringLiteral("AddInfo"));
    QCOMPARE(responder.count(), 2);

    w->ShowTable(QStringLiteral("ChemComp"));
    QCOMPARE(responder.count(), 2);
    QCOMPARE(w->tdbTable->rowCount(), 2);
    QCOMPARE(w->tdbTable->columnCount(), 4);
}

// --- notes pane ---------------------------------------------------------------------------------

void tst_material::notesPaneOpensClosesAndBlinks()
{
    Fixture fixture(baseRows() << chemicalRows(QStringLiteral("G1"), 2)
                               << QStringLiteral("INSERT INTO MatNotes VALUES (1, 'ChemComp', 1, 20)")
                               << QStringLiteral("INSERT INTO TableNotes VALUES (20, 'ChemComp', 'Cast analysis.')"));
    auto w = openWindow(fixture.material(1));
    w->ShowTable(QStringLiteral("ChemComp"));

    QVERIFY(!w->cmdShowNotes->isHidden());
    QVERIFY(!w->lblNotes->isHidden());
    QCOMPARE(w->lblNotes->text(), QStringLiteral("Notes..."));
    QCOMPARE(w->NotesButtonPicture(), 0);
    QVERIFY(w->TimerFlash->isActive());
    QTRY_COMPARE_WITH_TIMEOUT(w->NotesButtonPicture(), 2, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(w->NotesButtonPicture(), 0, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(w->NotesButtonPicture(), 2, 3000);

    // A click while the button blinks opens the pane.
    w->cmdShowNotes->click();
    QCOMPARE(w->NotesButtonPicture(), 1);
    QCOMPARE(w->framNotes->geometry(), twips(225, 2520, 10695, 1935));
    QCOMPARE(w->tdbTable->height(), platform::twipsToPixels(2175));
    QCOMPARE(w->tdbBoundTable->height(), platform::twipsToPixels(2175));
    QCOMPARE(w->framOptions->height(), platform::twipsToPixels(2175));
    QCOMPARE(w->framNoData->height(), platform::twipsToPixels(2175));
    QCOMPARE(w->txtNoData->height(), platform::twipsToPixels(1775));
    QCOMPARE(textbox::text(w->txtNotes), QStringLiteral("Cast analysis."));

    // The timer keeps running while the pane is open, without effect.
    QTest::qWait(1200);
    QCOMPARE(w->NotesButtonPicture(), 1);

    w->cmdShowNotes->click();
    QCOMPARE(w->NotesButtonPicture(), 0);
    QCOMPARE(w->framNotes->geometry(), twips(225, 4080, 10695, 375));
    QCOMPARE(w->tdbTable->height(), platform::twipsToPixels(3735));
    QCOMPARE(w->txtNoData->height(), platform::twipsToPixels(3335));

    // Showing a table stops the blinking and closes the pane; a table without notes leaves it off.
    w->cmdShowNotes->click();
    w->ShowTable(QStringLiteral("MechProp"));
    QCOMPARE(w->NotesButtonPicture(), 0);
    QVERIFY(!w->TimerFlash->isActive());
    QCOMPARE(w->framNotes->geometry(), twips(225, 4080, 10695, 375));
    QVERIFY(w->cmdShowNotes->isHidden());
    QCOMPARE(textbox::text(w->txtNotes), QString());
}

// clang-format off
void tst_material::notesButtonToolTip_data()
{
    QTest::addColumn<bool>("toolTips");
    QTest::addColumn<QString>("whenOpen");
    QTest::addColumn<QString>("whenClosed");
    QTest::newRow("tool tips on") << true << "Hide Table Notes" << "Show Table Notes";
    QTest::newRow("tool tips off") << false << "as before" << "as before";
}
// clang-format on

void tst_material::notesButtonToolTip()
{
    QFETCH(bool, toolTips);
    QFETCH(QString, whenOpen);
    QFETCH(QString, whenClosed);

    Fixture fixture(baseRows() << QStringLiteral("INSERT INTO MatNotes VALUES (1, 'ModElast', 1, 20)")
                               << QStringLiteral("INSERT INTO TableNotes VALUES (20, 'ModElast', 'Mean values.')"));
    auto w = openWindow(fixture.material(1));
    m_mdi->blnToolTips = toolTips;
    w->ShowTable(QStringLiteral("ModElast"));
    w->cmdShowNotes->setToolTip(QStringLiteral("as before"));
    w->cmdShowNotes->click();
    QCOMPARE(w->cmdShowNotes->toolTip(), whenOpen);
    w->cmdShowNotes->click();
    QCOMPARE(w->cmdShowNotes->toolTip(), whenClosed);
    m_mdi->blnToolTips = false;
}

void tst_material::noDataNoteCoversGrid_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("bound");
    QTest::newRow("impact energy") << "ImpEnergy" << true;
    QTest::newRow("thermal conductivity") << "ThermCond" << true;
    QTest::newRow("mechanical properties") << "MechProp" << false;
    QTest::newRow("creep") << "CreepProp" << false;
}

void tst_material::noDataNoteCoversGrid()
{
    QFETCH(QString, key);
    QFETCH(bool, bound);
    Fixture fixture(baseRows() << QStringLiteral("INSERT INTO Columns VALUES (1, 'Temperature', 1)")
                               << QStringLiteral("INSERT INTO CreepPropTable VALUES (5, 1, NULL, NULL, '900', 1)"));
    platform::ScriptedResponder responder;
    const MaterialPtr m = fixture.material(1);
    auto w = openWindow(m);
    w->ShowTable(key);
    QCOMPARE(responder.count(), 0);

    controls::DataGrid *grid = bound ? w->tdbBoundTable : w->tdbTable;
    QVERIFY(!m->TableHasData(key));
    QVERIFY(grid->isHidden());
    QVERIFY(!w->framNoData->isHidden());
    QVERIFY(!w->txtNoData->isHidden());
    QCOMPARE(w->framNoData->geometry(), grid->geometry());
    QCOMPARE(w->txtNoData->geometry(),
             twips(200, 200, platform::widthTwips(w->framNoData) - 400, platform::heightTwips(w->framNoData) - 400));
    QCOMPARE(textbox::text(w->txtNoData), BuildNoDataNote(*m, key, true, true));
    if (key == QLatin1String("ImpEnergy"))
        QCOMPARE(textbox::text(w->txtNoData),
                 crlf("\n\n  * For this Grade - 'G1',\n\n    the Specification - 'EN 1',\n\n"
                      "    does not provide any data for - \n\n    'Impact energy.'"));
    if (bound) {
        QVERIFY(w->CommandShowGraph->isHidden());
        QVERIFY(w->CommandShowTable->isHidden());
        QCOMPARE(w->tdbBoundTable->caption(), m_mdi->GetTableName(m_mdi->GetTableIndex(key)));
    } else {
        QVERIFY(w->cmdUnBoundGraph->isHidden());
    }

    // The next table takes the note away.
    w->txtNoData->selectAll();
    w->ShowTable(QStringLiteral("Ref"));
    QVERIFY(w->framNoData->isHidden());
    QVERIFY(w->txtNoData->isHidden());

    // Shown again, the same note stands at its start, nothing of it selected.
    w->ShowTable(key);
    const QString note = BuildNoDataNote(*m, key, true, true);
    QCOMPARE(textbox::text(w->txtNoData), note);
    QCOMPARE(w->txtNoData->toPlainText(), QString(note).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QVERIFY(!w->txtNoData->textCursor().hasSelection());
    QCOMPARE(w->txtNoData->textCursor().position(), 0);
}
