#include "tst_controls.h"

#include "SchemaFixture.h"
#include "controls/DataGrid.h"
#include "controls/GridModel.h"
#include "controls/GridView.h"
#include "db/DataControl.h"
#include "db/Recordset.h"
#include "platform/MsgBox.h"
#include "platform/OleColor.h"
#include "platform/Twips.h"
#include "platform/VbError.h"
#include "platform/XArray.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QHelpEvent>
#include <QLabel>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

using controls::GridArea;
using controls::GridModel;

namespace {

const QString CrLf = QStringLiteral("\r\n");

// A small material table: three rows, one Null cell.
bool createFixture(const QString &path)
{
    return testsupport::execSql(
        path, {QStringLiteral("create table materials (matID integer, name text, numbr text, groups text);"
                              "insert into materials values (1, 'P235GH', '1.0345', '1.1');"
                              "insert into materials values (2, 'P265GH', '1.0425', null);"
                              "insert into materials values (3, '16Mo3', '1.5415', '1.2');")});
}

QPoint sectionCentre(QHeaderView *header, int section)
{
    return QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                  header->viewport()->height() / 2);
}

QPoint cellCentre(DataGrid &grid, int row, int column)
{
    return grid.view()->visualRect(grid.model()->index(row, column)).center();
}

controls::GridHeader *footerOf(DataGrid &grid)
{
    for (auto *header : grid.findChildren<controls::GridHeader *>())
        if (header->kind() == controls::GridHeader::Kind::Footer)
            return header;
    return nullptr;
}

} // namespace

void tst_controls::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_dbPath = m_dir.filePath(QStringLiteral("grid.mdb"));
    QVERIFY(createFixture(m_dbPath));
}

void tst_controls::showGrid(DataGrid &grid)
{
    grid.resize(600, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
}

void tst_controls::bindToFixture(db::DataControl &control, DataGrid &grid)
{
    control.setDatabaseName(m_dbPath);
    control.setRecordSource(QStringLiteral("select * from materials order by matID"));
    control.refresh();
    grid.setDataSource(&control);
}

// The model stays consistent through every change of columns and data, in both modes.
void tst_controls::modelTester_data()
{
    QTest::addColumn<bool>("bound");
    QTest::newRow("bound") << true;
    QTest::newRow("unbound") << false;
}

void tst_controls::modelTester()
{
    QFETCH(bool, bound);
    DataGrid grid;
    QAbstractItemModelTester tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    db::DataControl control;
    platform::XArray array(1, 3, 0, 2);
    array.setValue(2, 1, QStringLiteral("x"));

    grid.addColumn()->setDataField(QStringLiteral("name"));
    grid.addColumn()->setDataField(QStringLiteral("numbr"));
    if (bound)
        bindToFixture(control, grid);
    else
        grid.setArray(&array);
    QCOMPARE(grid.rowCount(), 3);
    grid.addColumn(0)->setCaption(QStringLiteral("first"));
    grid.addColumn();
    grid.column(1)->setCaption(QStringLiteral("a") + CrLf + QStringLiteral("b"));
    grid.column(2)->setVisible(false);
    grid.removeColumn(3);
    grid.addColumns(3);
    grid.removeColumnsFrom(4);
    grid.removeColumnsFrom(9); // none from there: nothing changes
    QCOMPARE(grid.columnCount(), 4);
    grid.setCurrentRow(2);
    if (bound) {
        control.setRecordSource(QStringLiteral("select * from materials where matID > 1"));
        control.refresh();
        QCOMPARE(grid.rowCount(), 2);
    } else {
        array.redim(0, 0, 0, 0);
        grid.refresh();
        QCOMPARE(grid.rowCount(), 1);
    }
    grid.rebind();
    grid.clearColumns();
    QCOMPARE(grid.model()->columnCount(), 0);
}

// Row r and column c show array cell (lower bound + r, lower bound + c); Null shows empty;
// columns beyond the array show empty cells; an unallocated array has no rows.
void tst_controls::unboundArray_data()
{
    QTest::addColumn<int>("rowLower");
    QTest::addColumn<int>("rowUpper");
    QTest::addColumn<int>("colLower");
    QTest::addColumn<int>("colUpper");
    QTest::addColumn<int>("gridColumns");
    QTest::addColumn<bool>("allocated");
    QTest::newRow("rows 1..2, columns 0..3") << 1 << 2 << 0 << 3 << 4 << true;
    QTest::newRow("negative and high bounds") << -2 << 0 << 5 << 6 << 2 << true;
    QTest::newRow("more grid columns than the array") << 1 << 3 << 0 << 0 << 3 << true;
    QTest::newRow("empty row range") << 1 << 0 << 0 << 2 << 3 << true;
    QTest::newRow("unallocated") << 0 << 0 << 0 << 0 << 2 << false;
}

void tst_controls::unboundArray()
{
    QFETCH(int, rowLower);
    QFETCH(int, rowUpper);
    QFETCH(int, colLower);
    QFETCH(int, colUpper);
    QFETCH(int, gridColumns);
    QFETCH(bool, allocated);

    platform::XArray array;
    if (allocated)
        array.redim(rowLower, rowUpper, colLower, colUpper);
    const int rows = allocated ? qMax(0, rowUpper - rowLower + 1) : 0;
    // Every cell names its position; the cell of the second column in the first row is Null.
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c <= colUpper - colLower; ++c)
            if (!(r == 0 && c == 1))
                array.setValue(rowLower + r, colLower + c, QStringLiteral("%1/%2").arg(rowLower + r).arg(colLower + c));

    DataGrid grid;
    QAbstractItemModelTester tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    for (int c = 0; c < gridColumns; ++c)
        grid.addColumn();
    grid.setArray(&array);
    QVERIFY(!grid.isBound());
    QCOMPARE(grid.rowCount(), rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < gridColumns; ++c) {
            QString expected;
            if (c <= colUpper - colLower && !(r == 0 && c == 1))
                expected = QStringLiteral("%1/%2").arg(rowLower + r).arg(colLower + c);
            QCOMPARE(grid.text(r, c), expected);
            QCOMPARE(grid.model()->index(r, c).data().toString(), expected);
            QCOMPARE(grid.value(r, c).isNull(), expected.isEmpty());
        }
    }
    QCOMPARE(grid.currentRow(), rows > 0 ? 0 : -1);

    // The grid shows the array as it was at the last refresh.
    if (rows > 0) {
        array.setValue(rowLower, colLower, QStringLiteral("changed"));
        QCOMPARE(grid.text(0, 0), QStringLiteral("%1/%2").arg(rowLower).arg(colLower));
        grid.refresh();
        QCOMPARE(grid.text(0, 0), QStringLiteral("changed"));
    }
    array.clear();
    grid.rebind();
    QCOMPARE(grid.rowCount(), 0);
}

