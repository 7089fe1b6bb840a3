// ravelha-cli quadro: the table of "Quadro dos Serviços" as lines of text, the same lines as the
// window's core gives; refusals on standard error (exit 1), bad usage exit 2. Nothing is written.
#include "CliRunner.h"
#include "queries/ServicesPerSoldier.h"

#include <QTest>

Q_DECLARE_METATYPE(DayKindChoice)

class TestCliSummary : public QObject {
    Q_OBJECT
private slots:
    void theTableOfThePeriod_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<DayKindChoice>("kind");
        QTest::addColumn<QStringList>("lines");
        const QString captions = QStringLiteral("Nº   | Of Dia | Adj Of | Cb Gda | SOMA");
        const auto ofDia = [](const char* num) { return QStringLiteral("%1|      1 |        |        |    1").arg(num, -5); };
        const auto adjOf = [](const char* num) { return QStringLiteral("%1|        |      1 |        |    1").arg(num, -5); };
        const auto cbGda = [](const char* num) { return QStringLiteral("%1|        |        |      1 |    1").arg(num, -5); };
        QTest::newRow("both kinds") << QStringList() << DayKindChoice::Ambas
                                    << QStringList{captions,     ofDia("1"),  ofDia("2"),  ofDia("3"),  adjOf("4"),
                                                   adjOf("5"),   adjOf("6"),  cbGda("7"),  cbGda("8"),  cbGda("9"),
                                                   cbGda("10"),  cbGda("11"), cbGda("12"),
                                                   "SOMA |      3 |      3 |      6 |   12"};
        QTest::newRow("--pt") << QStringList{"--pt"} << DayKindChoice::Preta
                              << QStringList{captions, ofDia("1"), adjOf("4"), cbGda("7"), cbGda("8"),
                                             "SOMA |      1 |      1 |      2 |    4"};
        QTest::newRow("--vm") << QStringList{"--vm"} << DayKindChoice::Vermelha
                              << QStringList{captions,    ofDia("2"),  ofDia("3"),  adjOf("5"), adjOf("6"),
                                             cbGda("9"),  cbGda("10"), cbGda("11"), cbGda("12"),
                                             "SOMA |      2 |      2 |      4 |    8"};
    }
    void theTableOfThePeriod()
    {
        QFETCH(QStringList, options);
        QFETCH(DayKindChoice, kind);
        QFETCH(QStringList, lines);
        FixtureFolder data;
        const QStringList before = storedState(data);
        const CliResult result = cli(data, QStringList{"quadro", "27/02/04", "29/02/2004"} + options);
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, lines);
        // The same lines as the window's table.
        const ServiceCountsOutcome window = CountServicesPerSoldier("27/02/04", "29/02/2004", kind);
        QCOMPARE(result.out, SummaryTextLines(ShownTable(window.counts)));
        QCOMPARE(storedState(data), before);
    }

    void refusalsAndBadUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("error");
        QTest::newRow("first day") << QStringList{"quadro", "30/02/04", "31/03/04"} << 1 << "30/02/04 >>> Data inválida\n";
        QTest::newRow("last day") << QStringList{"quadro", "01/02/04", "1/13/04", "--vm"} << 1
                                  << "1/13/04 >>> Data inválida\n";
        QTest::newRow("one day only") << QStringList{"quadro", "01/02/04"} << 2 << "quadro precisa do primeiro";
        QTest::newRow("both kinds") << QStringList{"quadro", "01/02/04", "29/02/04", "--pt", "--vm"} << 2
                                    << "quadro: use --pt ou --vm";
        QTest::newRow("unknown option") << QStringList{"quadro", "01/02/04", "29/02/04", "--azul"} << 2
                                        << "Argumento inesperado: --azul";
    }
    void refusalsAndBadUsage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exit);
        QFETCH(QString, error);
        FixtureFolder data;
        const CliResult result = cli(data, arguments);
        QCOMPARE(result.exit, exit);
        QVERIFY(result.out.isEmpty());
        QVERIFY2(exit == 1 ? result.err == error : result.err.startsWith(error), qPrintable(result.err));
        if (exit == 2)
            QVERIFY(result.err.contains(QStringLiteral("quadro DE ATE [--pt|--vm]")));   // the usage follows
    }
};

QTEST_GUILESS_MAIN(TestCliSummary)
#include "TestCliSummary.moc"
