#include "tst_db.h"

#include "db/DataControl.h"
#include "db/Query.h"

#include <QDate>
#include <QSignalSpy>
#include <QtTest>

using db::Database;
using db::Recordset;
namespace dberr = db::dberr;

void tst_db::valueTypes_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("integer") << "i" << QVariant(qint64(3000000000));
    QTest::newRow("text") << "t" << QVariant(QStringLiteral("Text"));
    QTest::newRow("real") << "r" << QVariant(2.5);
    QTest::newRow("date") << "d" << QVariant(QDate(2009, 7, 1));
    QTest::newRow("date and time") << "dt" << QVariant(QDateTime(QDate(2009, 7, 1), QTime(12, 30)));
    QTest::newRow("date with a time of day") << "dtime" << QVariant(QDateTime(QDate(2009, 7, 1), QTime(12, 30)));
    QTest::newRow("true") << "yes" << QVariant(true);
    QTest::newRow("false") << "no" << QVariant(false);
    QTest::newRow("null") << "n" << QVariant();
}

void tst_db::valueTypes()
{
    QFETCH(QString, field);
    QFETCH(QVariant, expected);
    auto rs = fixture()->openRecordset(QStringLiteral("select * from Kinds"));
    const QVariant v = rs->field(field);
    QCOMPARE(v.typeId(), expected.typeId());
    QCOMPARE(v, expected);
    QCOMPARE(v.isNull(), expected.isNull());
}

void tst_db::fieldAccess()
{
    auto rs = fixture()->openRecordset(QStringLiteral("select matID, name, asmegrade from materials order by matID"));
    QCOMPARE(rs->field(QStringLiteral("NAME")), QVariant(QStringLiteral("P235GH")));
    QCOMPARE(rs->field(1), rs->field(QStringLiteral("name")));
    QCOMPARE(rs->field(0).toInt(), 1);
    QCOMPARE(rs->fieldName(2), QStringLiteral("asmegrade"));
    QCOMPARE(rs->fieldIndex(QStringLiteral("AsmeGrade")), 2);
    QCOMPARE(rs->fieldIndex(QStringLiteral("nosuch")), -1);
    QString description;
    QCOMPARE(errorOf([&] { rs->field(QStringLiteral("nosuch")); }, &description), dberr::ItemNotFound);
    QCOMPARE(description, QStringLiteral("Item not found in this collection."));
    QCOMPARE(errorOf([&] { rs->field(3); }), dberr::ItemNotFound);
    rs->move(2);
    QVERIFY(rs->field(QStringLiteral("asmegrade")).isNull());
    QCOMPARE(rs->value(1, 1), QVariant(QStringLiteral("P265GH")));
    QCOMPARE(errorOf([&] { rs->value(5, 0); }), dberr::NoCurrentRecord);
    QCOMPARE(rs->editMode(), Recordset::dbEditNone);
}

void tst_db::navigation_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << 0;
    QTest::newRow("one record") << 1;
    QTest::newRow("several records") << 3;
}