// A screen reader finds the grid's rows and its shown columns in the table, but only the headings and
// the rows in view as cells: a large grid does not hand it every cell at once. Scrolling brings others.
void tst_controls::screenReaderSeesRowsInView()
{
    constexpr int Rows = 20000;
    constexpr int Columns = 10;
    constexpr int Hidden = 3;
    platform::XArray array(1, Rows, 0, Columns - 1);
    for (int r = 1; r <= Rows; ++r)
        for (int c = 0; c < Columns; ++c)
            array.setValue(r, c, QStringLiteral("%1/%2").arg(r).arg(c));
    DataGrid grid;
    for (int c = 0; c < Columns; ++c)
        grid.addColumn()->setCaption(QStringLiteral("Col") + CrLf + QString::number(c));
    grid.column(Hidden)->setVisible(false);
    grid.setArray(&array);
    grid.resize(600, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(grid.view());
    QVERIFY(table);
    QCOMPARE(table->role(), QAccessible::Table);
    QAccessibleTableInterface *cells = table->tableInterface();
    QVERIFY(cells);
    QCOMPARE(cells->rowCount(), Rows);
    QCOMPARE(cells->columnCount(), Columns - 1);
    const QTableView *view = grid.view();
    const int inView = view->rowAt(view->viewport()->height() - 1) - view->rowAt(0) + 1;
    QVERIFY(inView > 1 && inView < 30);
    QCOMPARE(table->childCount(), (1 + inView) * (Columns - 1));

    // The headings by their lines in one, the hidden column left out; then the rows.
    QCOMPARE(table->child(0)->role(), QAccessible::ColumnHeader);
    QCOMPARE(table->child(0)->text(QAccessible::Name), QStringLiteral("Col 0"));
    QCOMPARE(table->child(Hidden)->text(QAccessible::Name), QStringLiteral("Col 4"));
    QCOMPARE(cells->columnDescription(Hidden), QStringLiteral("Col 4"));
    QAccessibleInterface *cell = table->child(Columns - 1 + Hidden);
    QCOMPARE(cell->role(), QAccessible::Cell);
    QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("1/4"));
    QCOMPARE(cells->cellAt(0, Hidden), cell);
    QCOMPARE(table->indexOfChild(cell), Columns - 1 + Hidden);
    QCOMPARE(cell->tableCellInterface()->rowIndex(), 0);
    QCOMPARE(cell->tableCellInterface()->columnIndex(), Hidden);
    QCOMPARE(cell->tableCellInterface()->columnHeaderCells().value(0), table->child(Hidden));
    QVERIFY(!cells->cellAt(Rows - 1, 0));

    grid.setFirstRow(10000);
    QVERIFY(!cells->cellAt(0, 0));
    QAccessibleInterface *middle = cells->cellAt(10000, 0);
    QVERIFY(middle);
    QCOMPARE(middle->text(QAccessible::Name), QStringLiteral("10001/0"));
    QCOMPARE(table->indexOfChild(middle), Columns - 1);
    QVERIFY(table->childCount() <= (1 + inView + 1) * (Columns - 1));
}

