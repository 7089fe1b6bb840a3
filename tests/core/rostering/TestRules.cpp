// The availability rules, the candidate search and the bookkeeping of a service taken.
#include "ModelProbes.h"
#include "data/CoreError.h"
#include "data/UGlobal.h"
#include "rostering/ModelIndex.h"
#include "rostering/Removals.h"
#include "rostering/Rules.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QDate march(int day)
{
    return QDate(2009, 3, day);
}

SoldierRecord soldier(const QString& num, const QString& pr = QString(), QDate ini = {}, QDate fim = {})
{
    SoldierRecord s;
    s.Num = num;
    s.Nome = QStringLiteral("Nome ") + num;
    s.PR = pr;
    s.Ini = ini;
    s.Fim = fim;
    return s;
}

// The roster's rows in place, as "num pt vm" lines.
QStringList rowsOf(int code)
{
    QStringList rows;
    const RosterTable& roster = Global().Grades[code];
    for (int row = 1; row <= Capacity::RosterRows && !roster.cell(RosterTable::NumCol, row).isEmpty(); ++row)
        rows << roster.cell(0, row) + ' ' + roster.cell(1, row) + ' ' + roster.cell(2, row);
    return rows;
}

// The exchange sort of the rosters, literally: every later row with a smaller text key exchanges.
QList<QStringList> literalExchangeSort(QList<QStringList> rows, const QString& kind)
{
    const bool red = kind == QStringLiteral("Vm");
    auto key = [red](const QStringList& r) {
        const int own = (red ? r[2] : r[1]).toInt() + 100;
        const int other = (red ? r[1] : r[2]).toInt() + 100;
        return QString::number(own) + QString::number(other);
    };
    for (int a = 0; a < rows.size(); ++a)
        for (int b = a + 1; b < rows.size(); ++b)
            if (key(rows[b]) < key(rows[a]))
                std::swap(rows[a], rows[b]);
    return rows;
}

void setRoster(int code, const QList<QStringList>& rows)
{
    GlobalModel& g = Global();
    g.ServiceTable[code].CodSv = code;
    g.ServiceTable[code].Descr = QStringLiteral("Sv %1").arg(code);
    ClearRoster(g.Grades[code]);
    for (int i = 0; i < rows.size(); ++i)
        g.Grades[code].row(i + 1) = {rows[i][0], rows[i][1], rows[i][2]};
}

}

