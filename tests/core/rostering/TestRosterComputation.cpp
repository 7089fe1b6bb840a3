// The computation of the roster up to a target day ("Verificar"), on the small fixture: 12
// soldiers, Of Dia (1 to 3, one a day, Prio 1), Adj Of (4 to 6, one a day, Prio 2), Cb Gda (7 to 12,
// two a day, Prio 3), rostered up to 29/02/04, prepared up to 20/03/04; 5 on real absence 01/03 to
// 05/03, 2 on planned absence 08/03 to 12/03.
#include "FixtureFolder.h"
#include "ModelProbes.h"
#include "data/DataFiles.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "rostering/Computation.h"
#include "rostering/Removals.h"
#include "rostering/Rules.h"

#include <QTest>

namespace {

QDate march(int day)
{
    return QDate(2004, 3, day);
}

void setService(int code, int quant, int prio)
{
    LoadServices();
    Global().ServiceTable[code].Quant = quant;
    Global().ServiceTable[code].Prio = prio;
    SaveServices();
}

void addHistory(const HistoryRecord& record)
{
    LoadHistory();
    Global().HistoryCache[HistoryInUse() + 1] = record;
    SaveHistory();
}

// The history records the computation left in memory, from `from` on: "dd/mm code numbers kind".
QStringList computedHistory(const QDate& from)
{
    QStringList records;
    for (int i = 1; i <= HistoryInUse(); ++i) {
        const HistoryRecord& h = Global().HistoryCache[i];
        if (h.Dia >= from)
            records << QStringLiteral("%1 %2 [%3] %4").arg(h.Dia.toString(QStringLiteral("dd/MM"))).arg(h.CodSv).arg(h.Num, h.PtVm);
    }
    return records;
}

}

class TestRosterComputation : public QObject {
    Q_OBJECT
private slots:
    void listedServiceOfALine()
    {
        // A day line, a service whose names wrap onto a further line, and a service no longer
        // registered.
        ResetModel();
        Global().ServiceTable[3].Descr = QStringLiteral("Cb Gda");
        QString names;
        for (int k = 1; k <= 12; ++k)
            names += QStringLiteral("%1-Soldado Nº %1  ").arg(100 + k);
        QStringList lines{QStringLiteral("     "), QStringLiteral("               02/03/04 (Pt)")};
        lines << ServiceLines(QStringLiteral("Cb Gda"), names) << ServiceLines(QStringLiteral("Antigo"), "7-Lima  ");
        QVERIFY(lines.size() >= 5);   // the names of Cb Gda take two lines
        const QDate day(2004, 3, 2);
        const struct {
            int row;
            int code;   // -1: no service
        } cases[] = {{-1, -1}, {0, -1}, {1, -1}, {2, 3}, {3, 3}, {int(lines.size()) - 1, 0}, {int(lines.size()), -1}};
        for (const auto& c : cases) {
            const std::optional<ListedService> listed = ListedServiceAt(lines, c.row);
            QCOMPARE(listed.has_value(), c.code >= 0);
            if (listed) {
                QCOMPARE(listed->code, c.code);
                QCOMPARE(listed->day, day);
            }
        }
    }

    void init()
    {
        ClearRemovals();
    }

    void oneDayShownThreeComputed()
    {
        FixtureFolder data;
        const RosterRun run = VerifyRoster(QStringLiteral("01/03/04"));
        QVERIFY(!run.refused);
        QCOMPARE(run.end, march(3));   // 1 day after 29/02: two more make three
        // Cb Gda: 7 and 8 have equal keys; the exchange sort leaves 8 before 7.
        QCOMPARE(run.roster, QStringList({QStringLiteral("     "),
                                          QStringLiteral("               01/03/04 (Pt)"),
                                          QStringLiteral("     Of Dia:  1-Andrade  "),
                                          QStringLiteral("     Adj Of:  4-Dantas  "),
                                          QStringLiteral("     Cb Gda:  8-Henriques  7-Gonçalves  ")}));
        // Days after the target are computed like the others: their messages are listed.
        QCOMPARE(run.messages, QStringList{QStringLiteral(" Numero insuficiente de militares. Escala: Adj Of Dia: 02/03/04")});
        QCOMPARE(computedHistory(march(1)), QStringList({"01/03 1 [1 ] Pt", "01/03 2 [4 ] Pt", "01/03 3 [8 7 ] Pt",
                                                         "02/03 1 [2 ] Pt", "02/03 2 [] Pt", "02/03 3 [10 9 ] Pt",
                                                         "03/03 1 [3 ] Pt", "03/03 2 [6 ] Pt", "03/03 3 [11 12 ] Pt"}));
        QCOMPARE(run.spanDays, QList<QDate>{march(1)});
        QCOMPARE(CountsOf(1, QStringLiteral("1")), QStringLiteral("2/0"));
        const SoldierRecord& andrade = Global().SoldierTable[FindSoldier(QStringLiteral("1"))];
        QCOMPARE(andrade.USv[8], QDate(2004, 2, 27));
        QCOMPARE(andrade.USv[9], march(1));

        // Nothing was stored: a second verification starts again from the stored state.
        const RosterRun again = VerifyRoster(QStringLiteral("01/03/04"));
        QCOMPARE(again.roster, run.roster);
        QCOMPARE(CountsOf(1, QStringLiteral("1")), QStringLiteral("2/0"));
    }