// Rows follow the recordset: fields matched by name in any letter case, an unknown field and
// Null cells empty, a new query reloads, a failed one keeps the rows shown before.
void tst_controls::boundFollowsDataControl()
{
    DataGrid grid;
    QAbstractItemModelTester tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    grid.addColumn()->setDataField(QStringLiteral("NAME"));
    grid.addColumn()->setDataField(QStringLiteral("groups"));
    grid.addColumn()->setDataField(QStringLiteral("nosuchfield"));
    grid.addColumn();
    db::DataControl control;
    bindToFixture(control, grid);

    QVERIFY(grid.isBound());
    QCOMPARE(grid.dataSource(), &control);
    QCOMPARE(grid.rowCount(), 3);
    QCOMPARE(grid.text(0, 0), QStringLiteral("P235GH"));
    QCOMPARE(grid.text(2, 0), QStringLiteral("16Mo3"));
    QCOMPARE(grid.text(1, 1), QString());
    QVERIFY(grid.value(1, 1).isNull());
    QCOMPARE(grid.text(0, 2), QString());
    QCOMPARE(grid.text(0, 3), QString());

    grid.column(3)->setDataField(QStringLiteral("numbr"));
    QCOMPARE(grid.text(2, 3), QStringLiteral("1.5415"));

    control.setRecordSource(QStringLiteral("select * from materials where matID = 2"));
    control.refresh();
    QCOMPARE(grid.rowCount(), 1);
    QCOMPARE(grid.text(0, 0), QStringLiteral("P265GH"));

    control.setRecordSource(QStringLiteral("select * from nosuchtable"));
    QVERIFY_THROWS_EXCEPTION(platform::VbError, control.refresh());
    QCOMPARE(grid.rowCount(), 1);
    QCOMPARE(grid.text(0, 0), QStringLiteral("P265GH"));
    grid.setCurrentRow(0); // the closed recordset is not touched

    control.setRecordSource(QStringLiteral("select * from materials where matID = 0"));
    control.refresh();
    QCOMPARE(grid.rowCount(), 0);
    QCOMPARE(grid.currentRow(), -1);

    grid.setDataSource(nullptr);
    QCOMPARE(grid.rowCount(), 0);
}

// The grid's current row and the recordset's current record follow each other.
void tst_controls::currentRowSync_data()
{
    QTest::addColumn<QString>("mover");
    QTest::addColumn<int>("target");
    QTest::newRow("recordset moveLast") << "moveLast" << 2;
    QTest::newRow("recordset findFirst") << "find" << 1;
    QTest::newRow("grid setCurrentRow") << "grid" << 2;
    QTest::newRow("user clicks a row") << "click" << 1;
    QTest::newRow("user presses Down") << "key" << 1;
}

void tst_controls::currentRowSync()
{
    QFETCH(QString, mover);
    QFETCH(int, target);
    DataGrid grid;
    grid.addColumn()->setDataField(QStringLiteral("name"));
    grid.addColumn()->setDataField(QStringLiteral("numbr"));
    db::DataControl control;
    bindToFixture(control, grid);
    showGrid(grid);
    db::Recordset *rs = control.recordset();
    QVERIFY(rs);
    QCOMPARE(rs->absolutePosition(), 0);
    QCOMPARE(grid.currentRow(), 0);
    QSignalSpy rowChanges(&grid, &DataGrid::rowColChange);

    if (mover == "moveLast")
        rs->moveLast();
    else if (mover == "find")
        rs->findFirst(QStringLiteral("numbr = '1.0425'"));
    else if (mover == "grid")
        grid.setCurrentRow(target);
    else if (mover == "click")
        QTest::mouseClick(grid.view()->viewport(), Qt::LeftButton, {}, cellCentre(grid, target, 1));
    else if (mover == "key")
        QTest::keyClick(grid.view(), Qt::Key_Down);

    QCOMPARE(grid.currentRow(), target);
    QCOMPARE(rs->absolutePosition(), target);
    QCOMPARE(rs->field(QStringLiteral("name")).toString(), grid.text(target, 0));
    QCOMPARE(rowChanges.count(), 1);

    // A reload starts again on the recordset's first record.
    control.refresh();
    QCOMPARE(control.recordset()->absolutePosition(), 0);
    QCOMPARE(grid.currentRow(), 0);
}

