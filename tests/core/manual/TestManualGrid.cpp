// "Preparar Grade" and the two sample grids, on the small fixture (three services in force all
// of 2004, rostered up to 29/02/04, preparation period up to 20/03/04).
#include "FixtureFolder.h"
#include "data/DataFiles.h"
#include "data/Dates.h"
#include "data/UGlobal.h"
#include "manual/ManualGrid.h"
#include "manual/SampleGrids.h"

#include <QTest>
#include <algorithm>

namespace {

QDate march(int day)
{
    return QDate(2004, 3, day);
}

QStringList daysOf(const ManualGrid& grid)
{
    return QStringList(grid.days.begin(), grid.days.end());
}

QStringList cellsOf(const ManualGridRow& row)
{
    return QStringList(row.cells.begin(), row.cells.end());
}

// The service register with these services only: code, Ini, Fim.
struct Service {
    int code;
    QDate ini;
    QDate fim;
};
void registerServices(const QList<Service>& services)
{
    LoadServices();
    ServiceList& table = Global().ServiceTable;
    for (int code = 1; code <= Capacity::Services; ++code)
        table[code] = ServiceRecord();
    for (const Service& s : services)
        table[s.code] = {s.code, QStringLiteral("Sv %1").arg(s.code), s.ini, s.fim, 1, s.code, QString()};
    SaveServices();
    ResetModel();
}

}

class TestManualGrid : public QObject {
    Q_OBJECT
private slots:
    void endDayGivesTheDayColumns_data()
    {
        QTest::addColumn<QString>("last");        // Escala.Txt
        QTest::addColumn<QString>("end");         // typed
        QTest::addColumn<QStringList>("days");    // the headers, or
        QTest::addColumn<QString>("refusal");     // the message
        const QStringList none(6, QString());
        QTest::newRow("six days") << "29/02/04" << "06/03/04"
                                  << QStringList{"01/03/04", "02/03/04", "03/03/04", "04/03/04", "05/03/04", "06/03/04"}
                                  << "";
        QTest::newRow("one day") << "29/02/04" << "1/3/2004"
                                 << QStringList{"01/03/04", "", "", "", "", ""} << "";
        QTest::newRow("the last rostered day: no day") << "29/02/04" << "29/02/04" << none << "";
        QTest::newRow("before it: no day") << "29/02/04" << "20/02/04" << none << "";
        QTest::newRow("seven days") << "29/02/04" << "07/03/04" << QStringList()
                                    << "Só é possível escalar até o dia 06/03/04";
        QTest::newRow("up to the end of the preparation period")
            << "16/03/04" << "20/03/04" << QStringList{"17/03/04", "18/03/04", "19/03/04", "20/03/04", "", ""} << "";
        QTest::newRow("a day past the preparation period")
            << "16/03/04" << "21/03/04" << QStringList()
            << "Antes de escalar, você deve alongar a data de preparação do Sistema\n\n"
               "             A data atual vai até o dia 20/03/04\n\n"
               "Para ampliá-la, use o item 5. da aba /Manutenção/";
        QTest::newRow("no end day") << "29/02/04" << "" << QStringList() << "Você deve informar a data final da escala";
        QTest::newRow("no date") << "29/02/04" << "30/02/04" << QStringList() << "30/02/04 >>> Data inválida";
        QTest::newRow("a year dd/mm/yy cannot hold") << "29/02/04" << "01/03/1904" << QStringList()
                                                      << "01/03/1904 >>> Data inválida";
    }
    void endDayGivesTheDayColumns()
    {
        QFETCH(QString, last);
        QFETCH(QString, end);
        QFETCH(QStringList, days);
        QFETCH(QString, refusal);
        FixtureFolder data;
        DataFiles::WriteLastRosteredDay(*Dates::parse(last));
        const ManualPreparation preparation = PrepareManualGrid(end);
        QCOMPARE(preparation.refusal, refusal);
        if (!refusal.isEmpty()) {
            // A refusal marks nothing.
            for (int code = 1; code <= 3; ++code)
                QCOMPARE(Global().ServiceTable[code].Marca, QString());
            return;
        }
        QCOMPARE(daysOf(preparation.grid), days);
        QCOMPARE(preparation.grid.rows.size(), 3);
        for (int code = 1; code <= 3; ++code)
            QCOMPARE(Global().ServiceTable[code].Marca, QStringLiteral("S"));
        QCOMPARE(Global().ServiceTable[4].Marca, QString());
    }

