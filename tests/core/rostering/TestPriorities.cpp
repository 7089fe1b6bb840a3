// The priorities of the services: the fewer soldiers available per place, the earlier a service
// chooses. Each case installs its own services, soldiers and rosters over the small fixture.
#include "FixtureFolder.h"
#include "NumberedUnit.h"
#include "StoredTables.h"
#include "data/UGlobal.h"
#include "rostering/Priorities.h"

#include <QSqlQuery>
#include <QTest>

namespace {

const QDate Today(2004, 3, 10);

// Each service "code|Quant|first-last": its roster lists the soldiers numbered first to last.
// Each absence "num|PR|ini|fim". Soldiers 101 to 140 are registered; a roster may name others.
void install(const QStringList& services, const QStringList& absences = {})
{
    SaveNumberedSoldiers(40, absences);
    EmptyStoredRosters();
    GlobalModel& g = Global();
    g.ServiceTable = ServiceList{};
    for (const QString& service : services) {
        const QStringList f = service.split(QLatin1Char('|'));
        const int code = f[0].toInt();
        g.ServiceTable[code] = ServiceRecord{code, QStringLiteral("Serv %1").arg(code), QDate(2004, 1, 1),
                                             QDate(2004, 12, 31), f[1].toInt(), 9, {}};
        const QStringList range = f[2].split(QLatin1Char('-'));
        for (int num = range[0].toInt(); range.size() == 2 && num <= range[1].toInt(); ++num)
            TDMGeral::instance().insertRosterRow(code, QString::number(num), 0, 0);
    }
    SaveServices();
    ResetModel();
}

// "code:available:ratio:priority" of each ranked service; the ratio with two decimals, "-" for none.
QStringList summary(const std::vector<ServicePriority>& ranking)
{
    QStringList lines;
    for (const ServicePriority& p : ranking)
        lines << QStringLiteral("%1:%2:%3:%4")
                     .arg(p.code)
                     .arg(p.available)
                     .arg(p.ratio ? QString::number(*p.ratio, 'f', 2) : QStringLiteral("-"))
                     .arg(p.priority);
    return lines;
}

QStringList storedPriorities()
{
    QStringList rows;
    QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
    q.exec(QStringLiteral("SELECT CodSv, Descr, Quant, Prio FROM Sv ORDER BY CodSv"));
    while (q.next())
        rows << QStringLiteral("%1|%2|%3|%4").arg(q.value(0).toString(), q.value(1).toString(),
                                                 q.value(2).toString(), q.value(3).toString());
    return rows;
}

}