void tst_controls::columns()
{
    DataGrid grid;
    showGrid(grid);
    QHeaderView *header = grid.view()->horizontalHeader();
    controls::GridColumn *a = grid.addColumn();
    controls::GridColumn *c = grid.addColumn();
    controls::GridColumn *b = grid.addColumn(1);
    QCOMPARE(grid.columnCount(), 3);
    QCOMPARE(grid.column(0), a);
    QCOMPARE(grid.column(1), b);
    QCOMPARE(grid.column(2), c);
    QCOMPARE(c->index(), 2);

    // A new column: visible, 780 twips, no caption, the first split's alignment.
    QVERIFY(b->isVisible());
    QCOMPARE(b->widthTwips(), 780.0);
    QCOMPARE(header->sectionSize(1), platform::twipsToPixels(780));
    QCOMPARE(b->caption(), QString());
    QCOMPARE(b->alignment(), Qt::Alignment());

    b->setWidthTwips(1500);
    QCOMPARE(header->sectionSize(1), 100);
    QCOMPARE(b->widthTwips(), 1500.0);
    c->setWidthTwips(1030); // kept exactly although the screen rounds it to pixels
    QCOMPARE(c->widthTwips(), 1030.0);
    QCOMPARE(header->sectionSize(2), platform::twipsToPixels(1030));

    b->setVisible(false);
    QVERIFY(header->isSectionHidden(1));
    b->setVisible(true);
    QVERIFY(!header->isSectionHidden(1));
    QCOMPARE(header->sectionSize(1), 100);

    // Removing keeps the later columns' settings with them.
    c->setVisible(false);
    grid.removeColumn(1);
    QCOMPARE(grid.columnCount(), 2);
    QCOMPARE(grid.column(1), c);
    QVERIFY(header->isSectionHidden(1));
    QCOMPARE(header->sectionSize(0), platform::twipsToPixels(780));

    // Column settings survive reloads of the data.
    platform::XArray array(1, 2, 0, 1);
    grid.setArray(&array);
    grid.rebind();
    QVERIFY(header->isSectionHidden(1));
    c->setVisible(true);
    QCOMPARE(c->widthTwips(), 1030.0);
    QCOMPARE(header->sectionSize(1), platform::twipsToPixels(1030));
    c->setVisible(false);

    // Footers are off until switched on, then show the columns' footer texts.
    a->setFooterText(QStringLiteral("desc"));
    controls::GridHeader *footer = footerOf(grid);
    QVERIFY(footer);
    QVERIFY(!footer->isVisible());
    grid.setColumnFooters(true);
    QVERIFY(footer->isVisible());
    QCOMPARE(grid.model()->headerData(0, Qt::Horizontal, GridModel::FooterRole).toString(), QStringLiteral("desc"));
    QCOMPARE(footer->sectionSize(0), header->sectionSize(0));
    QVERIFY(footer->isSectionHidden(1));

    grid.clearColumns();
    QCOMPARE(grid.columnCount(), 0);
}

void tst_controls::columnErrors_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("index");
    QTest::newRow("column -1") << "column" << -1;
    QTest::newRow("column past the end") << "column" << 2;
    QTest::newRow("remove past the end") << "remove" << 2;
    QTest::newRow("remove -1") << "remove" << -1;
    QTest::newRow("add beyond the end") << "add" << 3;
}

void tst_controls::columnErrors()
{
    QFETCH(QString, operation);
    QFETCH(int, index);
    DataGrid grid;
    grid.addColumn();
    grid.addColumn();
    try {
        if (operation == "column")
            grid.column(index);
        else if (operation == "remove")
            grid.removeColumn(index);
        else
            grid.addColumn(index);
        QFAIL("no error raised");
    } catch (const platform::VbError &e) {
        QCOMPARE(e.number(), platform::vberr::SubscriptOutOfRange);
    }
    QCOMPARE(grid.columnCount(), 2);
}

// Columns changed under a hold are laid out and their rows fitted once the hold ends, or when the
// grid reloads its rows before.
void tst_controls::heldLayout()
{
    DataGrid grid;
    showGrid(grid);
    grid.setRowsFitText(true);
    platform::XArray array(1, 1, 0, 1);
    array.setValue(1, 1, QStringLiteral("a long text that wraps over several lines in a narrow column"));
    grid.setArray(&array);
    grid.addColumns(2);
    QCOMPARE(grid.columnCount(), 2);
    for (int c = 0; c < 2; ++c) {
        QVERIFY(grid.column(c)->isVisible());
        QCOMPARE(grid.column(c)->widthTwips(), 780.0);
    }
    grid.rebind();
    QHeaderView *rows = grid.view()->verticalHeader();
    const int oneLine = rows->sectionSize(0);
    {
        const controls::GridLayoutHold hold(&grid);
        grid.column(1)->setWrapText(true);
        QCOMPARE(rows->sectionSize(0), oneLine); // held
    }
    QVERIFY(rows->sectionSize(0) > oneLine);

    {
        const controls::GridLayoutHold hold(&grid);
        grid.column(1)->setWidthTwips(6000);
        grid.rebind(); // the rows are fitted to the widths set so far
        QCOMPARE(rows->sectionSize(0), oneLine);
        grid.removeColumnsFrom(1);
        QCOMPARE(grid.columnCount(), 1);
    }
    QCOMPARE(rows->sectionSize(0), oneLine);
}