void tst_db::navigation()
{
    QFETCH(int, count);
    auto rs =
        fixture()->openRecordset(QStringLiteral("select * from materials where matID <= %1 order by matID").arg(count));
    QSignalSpy moved(rs.get(), &Recordset::repositioned);
    QCOMPARE(rs->recordCount(), count);
    if (count == 0) {
        QVERIFY(rs->bof() && rs->eof());
        QCOMPARE(rs->absolutePosition(), -1);
        QCOMPARE(errorOf([&] { rs->field(QStringLiteral("name")); }), dberr::NoCurrentRecord);
        QCOMPARE(errorOf([&] { rs->moveNext(); }), dberr::NoCurrentRecord);
        QCOMPARE(errorOf([&] { rs->movePrevious(); }), dberr::NoCurrentRecord);
        QCOMPARE(errorOf([&] { rs->moveFirst(); }), dberr::NoCurrentRecord);
        QCOMPARE(errorOf([&] { rs->moveLast(); }), dberr::NoCurrentRecord);
        QCOMPARE(moved.count(), 0);
        return;
    }
    QVERIFY(!rs->bof() && !rs->eof());
    QCOMPARE(rs->absolutePosition(), 0);
    QCOMPARE(rs->field(QStringLiteral("matID")).toInt(), 1);
    for (int i = 1; i < count; ++i) {
        rs->moveNext();
        QCOMPARE(rs->field(QStringLiteral("matID")).toInt(), i + 1);
    }
    QVERIFY(!rs->eof());
    rs->moveNext();
    QVERIFY(rs->eof() && !rs->bof());
    QCOMPARE(rs->absolutePosition(), -1);
    QCOMPARE(errorOf([&] { rs->field(QStringLiteral("name")); }), dberr::NoCurrentRecord);
    QString description;
    QCOMPARE(errorOf([&] { rs->moveNext(); }, &description), dberr::NoCurrentRecord);
    QCOMPARE(description, QStringLiteral("No current record."));
    rs->movePrevious();
    QCOMPARE(rs->field(QStringLiteral("matID")).toInt(), count);
    rs->moveFirst();
    rs->movePrevious();
    QVERIFY(rs->bof() && !rs->eof());
    QCOMPARE(errorOf([&] { rs->movePrevious(); }), dberr::NoCurrentRecord);
    rs->moveLast();
    QCOMPARE(rs->absolutePosition(), count - 1);
    QCOMPARE(moved.count(), count + 4);
}

void tst_db::moveAndPosition()
{
    auto rs = fixture()->openRecordset(QStringLiteral("select matID from materials order by matID"));
    rs->move(3);
    QCOMPARE(rs->field(0).toInt(), 4);
    rs->move(-2);
    QCOMPARE(rs->field(0).toInt(), 2);
    rs->move(10);
    QVERIFY(rs->eof());
    QCOMPARE(errorOf([&] { rs->move(-1); }), dberr::NoCurrentRecord);
    rs->setAbsolutePosition(4);
    QCOMPARE(rs->field(0).toInt(), 5);
    rs->move(-10);
    QVERIFY(rs->bof());
    QCOMPARE(errorOf([&] { rs->setAbsolutePosition(5); }), dberr::InvalidArgument);
    QCOMPARE(errorOf([&] { rs->setAbsolutePosition(-1); }), dberr::InvalidArgument);
}

// clang-format off
void tst_db::finds_data()
{
    QTest::addColumn<QString>("criteria");
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("found"); // matID of the record found, 0 for no match

    // Records in matID order 1..5; start is the matID the cursor stands on before the find.
    QTest::newRow("number") << "matID = 3" << "first" << 1 << 3;
    QTest::newRow("text without letter case") << "name = 'p265gh'" << "first" << 1 << 2;
    QTest::newRow("text without blanks") << "name='P355N'" << "first" << 1 << 3;
    QTest::newRow("next from the current record") << "name = 'P265GH'" << "next" << 2 << 5;
    QTest::newRow("previous from the current record") << "name = 'P265GH'" << "previous" << 5 << 2;
    QTest::newRow("last") << "standard = 'EN 10028-2'" << "last" << 1 << 2;
    QTest::newRow("no next match") << "name = 'P265GH'" << "next" << 5 << 0;
    QTest::newRow("no match anywhere") << "name = 'S235'" << "first" << 4 << 0;
    QTest::newRow("and") << "standard = 'EN 10028-2' AND name LIKE '*65*'" << "first" << 1 << 2;
    QTest::newRow("or") << "matID = 9 OR name = 'X5CrNi18-10'" << "first" << 1 << 4;
    QTest::newRow("not with brackets") << "NOT (matID < 4)" << "first" << 1 << 4;
    QTest::newRow("greater than") << "matID > 4" << "first" << 1 << 5;
    QTest::newRow("less or equal, from the end") << "matID <= 2" << "last" << 1 << 2;
    QTest::newRow("not equal") << "standard <> 'EN 10028-2'" << "first" << 1 << 3;
    QTest::newRow("number against numeric text") << "numbr = 1.0425" << "first" << 1 << 2;
    QTest::newRow("numeric text against number") << "matID = '4'" << "first" << 1 << 4;
    QTest::newRow("Null is never unequal") << "asmegrade <> 'Grade 60'" << "next" << 2 << 5;
    QTest::newRow("is null") << "asmegrade is null" << "first" << 1 << 3;
    QTest::newRow("date against text") << "revision_date < '2008-01-01'" << "first" << 1 << 4;
    QTest::newRow("quote inside a text") << "name = 'O''Neil'" << "first" << 3 << 0;
    QTest::newRow("bracketed field name") << "[name] like 'x*'" << "first" << 1 << 4;
}
// clang-format on

