// ravelha-cli historico: the rows the window's grid shows, one line each, or the refusal.
#include "CliRunner.h"
#include "queries/HistorySearch.h"

#include <QTest>

namespace {

// What the grid shows for the same inputs, as the command prints it.
QStringList gridLines(const HistorySearchInput& input)
{
    const HistorySearchPlan plan = PlanHistorySearch(input);
    QStringList lines;
    for (const HistoryRow& row : SearchHistory(plan.search))
        lines << HistoryGridTexts(row).join(QStringLiteral(" | "));
    return lines;
}

}

class TestCliHistory : public QObject {
    Q_OBJECT
private slots:
    void printsTheRowsOfTheGrid_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QList<int>>("services");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("rows");
        QTest::newRow("everything") << QStringList() << "" << "" << "" << QList<int>() << "" << 9;
        QTest::newRow("one day, as the window copies it")
            << QStringList{"--de", "28/02/04"} << "28/02/04" << "28/02/04" << "" << QList<int>() << "" << 3;
        QTest::newRow("a period") << QStringList{"--de", "27/02/04", "--ate", "28/02/2004"} << "27/02/04"
                                  << "28/02/2004" << "" << QList<int>() << "" << 6;
        QTest::newRow("services on red days") << QStringList{"--servicos", "3,1", "--vm"} << "" << "" << ""
                                              << QList<int>{1, 3} << "Vm" << 4;
        QTest::newRow("a number on black days") << QStringList{"--numero", "8", "--pt"} << "" << "" << "8"
                                                << QList<int>() << "Pt" << 1;
    }
    void printsTheRowsOfTheGrid()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, number);
        QFETCH(QList<int>, services);
        QFETCH(QString, kind);
        QFETCH(int, rows);
        FixtureFolder data;
        const CliResult result = cli(data, QStringList{"historico"} + arguments);
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.err, QString());
        const QStringList expected = gridLines({first, last, number, services, kind});
        QCOMPARE(expected.size(), rows);
        QCOMPARE(result.out, expected);
    }

    void aLineIsTheGridsColumnsInOrder()
    {
        FixtureFolder data;
        const CliResult result = cli(data, {"historico", "--numero", "10"});
        QCOMPARE(result.out, QStringList{"28/02/04 | Vm | Cb Gda | 9 10 | 3"});
    }

    void refusalsAndBadUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("error");
        QTest::newRow("no such day") << QStringList{"--de", "31/02/04"} << 1 << "31/02/04 >>> Data inválida";
        QTest::newRow("bad last day") << QStringList{"--de", "01/02/04", "--ate", "01-03-04"} << 1
                                      << "01-03-04 >>> Data inválida";
        QTest::newRow("number too long") << QStringList{"--numero", "12345"} << 1 << "tem mais de 4 caracteres";
        QTest::newRow("last day alone") << QStringList{"--ate", "01/03/04"} << 2 << "--ate precisa de --de";
        QTest::newRow("code not a number") << QStringList{"--servicos", "1,x"} << 2 << "--servicos 1,x";
        QTest::newRow("code out of range") << QStringList{"--servicos", "31"} << 2 << "--servicos 31";
        QTest::newRow("both kinds") << QStringList{"--pt", "--vm"} << 2 << "Argumento inesperado: --vm";
        QTest::newRow("missing value") << QStringList{"--numero"} << 2 << "--numero precisa de um valor";
        QTest::newRow("unknown option") << QStringList{"--todos"} << 2 << "Argumento inesperado: --todos";
    }
    void refusalsAndBadUsage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exit);
        QFETCH(QString, error);
        FixtureFolder data;
        const CliResult result = cli(data, QStringList{"historico"} + arguments);
        QCOMPARE(result.exit, exit);
        QVERIFY(result.out.isEmpty());
        QVERIFY2(result.err.contains(error), qPrintable(result.err));
        QCOMPARE(result.err.contains(QStringLiteral("uso: ravelha-cli")), exit == 2);
    }
};

QTEST_GUILESS_MAIN(TestCliHistory)
#include "TestCliHistory.moc"