// A bound grid without columns takes one per field on rebind; a grid with columns keeps them.
void tst_controls::rebindCreatesColumns()
{
    DataGrid grid;
    db::DataControl control;
    bindToFixture(control, grid);
    QCOMPARE(grid.columnCount(), 0);
    grid.refresh();
    QCOMPARE(grid.columnCount(), 0);
    grid.rebind();
    QCOMPARE(grid.columnCount(), 4);
    QCOMPARE(grid.column(1)->caption(), QStringLiteral("name"));
    QCOMPARE(grid.column(1)->dataField(), QStringLiteral("name"));
    QCOMPARE(grid.text(2, 1), QStringLiteral("16Mo3"));

    control.setRecordSource(QStringLiteral("select name from materials"));
    control.refresh();
    grid.rebind();
    QCOMPARE(grid.columnCount(), 4);
    QCOMPARE(grid.text(0, 1), QStringLiteral("P235GH"));
    QCOMPARE(grid.text(0, 0), QString());
}

// CR LF captions show on several lines; the header grows to the tallest visible caption; a
// heading picture replaces the text until cleared; the caption bar hides when empty.
void tst_controls::captionsAndHeaderHeight()
{
    DataGrid grid;
    showGrid(grid);
    QHeaderView *header = grid.view()->horizontalHeader();
    const int lineSpacing = QFontMetrics(header->font()).lineSpacing();
    grid.addColumn()->setCaption(QStringLiteral("Temperature ") + CrLf + CrLf + QStringLiteral("[") + QChar(176) +
                                 QStringLiteral("C]"));
    grid.addColumn()->setCaption(QStringLiteral("Rm"));
    QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Temperature \n\n[\u00b0C]"));
    QCOMPARE(grid.model()->headerData(0, Qt::Horizontal, GridModel::LineCountRole).toInt(), 3);
    const int threeLines = header->height();
    QVERIFY2(threeLines >= 3 * lineSpacing, qPrintable(QString::number(threeLines)));

    grid.column(1)->setCaption(QStringLiteral("Rm") + CrLf + QStringLiteral("a") + CrLf + QStringLiteral("[MPa]") +
                               CrLf + QStringLiteral("min"));
    QTRY_VERIFY(header->height() >= 4 * lineSpacing);
    QVERIFY(header->height() > threeLines);
    grid.column(1)->setVisible(false);
    QTRY_COMPARE(header->height(), threeLines);

    QImage picture(44, 60, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    grid.column(0)->setHeadingPicture(picture);
    QVERIFY(grid.column(0)->showsHeadingPicture());
    QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), QString());
    QCOMPARE(grid.model()->headerData(0, Qt::Horizontal, GridModel::PictureRole).value<QImage>(), picture);
    QTRY_VERIFY(header->height() >= 60);
    grid.column(0)->clearHeadingPicture();
    QVERIFY(!grid.column(0)->showsHeadingPicture());
    QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Temperature \n\n[\u00b0C]"));

    // A larger font gives taller rows and a taller header; focus given to the grid goes to its rows.
    const int rowHeight = grid.view()->verticalHeader()->defaultSectionSize();
    const int headerHeight = header->height();
    QFont big = grid.font();
    big.setPointSizeF(big.pointSizeF() * 2);
    grid.setFont(big);
    QVERIFY(grid.view()->verticalHeader()->defaultSectionSize() > rowHeight);
    QTRY_VERIFY(header->height() > headerHeight);
    grid.setFocus();
    QTRY_VERIFY(grid.view()->hasFocus());

    auto *bar = grid.findChild<QLabel *>();
    QVERIFY(bar);
    QVERIFY(!bar->isVisible());
    grid.setCaption(QStringLiteral("Mechanical properties"));
    QVERIFY(bar->isVisible());
    QCOMPARE(grid.caption(), QStringLiteral("Mechanical properties"));
    grid.setCaption(QString());
    QVERIFY(!bar->isVisible());
}