void tst_db::finds()
{
    QFETCH(QString, criteria);
    QFETCH(QString, how);
    QFETCH(int, start);
    QFETCH(int, found);
    auto rs = fixture()->openRecordset(QStringLiteral("select * from materials order by matID"));
    rs->setAbsolutePosition(start - 1);
    QSignalSpy moved(rs.get(), &Recordset::repositioned);
    if (how == QLatin1String("first"))
        rs->findFirst(criteria);
    else if (how == QLatin1String("next"))
        rs->findNext(criteria);
    else if (how == QLatin1String("previous"))
        rs->findPrevious(criteria);
    else
        rs->findLast(criteria);
    QCOMPARE(rs->noMatch(), found == 0);
    // Without a match the cursor stays where it was.
    QCOMPARE(rs->field(QStringLiteral("matID")).toInt(), found ? found : start);
    QCOMPARE(moved.count(), found ? 1 : 0);
}

void tst_db::findOnEmptyAndSingleRow()
{
    auto empty = fixture()->openRecordset(QStringLiteral("select * from materials where matID = 0"));
    empty->findFirst(QStringLiteral("matID = 1"));
    QVERIFY(empty->noMatch());
    empty->findLast(QStringLiteral("matID = 1"));
    QVERIFY(empty->noMatch());
    QVERIFY(empty->bof() && empty->eof());

    auto one = fixture()->openRecordset(QStringLiteral("select * from materials where matID = 2"));
    one->findNext(QStringLiteral("name like 'P*'"));
    QVERIFY(one->noMatch());
    one->findFirst(QStringLiteral("name like 'P*'"));
    QVERIFY(!one->noMatch());
    QCOMPARE(one->absolutePosition(), 0);
    one->moveNext();
    one->findPrevious(QStringLiteral("matID = 2"));
    QVERIFY(!one->noMatch());
    QCOMPARE(one->absolutePosition(), 0);
}

void tst_db::criteriaErrors_data()
{
    QTest::addColumn<QString>("criteria");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");

    QTest::newRow("unbalanced quote") << "name = 'P2" << dberr::SyntaxError
                                      << "Syntax error in string in query expression 'name = 'P2'.";
    QTest::newRow("quote inside a text") << "name = 'O'Neil'" << dberr::SyntaxError
                                         << "Syntax error (missing operator) in query expression 'name = 'O'Neil''.";
    QTest::newRow("missing operand") << "matID = " << dberr::SyntaxError
                                     << "Syntax error (missing operator) in query expression 'matID = '.";
    QTest::newRow("missing operator") << "matID 3" << dberr::SyntaxError
                                      << "Syntax error (missing operator) in query expression 'matID 3'.";
    QTest::newRow("unbalanced bracket") << "(matID = 1" << dberr::SyntaxError
                                        << "Syntax error (missing operator) in query expression '(matID = 1'.";
    QTest::newRow("empty") << "" << dberr::SyntaxError << "Syntax error (missing operator) in query expression ''.";
    QTest::newRow("unknown field")
        << "nosuch = 1" << dberr::UnknownName
        << "The database engine does not recognize 'nosuch' as a valid field name or expression.";
}

