// The decisions the computation records for one service and one day: the order walked, each
// soldier passed over and why, who was taken, and the next one in line. Each case installs its
// own soldiers and rosters over the small fixture (rostered up to 29/02/04; 01/03/04 is a black day).
#include "FixtureFolder.h"
#include "NumberedUnit.h"
#include "data/UGlobal.h"
#include "rostering/Computation.h"
#include "rostering/Decisions.h"
#include "rostering/Removals.h"
#include "rostering/Rules.h"

#include <QTest>

namespace {

const QDate Day(2004, 3, 1);

// Soldiers 101 to 110 are registered; each absence "num|PR|ini|fim", each duty "num|dd/MM/yyyy"
// a recent service day. Service 1 ("Serv 1", one a day, Prio 9) has the roster `roster` in that
// order (counts 0, 1, 2...); service 2 ("Serv 2", one a day, Prio 1, served first) has `other`.
void install(const QStringList& roster, const QStringList& other, const QStringList& absences,
             const QStringList& duties)
{
    SaveNumberedSoldiers(10, absences);
    GlobalModel& g = Global();
    for (const QString& duty : duties) {
        const QStringList f = duty.split(QLatin1Char('|'));
        g.SoldierTable[f[0].toInt() - 100].USv[9] = QDate::fromString(f[1], QStringLiteral("dd/MM/yyyy"));
    }
    SaveSoldiers();
    EmptyStoredRosters();
    g.ServiceTable = ServiceList{};
    g.ServiceTable[1] = ServiceRecord{1, QStringLiteral("Serv 1"), QDate(2004, 1, 1), QDate(2004, 12, 31), 1, 9, {}};
    if (!other.isEmpty())
        g.ServiceTable[2] = ServiceRecord{2, QStringLiteral("Serv 2"), QDate(2004, 1, 1), QDate(2004, 12, 31), 1, 1, {}};
    SaveServices();
    for (int i = 0; i < roster.size(); ++i)
        TDMGeral::instance().insertRosterRow(1, roster[i], i, 0);
    for (int i = 0; i < other.size(); ++i)
        TDMGeral::instance().insertRosterRow(2, other[i], i, 0);
    ResetModel();
}

}