// Even rows (0, 2, ...) take the even colour, odd rows the odd one, only while alternating;
// a column's own alignment wins over the first split's.
void tst_controls::rowStylesAndAlignment_data()
{
    QTest::addColumn<bool>("alternating");
    QTest::addColumn<int>("splitAlignment");
    QTest::addColumn<int>("columnAlignment");
    QTest::addColumn<int>("expected");
    QTest::newRow("alternating, split centred") << true << int(Qt::AlignHCenter) << 0 << int(Qt::AlignHCenter);
    QTest::newRow("plain, column right") << false << int(Qt::AlignHCenter) << int(Qt::AlignRight)
                                         << int(Qt::AlignRight);
    QTest::newRow("general text") << true << 0 << 0 << int(Qt::AlignLeft);
}

void tst_controls::rowStylesAndAlignment()
{
    QFETCH(bool, alternating);
    QFETCH(int, splitAlignment);
    QFETCH(int, columnAlignment);
    QFETCH(int, expected);
    const platform::OleColor green = 0xC0FFC0;
    const platform::OleColor blue = 0xFFE0C0;
    platform::XArray array(1, 3, 0, 0);
    for (int r = 1; r <= 3; ++r)
        array.setValue(r, 0, QStringLiteral("t"));
    DataGrid grid;
    grid.addColumn()->setAlignment(Qt::Alignment(columnAlignment));
    grid.setArray(&array);
    QVERIFY(grid.alternatingRows());
    grid.setEvenRowColor(green);
    grid.setOddRowColor(blue);
    grid.setAlternatingRows(alternating);
    grid.setSplitAlignment(Qt::Alignment(splitAlignment));
    QCOMPARE(grid.evenRowColor(), green);
    QCOMPARE(grid.oddRowColor(), blue);

    for (int r = 0; r < 3; ++r) {
        const QVariant background = grid.model()->index(r, 0).data(Qt::BackgroundRole);
        if (alternating)
            QCOMPARE(background.value<QBrush>().color(), platform::toQColor(r % 2 == 0 ? green : blue));
        else
            QVERIFY(!background.isValid());
    }
    const auto alignment = grid.model()->index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    QCOMPARE(int(alignment & Qt::AlignHorizontal_Mask), expected);
}

void tst_controls::headAndFootClicks_data()
{
    QTest::addColumn<bool>("footer");
    QTest::addColumn<int>("column");
    QTest::newRow("header 0") << false << 0;
    QTest::newRow("header 2") << false << 2;
    QTest::newRow("footer 1") << true << 1;
}

void tst_controls::headAndFootClicks()
{
    QFETCH(bool, footer);
    QFETCH(int, column);
    DataGrid grid;
    for (int c = 0; c < 3; ++c)
        grid.addColumn()->setWidthTwips(1500);
    grid.setColumnFooters(true);
    showGrid(grid);
    QSignalSpy heads(&grid, &DataGrid::headClick);
    QSignalSpy foots(&grid, &DataGrid::footClick);
    QHeaderView *target = footer ? static_cast<QHeaderView *>(footerOf(grid)) : grid.view()->horizontalHeader();
    QTest::mouseClick(target->viewport(), Qt::LeftButton, {}, sectionCentre(target, column));
    QSignalSpy &hit = footer ? foots : heads;
    QCOMPARE(hit.count(), 1);
    QCOMPARE(hit.at(0).at(0).toInt(), column);
    QCOMPARE((footer ? heads : foots).count(), 0);
}

// Sorting reloads the data control from inside the click handler; the grid follows.
void tst_controls::reloadFromClickHandler()
{
    DataGrid grid;
    QAbstractItemModelTester tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    grid.addColumn()->setDataField(QStringLiteral("name"));
    grid.addColumn()->setDataField(QStringLiteral("numbr"));
    db::DataControl control;
    bindToFixture(control, grid);
    grid.setColumnFooters(true);
    showGrid(grid);
    const auto sortBy = [&](int column, const QString &direction) {
        control.setRecordSource(QStringLiteral("select * from materials order by ") + grid.column(column)->dataField() +
                                QLatin1Char(' ') + direction);
        control.refresh();
    };
    connect(&grid, &DataGrid::headClick, this, [&](int column) { sortBy(column, QStringLiteral("ASC")); });
    connect(&grid, &DataGrid::footClick, this, [&](int column) { sortBy(column, QStringLiteral("DESC")); });
    grid.setCurrentRow(2);

    QHeaderView *header = grid.view()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, sectionCentre(header, 1));
    QCOMPARE(grid.text(0, 1), QStringLiteral("1.0345"));
    QCOMPARE(grid.currentRow(), 0);
    QCOMPARE(control.recordset()->absolutePosition(), 0);
    QCOMPARE(header->sectionSize(1), platform::twipsToPixels(780));

    QHeaderView *footer = footerOf(grid);
    QTest::mouseClick(footer->viewport(), Qt::LeftButton, {}, sectionCentre(footer, 0));
    QCOMPARE(grid.text(0, 0), QStringLiteral("P265GH"));
    QCOMPARE(grid.text(2, 0), QStringLiteral("16Mo3"));
    grid.setCurrentRow(1);
    QCOMPARE(control.recordset()->field(QStringLiteral("name")).toString(), QStringLiteral("P235GH"));
}

