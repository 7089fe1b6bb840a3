// "Quadro dos Serviços": the counts per soldier and service from the history, the "0" of a member
// who served none of a counted service, the narrowing, the sums and the sort of the numbers.
#include "FixtureFolder.h"
#include "data/UGlobal.h"
#include "queries/ServicesPerSoldier.h"

#include <QTest>

Q_DECLARE_METATYPE(DayKindChoice)

namespace {

QDate march(int day)
{
    return QDate(2004, 3, day);
}

// A small history of March 2004 (slot 0 unused, as in the model): 7 is listed twice in one
// record; Motorist (25) and Faxina (30) are the last codes; one record has no kind. The records
// after the empty one are not in use and must not count.
std::vector<HistoryRecord> marchHistory()
{
    return {
        {},
        {QDate(2004, 2, 29), 1, "Of Dia", "2", "Pt"},   // before the period
        {march(1), 1, "Of Dia", "1", "Pt"},
        {march(1), 3, "Cb Gda", "7 8 7", "Pt"},
        {march(6), 1, "Of Dia", "2", "Vm"},
        {march(6), 3, "Cb Gda", "7  9", "Vm"},            // a double blank: 9 still counts
        {march(7), 25, "Motorist", "8", ""},
        {march(8), 30, "Faxina", "1 10", "Pt"},
        {march(31), 1, "Of Dia", "3", "Pt"},              // after the period
        {},
        {march(2), 1, "Of Dia", "1", "Pt"},
    };
}

RosterMembers marchRosters()
{
    RosterMembers members;
    members[1] = {"1", "2", "3"};
    members[3] = {"7", "8", "9", "10"};
    members[25] = {"8", "11"};
    members[30] = {"1", "10", "12"};
    return members;
}

// The captions, each line and the sums, each joined by "|".
QStringList rowsOf(const SummaryTable& table)
{
    QStringList rows{table.captions.join(QLatin1Char('|'))};
    for (const QStringList& line : table.lines)
        rows << line.join(QLatin1Char('|'));
    rows << table.sums.join(QLatin1Char('|'));
    return rows;
}

ServiceCounts marchCounts(DayKindChoice kind = DayKindChoice::Ambas)
{
    return CountServices(marchHistory(), march(1), march(30), kind, marchRosters());
}

}

class TestServicesPerSoldier : public QObject {
    Q_OBJECT
private slots:
    void countsPerSoldierAndService_data()
    {
        QTest::addColumn<DayKindChoice>("kind");
        QTest::addColumn<QStringList>("rows");
        // Every counted service has its column, codes 25 and 30 too, and SOMA sums them all. 7 is
        // counted once for the record that lists him twice; 10 is in the Cb Gda roster: "0".
        QTest::newRow("Ambas") << DayKindChoice::Ambas
                               << QStringList{"Nº|Of Dia|Cb Gda|Motorist|Faxina|SOMA",
                                              "1|1|||1|2",
                                              "2|1||||1",
                                              "7||2|||2",
                                              "8||1|1||2",
                                              "9||1|||1",
                                              "10||0||1|1",
                                              "SOMA|2|4|1|2|9"};
        // Black days and the record without a kind.
        QTest::newRow("Preta") << DayKindChoice::Preta
                               << QStringList{"Nº|Of Dia|Cb Gda|Motorist|Faxina|SOMA",
                                              "1|1|||1|2",
                                              "7||1|||1",
                                              "8||1|1||2",
                                              "10||0||1|1",
                                              "SOMA|1|2|1|2|6"};
        // Red days and the record without a kind; 1 is in the Of Dia roster but served nothing
        // red, so he has no line at all.
        QTest::newRow("Vermelha") << DayKindChoice::Vermelha
                                  << QStringList{"Nº|Of Dia|Cb Gda|Motorist|SOMA",
                                                 "2|1|||1",
                                                 "7||1||1",
                                                 "8||0|1|1",
                                                 "9||1||1",
                                                 "SOMA|1|2|1|4"};
    }
    void countsPerSoldierAndService()
    {
        QFETCH(DayKindChoice, kind);
        QFETCH(QStringList, rows);
        QCOMPARE(rowsOf(ShownTable(marchCounts(kind))), rows);
    }

    void aPeriodOfOneDayCountsThatDay()
    {
        const ServiceCounts counts =
            CountServices(marchHistory(), march(8), march(8), DayKindChoice::Ambas, marchRosters());
        QCOMPARE(rowsOf(ShownTable(counts)), QStringList({"Nº|Faxina|SOMA", "1|1|1", "10|1|1", "SOMA|2|2"}));
        QCOMPARE(rowsOf(ShownTable(CountServices(marchHistory(), march(9), march(30), DayKindChoice::Ambas, {}))),
                 QStringList({"Nº|SOMA", "SOMA|0"}));
    }