void tst_db::criteriaErrors()
{
    QFETCH(QString, criteria);
    QFETCH(int, number);
    QFETCH(QString, description);
    auto rs = fixture()->openRecordset(QStringLiteral("select * from materials order by matID"));
    rs->moveNext();
    QString raised;
    QCOMPARE(errorOf([&] { rs->findFirst(criteria); }, &raised), number);
    QCOMPARE(raised, description);
    QCOMPARE(rs->absolutePosition(), 1);
}

void tst_db::criteriaDepth_data()
{
    QTest::addColumn<QString>("criteria");
    QTest::addColumn<bool>("refused");

    const QString condition = QStringLiteral("matID = 2");
    const auto repeated = [](const QString &piece, int times) { return piece.repeated(times); };
    QTest::newRow("100 brackets") << repeated("(", 100) + condition + repeated(")", 100) << false;
    QTest::newRow("20000 brackets") << repeated("(", 20000) + condition + repeated(")", 20000) << true;
    QTest::newRow("unclosed brackets") << repeated("(", 20000) << true;
    QTest::newRow("98 NOTs") << repeated("NOT ", 98) + condition << false;
    QTest::newRow("20000 NOTs") << repeated("NOT ", 20000) + condition << true;
    QTest::newRow("150 ANDs") << repeated("matID > 0 AND ", 150) + condition << false;
    QTest::newRow("20000 ANDs") << repeated("matID > 0 AND ", 20000) + condition << true;
    QTest::newRow("20000 ORs") << repeated("matID = 9 OR ", 20000) + condition << true;
}

// A criterion nested deeper than any real one is refused as unreadable instead of overflowing the
// stack; one within the limit still finds its record.
void tst_db::criteriaDepth()
{
    QFETCH(QString, criteria);
    QFETCH(bool, refused);
    auto rs = fixture()->openRecordset(QStringLiteral("select * from materials order by matID"));
    QString raised;
    const int number = errorOf([&] { rs->findFirst(criteria); }, &raised);
    if (refused) {
        QCOMPARE(number, dberr::SyntaxError);
        QVERIFY(raised.startsWith(QStringLiteral("Syntax error")));
        QCOMPARE(rs->absolutePosition(), 0);
    } else {
        QCOMPARE(number, 0);
        QVERIFY(!rs->noMatch());
        QCOMPARE(rs->field(QStringLiteral("matID")).toInt(), 2);
    }
}

void tst_db::cloneIsIndependent()
{
    auto rs = fixture()->openRecordset(QStringLiteral("select * from materials order by matID"));
    rs->move(2);
    QSignalSpy moved(rs.get(), &Recordset::repositioned);
    auto copy = rs->clone();
    QCOMPARE(copy->absolutePosition(), 0);
    copy->findFirst(QStringLiteral("name = 'X5CrNi18-10'"));
    copy->moveLast();
    QCOMPARE(copy->recordCount(), 5);
    copy->close();
    QCOMPARE(moved.count(), 0);
    QCOMPARE(rs->field(QStringLiteral("matID")).toInt(), 3);
    rs->moveNext();
    QCOMPARE(rs->field(QStringLiteral("matID")).toInt(), 4);

    auto empty = fixture()->openRecordset(QStringLiteral("select * from materials where matID = 0"))->clone();
    QVERIFY(empty->bof() && empty->eof());
}