// Tips are asked from the owner with the area, column and row of the cell under the mouse.
void tst_controls::cellTips_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected");
    QTest::newRow("header") << 2 << int(GridArea::Header) << 1 << int(DataGrid::HeaderRow) << "H 1 -1";
    QTest::newRow("footer") << 2 << int(GridArea::Footer) << 0 << int(DataGrid::FooterRow) << "F 0 -6";
    QTest::newRow("data") << 1 << int(GridArea::Data) << 1 << 1 << "D 1 1";
    QTest::newRow("tips off") << 0 << int(GridArea::Header) << 1 << int(DataGrid::HeaderRow) << "";
}

void tst_controls::cellTips()
{
    QFETCH(int, style);
    QFETCH(int, area);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QString, expected);
    platform::XArray array(1, 2, 0, 1);
    DataGrid grid;
    grid.addColumn()->setWidthTwips(1500);
    grid.addColumn()->setWidthTwips(1500);
    grid.setArray(&array);
    grid.setColumnFooters(true);
    grid.setCellTips(style);
    QCOMPARE(grid.cellTips(), style);
    int asked = 0;
    connect(&grid, &DataGrid::fetchCellTips, this, [&](GridArea a, int c, int r, QString *tip) {
        ++asked;
        const char letter = a == GridArea::Header ? 'H' : a == GridArea::Footer ? 'F' : 'D';
        *tip = QStringLiteral("%1 %2 %3").arg(QLatin1Char(letter)).arg(c).arg(r);
    });
    showGrid(grid);

    QWidget *target = nullptr;
    QPoint pos;
    if (GridArea(area) == GridArea::Data) {
        target = grid.view()->viewport();
        pos = cellCentre(grid, row, column);
    } else {
        QHeaderView *h = GridArea(area) == GridArea::Header ? grid.view()->horizontalHeader() : footerOf(grid);
        target = h->viewport();
        pos = sectionCentre(h, column);
    }
    QHelpEvent help(QEvent::ToolTip, pos, target->mapToGlobal(pos));
    QApplication::sendEvent(target, &help);
    QCOMPARE(asked, style == 0 ? 0 : 1);
    if (expected.isEmpty())
        QVERIFY(!QToolTip::isVisible() || QToolTip::text().isEmpty());
    else
        QTRY_COMPARE(QToolTip::text(), expected);
    QCOMPARE(grid.cellTip(GridArea(area), column, row), expected);
    QToolTip::hideText();
}

// A user resize reports the column with its new width; cancelling restores the old width.
void tst_controls::resizeCancel_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("drag");
    QTest::newRow("kept") << false << false;
    QTest::newRow("cancelled") << true << false;
    QTest::newRow("dragged and kept") << false << true;
    QTest::newRow("dragged and cancelled") << true << true;
}

void tst_controls::resizeCancel()
{
    QFETCH(bool, cancel);
    QFETCH(bool, drag);
    platform::XArray array(1, 2, 0, 1);
    DataGrid grid;
    grid.addColumn()->setWidthTwips(1500);
    grid.addColumn()->setWidthTwips(1500);
    grid.setArray(&array);
    showGrid(grid);
    QHeaderView *header = grid.view()->horizontalHeader();
    QList<QPair<int, double>> seen;
    connect(&grid, &DataGrid::colResize, this, [&](int column, bool *cancelFlag) {
        seen.append({column, grid.column(column)->widthTwips()});
        *cancelFlag = cancel;
    });

    if (drag) {
        const int edge = header->sectionViewportPosition(1) + header->sectionSize(1) - 1;
        const int y = header->viewport()->height() / 2;
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(edge, y));
        QTest::mouseMove(header->viewport(), QPoint(edge + 20, y));
        QTest::mouseMove(header->viewport(), QPoint(edge + 40, y));
        QVERIFY(seen.isEmpty()); // reported once, when the drag ends
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(edge + 40, y));
    } else {
        header->resizeSection(1, 140);
    }
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.at(0).first, 1);
    QCOMPARE(seen.at(0).second, platform::pixelsToTwips(140));
    QCOMPARE(grid.column(1)->widthTwips(), cancel ? 1500.0 : platform::pixelsToTwips(140));
    QCOMPARE(header->sectionSize(1), cancel ? 100 : 140);
    QCOMPARE(grid.column(0)->widthTwips(), 1500.0);

    // Widths the program sets, hiding and reloads are no user resizes.
    grid.column(0)->setWidthTwips(900);
    grid.column(0)->setVisible(false);
    grid.column(0)->setVisible(true);
    grid.rebind();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(header->sectionSize(1), cancel ? 100 : 140);
}

