// ravelha-cli prioridades: the lines of the core's ranking, then the priorities written, on fresh
// copies of the small fixture (soldier 5 of Adj Of away from 01/03 to 05/03/04) and the initial set.
#include "CliRunner.h"
#include "data/UGlobal.h"
#include "data/Dates.h"
#include "rostering/Priorities.h"

#include <QTest>

class TestCliPriorities : public QObject {
    Q_OBJECT
private slots:
    void printsTheRankingAndWritesIt_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("today");
        QTest::addColumn<QString>("adjOf");   // the line of Adj Of (code 2), or empty
        QTest::newRow("5 away today") << "pequena" << "03/03/04"
                                      << "Serviço 2 (Adj Of): 2 disponíveis, 1 por dia, razão 2,00, prioridade 1";
        QTest::newRow("5 back") << "pequena" << "06/03/04"
                                << "Serviço 2 (Adj Of): 3 disponíveis, 1 por dia, razão 3,00, prioridade 2";
        QTest::newRow("initial data set") << "inicial" << "02/03/04" << QString();
    }
    void printsTheRankingAndWritesIt()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, today);
        QFETCH(QString, adjOf);
        FixtureFolder data(fixture);
        const QStringList before = storedState(data);
        const QDate day = *Dates::parse(today);
        QStringList lines;
        for (const ServicePriority& p : PlanPriorities(day))
            lines << PriorityLine(p);
        ResetModel();
        QVERIFY(lines.size() >= 3);
        if (!adjOf.isEmpty())
            QCOMPARE(lines.at(1), adjOf);

        const CliResult result = cli(data, {QStringLiteral("--hoje"), today, QStringLiteral("prioridades")});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, lines);

        // Sv holds the new priorities; nothing else changed.
        const QStringList after = storedState(data);
        QStringList beforeElse = before;
        QStringList afterElse = after;
        const auto dropSv = [](QStringList& state) {
            const qsizetype from = state.indexOf(QStringLiteral("== Sv"));
            const qsizetype to = state.indexOf(QStringLiteral("== Sv1"));
            state.remove(from, to - from);
        };
        dropSv(beforeElse);
        dropSv(afterElse);
        QCOMPARE(afterElse, beforeElse);
        LoadServices();
        for (const QString& line : lines) {
            const int code = line.section(QLatin1Char(' '), 1, 1).toInt();
            QCOMPARE(QString::number(Global().ServiceTable[code].Prio), line.section(QLatin1Char(' '), -1));
        }
    }

    void anArgumentIsBadUsageAndWritesNothing()
    {
        FixtureFolder data;
        const QStringList before = storedState(data);
        const CliResult result = cli(data, {QStringLiteral("prioridades"), QStringLiteral("03/03/04")});
        QCOMPARE(result.exit, 2);
        QVERIFY(result.err.contains(QStringLiteral("Argumento inesperado: 03/03/04")));
        QVERIFY(result.err.contains(QStringLiteral("prioridades")));   // the usage names the command
        QCOMPARE(storedState(data), before);
    }
};

QTEST_MAIN(TestCliPriorities)
#include "TestCliPriorities.moc"