namespace {

// Runs steps separated by ";" ("next", "last", "goto:2", "findfirst:criteria", "clone:last" on a
// clone ...) and writes down what the recordset answered at each: the current matID, a flag, a
// count, or the number of the error raised.
QString answers(Recordset &rs, const QString &script)
{
    QStringList out;
    std::unique_ptr<Recordset> copy;
    for (const QString &step : script.split(u';')) {
        const QString op = step.section(u':', 0, 0);
        const QString arg = step.section(u':', 1);
        Recordset *target = &rs;
        QString what = op;
        if (op == QLatin1String("clone")) {
            if (!copy)
                copy = rs.clone();
            target = copy.get();
            what = arg;
        }
        QString result;
        const int error = errorOf([&] {
            if (what == QLatin1String("count"))
                result = QString::number(target->recordCount());
            else if (what == QLatin1String("bof"))
                result = QString::number(target->bof());
            else if (what == QLatin1String("eof"))
                result = QString::number(target->eof());
            else if (what == QLatin1String("pos"))
                result = QString::number(target->absolutePosition());
            else {
                if (what == QLatin1String("first"))
                    target->moveFirst();
                else if (what == QLatin1String("last"))
                    target->moveLast();
                else if (what == QLatin1String("next"))
                    target->moveNext();
                else if (what == QLatin1String("prev"))
                    target->movePrevious();
                else if (what == QLatin1String("goto"))
                    target->setAbsolutePosition(arg.toInt());
                else if (what == QLatin1String("move"))
                    target->move(arg.toInt());
                else if (what == QLatin1String("findfirst"))
                    target->findFirst(arg);
                else if (what == QLatin1String("findnext"))
                    target->findNext(arg);
                else if (what == QLatin1String("findprev"))
                    target->findPrevious(arg);
                else if (what == QLatin1String("findlast"))
                    target->findLast(arg);
                result =
                    QStringLiteral("%1 %2").arg(target->noMatch()).arg(target->field(QStringLiteral("matID")).toInt());
            }
        });
        out << step + u'=' + (error ? QStringLiteral("E%1").arg(error) : result);
    }
    return out.join(u'\n');
}

} // namespace

void tst_db::readOnDemandAnswersAsAtOnce_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("script");

    const QString byName = QStringLiteral("select * from materials order by name, standard");
    const QString search = QStringLiteral("select * from materials where name like '*p*' order by standard, name");
    QTest::newRow("walk past the end and back")
        << byName << "count;next;next;next;next;next;eof;next;prev;last;pos;first;prev;bof";
    QTest::newRow("counted from a clone's last record")
        << search << "clone:last;clone:pos;clone:first;clone:count;pos;next";
    QTest::newRow("last record first") << byName << "last;count;prev;pos";
    QTest::newRow("finds")
        << search
        << "findlast:name like 'P*';findprev:standard = 'EN 10028-2';findnext:matID > 3;findfirst:matID = 9;pos";
    QTest::newRow("positions") << byName << "goto:3;move:-2;move:10;eof;goto:5;goto:0;pos";
    QTest::newRow("a find reaching the last row")
        << byName << "findfirst:name = 'X5CrNi18-10';clone:findlast:matID < 3;count";
    QTest::newRow("limited after the order")
        << QStringLiteral("select * from materials order by name desc limit 3 offset 1") << "count;last;first;next";
    QTest::newRow("order words in texts and brackets")
        << QStringLiteral("select * from materials where standard <> ' order by x' and matID in (select matID from "
                          "materials order by matID limit 4) ORDER  BY [name], \"standard\" -- order by")
        << "count;last;prev";
    QTest::newRow("a closing comment") << QStringLiteral("select * from materials -- all") << "count;last";
    QTest::newRow("no rows") << QStringLiteral("select * from materials where name like '*z*' order by name")
                             << "count;bof;eof;first;last;findfirst:matID = 1;clone:count;goto:0";
}

void tst_db::readOnDemandAnswersAsAtOnce()
{
    QFETCH(QString, sql);
    QFETCH(QString, script);
    auto atOnce = fixture()->openRecordset(sql);
    auto onDemand = fixture()->openRecordset(sql, Database::ReadRows::OnDemand);
    QCOMPARE(answers(*onDemand, script), answers(*atOnce, script));
}