// Keys reach the owner as VB key codes with the shift mask; a key set to 0 is swallowed.
void tst_controls::keyDown_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<int>("shift");
    QTest::addColumn<bool>("swallow");
    QTest::addColumn<int>("rowAfter");
    QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << 13 << 0 << false << 0;
    QTest::newRow("Down") << int(Qt::Key_Down) << 0 << 40 << 0 << false << 1;
    QTest::newRow("Down swallowed") << int(Qt::Key_Down) << 0 << 40 << 0 << true << 0;
    QTest::newRow("Shift+Ctrl+A") << int(Qt::Key_A) << int(Qt::ShiftModifier | Qt::ControlModifier) << 65 << 3 << false
                                  << 0;
}

void tst_controls::keyDown()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, keyCode);
    QFETCH(int, shift);
    QFETCH(bool, swallow);
    QFETCH(int, rowAfter);
    platform::XArray array(1, 3, 0, 0);
    QWidget window;
    DataGrid &grid = *new DataGrid(&window);
    grid.addColumn();
    grid.setArray(&array);
    window.resize(400, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    struct KeyCounter : QObject
    {
        int keys = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            keys += event->type() == QEvent::KeyPress;
            return false;
        }
    } parentKeys;
    window.installEventFilter(&parentKeys);
    QList<QPair<int, int>> seen;
    connect(&grid, &DataGrid::keyDown, this, [&](int *code, int mask) {
        seen.append({*code, mask});
        if (swallow)
            *code = 0;
    });
    QTest::keyClick(grid.view(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    // The modifier keys come first, each with its own code.
    QCOMPARE(seen.size(), 1 + (shift & 1) + (shift & 2) / 2);
    QCOMPARE(seen.last().first, keyCode);
    QCOMPARE(seen.last().second, shift);
    if (shift == 3)
        QCOMPARE(seen.first().first, 16);
    if (keyCode == 13) // Enter is the owner's alone: no default button behind the grid sees it
        QCOMPARE(parentKeys.keys, 0);
    QCOMPARE(grid.currentRow(), rowAfter);
}

// Dragging a cell reports it (the owner then starts the drag); a drop of a grid's drag reports
// its source; other drops are refused; a double click is reported.
void tst_controls::dragAndDrop()
{
    platform::XArray array(1, 3, 0, 1);
    DataGrid source;
    source.setObjectName(QStringLiteral("tdbMaterials"));
    source.addColumn()->setWidthTwips(1500);
    source.addColumn()->setWidthTwips(1500);
    source.setArray(&array);
    showGrid(source);
    QSignalSpy cells(&source, &DataGrid::dragCell);
    QWidget *viewport = source.view()->viewport();
    const QPoint from = cellCentre(source, 2, 1);
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, from + QPoint(QApplication::startDragDistance() + 2, 0),
                     viewport->mapToGlobal(from), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, from);
    QCOMPARE(cells.count(), 1);
    QCOMPARE(cells.at(0).at(0).toInt(), 0);
    QCOMPARE(cells.at(0).at(1).toInt(), 2);
    QCOMPARE(cells.at(0).at(2).toInt(), 1);

    std::unique_ptr<QMimeData> data(source.createDragData());
    QVERIFY(DataGrid::isGridDrag(data.get()));
    QCOMPARE(DataGrid::dragSourceName(data.get()), QStringLiteral("tdbMaterials"));
    QMimeData plain;
    plain.setText(QStringLiteral("tdbMaterials"));
    QVERIFY(!DataGrid::isGridDrag(&plain));
    QCOMPARE(DataGrid::dragSourceName(&plain), QString());

    DataGrid target;
    target.addColumn();
    showGrid(target);
    QSignalSpy drops(&target, &DataGrid::dragDrop);
    QWidget *targetViewport = target.view()->viewport();
    const QPoint at(30, 15);
    QDragEnterEvent enterPlain(at, Qt::MoveAction, &plain, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(targetViewport, &enterPlain);
    QVERIFY(!enterPlain.isAccepted());
    QDropEvent dropPlain(at, Qt::MoveAction, &plain, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(targetViewport, &dropPlain);
    QCOMPARE(drops.count(), 0);

    QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(targetViewport, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(targetViewport, &drop);
    QCOMPARE(drops.count(), 1);
    const QPoint inGrid = targetViewport->mapTo(&target, at);
    QCOMPARE(drops.at(0).at(1).toDouble(), platform::pixelsToTwips(inGrid.x()));
    QCOMPARE(drops.at(0).at(2).toDouble(), platform::pixelsToTwips(inGrid.y()));

    QSignalSpy doubles(&source, &DataGrid::dblClick);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, cellCentre(source, 1, 0));
    QCOMPARE(doubles.count(), 1);
    QCOMPARE(source.currentRow(), 1);
}