class TestDecisions : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        ClearRemovals();
    }

    void oneCasePerReason_data()
    {
        QTest::addColumn<QStringList>("roster");
        QTest::addColumn<QStringList>("other");
        QTest::addColumn<QStringList>("absences");
        QTest::addColumn<QStringList>("duties");
        QTest::addColumn<bool>("removed");   // 101 removed from Serv 1 on the day
        QTest::addColumn<QStringList>("expected");

        const QString order = QStringLiteral("   101 (0), 102 (1), 103 (2)");
        const QString head = QStringLiteral("Ordem da escala pela contagem de Pt (número e contagem), na ordem em que foi percorrida:");
        const QStringList abc{"101", "102", "103"};
        QTest::newRow("the first taken") << abc << QStringList() << QStringList() << QStringList() << false
            << QStringList{head, order, "101 - Soldado: escalado", "Próximo da vez: 102 - Soldado"};
        QTest::newRow("removed by the keeper") << abc << QStringList() << QStringList() << QStringList() << true
            << QStringList{head, order, "101 - Soldado: não escalado: retirado desta escala neste dia pelo encarregado",
                           "102 - Soldado: escalado", "Próximo da vez: 103 - Soldado"};
        QTest::newRow("already on another duty that day") << abc << QStringList{"101"} << QStringList() << QStringList()
            << false   // Serv 2 raised his count to 1: equal to 102's, he stays first
            << QStringList{head, "   101 (1), 102 (1), 103 (2)", "101 - Soldado: não escalado: já está de outro serviço neste dia",
                           "102 - Soldado: escalado", "Próximo da vez: 103 - Soldado"};
        QTest::newRow("no rest after a duty") << abc << QStringList() << QStringList() << QStringList{"101|28/02/2004"}
            << false
            << QStringList{head, order,
                           "101 - Soldado: não escalado: sem folga de 48 horas, tem serviço em 28/02/04 (dois dias antes)",
                           "102 - Soldado: escalado", "Próximo da vez: 103 - Soldado"};
        QTest::newRow("no rest before a duty") << abc << QStringList() << QStringList() << QStringList{"101|02/03/2004"}
            << false
            << QStringList{head, order,
                           "101 - Soldado: não escalado: sem folga de 48 horas, tem serviço em 02/03/04 (um dia depois)",
                           "102 - Soldado: escalado", "Próximo da vez: 103 - Soldado"};
        QTest::newRow("real absence") << abc << QStringList() << QStringList{"101|R|01/03/2004|05/03/2004"}
            << QStringList() << false
            << QStringList{head, order, "101 - Soldado: não escalado: afastamento real de 01/03/04 a 05/03/04",
                           "102 - Soldado: escalado", "Próximo da vez: 103 - Soldado"};
        QTest::newRow("absence without a kind") << abc << QStringList() << QStringList{"101||27/02/2004|01/03/2004"}
            << QStringList() << false
            << QStringList{head, order,
                           "101 - Soldado: não escalado: afastamento sem tipo (nem previsto nem real) de 27/02/04 a 01/03/04",
                           "102 - Soldado: escalado", "Próximo da vez: 103 - Soldado"};
        QTest::newRow("planned absence only alerts") << abc << QStringList() << QStringList{"101|P|01/03/2004|05/03/2004"}
            << QStringList() << false
            << QStringList{head, order, "101 - Soldado: escalado (aviso: previsto sair da escala de 01/03/04 a 05/03/04)",
                           "Próximo da vez: 102 - Soldado"};
        QTest::newRow("no personnel record") << QStringList{"99", "101", "102"} << QStringList() << QStringList()
            << QStringList() << false
            << QStringList{head, "   99 (0), 101 (1), 102 (2)", "99: não escalado: sem cadastro de pessoal",
                           "101 - Soldado: escalado", "Próximo da vez: 102 - Soldado"};
        // The next one in line follows the same rules: the absent 102 is skipped.
        QTest::newRow("the next one skips whom the walk would skip") << abc << QStringList()
            << QStringList{"102|R|01/03/2004|05/03/2004"} << QStringList() << false
            << QStringList{head, order, "101 - Soldado: escalado", "Próximo da vez: 103 - Soldado"};
        QTest::newRow("nobody left") << QStringList{"101", "102"} << QStringList()
            << QStringList{"101|R|01/03/2004|05/03/2004"} << QStringList{"102|29/02/2004"} << false
            << QStringList{head, "   101 (0), 102 (1)", "101 - Soldado: não escalado: afastamento real de 01/03/04 a 05/03/04",
                           "102 - Soldado: não escalado: sem folga de 48 horas, tem serviço em 29/02/04 (um dia antes)",
                           "Próximo da vez: nenhum; não há outro militar disponível nesta escala"};
    }
    void oneCasePerReason()
    {
        QFETCH(QStringList, roster);
        QFETCH(QStringList, other);
        QFETCH(QStringList, absences);
        QFETCH(QStringList, duties);
        QFETCH(bool, removed);
        QFETCH(QStringList, expected);
        FixtureFolder data;
        install(roster, other, absences, duties);
        if (removed)
            QVERIFY(!AddRemoval(QStringLiteral("101"), {1}, {Day}));

        DecisionRecorder recorder(Day, 1);
        const RosterRun run = ComputeRoster(Day);
        QVERIFY(!run.refused);
        QVERIFY(recorder.found());
        QCOMPARE(recorder.title(), QStringLiteral("Por que: Serv 1 01/03/04"));
        QCOMPARE(recorder.lines(), expected);
    }

    void serviceNotFilledThatDayIsNotFound()
    {
        FixtureFolder data;
        install({"101", "102", "103"}, {}, {}, {});
        DecisionRecorder wrongService(Day, 2);
        ComputeRoster(Day);
        QVERIFY(!wrongService.found());
        QVERIFY(wrongService.lines().isEmpty());
        DecisionRecorder afterTheEnd(Day.addDays(3), 1);   // computed up to 03/03/04 only
        ComputeRoster(Day);
        QVERIFY(!afterTheEnd.found());
    }

    // The explanation of a verification shown: the same lines, the model left as the
    // verification left it, and a refusal rather than the decisions of other data.
    void explainingAVerificationShown()
    {
        FixtureFolder data;
        const RosterRun shown = VerifyRoster(QStringLiteral("02/03/04"));
        QVERIFY(!shown.refused);
        GlobalModel before = Global();

        const Explanation cbGda = ExplainDecisions(shown, Day, 3);
        QVERIFY2(!cbGda.refused, qPrintable(cbGda.refusal));
        QCOMPARE(cbGda.title, QStringLiteral("Por que: Cb Gda 01/03/04"));
        QVERIFY(cbGda.lines.contains(QStringLiteral("8 - Henriques: escalado")));
        QVERIFY(cbGda.lines.contains(QStringLiteral("7 - Gonçalves: escalado")));
        QCOMPARE(Global().HistoryCache[HistoryInUse()].Num, before.HistoryCache[HistoryInUse()].Num);
        for (int i = 1; i <= 12; ++i)
            QCOMPARE(Global().SoldierTable[i].USv, before.SoldierTable[i].USv);
        for (int code = 1; code <= 3; ++code)
            for (int row = 1; row <= 12; ++row)
                QCOMPARE(Global().Grades[code].row(row), before.Grades[code].row(row));

        const Explanation adjOf = ExplainDecisions(shown, Day.addDays(1), 2);
        QVERIFY(!adjOf.refused);
        QVERIFY(adjOf.lines.contains(QStringLiteral("5 - Esteves: não escalado: afastamento real de 01/03/04 a 05/03/04")));
        QCOMPARE(adjOf.lines.last(), QStringLiteral("Próximo da vez: nenhum; não há outro militar disponível nesta escala"));

        struct Case { QDate day; int code; QString refusal; };
        const QList<Case> refusals{
            {Day.addDays(2), 1, "O dia 03/03/04 não está entre os dias desta verificação (01/03/04 a 02/03/04)."},
            {Day.addDays(-1), 1, "O dia 29/02/04 não está entre os dias desta verificação (01/03/04 a 02/03/04)."},
            {Day, 9, "O código 9 não é de um serviço cadastrado."},
            {Day, 31, "O código 31 não é de um serviço cadastrado."},
        };
        for (const Case& c : refusals) {
            const Explanation e = ExplainDecisions(shown, c.day, c.code);
            QVERIFY(e.refused);
            QCOMPARE(e.refusal, c.refusal);
            QVERIFY(e.lines.isEmpty());
        }

        // A service out of force on the day.
        LoadServices();
        Global().ServiceTable[2].Ini = Day.addDays(1);
        SaveServices();
        const RosterRun partly = VerifyRoster(QStringLiteral("02/03/04"));
        QVERIFY(!partly.refused);
        const Explanation outOfForce = ExplainDecisions(partly, Day, 2);
        QVERIFY(outOfForce.refused);
        QCOMPARE(outOfForce.refusal, QStringLiteral("O serviço Adj Of não foi escalado no dia 01/03/04 nesta verificação."));

        // The stored data changed after the verification: nothing is explained.
        LoadSoldiers();
        Global().SoldierTable[FindSoldier(QStringLiteral("8"))].PR = QStringLiteral("R");
        Global().SoldierTable[FindSoldier(QStringLiteral("8"))].Ini = Day;
        Global().SoldierTable[FindSoldier(QStringLiteral("8"))].Fim = Day;
        SaveSoldiers();
        const Explanation changed = ExplainDecisions(partly, Day, 3);
        QVERIFY(changed.refused);
        QCOMPARE(changed.refusal, QStringLiteral("Os dados mudaram desde a verificação. Verifique de novo para ver por que "
                                                 "cada militar foi ou não escalado."));
    }

    // Recording changes nothing the computation lists or leaves, on the program's own data over
    // several days with a removal; what it records as taken is what the listing shows.
    void recordingChangesNothing()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        const RosterRun plain = VerifyRoster(QStringLiteral("04/03/04"));
        QVERIFY2(!plain.refused, qPrintable(plain.refusal));
        // Remove the first soldier taken on the first day from that service.
        const HistoryRecord first = [&] {
            for (const HistoryRecord& h : plain.verified->history)
                if (h.Dia == plain.spanDays.first() && !h.Num.isEmpty())
                    return h;
            return HistoryRecord{};
        }();
        QVERIFY(!first.Num.isEmpty());
        QVERIFY(!AddRemoval(first.Num.section(QLatin1Char(' '), 0, 0), {first.CodSv}, {first.Dia}));

        const RosterRun base = VerifyRoster(QStringLiteral("04/03/04"));
        QVERIFY(!base.refused);
        QVERIFY(base.roster != plain.roster);
        int compared = 0;
        for (const HistoryRecord& h : base.verified->history) {
            if (!h.Dia.isValid() || h.Dia <= base.lastRostered)
                continue;
            DecisionRecorder recorder(h.Dia, h.CodSv);
            const RosterRun recorded = VerifyRoster(QStringLiteral("04/03/04"));
            QCOMPARE(recorded.roster, base.roster);
            QCOMPARE(recorded.messages, base.messages);
            QCOMPARE(recorded.alerts, base.alerts);
            QCOMPARE(recorded.verified->history.size(), base.verified->history.size());
            for (size_t i = 0; i < base.verified->history.size(); ++i)
                QCOMPARE(recorded.verified->history[i].Num, base.verified->history[i].Num);
            for (size_t i = 0; i < base.verified->soldiers.size(); ++i)
                QCOMPARE(recorded.verified->soldiers[i].USv, base.verified->soldiers[i].USv);
            QVERIFY(recorder.found());
            QStringList taken;
            for (const Decision& d : recorder.decisions())
                if (d.reason == DecisionReason::Taken)
                    taken << d.num;
            QCOMPARE(taken.join(QLatin1Char(' ')), h.Num.trimmed());
            if (h.Dia == first.Dia && h.CodSv == first.CodSv) {
                const auto removedEntry = std::find_if(recorder.decisions().begin(), recorder.decisions().end(),
                                                       [](const Decision& d) { return d.reason == DecisionReason::Removed; });
                QVERIFY(removedEntry != recorder.decisions().end());
            }
            ++compared;
        }
        QVERIFY(compared > 3);
    }
};

QTEST_GUILESS_MAIN(TestDecisions)
#include "TestDecisions.moc"