class TestPriorities : public QObject {
    Q_OBJECT
private slots:
    void rankedAndWritten_data()
    {
        QTest::addColumn<QStringList>("services");
        QTest::addColumn<QStringList>("absences");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("ratios 10, 3 and nobody available")
            << QStringList{"1|2|101-120", "2|3|121-129", "3|1|-"} << QStringList()
            << QStringList{"1:20:10.00:2", "2:9:3.00:1", "3:0:1000.00:3"};
        // Equal ratios are never exchanged with each other, but the exchange with the third reverses them.
        QTest::newRow("ratios 5, 5 and 3")
            << QStringList{"1|2|101-110", "2|1|111-115", "3|2|116-121"} << QStringList()
            << QStringList{"1:10:5.00:3", "2:5:5.00:2", "3:6:3.00:1"};
        QTest::newRow("a code without a service keeps its place, lower ratio last")
            << QStringList{"1|1|101-104", "3|1|105-110"} << QStringList() << QStringList{"1:4:4.00:1", "3:6:6.00:3"};
        QTest::newRow("a code without a service keeps its place, lower ratio first")
            << QStringList{"1|1|101-106", "3|1|107-110"} << QStringList() << QStringList{"1:6:6.00:3", "3:4:4.00:1"};
        // 101 away today (real), 102 planned away today, 103 back since yesterday, 104 away from
        // tomorrow; 150 and 151 are in the roster without a personnel record.
        QTest::newRow("absences today and numbers without a record")
            << QStringList{"1|1|101-104", "2|1|150-151"}
            << QStringList{"101|R|05/03/2004|15/03/2004", "102|P|09/03/2004|11/03/2004", "103|R|01/03/2004|09/03/2004",
                           "104|R|11/03/2004|20/03/2004"}
            << QStringList{"1:3:3.00:1", "2:0:1000.00:2"};
        QTest::newRow("a real absence that ends today keeps him out today")
            << QStringList{"1|1|101-102"} << QStringList{"101|R|01/03/2004|10/03/2004"} << QStringList{"1:1:1.00:1"};
        // A service needing nobody per day divides by nothing: it keeps its place (2) as a code
        // without a service does, and the others are ranked around it.
        QTest::newRow("a registered service with Quant 0")
            << QStringList{"1|2|101-110", "2|0|111-113", "3|1|114-115"} << QStringList()
            << QStringList{"1:10:5.00:3", "2:3:-:2", "3:2:2.00:1"};
        QTest::newRow("Quant 0 and nobody in its roster")
            << QStringList{"1|0|-", "2|1|101-103"} << QStringList() << QStringList{"1:0:-:1", "2:3:3.00:2"};
    }
    void rankedAndWritten()
    {
        QFETCH(QStringList, services);
        QFETCH(QStringList, absences);
        QFETCH(QStringList, expected);
        FixtureFolder data;
        install(services, absences);
        if (QTest::currentTestFailed())
            return;
        const QStringList before = storedPriorities();

        // Planning writes nothing.
        QCOMPARE(summary(PlanPriorities(Today)), expected);
        QCOMPARE(storedPriorities(), before);

        QCOMPARE(summary(CalculatePriorities(Today)), expected);
        // Sv keeps every service as it was but for its new Prio.
        QStringList wanted;
        for (int i = 0; i < before.size(); ++i) {
            QStringList row = before[i].split(QLatin1Char('|'));
            row.last() = expected[i].section(QLatin1Char(':'), 3, 3);
            wanted << row.join(QLatin1Char('|'));
        }
        QCOMPARE(storedPriorities(), wanted);
    }

    void aServiceGoneFromSvIsNotWrittenBack()
    {
        FixtureFolder data;
        install({"1|1|101-103", "2|1|104-105"});
        LoadServices();   // service 2 is in memory when its row leaves Sv
        QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
        QVERIFY(q.exec(QStringLiteral("DELETE FROM Sv WHERE CodSv = 2")));
        QCOMPARE(summary(CalculatePriorities(Today)), QStringList{"1:3:3.00:1"});
        QCOMPARE(storedPriorities(), QStringList{"1|Serv 1|1|1"});
    }

    void theLineOfAService_data()
    {
        QTest::addColumn<int>("places");
        QTest::addColumn<int>("available");
        QTest::addColumn<QString>("line");
        QTest::newRow("ratio") << 3 << 10 << "Serviço 4 (Sd Gda): 10 disponíveis, 3 por dia, razão 3,33, prioridade 2";
        QTest::newRow("nobody available") << 3 << 0
                                          << "Serviço 4 (Sd Gda): 0 disponíveis, 3 por dia, razão 1000,00, prioridade 2";
        QTest::newRow("nobody needed") << 0 << 5
                                       << "Serviço 4 (Sd Gda): 5 disponíveis, 0 por dia, sem razão (nenhum por dia), prioridade 2";
    }
    void theLineOfAService()
    {
        QFETCH(int, places);
        QFETCH(int, available);
        ServicePriority p{4, QStringLiteral("Sd Gda"), available, places, std::nullopt, 2};
        if (places != 0)
            p.ratio = available == 0 ? 1000.0 : double(available) / places;
        QTEST(PriorityLine(p), "line");
    }
};

QTEST_MAIN(TestPriorities)
#include "TestPriorities.moc"
