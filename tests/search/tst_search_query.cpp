// The search window's queries as plain text, without a window or a database.

#include "search/SearchQuery.h"

#include <QTest>

namespace {

const SearchQuery::Fields EnFields{QStringLiteral("standard"), QStringLiteral("name"),      QStringLiteral("numbr"),
                                   QStringLiteral("ss"),       QStringLiteral("asmegrade"), QStringLiteral("revDate")};

SearchQuery::Texts texts(const QStringList &boxes)
{
    SearchQuery::Texts t;
    for (int i = 0; i < boxes.size() && i < int(t.size()); ++i)
        t[i] = boxes.at(i);
    return t;
}

const QString PlateIn = QStringLiteral("(select standard from StandardProdForm where productForm like '*plate*')");

} // namespace

class SearchQueryTest : public QObject
{
    Q_OBJECT
private slots:
    // clang-format off
    void materials_data()
    {
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("query");

        QTest::newRow("no box") << QStringList() << "" << "select * from materials order by x";
        QTest::newRow("two fields") << QStringList{"EN", "", "1.04"}
                                    << " where  standard like '*EN*' and  numbr like '*1.04*'"
                                    << "select * from materials where  standard like '*EN*' and  numbr like '*1.04*' "
                                       "order by x";
        QTest::newRow("revision date as short date")
            << QStringList{"", "", "", "", "", "2001"} << " where  shortdate(revDate) like '*2001*'"
            << "select * from materials where  shortdate(revDate) like '*2001*' order by x";
        QTest::newRow("product form alone") << QStringList{"", "", "", "", "", "", "plate"} << ""
                                            << "select * from materials where  materials.standard in " + PlateIn +
                                                   " order by x";
        QTest::newRow("product form after a field")
            << QStringList{"", "P2", "", "", "", "", "plate"} << " where  name like '*P2*'"
            << "select * from materials where  name like '*P2*' and  materials.standard in " + PlateIn + " order by x";
        QTest::newRow("quote and bracket escaped") << QStringList{"", "O'N[1]"} << " where  name like '*O''N[[]1]*'"
                                                   << "select * from materials where  name like '*O''N[[]1]*' order by x";
    }
    // clang-format on

    void materials()
    {
        QFETCH(QStringList, boxes);
        QFETCH(QString, where);
        QFETCH(QString, query);
        const SearchQuery q(EnFields, texts(boxes));
        QCOMPARE(q.where(), where);
        QCOMPARE(q.materials(QStringLiteral("x")), query);
    }

    // clang-format off
    void pickList_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("productForm");
        QTest::addColumn<bool>("enStandards");
        QTest::addColumn<QString>("query");

        const QString w = QStringLiteral(" where  name like '*P2*'");
        QTest::newRow("field values") << 1 << w << "" << true
                                      << "select distinct name from materials  where  name like '*P2*' order by name";
        QTest::newRow("field values, no condition, product form")
            << 3 << "" << "plate" << true
            << "select distinct ss from materials  where  standard in " + PlateIn + " order by ss";
        QTest::newRow("product forms") << 6 << w << "plate" << true
                                       << "select distinct productForm from StandardProdForm where standard in (select "
                                          "standard from materials  where  name like '*P2*') and productForm like "
                                          "'*plate*' order by productForm";
        QTest::newRow("EN standards") << 0 << w << "" << true
                                      << "select * from standard where standard in (select standard from materials "
                                         "where  name like '*P2*') order by standard";
        QTest::newRow("ASME standards") << 0 << w << "plate" << false
                                        << "select distinct asmestandard from materials WHERE standard IN " + PlateIn +
                                               " order by asmestandard";
        QTest::newRow("no such button") << 7 << w << "" << true << "";
    }
    // clang-format on

    void pickList()
    {
        QFETCH(int, index);
        QFETCH(QString, where);
        QFETCH(QString, productForm);
        QFETCH(bool, enStandards);
        QFETCH(QString, query);
        QCOMPARE(SearchQuery::pickList(index, EnFields, where, productForm, enStandards), query);
    }
};

int runQueryTests(int argc, char **argv)
{
    SearchQueryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_search_query.moc"