void tst_db::readOnDemandReadsLaterAndAfterClose()
{
    const QString sql = QStringLiteral("select * from materials order by standard, name");
    const auto expected = fixture()->openRecordset(sql)->rowSet();
    auto database = Database::open(m_fixturePath, false, true);
    auto rs = database->openRecordset(sql, Database::ReadRows::OnDemand);
    const auto rows = rs->rowSet();
    QVERIFY(rows->pending);
    QVERIFY(!rows->pending->isComplete());
    QCOMPARE(rows->size(), 5);
    QCOMPARE(rows->row(1), expected->rows.at(1));

    // A database closed with rows still unread keeps them for its recordsets.
    database->close();
    QVERIFY(rows->pending->isComplete());
    for (int i = 0; i < expected->size(); ++i)
        QCOMPARE(rows->row(i), expected->rows.at(i));
    rs->moveLast();
    QCOMPARE(rs->field(QStringLiteral("matID")), expected->rows.last().first());

    // What the statement raises for any row is raised when it is opened.
    QString description, expectedDescription;
    const QString bad = QStringLiteral("select * from materials where name like '[abc' order by name");
    QCOMPARE(errorOf([&] { fixture()->openRecordset(bad, Database::ReadRows::OnDemand); }, &description),
             errorOf([&] { fixture()->openRecordset(bad); }, &expectedDescription));
    QCOMPARE(description, expectedDescription);
}

// A statement kept for its text answers as one prepared anew: while another recordset of the same
// text is still being read, after one was left half read, after a failed run, and beyond the number
// the connection keeps.
void tst_db::keptStatementsAnswerAsNew()
{
    const QString sql = QStringLiteral("select * from materials order by standard, name");
    auto database = Database::open(m_fixturePath, false, true);
    const auto expected = database->openRecordset(sql)->rowSet();
    QVERIFY(expected->size() > 2);
    const auto allRows = [&](const QSharedPointer<const db::RowSet> &rows) {
        QVector<QVector<QVariant>> out;
        for (int i = 0; i < rows->size(); ++i)
            out.append(rows->row(i));
        return out;
    };

    auto half = database->openRecordset(sql, Database::ReadRows::OnDemand);
    QCOMPARE(half->rowSet()->row(1), expected->rows.at(1));
    auto second = database->openRecordset(sql, Database::ReadRows::OnDemand);
    QCOMPARE(database->openRecordset(sql)->rowSet()->rows, expected->rows);
    QCOMPARE(second->rowSet()->fieldNames, expected->fieldNames);
    QCOMPARE(allRows(second->rowSet()), expected->rows);
    QCOMPARE(allRows(half->rowSet()), expected->rows);

    auto left = database->openRecordset(sql, Database::ReadRows::OnDemand);
    QCOMPARE(left->rowSet()->row(0), expected->rows.at(0));
    left.reset(); // its statement goes back half read
    QCOMPARE(allRows(database->openRecordset(sql, Database::ReadRows::OnDemand)->rowSet()), expected->rows);

    const QString bad = QStringLiteral("select * from materials where name like '[abc' order by name");
    QString first, again;
    const int error = errorOf([&] { database->openRecordset(bad); }, &first);
    QVERIFY(error != 0);
    QCOMPARE(errorOf([&] { database->openRecordset(bad); }, &again), error);
    QCOMPARE(again, first);

    const int texts = db::detail::StatementCache::Capacity + 5;
    for (int round = 0; round < 2; ++round)
        for (int k = 0; k < texts; ++k) {
            const QString limited = QStringLiteral("select matID from materials order by matID limit %1").arg(k % 7);
            const QString text = limited + QString(k / 7, u' ');
            QCOMPARE(database->openRecordset(text)->rowSet()->size(), qMin(k % 7, expected->size()));
        }
    QCOMPARE(database->openRecordset(sql)->rowSet()->rows, expected->rows);
    database->close();
}