    void servicesOutOfForceShowSemSv()
    {
        FixtureFolder data;
        registerServices({{1, QDate(2004, 1, 1), march(4)},     // ends inside the grid
                          {2, QDate(2004, 1, 1), QDate(2004, 2, 28)},   // ended before it
                          {3, march(3), QDate(2004, 12, 31)},    // starts inside it
                          {4, QDate(), QDate(2004, 12, 31)}});  // no first day: always in force
        const ManualPreparation preparation = PrepareManualGrid(QStringLiteral("06/03/04"));
        QVERIFY(preparation.prepared());
        const QList<ManualGridRow>& rows = preparation.grid.rows;
        QCOMPARE(rows.size(), 4);
        QCOMPARE(cellsOf(rows[0]), QStringList({"", "", "", "", "Sem Sv", "Sem Sv"}));
        QCOMPARE(cellsOf(rows[1]), QStringList(6, QStringLiteral("Sem Sv")));
        QCOMPARE(cellsOf(rows[2]), QStringList({"Sem Sv", "Sem Sv", "", "", "", ""}));
        QCOMPARE(cellsOf(rows[3]), QStringList(6, QString()));

        // Undated columns get no marker.
        const ManualPreparation shorter = PrepareManualGrid(QStringLiteral("02/03/04"));
        QCOMPARE(cellsOf(shorter.grid.rows[1]), QStringList({"Sem Sv", "Sem Sv", "", "", "", ""}));
    }

    void rowsFollowTheCodes_data()
    {
        QTest::addColumn<QList<int>>("codes");
        QTest::newRow("codes 1, 2, 5 and 7") << QList<int>{7, 2, 5, 1};
        QTest::newRow("no service") << QList<int>{};
    }
    void rowsFollowTheCodes()
    {
        QFETCH(QList<int>, codes);
        FixtureFolder data;
        QList<Service> services;
        for (int code : codes)
            services << Service{code, QDate(2004, 1, 1), QDate(2004, 12, 31)};
        registerServices(services);
        const ManualPreparation preparation = PrepareManualGrid(QStringLiteral("02/03/04"));
        QVERIFY(preparation.prepared());
        std::sort(codes.begin(), codes.end());
        QList<int> rowCodes;
        QStringList names;
        for (const ManualGridRow& row : preparation.grid.rows) {
            rowCodes << row.code;
            names << row.descr;
        }
        QCOMPARE(rowCodes, codes);
        QStringList expectedNames;
        for (int code : codes)
            expectedNames << QStringLiteral("Sv %1").arg(code);
        QCOMPARE(names, expectedNames);
        QCOMPARE(preparation.grid.serviceRows(), codes.size());
    }

    void preparingAgainKeepsTheCellsAndRewritesEveryHeader()
    {
        FixtureFolder data;
        ManualGrid grid = PrepareManualGrid(QStringLiteral("06/03/04")).grid;
        grid.rows[0].cells[0] = QStringLiteral("1");
        grid.rows[2].cells[5] = QStringLiteral("7 8");
        const ManualGrid again = PrepareManualGrid(QStringLiteral("02/03/04"), grid).grid;
        QCOMPARE(daysOf(again), QStringList({"01/03/04", "02/03/04", "", "", "", ""}));
        QCOMPARE(again.rows[0].cells[0], QStringLiteral("1"));
        QCOMPARE(again.rows[2].cells[5], QStringLiteral("7 8"));
    }

    void sampleGrids_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::newRow("Carregar") << int(SampleGrid::Carregar)
                                  << QList<QStringList>{{"1", "4", "5"},
                                                        {"11", "12", "6"},
                                                        {"21 22 23", "24 25 26", "27 22 29"},
                                                        {"36 3831", "39 30", "37 31 33"}};
        QTest::newRow("Corrigir") << int(SampleGrid::Corrigir)
                                  << QList<QStringList>{{"1", "4", "5"},
                                                        {"13", "12", "11"},
                                                        {"21 22 23", "24 25 26", "27 28 29"},
                                                        {"36 38 31", "39 30 32", "37 33 34"}};
    }
    void sampleGrids()
    {
        QFETCH(int, which);
        QFETCH(QList<QStringList>, rows);
        ManualGrid grid;
        grid.rows << ManualGridRow{QStringLiteral("Of Dia"), 1, {"x", "x", "x", "x", "x", "x"}};
        FillSampleGrid(grid, SampleGrid(which));
        QCOMPARE(grid.rows.size(), 4);
        for (int r = 0; r < 4; ++r)
            QCOMPARE(cellsOf(grid.rows[r]).mid(0, 3), rows[r]);
        // Other cells are left as they are.
        QCOMPARE(cellsOf(grid.rows[0]).mid(3), QStringList({"x", "x", "x"}));
        QCOMPARE(grid.rows[0].descr, QStringLiteral("Of Dia"));
    }
};

QTEST_GUILESS_MAIN(TestManualGrid)
#include "TestManualGrid.moc"
