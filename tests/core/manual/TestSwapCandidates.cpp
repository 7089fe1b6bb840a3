// "Listar" of the tab "Trocas Sv" and the service lists of its two items, on the small fixture with
// a Cb Gda roster of fourteen members whose counts order them one way on black days (Pt) and
// another on red days (Vm). 03/03/04 is a black Wednesday, 06/03/04 a red Saturday.
#include "FixtureFolder.h"
#include "StoredTables.h"
#include "data/UGlobal.h"
#include "manual/ServiceEntries.h"
#include "manual/SwapCandidates.h"
#include "rostering/Removals.h"
#include "rostering/Rules.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

Q_DECLARE_METATYPE(std::optional<int>)

namespace {

QDate march(int day)
{
    return QDate(2004, 3, day);
}

// Cb Gda: the fixture's 7 to 12 and eight more. 20 served on 02/03/04, 21 is away (real absence)
// from 01/03 to 05/03/04, 22 is planned to be away on 03/03 and 04/03/04.
void fillCbGda()
{
    LoadServices();
    LoadSoldiers();
    GlobalModel& g = Global();
    int free = 1;
    while (!g.SoldierTable[free].Num.isEmpty())
        ++free;
    g.SoldierTable[free++] = SoldierRecord{"20", "Cb", "Nunes", "", {}, {}, {march(2)}};
    g.SoldierTable[free++] = SoldierRecord{"21", "Cb", "Otero", "R", march(1), march(5), {}};
    g.SoldierTable[free++] = SoldierRecord{"22", "Cb", "Pires", "P", march(3), march(4), {}};
    for (const char* num : {"23", "24", "25", "26", "27"})
        g.SoldierTable[free++] = SoldierRecord{num, "Cb", "Quintela", "", {}, {}, {}};
    SaveSoldiers();
    const struct {
        const char* num;
        int pt, vm;
    } rows[] = {{"7", 5, 0},  {"8", 6, 1},  {"9", 0, 6},  {"10", 1, 5}, {"11", 2, 4},  {"12", 3, 3},   {"20", 0, 0},
                {"21", 1, 1}, {"22", 2, 2}, {"23", 3, 7}, {"24", 4, 8}, {"25", 7, 2},  {"26", 8, 9},   {"27", 9, 10}};
    QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
    QVERIFY(q.exec(QStringLiteral("DELETE FROM Sv3")));
    for (const auto& row : rows)
        TDMGeral::instance().insertRosterRow(3, QLatin1String(row.num), row.pt, row.vm);
    ResetModel();
}


QStringList numbersOf(const QStringList& candidates)
{
    QStringList nums;
    for (const QString& line : candidates)
        nums << line.section(QLatin1Char(' '), 0, 0);
    return nums;
}

}

class TestSwapCandidates : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ClearRemovals(); }

    void tenCandidatesInTheOrderOfTheDaysKind_data()
    {
        QTest::addColumn<QString>("day");
        QTest::addColumn<QStringList>("candidates");
        QTest::addColumn<QStringList>("alerts");
        // By Pt: 20 (no rest after 02/03) and 21 (away) are passed over; 26 and 27 come after ten.
        QTest::newRow("black day, by Pt")
            << "03/03/04"
            << QStringList{"9   ", "10   ", "22   Previsto sair da escala de 03/03/04 a 04/03/04", "11   ", "12   ",
                           "23   ", "24   ", "7   ", "8   ", "25   "}
            << QStringList{"Dia: 03/03/04  Nº:  22  Previsto sair da escala de: 03/03/04 a 04/03/04"};
        // By Vm; 20 has rested, 21 is back, 22's planned absence is over.
        QTest::newRow("red day, by Vm") << "06/03/04"
                                        << QStringList{"20   ", "7   ", "21   ", "8   ", "22   ", "25   ", "12   ",
                                                       "11   ", "10   ", "9   "}
                                        << QStringList();
    }
    void tenCandidatesInTheOrderOfTheDaysKind()
    {
        QFETCH(QString, day);
        FixtureFolder data;
        fillCbGda();
        QStringList before;
        for (const char* table : {"Basico", "Sv3", "Hist"})
            before << StoredRows(data.module(), QLatin1String(table));
        const CandidateList list = ListCandidates(day, 3);
        QCOMPARE(list.refusal, QString());
        QTEST(list.candidates, "candidates");
        QTEST(list.alerts, "alerts");
        // Nothing is written, and the listed soldiers have no day recorded in memory either.
        QStringList after;
        for (const char* table : {"Basico", "Sv3", "Hist"})
            after << StoredRows(data.module(), QLatin1String(table));
        QCOMPARE(after, before);
        QVERIFY(!Global().SoldierTable[FindSoldier(QStringLiteral("9"))].USv.back().isValid());
    }

    void aShortRosterListsFewerAndRemovalsAreHonoured()
    {
        FixtureFolder data;
        // Of Dia holds 1, 2 and 3; 3 served on 29/02/04 and has no rest on 02/03/04.
        QCOMPARE(numbersOf(ListCandidates(QStringLiteral("02/03/04"), 1).candidates), QStringList({"2", "1"}));
        // A removal left over from "Escalar Automático" still counts.
        QVERIFY(!AddRemoval(QStringLiteral("2"), {1}, {march(2)}));
        QCOMPARE(numbersOf(ListCandidates(QStringLiteral("02/03/04"), 1).candidates), QStringList{"1"});
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("day");
        QTest::addColumn<std::optional<int>>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("invalid day") << "32/03/04" << std::optional<int>(3) << "32/03/04 >>> Data inválida";
        QTest::newRow("no service") << "03/03/04" << std::optional<int>() << "Você deve selecionar um serviço";
        QTest::newRow("entry of no service")
            << "03/03/04" << std::optional<int>(0) << "O código 0 não é de um serviço cadastrado; escolha um serviço da lista.";
        QTest::newRow("unregistered code")
            << "03/03/04" << std::optional<int>(7) << "O código 7 não é de um serviço cadastrado; escolha um serviço da lista.";
    }
    void refusals()
    {
        QFETCH(QString, day);
        QFETCH(std::optional<int>, code);
        FixtureFolder data;
        const CandidateList list = ListCandidates(day, code);
        QTEST(list.refusal, "message");
        QVERIFY(list.candidates.isEmpty());
    }

    void serviceEntries()
    {
        FixtureFolder data;
        LoadServices();
        const QStringList entries = ServiceEntries();
        QCOMPARE(entries.size(), 30);
        QCOMPARE(entries.mid(0, 4), QStringList({"1   Of Dia", "2   Adj Of", "3   Cb Gda", "0   "}));
        QCOMPARE(entries.last(), QStringLiteral("0   "));
        LoadServices();
        QCOMPARE(ServiceEntries(), entries);   // loading again gives the same 30
    }

    void serviceCodeOfEntry_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<std::optional<int>>("code");
        QTest::newRow("one digit") << "3   Cb Gda" << std::optional<int>(3);
        QTest::newRow("two digits") << "12   Motorista" << std::optional<int>(12);
        QTest::newRow("no service") << "0   " << std::optional<int>(0);
        QTest::newRow("nothing chosen") << "" << std::optional<int>();
    }
    void serviceCodeOfEntry()
    {
        QFETCH(QString, entry);
        QTEST(ServiceCodeOfEntry(entry), "code");
    }
};

QTEST_GUILESS_MAIN(TestSwapCandidates)
#include "TestSwapCandidates.moc"