class TestRules : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        ResetModel();
        ClearRemovals();
    }

    void restKeepsThreeDaysAround_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<bool>("available");
        for (int offset = -3; offset <= 3; ++offset)
            QTest::addRow("d%+d", offset) << offset << (offset == -3 || offset == 3);
    }
    void restKeepsThreeDaysAround()
    {
        QFETCH(int, offset);
        QFETCH(bool, available);
        SoldierRecord s = soldier(QStringLiteral("7"));
        s.USv[9] = march(10);
        QCOMPARE(RestOk(s, march(10).addDays(offset)), available);
        QVERIFY(RestOk(soldier(QStringLiteral("8")), march(10)));   // no service days: never blocked
    }

    void absenceRule_data()
    {
        QTest::addColumn<QString>("pr");
        QTest::addColumn<int>("day");
        QTest::addColumn<bool>("available");
        QTest::addColumn<bool>("alerts");
        // Absence from 10/03 to 12/03, both included.
        QTest::newRow("real, day before") << "R" << 9 << true << false;
        QTest::newRow("real, first day") << "R" << 10 << false << false;
        QTest::newRow("real, between") << "R" << 11 << false << false;
        QTest::newRow("real, last day") << "R" << 12 << false << false;
        QTest::newRow("real, day after") << "R" << 13 << true << false;
        QTest::newRow("other mark excludes too") << "X" << 11 << false << false;
        QTest::newRow("planned, first day") << "P" << 10 << true << true;
        QTest::newRow("planned, last day") << "P" << 12 << true << true;
        QTest::newRow("planned, day after") << "P" << 13 << true << false;
    }
    void absenceRule()
    {
        QFETCH(QString, pr);
        QFETCH(int, day);
        QFETCH(bool, available);
        QFETCH(bool, alerts);
        QStringList messages;
        QCOMPARE(AbsenceOk(soldier(QStringLiteral("12"), pr, march(10), march(12)), march(day), messages), available);
        if (alerts) {
            QCOMPARE(messages, QStringList{QStringLiteral("Dia: %1/03/09  Nº:  12  Previsto sair da escala de: "
                                                          "10/03/09 a 12/03/09")
                                               .arg(day, 2, 10, QLatin1Char('0'))});
            QCOMPARE(Global().AbsenceNote, QStringLiteral("Previsto sair da escala de 10/03/09 a 12/03/09"));
        } else {
            QVERIFY(messages.isEmpty());
        }
    }

    void removals_data()
    {
        QTest::addColumn<QString>("num");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("day");
        QTest::addColumn<bool>("considered");
        QTest::newRow("service 3, day 10") << "12" << 3 << 10 << false;
        QTest::newRow("service 5, day 11") << "12" << 5 << 11 << false;
        QTest::newRow("service 4") << "12" << 4 << 10 << true;
        QTest::newRow("day 12") << "12" << 3 << 12 << true;
        QTest::newRow("another soldier") << "13" << 3 << 10 << true;
        QTest::newRow("second entry of the same soldier") << "12" << 7 << 20 << false;
        QTest::newRow("entry with services and no days") << "9" << 3 << 10 << true;
    }
    void removals()
    {
        QFETCH(QString, num);
        QFETCH(int, code);
        QFETCH(int, day);
        QFETCH(bool, considered);
        QVERIFY(!AddRemoval(QStringLiteral("12"), {3, 5}, {march(10), march(11)}));
        QVERIFY(!AddRemoval(QStringLiteral("9"), {3}, {}));
        QVERIFY(!AddRemoval(QStringLiteral("12"), {7}, {march(20)}));
        QCOMPARE(RemovalCount(), 3);
        QCOMPARE(NotRemoved(num, code, march(day)), considered);
    }

    void removalListIsBounded()
    {
        QList<QDate> elevenDays;
        for (int d = 1; d <= 11; ++d)
            elevenDays << march(d);
        const std::optional<QString> tooManyDays = AddRemoval(QStringLiteral("7"), {1}, elevenDays);
        QVERIFY(tooManyDays);
        QVERIFY(tooManyDays->contains(QStringLiteral("no máximo 10 dias")));
        QCOMPARE(RemovalCount(), 0);
        QVERIFY(AddRemoval(QStringLiteral("  "), {1}, {march(1)}));   // no number: refused
        QCOMPARE(RemovalCount(), 0);

        QVERIFY(!AddRemoval(QStringLiteral("7"), {1}, elevenDays.mid(0, 10)));
        QVERIFY(!NotRemoved(QStringLiteral("7"), 1, march(10)));
        for (int i = 2; i <= 50; ++i)
            QVERIFY(!AddRemoval(QString::number(100 + i), {1}, {march(1)}));
        const std::optional<QString> fiftyFirst = AddRemoval(QStringLiteral("999"), {1}, {march(1)});
        QVERIFY(fiftyFirst);
        QVERIFY(fiftyFirst->contains(QStringLiteral("50 retiradas")));
        QCOMPARE(RemovalCount(), 50);
        QVERIFY(NotRemoved(QStringLiteral("999"), 1, march(1)));
        QVERIFY(!NotRemoved(QStringLiteral("150"), 1, march(1)));   // the last entry still counts

        ClearRemovals();
        QCOMPARE(RemovalCount(), 0);
        QVERIFY(NotRemoved(QStringLiteral("7"), 1, march(10)));
    }

    void sortRosterTable_data()
    {
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("order");
        const QList<QStringList> example = {{"7", "2", "0"}, {"4", "1", "5"}, {"9", "1", "0"}};
        QTest::newRow("black day") << example << "Pt" << QStringList{"9", "4", "7"};
        QTest::newRow("red day") << example << "Vm" << QStringList{"9", "7", "4"};
        // Equal keys keep the order the exchange sort leaves: 3 and 5 swap places, unlike a
        // stable sort.
        QTest::newRow("equal keys after an exchange")
            << QList<QStringList>{{"3", "1", "0"}, {"5", "1", "0"}, {"8", "0", "0"}} << "Pt" << QStringList{"8", "5", "3"};
        QTest::newRow("equal keys untouched")
            << QList<QStringList>{{"3", "0", "0"}, {"5", "0", "0"}, {"8", "0", "0"}} << "Vm" << QStringList{"3", "5", "8"};
        // Keys are compared as text: a count of -1 gives "99", which comes after "100".
        QTest::newRow("text keys outside three digits")
            << QList<QStringList>{{"1", "-1", "0"}, {"2", "0", "0"}, {"3", "900", "0"}} << "Pt" << QStringList{"3", "2", "1"};
    }
    void sortRosterTable()
    {
        QFETCH(QList<QStringList>, rows);
        QFETCH(QString, kind);
        QFETCH(QStringList, order);
        setRoster(1, rows);
        SortRosterTable(Global().Grades[1], kind);
        QCOMPARE(NumbersOf(Global().Grades[1]), order);
        for (const QStringList& row : rows)   // whole rows move together
            QCOMPARE(CountsOf(1, row[0]), row[1] + QLatin1Char('/') + row[2]);
    }

    void sortLargeRosterLikeTheExchangeSort_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::newRow("many equal keys") << "equal";
        QTest::newRow("counts beyond three digits") << "beyond";
        QTest::newRow("reverse order") << "reverse";
        QTest::newRow("scattered") << "scattered";
    }
    void sortLargeRosterLikeTheExchangeSort()
    {
        // A roster of 500 rows against a literal exchange sort of the text keys.
        QFETCH(QString, shape);
        QList<QStringList> rows;
        quint32 seed = 12345;
        for (int i = 0; i < 500; ++i) {
            int pt = (i * 7) % 5;
            int vm = (i * 3) % 4;
            if (shape == QStringLiteral("beyond")) {
                pt = pt == 4 ? 1000 : pt - 2;
                vm -= 2;
            } else if (shape == QStringLiteral("reverse")) {
                pt = 0;
                vm = 500 - i;
            } else if (shape == QStringLiteral("scattered")) {
                seed = seed * 1103515245 + 12345;
                pt = (seed >> 16) % 40;
                vm = (seed >> 8) % 3;
            }
            rows << QStringList{QString::number(i + 1), QString::number(pt), QString::number(vm)};
        }
        QList<QStringList> expected = rows;
        auto key = [](const QStringList& r) { return QString::number(r[2].toInt() + 100) + QString::number(r[1].toInt() + 100); };
        for (int a = 0; a < expected.size(); ++a)
            for (int b = a + 1; b < expected.size(); ++b)
                if (key(expected[a]) > key(expected[b]))
                    std::swap(expected[a], expected[b]);
        setRoster(2, rows);
        SortRosterTable(Global().Grades[2], QStringLiteral("Vm"));
        for (int i = 0; i < 500; ++i)
            QCOMPARE(Global().Grades[2].cell(RosterTable::NumCol, i + 1), expected[i][0]);
    }

    void sortManySmallRostersLikeTheExchangeSort()
    {
        // Small rosters with many equal keys, a few negative or wide counts, on both kinds.
        QRandomGenerator random(2026);
        for (int trial = 0; trial < 400; ++trial) {
            const int size = 2 + int(random.bounded(40));
            const int spread = 1 + int(random.bounded(6));
            QList<QStringList> rows;
            for (int i = 0; i < size; ++i) {
                int pt = int(random.bounded(spread));
                int vm = int(random.bounded(spread));
                if (trial % 5 == 0 && random.bounded(8) == 0)
                    pt = random.bounded(2) == 0 ? -1 - int(random.bounded(3)) : 900 + int(random.bounded(200));
                rows << QStringList{QString::number(i + 1), QString::number(pt), QString::number(vm)};
            }
            const QString kind = trial % 2 == 0 ? QStringLiteral("Pt") : QStringLiteral("Vm");
            setRoster(3, rows);
            SortRosterTable(Global().Grades[3], kind);
            QStringList expected;
            for (const QStringList& row : literalExchangeSort(rows, kind))
                expected << row.join(' ');
            QCOMPARE(rowsOf(3), expected);
        }
    }

    void indexedPicksMatchThePlainOnes()
    {
        // The same picks and sorts with and without the computation's index leave the same rosters.
        QRandomGenerator random(11);
        QList<QList<QStringList>> rosters;
        for (int code = 1; code <= 3; ++code) {
            QList<QStringList> rows;
            for (int i = 1; i <= 60; ++i)
                if (random.bounded(3) != 0)
                    rows << QStringList{QString::number(i), QString::number(random.bounded(5)), QString::number(random.bounded(3))};
            rosters << rows;
        }
        struct Step {
            QString kind;
            QString num;
            int roster;
        };
        QList<Step> steps;
        for (int k = 0; k < 300; ++k)
            steps << Step{random.bounded(3) == 0 ? QStringLiteral("Vm") : QStringLiteral("Pt"),
                          QString::number(1 + random.bounded(62)), 1 + int(random.bounded(3))};
        QList<QStringList> results;
        for (const bool indexed : {false, true}) {
            ResetModel();
            for (int code = 1; code <= 3; ++code)
                setRoster(code, rosters[code - 1]);
            std::optional<ModelIndex> index;
            if (indexed)
                index.emplace();
            for (const Step& step : steps) {
                SortRosterTable(Global().Grades[step.roster], step.kind);
                ChangeCounts(step.kind, step.num, +1);
            }
            QStringList all;
            for (int code = 1; code <= 3; ++code)
                all << rowsOf(code) << QStringLiteral("--");
            results << all;
        }
        QCOMPARE(results[1], results[0]);
    }

    void nextCandidateWalksTheRosterOnce()
    {
        GlobalModel& g = Global();
        g.SoldierTable[1] = soldier(QStringLiteral("1"));
        g.SoldierTable[2] = soldier(QStringLiteral("2"), QStringLiteral("P"), march(1), march(31));
        g.SoldierTable[3] = soldier(QStringLiteral("3"), QStringLiteral("P"), march(1), march(31));
        g.SoldierTable[3].USv[9] = march(9);   // resting: his planned absence must not alert
        setRoster(1, {{"3", "0", "0"}, {"86", "0", "0"}, {"2", "0", "0"}, {"1", "0", "0"}});
        QStringList messages;
        g.SearchCursor = 1;
        QCOMPARE(NextCandidate(1, g.Grades[1], march(10), messages), QStringLiteral("2"));
        QCOMPARE(g.AbsenceNote, QStringLiteral("Previsto sair da escala de 01/03/09 a 31/03/09"));
        QCOMPARE(g.SoldierTable[2].USv[9], march(10));   // recorded at once
        QCOMPARE(NextCandidate(1, g.Grades[1], march(10), messages), QStringLiteral("1"));
        QCOMPARE(g.AbsenceNote, QString());
        QCOMPARE(NextCandidate(1, g.Grades[1], march(10), messages), QString());
        QCOMPARE(messages, QStringList({QStringLiteral("Dia: 10/03/09  Nº:  86  Sem cadastro de pessoal: não foi escalado para Sv 1"),
                                        QStringLiteral("Dia: 10/03/09  Nº:  2  Previsto sair da escala de: 01/03/09 a 31/03/09")}));
        // A member without a record shares no days: nothing was recorded on a free record.
        QVERIFY(g.SoldierTable[4].Num.isEmpty());
        QVERIFY(!g.SoldierTable[4].USv[9].isValid());
    }

    void recordServiceDayKeepsTheTenLatest()
    {
        SoldierRecord s = soldier(QStringLiteral("5"));
        s.USv[3] = march(20);
        RecordServiceDay(s, march(10));
        QCOMPARE(s.USv[8], march(10));
        QCOMPARE(s.USv[9], march(20));
        for (int d = 1; d <= 8; ++d)
            RecordServiceDay(s, QDate(2009, 4, d));
        QVERIFY(s.USv[0].isValid());
        QCOMPARE(s.USv[0], march(10));
        RecordServiceDay(s, march(1));   // earlier than all ten: it still enters, in place of the earliest
        QCOMPARE(s.USv[0], march(1));
        QCOMPARE(s.USv[1], march(20));
        QCOMPARE(s.USv[9], QDate(2009, 4, 8));
    }

    void changeCountsInEveryRosterOfTheSoldier()
    {
        setRoster(1, {{"5", "2", "3"}, {"6", "0", "0"}});
        setRoster(4, {{"1", "0", "0"}, {"5", "7", "1"}});
        setRoster(9, {{"5", "0", "0"}});
        setRoster(10, {{"5", "4", "4"}});
        Global().ServiceTable[10].Descr.clear();   // a roster of no registered service is left alone
        ChangeCounts(QStringLiteral("Vm"), QStringLiteral("5"), +1);
        QCOMPARE(CountsOf(1, QStringLiteral("5")), QStringLiteral("2/4"));
        QCOMPARE(CountsOf(4, QStringLiteral("5")), QStringLiteral("7/2"));
        QCOMPARE(CountsOf(9, QStringLiteral("5")), QStringLiteral("0/1"));
        QCOMPARE(CountsOf(10, QStringLiteral("5")), QStringLiteral("4/4"));
        QCOMPARE(CountsOf(1, QStringLiteral("6")), QStringLiteral("0/0"));
        ChangeCounts(QStringLiteral("Pt"), QStringLiteral("5"), -1);
        QCOMPARE(CountsOf(4, QStringLiteral("5")), QStringLiteral("6/2"));

        Global().Grades[9].cell(RosterTable::PtCol, 1).clear();
        QVERIFY_THROWS_EXCEPTION(CoreError, ChangeCounts(QStringLiteral("Pt"), QStringLiteral("5"), +1));
        Global().Grades[1].cell(RosterTable::VmCol, 2) = QStringLiteral("dois");
        QVERIFY_THROWS_EXCEPTION(CoreError, SortRosterTable(Global().Grades[1], QStringLiteral("Pt")));
    }

    void manualAssignment_data()
    {
        QTest::addColumn<QString>("num");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("recorded");
        QTest::newRow("served the day before")
            << "1" << QStringList{"1 não terá folga de 48 Hs no dia 10/03/09"} << true;
        QTest::newRow("real absence")
            << "2" << QStringList{"Dia: 10/03/09  Nº:  2 Não pode ser escalado; está fora da escala de 08/03/09 a 12/03/09"}
            << false;
        QTest::newRow("planned absence")
            << "3" << QStringList{"Dia: 10/03/09  Nº:  3 está previsto sair da escala de 08/03/09 a 12/03/09"} << true;
        QTest::newRow("no personnel record") << "86" << QStringList{} << false;
    }
    void manualAssignment()
    {
        QFETCH(QString, num);
        QFETCH(QStringList, lines);
        QFETCH(bool, recorded);
        GlobalModel& g = Global();
        g.SoldierTable[1] = soldier(QStringLiteral("1"));
        g.SoldierTable[1].USv[9] = march(9);
        g.SoldierTable[2] = soldier(QStringLiteral("2"), QStringLiteral("R"), march(8), march(12));
        g.SoldierTable[3] = soldier(QStringLiteral("3"), QStringLiteral("P"), march(8), march(12));
        setRoster(1, {{"1", "0", "0"}, {"2", "0", "0"}, {"3", "0", "0"}, {"86", "0", "0"}});
        QStringList messages;
        CheckManualAssignment(num, QStringLiteral("Pt"), march(10), messages);
        QCOMPARE(messages, lines);
        QCOMPARE(CountsOf(1, num), recorded ? QStringLiteral("1/0") : QStringLiteral("0/0"));
        const int index = FindSoldier(num);
        if (index)
            QCOMPARE(g.SoldierTable[index].USv[9] == march(10), recorded);
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "TestRules.moc"