    void computationEnd_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("extra");
        QTest::newRow("target before the last day") << -3 << -1;
        QTest::newRow("target on the last day") << 0 << -1;
        QTest::newRow("one day") << 1 << 2;
        QTest::newRow("two days") << 2 << 1;
        QTest::newRow("three days") << 3 << 0;
        QTest::newRow("ten days") << 10 << 2;
    }
    void computationEnd()
    {
        QFETCH(int, days);
        QFETCH(int, extra);
        const QDate last(2009, 3, 10);
        const QDate target = last.addDays(days);
        QCOMPARE(ComputationEnd(last, target), extra < 0 ? last : target.addDays(extra));
    }

    void targetNotAfterTheLastDayComputesNothing_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("same day") << "29/02/04";
        QTest::newRow("earlier") << "20/02/04";
    }
    void targetNotAfterTheLastDayComputesNothing()
    {
        QFETCH(QString, target);
        FixtureFolder data;
        const RosterRun run = VerifyRoster(target);
        QVERIFY(!run.refused);
        QVERIFY(run.roster.isEmpty());
        QVERIFY(run.messages.isEmpty());
        QCOMPARE(HistoryInUse(), 9);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("message");
        QTest::newRow("no date") << "31/02/04" << "31/02/04 >>> Data inválida";
        QTest::newRow("after the preparation period")
            << "21/03/04"
            << "Antes de escalar, você deve alongar a data de preparação do Sistema\n\n"
               "                       A data atual vai até o dia 20/03/04\n\n"
               "              Para ampliá-la, use o item 5. da aba /Manutenção/";
        QTest::newRow("a day already rostered") << "05/03/04" << "O Serviço de Adj Of já foi escalado no dia 03/03/04";
    }
    void refusals()
    {
        QFETCH(QString, target);
        QFETCH(QString, message);
        FixtureFolder data;
        addHistory({march(3), 2, QStringLiteral("Adj Of"), QStringLiteral("4"), QStringLiteral("Pt")});
        addHistory({march(4), 2, QStringLiteral("Adj Of"), QStringLiteral("6"), QStringLiteral("Pt")});
        const RosterRun run = VerifyRoster(target);
        QVERIFY(run.refused);
        QCOMPARE(run.refusal, message);
        QVERIFY(run.roster.isEmpty());
        QVERIFY(!run.verified);
    }

    void twoServicesShareASoldier_data()
    {
        QTest::addColumn<int>("prioOfDia");
        QTest::addColumn<int>("prioAdjOf");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("messages");
        // Dantas (4) is also in the Of Dia roster, at its top: the service that chooses first takes him.
        QTest::newRow("Of Dia first")
            << 1 << 2 << QStringList{"     Of Dia:  4-Dantas  ", "     Adj Of:  "}
            << QStringList{" Numero insuficiente de militares. Escala: Adj Of Dia: 01/03/04"};
        QTest::newRow("Adj Of first") << 2 << 1 << QStringList{"     Adj Of:  4-Dantas  ", "     Of Dia:  1-Andrade  "}
                                      << QStringList{};
    }
    void twoServicesShareASoldier()
    {
        QFETCH(int, prioOfDia);
        QFETCH(int, prioAdjOf);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, messages);
        FixtureFolder data;
        data.module().insertRosterRow(1, QStringLiteral("4"), 0, 0);
        setService(1, 1, prioOfDia);
        setService(2, 1, prioAdjOf);
        setService(3, 0, 3);
        const RosterRun run = VerifyRoster(QStringLiteral("01/03/04"));
        QCOMPARE(run.roster.mid(2, 2), lines);
        QCOMPARE(run.messages.filter(QStringLiteral("01/03/04")), messages);
        // His one black service raised Pt in both his rosters.
        QCOMPARE(CountsOf(1, QStringLiteral("4")), QStringLiteral("1/0"));
        QCOMPARE(CountsOf(2, QStringLiteral("4")), QStringLiteral("2/0"));
    }

    void priorityOrderIsTheExchangeSort_data()
    {
        QTest::addColumn<QList<int>>("prios");   // Prio of codes 1, 2, 3; 0 = no service
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("by priority") << QList<int>{3, 1, 2} << QList<int>{2, 3, 1};
        QTest::newRow("equal priorities exchanged by a third") << QList<int>{2, 2, 1} << QList<int>{3, 2, 1};
        QTest::newRow("equal priorities kept") << QList<int>{1, 1, 2} << QList<int>{1, 2, 3};
        QTest::newRow("a code without a service") << QList<int>{2, 0, 1} << QList<int>{3, 1};
    }
    void priorityOrderIsTheExchangeSort()
    {
        QFETCH(QList<int>, prios);
        QFETCH(QList<int>, order);
        ResetModel();
        for (int code = 1; code <= 3; ++code) {
            if (prios[code - 1] == 0)
                continue;
            Global().ServiceTable[code] = {code, QStringLiteral("Sv %1").arg(code), {}, {}, 1, prios[code - 1], {}};
        }
        QCOMPARE(PriorityOrder(), order);
    }

    void shortagesAndEmptyServices()
    {
        FixtureFolder data;
        setService(1, 2, 1);   // two a day, only Andrade free on 01/03
        setService(3, 0, 3);   // nobody a day
        const RosterRun run = VerifyRoster(QStringLiteral("01/03/04"));
        QCOMPARE(run.roster.mid(2), QStringList({"     Of Dia:  1-Andrade  ", "     Adj Of:  4-Dantas  ", "     Cb Gda:  "}));
        QCOMPARE(run.messages.first(), QStringLiteral(" Numero insuficiente de militares. Escala: Of Dia Dia: 01/03/04"));
        QCOMPARE(computedHistory(march(1)).mid(0, 3), QStringList({"01/03 1 [1 ] Pt", "01/03 2 [4 ] Pt", "01/03 3 [] Pt"}));
    }

    void plannedAbsenceAlertsOnlyWhenChosen()
    {
        FixtureFolder data;   // Barbosa (2): planned absence 08/03 to 12/03
        const RosterRun run = VerifyRoster(QStringLiteral("12/03/04"));
        QVERIFY(!run.refused);
        QStringList chosenDays;
        for (const QString& record : computedHistory(march(8)))
            if (record.contains(QStringLiteral(" 1 [2 ]")))
                chosenDays << record.left(5);
        QVERIFY(!chosenDays.isEmpty());
        QStringList alerts;
        for (const QString& day : chosenDays)
            alerts << QStringLiteral("Dia: %1/04  Nº:  2  Previsto sair da escala de: 08/03/04 a 12/03/04").arg(day);
        QCOMPARE(run.messages.filter(QStringLiteral("Nº:  2 ")), alerts);
    }

    void removals_data()
    {
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QString>("ofDia0203");
        QTest::newRow("no removal") << QList<int>{} << "2 ";
        QTest::newRow("every service on 02/03") << QList<int>{1, 2, 3} << "";
        QTest::newRow("another service only") << QList<int>{3} << "2 ";
    }
    void removals()
    {
        QFETCH(QList<int>, codes);
        QFETCH(QString, ofDia0203);
        FixtureFolder data;
        if (!codes.isEmpty())
            QVERIFY(!AddRemoval(QStringLiteral("2"), codes, {march(2)}));
        const RosterRun run = VerifyRoster(QStringLiteral("03/03/04"));
        QVERIFY(computedHistory(march(2)).contains(QStringLiteral("02/03 1 [%1] Pt").arg(ofDia0203)));
        // Removed on 02/03 only: on 03/03 he is considered again and chosen.
        QVERIFY(computedHistory(march(3)).contains(QStringLiteral("03/03 1 [%1] Pt").arg(ofDia0203.isEmpty() ? "2 " : "3 ")));
        QCOMPARE(run.messages.contains(QStringLiteral(" Numero insuficiente de militares. Escala: Of Dia Dia: 02/03/04")),
                 ofDia0203.isEmpty());
    }

    void memberWithoutPersonnelRecordIsNotRostered()
    {
        FixtureFolder data;
        data.module().insertRosterRow(1, QStringLiteral("86"), 0, 0);   // top of the Of Dia roster
        const RosterRun run = VerifyRoster(QStringLiteral("01/03/04"));
        QCOMPARE(run.roster.at(2), QStringLiteral("     Of Dia:  1-Andrade  "));
        QCOMPARE(run.messages.first(),
                 QStringLiteral("Dia: 01/03/04  Nº:  86  Sem cadastro de pessoal: não foi escalado para Of Dia"));
        QCOMPARE(CountsOf(1, QStringLiteral("86")), QStringLiteral("0/0"));
        QVERIFY(Global().SoldierTable[13].Num.isEmpty());
        QVERIFY(!Global().SoldierTable[13].USv[9].isValid());
    }

    void fullHistoryStopsTheVerification()
    {
        FixtureFolder data;
        LoadHistory();
        // 9992 records in use: the 9 days x services of a verification to 03/03/04 do not fit.
        for (int i = 10; i <= 9992; ++i)
            Global().HistoryCache[i] = {QDate(2003, 1, 1).addDays((i - 10) / 30), (i - 10) % 30 + 1,
                                        QStringLiteral("Antigo"), QStringLiteral("1"), QStringLiteral("Pt")};
        SaveHistory();
        const RosterRun run = VerifyRoster(QStringLiteral("03/03/04"));
        QVERIFY(run.refused);
        QCOMPARE(run.refusal, QStringLiteral("O histórico em memória comporta 10000 registros; já tem 9992 e esta "
                                             "verificação precisaria de mais 9. Nada foi calculado.\n\n"
                                             "Exclua do histórico os registros antigos (item 12. da aba /Manutenção/) "
                                             "e verifique de novo."));
        QVERIFY(!VerifyRoster(QStringLiteral("29/02/04")).refused);
    }

    void serviceLinesWrapAfterNinetyCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("short") << "1-Andrade  " << QStringList{"     Guarda:  1-Andrade  "};
        const QString five = QStringLiteral("1001-Albuquerque Lim  1002-Bittencourt Mor  1003-Cavalcanti Rosa  "
                                            "1004-Damasceno Pinto  1005-Esteves Barbosa  1006-Figueiredo Cout  ");
        QTest::newRow("132 characters")
            << five
            << QStringList{"     Guarda:  1001-Albuquerque Lim  1002-Bittencourt Mor  1003-Cavalcanti Rosa  1004-Damasceno Pinto ",
                           "                  :   1005-Esteves Barbosa  1006-Figueiredo Cout  "};
        QTest::newRow("three lines")
            << five + five.left(88)
            << QStringList{"     Guarda:  1001-Albuquerque Lim  1002-Bittencourt Mor  1003-Cavalcanti Rosa  1004-Damasceno Pinto ",
                           "                  :   1005-Esteves Barbosa  1006-Figueiredo Cout  1001-Albuquerque Lim  1002-Bittencourt Mor ",
                           "                  :   1003-Cavalcanti Rosa  1004-Damasceno Pinto  "};
    }
    void serviceLinesWrapAfterNinetyCharacters()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(ServiceLines(QStringLiteral("Guarda"), text), lines);
    }

    void servicesOutOfForceAreNotRostered()
    {
        FixtureFolder data;
        LoadServices();
        Global().ServiceTable[2].Fim = march(1);   // Adj Of ends on 01/03
        Global().ServiceTable[3].Ini = march(2);   // Cb Gda starts on 02/03
        SaveServices();
        const RosterRun run = VerifyRoster(QStringLiteral("03/03/04"));
        QCOMPARE(run.roster.filter(QStringLiteral("Adj Of")).size(), 1);
        QCOMPARE(run.roster.filter(QStringLiteral("Cb Gda")).size(), 2);
        QCOMPARE(computedHistory(march(1)).size(), 3 + 1 + 2);
    }
};

QTEST_GUILESS_MAIN(TestRosterComputation)
#include "TestRosterComputation.moc"