    void narrowedToSoldiersAndServices_data()
    {
        QTest::addColumn<QStringList>("soldiers");
        QTest::addColumn<QList<int>>("services");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("nothing chosen: the whole table")
            << QStringList() << QList<int>() << rowsOf(ShownTable(marchCounts()));
        QTest::newRow("two soldiers, every service")
            << QStringList{"10", "7"} << QList<int>()
            << QStringList{"Nº|Of Dia|Cb Gda|Motorist|Faxina|SOMA", "7||2|||2", "10||0||1|1", "SOMA|0|2|0|1|3"};
        // Soldiers without an entry in a chosen service drop out; a "0" is an entry.
        QTest::newRow("Cb Gda") << QStringList() << QList<int>{3}
                                << QStringList{"Nº|Cb Gda|SOMA", "7|2|2", "8|1|1", "9|1|1", "10|0|0", "SOMA|4|4"};
        QTest::newRow("the last codes") << QStringList() << QList<int>{25, 30}
                                        << QStringList{"Nº|Motorist|Faxina|SOMA", "1||1|1", "8|1||1", "10||1|1",
                                                       "SOMA|1|2|3"};
        QTest::newRow("both narrowings") << QStringList{"1", "8", "9"} << QList<int>{1, 25}
                                         << QStringList{"Nº|Of Dia|Motorist|SOMA", "1|1||1", "8||1|1", "SOMA|1|1|2"};
        QTest::newRow("a service not counted") << QStringList() << QList<int>{2} << QStringList{"Nº|SOMA", "SOMA|0"};
        QTest::newRow("a soldier not counted") << QStringList{"12"} << QList<int>()
                                               << QStringList{"Nº|Of Dia|Cb Gda|Motorist|Faxina|SOMA",
                                                              "SOMA|0|0|0|0|0"};
    }
    void narrowedToSoldiersAndServices()
    {
        QFETCH(QStringList, soldiers);
        QFETCH(QList<int>, services);
        QFETCH(QStringList, rows);
        // An empty list: the services were never chosen.
        Narrowing narrowing{QSet<QString>(soldiers.begin(), soldiers.end()), std::nullopt};
        if (!services.isEmpty())
            narrowing.services = QSet<int>(services.begin(), services.end());
        QCOMPARE(rowsOf(ShownTable(marchCounts(), narrowing)), rows);
    }

    // "Serviços" with nothing ticked shows no service, so no soldier: an empty table.
    void noServiceTickedShowsAnEmptyTable()
    {
        const Narrowing none{{}, QSet<int>()};
        QCOMPARE(rowsOf(ShownTable(marchCounts(), none)), QStringList({"Nº|SOMA", "SOMA|0"}));
    }

    void numbersSortNumericallyAndOtherTextsAfter()
    {
        QStringList numbers{"10", "x1", "9", "100", "A", "007", "2", "7"};
        SortSoldierNumbers(numbers);
        QCOMPARE(numbers, QStringList({"2", "007", "7", "9", "10", "100", "A", "x1"}));

        // A number that is not numeric in the history does not stop the count.
        std::vector<HistoryRecord> history{{}, {march(1), 3, "Cb Gda", "12 A1 3", "Pt"}, {march(2), 3, "Cb Gda", "A1", "Pt"}};
        QCOMPARE(rowsOf(ShownTable(CountServices(history, march(1), march(2), DayKindChoice::Ambas, {}))),
                 QStringList({"Nº|Cb Gda|SOMA", "3|1|1", "12|1|1", "A1|2|2", "SOMA|4|4"}));
    }

    void textLinesForTheCommandLine()
    {
        const SummaryTable table = ShownTable(marchCounts(), Narrowing{{"7", "10", "1"}, QSet<int>{1, 3}});
        QCOMPARE(SummaryTextLines(table), QStringList({"Nº   | Of Dia | Cb Gda | SOMA",
                                                        "1    |      1 |        |    1",
                                                        "7    |        |      2 |    2",
                                                        "10   |        |      0 |    0",
                                                        "SOMA |      1 |      2 |    3"}));
    }

    // From the stored history and rosters: code 25 counted, a member's "0" from his roster table
    // (4 is now in the Of Dia roster and was in the Adj Of one, 7 in Cb Gda, 5 in Motorist).
    void countedFromTheStoredTables()
    {
        FixtureFolder data;
        LoadHistory();
        HistoryRecord* free = &Global().HistoryCache[HistoryInUse() + 1];
        *free = HistoryRecord{march(1), 25, "Motorist", "4 7", "Pt"};
        SaveHistory();
        TDMGeral::instance().insertRosterRow(25, QStringLiteral("5"), 0, 0);
        TDMGeral::instance().insertRosterRow(1, QStringLiteral("4"), 0, 0);
        ResetModel();

        const ServiceCountsOutcome outcome =
            CountServicesPerSoldier(QStringLiteral("28/02/04"), QStringLiteral("01/03/2004"), DayKindChoice::Ambas);
        QVERIFY(outcome.done());
        QCOMPARE(rowsOf(ShownTable(outcome.counts)),
                 QStringList({"Nº|Of Dia|Adj Of|Cb Gda|Motorist|SOMA", "2|1||||1", "3|1||||1", "4|0|0||1|1",
                              "5||1||0|1", "6||1|||1", "7|||0|1|1", "9|||1||1", "10|||1||1", "11|||1||1",
                              "12|||1||1", "SOMA|2|2|4|2|10"}));
        QCOMPARE(outcome.counts.from, QDate(2004, 2, 28));
        QCOMPARE(outcome.counts.to, march(1));
    }

    void aDayTypedWrongIsRefusedBeforeAnythingIsRead_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("first day") << "32/01/04" << "31/12/04" << "32/01/04 >>> Data inválida";
        QTest::newRow("last day") << "01/01/04" << "31/12" << "31/12 >>> Data inválida";
        QTest::newRow("both: the first is named") << "" << "x" << " >>> Data inválida";
        QTest::newRow("a year outside 2000 to 2099") << "01/01/1904" << "31/12/04" << "01/01/1904 >>> Data inválida";
    }
    void aDayTypedWrongIsRefusedBeforeAnythingIsRead()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, refusal);
        FixtureFolder data;
        const ServiceCountsOutcome outcome = CountServicesPerSoldier(from, to, DayKindChoice::Ambas);
        QCOMPARE(outcome.refusal, refusal);
        QVERIFY(outcome.counts.soldiers.isEmpty());
        QCOMPARE(HistoryInUse(), 0);   // the history was not read
    }
};

QTEST_GUILESS_MAIN(TestServicesPerSoldier)
#include "TestServicesPerSoldier.moc"