void tst_db::closedObjectsRaise()
{
    auto rs = fixture()->openRecordset(QStringLiteral("materials"));
    rs->close();
    rs->close();
    QVERIFY(rs->isClosed());
    QCOMPARE(errorOf([&] { rs->moveNext(); }), dberr::ObjectClosed);
    QCOMPARE(errorOf([&] { rs->field(0); }), dberr::ObjectClosed);
    QCOMPARE(errorOf([&] { rs->clone(); }), dberr::ObjectClosed);

    auto database = Database::open(m_fixturePath, false, true);
    auto kept = database->openRecordset(QStringLiteral("select name from materials where matID = 4"));
    database->close();
    database->close();
    QCOMPARE(errorOf([&] { database->openRecordset(QStringLiteral("materials")); }), dberr::ObjectClosed);
    // Rows already read stay readable after the database closed.
    QCOMPARE(kept->field(0), QVariant(QStringLiteral("X5CrNi18-10")));
}

void tst_db::dataControlRefreshAndReposition()
{
    m_db.reset();
    db::DataControl control;
    control.setDatabaseName(m_fixturePath);
    control.setConnectText(QStringLiteral("Access 2000;"));
    control.setRecordSource(QStringLiteral("select * from materials order by matID"));
    QVERIFY(!control.recordset());
    QSignalSpy refreshed(&control, &db::DataControl::refreshed);
    QSignalSpy repositioned(&control, &db::DataControl::repositioned);
    control.refresh();
    QCOMPARE(refreshed.count(), 1);
    QCOMPARE(repositioned.count(), 1);
    QCOMPARE(control.recordset()->recordCount(), 5);
    control.recordset()->moveNext();
    control.recordset()->findFirst(QStringLiteral("matID = 4"));
    control.recordset()->findFirst(QStringLiteral("matID = 9"));
    QCOMPARE(repositioned.count(), 3);

    // A new source replaces the rows; moves on the new recordset still reach the control.
    control.setRecordSource(QStringLiteral("standard"));
    control.refresh();
    QCOMPARE(refreshed.count(), 2);
    QCOMPARE(control.recordset()->fieldIndex(QStringLiteral("stID")), 0);
    control.recordset()->moveLast();
    QCOMPARE(repositioned.count(), 5);
    // A clone moves without telling the control.
    auto copy = control.recordset()->clone();
    copy->moveLast();
    QCOMPARE(repositioned.count(), 5);
}

void tst_db::dataControlFailedRefresh()
{
    db::DataControl control;
    control.setDatabaseName(m_fixturePath);
    control.setRecordSource(QStringLiteral("materials"));
    control.refresh();
    QVERIFY(control.recordset());
    control.setRecordSource(QStringLiteral("select * from nosuch"));
    QCOMPARE(errorOf([&] { control.refresh(); }), dberr::InputTableNotFound);
    QVERIFY(!control.recordset());

    control.setDatabaseName(m_dir.filePath(QStringLiteral("absent.mdb")));
    control.setRecordSource(QStringLiteral("materials"));
    QCOMPARE(errorOf([&] { control.refresh(); }), dberr::FileNotFound);
    QVERIFY(!control.recordset());
}

void tst_db::dataControlUsesOpenDatabase()
{
    // The program holds the protected file exclusively; a control bound to it by name neither
    // conflicts with that open nor needs the password again.
    auto held = Database::open(m_passwordPath, true, true, QStringLiteral(";Pwd=s3cret"));
    db::DataControl control;
    control.setDatabaseName(m_passwordPath);
    control.setConnectText(QStringLiteral("Access 2000;"));
    control.setRecordSource(QStringLiteral("select x from t"));
    control.refresh();
    QCOMPARE(control.recordset()->field(0).toInt(), 1);
    held->close();
    QCOMPARE(errorOf([&] { control.refresh(); }), dberr::InvalidPassword);
}
