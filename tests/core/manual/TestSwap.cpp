// The exchange of a duty ("Executar" of the tab "Trocas Sv") on the small fixture, with a crew of
// soldiers added: 31, 32 and 33 serve Cb Gda on 01/03/04 (a black day) and on 06/03/04 (a red
// Saturday); 45 is in the rosters of Of Dia and Cb Gda, 31 in those of Adj Of and Cb Gda.
#include "FailingWrites.h"
#include "FixtureFolder.h"
#include "StoredTables.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/Dates.h"
#include "data/UGlobal.h"
#include "manual/Swap.h"
#include "rostering/Rules.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <algorithm>

Q_DECLARE_METATYPE(SwapRequest)

namespace {

QDate march(int day)
{
    return QDate(2004, 3, day);
}

void addSoldier(const QString& num, const QString& nome, const QString& pstGrd, const QList<QDate>& days,
                const QString& pr = {}, const QDate& ini = {}, const QDate& fim = {})
{
    GlobalModel& g = Global();
    int free = 1;
    while (!g.SoldierTable[free].Num.isEmpty())
        ++free;
    SoldierRecord& s = g.SoldierTable[free];
    s = SoldierRecord{num, pstGrd, nome, pr, ini, fim, {}};
    for (int i = 0; i < days.size(); ++i)
        s.USv[i] = days.at(i);
}

void addRosterRow(int code, const QString& num, int pt, int vm)
{
    RosterTable& roster = Global().Grades[code];
    int row = 1;
    while (!roster.cell(RosterTable::NumCol, row).isEmpty())
        ++row;
    roster.row(row) = {num, QString::number(pt), QString::number(vm)};
}

void addHistory(const QDate& day, int code, const QString& descr, const QString& list, const QString& kind)
{
    if (list.isEmpty())
        return;
    Global().HistoryCache[HistoryInUse() + 1] = {day, code, descr, list, kind};
}

// The crew, with the Cb Gda lists of 01/03/04 and 06/03/04.
void addCrew(const QString& blackList, const QString& redList = QStringLiteral("31 32 33 "))
{
    LoadServices();
    LoadSoldiers();
    LoadAllRosters();
    LoadHistory();
    for (const char* num : {"31", "32", "33"})
        addSoldier(num, QStringLiteral("Soares ") + num, QStringLiteral("Cb"), {march(1), march(6)});
    addSoldier(QStringLiteral("45"), QStringLiteral("Vieira"), QStringLiteral("Sd"), {});
    addSoldier(QStringLiteral("46"), QStringLiteral("Xavier"), QStringLiteral("Sd"), {}, QStringLiteral("P"),
               march(1), march(2));
    addSoldier(QStringLiteral("47"), QStringLiteral("Zanini"), QStringLiteral("Sd"), {march(1)});
    addRosterRow(2, QStringLiteral("31"), 2, 1);
    for (const char* num : {"31", "32", "33"})
        addRosterRow(3, num, 2, 1);
    addRosterRow(1, QStringLiteral("45"), 1, 1);
    for (const char* num : {"45", "46", "47"})
        addRosterRow(3, num, 1, 1);
    addHistory(march(1), 1, QStringLiteral("Of Dia"), QStringLiteral("47 "), QStringLiteral("Pt"));
    addHistory(march(1), 3, QStringLiteral("Cb Gda"), blackList, QStringLiteral("Pt"));
    addHistory(march(6), 3, QStringLiteral("Cb Gda"), redList, QStringLiteral("Vm"));
    SaveSoldiers();
    SaveAllRosters();
    SaveHistory();
    ResetModel();
}


// Everything a swap may change.
QStringList storedState(FixtureFolder& data)
{
    QStringList state;
    for (const char* table : {"Hist", "Basico", "Sv1", "Sv2", "Sv3"})
        state << QStringLiteral("== ") + table << StoredRows(data.module(), table);
    return state;
}

// The stored list of Cb Gda on a day, "(nenhum)" when the day has no record.
QString storedList(FixtureFolder& data, const QDate& day)
{
    const QString prefix = Dates::toStorage(day) + QStringLiteral("|3|");
    for (const QString& row : StoredRows(data.module(), QStringLiteral("Hist")))
        if (row.startsWith(prefix))
            return row.section(QLatin1Char('|'), 3, 3);
    return QStringLiteral("(nenhum)");
}

// "Sv2 2/1, Sv3 2/1": the soldier's stored counts in every roster that lists him.
QString storedCounts(FixtureFolder& data, const QString& num)
{
    QStringList counts;
    for (const char* table : {"Sv1", "Sv2", "Sv3"})
        for (const QString& row : StoredRows(data.module(), QLatin1String(table)))
            if (row.section(QLatin1Char('|'), 0, 0) == num)
                counts << QLatin1String(table) + QLatin1Char(' ') + row.section(QLatin1Char('|'), 1, 1)
                        + QLatin1Char('/') + row.section(QLatin1Char('|'), 2, 2);
    return counts.join(QStringLiteral(", "));
}

QString storedServiceDays(FixtureFolder& data, const QString& num)
{
    QSqlQuery q = data.module().selectBasicoByNum(num);
    return q.next() ? q.value(QStringLiteral("USv")).toString() : QStringLiteral("(sem cadastro)");
}

SwapRequest request(const QString& a, const QString& b, const QString& day = QStringLiteral("01/03/04"),
                    SwapChoice choice = SwapChoice::B, std::optional<int> code = 3)
{
    return SwapRequest{a, b, day, code, choice};
}

// The keeper's answer to the question, and the questions asked.
struct Keeper {
    bool answer = true;
    QStringList asked;
    Confirm confirm()
    {
        return [this](const QString& question) {
            asked << question;
            return answer;
        };
    }
};

// Numbers 1000 to 1022 and then `last`, each followed by a blank.
QString longList(const QString& last)
{
    QString list;
    for (int n = 1000; n <= 1022; ++n)
        list += QString::number(n) + QLatin1Char(' ');
    return list + last + QLatin1Char(' ');
}

}

class TestSwap : public QObject {
    Q_OBJECT
private slots:
    void swapWritesListServiceDaysAndCounts_data()
    {
        QTest::addColumn<QString>("list");        // Cb Gda on the day of the swap
        QTest::addColumn<SwapRequest>("swap");
        QTest::addColumn<QString>("newList");
        QTest::addColumn<QString>("counts31");
        QTest::addColumn<QString>("days31");
        QTest::addColumn<QString>("counts45");
        QTest::addColumn<QString>("days45");
        const QString unchanged31 = QStringLiteral("Sv2 2/1, Sv3 2/1");
        const QString both31 = QStringLiteral("01/03/04 06/03/04 ");
        const QString unchanged45 = QStringLiteral("Sv1 1/1, Sv3 1/1");
        const QString creditedPt45 = QStringLiteral("Sv1 2/1, Sv3 2/1");
        QTest::newRow("B: 45 takes the duty and its count from 31")
            << "31 32 33 " << request("31", "45") << "45 32 33 " << "Sv2 1/1, Sv3 1/1" << "06/03/04 "
            << creditedPt45 << "01/03/04 ";
        QTest::newRow("A e B, numbers typed with blanks: 31 keeps it, 45 is credited too")
            << "31 32 33 " << request(" 31 ", "45 ", "01/03/04", SwapChoice::AandB) << "31 45 32 33 "
            << unchanged31 << both31 << creditedPt45 << "01/03/04 ";
        QTest::newRow("A = 0 on a list without a final blank")
            << "31 32 33" << request("0", "45", "01/03/04", SwapChoice::None) << "31 32 33 45 " << unchanged31 << both31
            << creditedPt45 << "01/03/04 ";
        QTest::newRow("A = 0 on a list ending with a blank: one blank before 45")
            << "31 32 33 " << request("0", "45") << "31 32 33 45 " << unchanged31 << both31 << creditedPt45
            << "01/03/04 ";
        QTest::newRow("B = 0: 31 leaves, nobody enters")
            << "31 32 33 " << request("31", "0", "01/03/04", SwapChoice::None) << "32 33 " << "Sv2 1/1, Sv3 1/1"
            << "06/03/04 " << unchanged45 << "";
        QTest::newRow("B = 0 and 31 was alone: the record leaves the history")
            << "31 " << request("31", "0") << "(nenhum)" << "Sv2 1/1, Sv3 1/1" << "06/03/04 " << unchanged45 << "";
        QTest::newRow("a red day moves Vm")
            << "31 32 33 " << request("31", "45", "06/03/04") << "45 32 33 " << "Sv2 2/0, Sv3 2/0" << "01/03/04 "
            << "Sv1 1/2, Sv3 1/2" << "06/03/04 ";
        QTest::newRow("a double blank in the list loses no number")
            << "31  32 33" << request("33", "45") << "31 32 45 " << unchanged31 << both31 << creditedPt45
            << "01/03/04 ";
        // 117 characters of numbers and " 45": exactly the 120 the history keeps.
        QTest::newRow("a list that just fits") << longList("99") << request("0", "45")
                                              << longList("99") + QStringLiteral("45") << unchanged31 << both31
                                              << creditedPt45 << "01/03/04 ";
    }
    void swapWritesListServiceDaysAndCounts()
    {
        QFETCH(QString, list);
        QFETCH(SwapRequest, swap);
        FixtureFolder data;
        const bool red = swap.dayText == QStringLiteral("06/03/04");
        addCrew(red ? QStringLiteral("31 32 33 ") : list, red ? list : QStringLiteral("31 32 33 "));
        Keeper keeper;
        const SwapOutcome outcome = SwapService(swap, keeper.confirm());
        QCOMPARE(outcome.refusal, QString());
        QVERIFY(outcome.done);
        QCOMPARE(keeper.asked, QStringList{SwapQuestion(outcome.summary)});
        QTEST(storedList(data, *Dates::parse(swap.dayText)), "newList");
        QTEST(storedCounts(data, QStringLiteral("31")), "counts31");
        QTEST(storedServiceDays(data, QStringLiteral("31")), "days31");
        QTEST(storedCounts(data, QStringLiteral("45")), "counts45");
        QTEST(storedServiceDays(data, QStringLiteral("45")), "days45");
        // The other soldiers of the duty and the other days are left alone.
        QCOMPARE(storedCounts(data, QStringLiteral("32")), QStringLiteral("Sv3 2/1"));
        QCOMPARE(storedServiceDays(data, QStringLiteral("32")), QStringLiteral("01/03/04 06/03/04 "));
        QCOMPARE(storedList(data, red ? march(1) : march(6)), QStringLiteral("31 32 33 "));
    }

    // The calendar keeps 30 days before the last rostered day: a red day dropped from it keeps the
    // kind its record was counted with, and the swap moves Vm.
    void aRedDayDroppedFromTheCalendarMovesTheKindOfItsRecord()
    {
        FixtureFolder data;
        addCrew(QStringLiteral("31 32 33 "));
        QStringList calendar = data.readText(DataFiles::SemExped);
        QVERIFY(calendar.removeAll(QStringLiteral("06/03/04")) == 1);
        data.writeText(DataFiles::SemExped, calendar);
        const SwapOutcome outcome = SwapService(request("31", "45", "06/03/04"), Keeper().confirm());
        QVERIFY(outcome.done);
        QVERIFY2(outcome.summary.contains(QStringLiteral("Serviço: Cb Gda   Dia: 06/03/04 (Vm)")),
                 qPrintable(outcome.summary.join('\n')));
        QCOMPARE(storedCounts(data, QStringLiteral("31")), QStringLiteral("Sv2 2/0, Sv3 2/0"));
        QCOMPARE(storedCounts(data, QStringLiteral("45")), QStringLiteral("Sv1 1/2, Sv3 1/2"));
    }

    void refusalsWriteNothing_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<SwapRequest>("swap");
        QTest::addColumn<QString>("message");
        const QString list = QStringLiteral("31 32 33 ");
        QTest::newRow("invalid day") << list << request("31", "45", "31/02/04") << "31/02/04 >>> Data inválida";
        QTest::newRow("A empty") << list << request("", "45") << "Você deve preencher todos os campos";
        QTest::newRow("B only blanks") << list << request("31", "  ") << "Você deve preencher todos os campos";
        QTest::newRow("no service") << list << request("31", "45", "01/03/04", SwapChoice::B, std::nullopt)
                                    << "Você deve selecionar um serviço";
        QTest::newRow("code 0") << list << request("31", "45", "01/03/04", SwapChoice::B, 0)
                                << "O código 0 não é de um serviço cadastrado; escolha um serviço da lista.";
        QTest::newRow("A and B both 0")
            << list << request("0", "0")
            << "A e B não podem ser os dois 0: diga quem sai do serviço, quem entra, ou os dois.";
        QTest::newRow("number too long") << list << request("31", "12345")
                                         << "O número \"12345\" tem mais de 4 caracteres; nada foi alterado.";
        QTest::newRow("A is B") << list << request("31", " 31")
                                << "Quem sai e quem entra são o mesmo militar (31); nada foi alterado.";
        QTest::newRow("no choice") << list << request("31", "45", "01/03/04", SwapChoice::None)
                                   << "Escolha para quem computar o serviço: \"B\" ou \"A e B\".";
        QTest::newRow("B not in the register")
            << list << request("31", "99") << "Não há militar de número 99 no Sistema; nada foi alterado.";
        QTest::newRow("no record of the service that day")
            << list << request("31", "45", "02/03/04")
            << "Não há registro do serviço de Cb Gda do dia 02/03/04 no histórico; nada foi alterado.";
        QTest::newRow("A not on the duty")
            << list << request("11", "45") << "O militar 11 não está no serviço de Cb Gda do dia 01/03/04; nada foi alterado.";
        QTest::newRow("B already on the duty")
            << list << request("31", "32") << "O militar 32 já está no serviço de Cb Gda do dia 01/03/04; nada foi alterado.";
        QTest::newRow("the list would pass 120 characters")
            << longList("999") << request("0", "45")
            << "Os números do serviço de Cb Gda do dia 01/03/04 não caberiam nos 120 caracteres do histórico; nada foi "
               "alterado.";
    }
    void refusalsWriteNothing()
    {
        QFETCH(QString, list);
        QFETCH(SwapRequest, swap);
        QFETCH(QString, message);
        FixtureFolder data;
        addCrew(list);
        const QStringList before = storedState(data);
        Keeper keeper;
        const SwapOutcome outcome = SwapService(swap, keeper.confirm());
        QCOMPARE(outcome.refusal, message);
        QVERIFY(!outcome.done);
        QVERIFY(keeper.asked.isEmpty());
        QCOMPARE(storedState(data), before);
    }

    void summaryShowsWhatWillChange_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<SwapRequest>("swap");
        QTest::addColumn<QStringList>("summary");
        QTest::newRow("B") << "31 32 33 " << request("31", "45")
                           << QStringList{"Serviço: Cb Gda   Dia: 01/03/04 (Pt)",
                                          "Sai 31 (Cb Soares 31) e entra 45 (Sd Vieira): computa-se o serviço só para 45.",
                                          "Histórico antes:  31 32 33",
                                          "Histórico depois: 45 32 33",
                                          "45 em Of Dia: Pt de 1 para 2",
                                          "45 em Cb Gda: Pt de 1 para 2",
                                          "31 em Adj Of: Pt de 2 para 1",
                                          "31 em Cb Gda: Pt de 2 para 1"};
        QTest::newRow("A e B on a red day")
            << "31 32 33 " << request("31", "45", "06/03/04", SwapChoice::AandB)
            << QStringList{"Serviço: Cb Gda   Dia: 06/03/04 (Vm)",
                           "Entra 45 (Sd Vieira) e 31 (Cb Soares 31) fica no serviço: computa-se o serviço para os dois.",
                           "Histórico antes:  31 32 33",
                           "Histórico depois: 31 45 32 33",
                           "45 em Of Dia: Vm de 1 para 2",
                           "45 em Cb Gda: Vm de 1 para 2"};
        QTest::newRow("A = 0") << "31 32 33" << request("0", "45")
                               << QStringList{"Serviço: Cb Gda   Dia: 01/03/04 (Pt)",
                                              "Entra 45 (Sd Vieira); ninguém sai.",
                                              "Histórico antes:  31 32 33",
                                              "Histórico depois: 31 32 33 45",
                                              "45 em Of Dia: Pt de 1 para 2",
                                              "45 em Cb Gda: Pt de 1 para 2"};
        QTest::newRow("B = 0, the last soldier") << "31 " << request("31", "0")
                                                 << QStringList{"Serviço: Cb Gda   Dia: 01/03/04 (Pt)",
                                                                "Sai 31 (Cb Soares 31); ninguém entra.",
                                                                "Histórico antes:  31",
                                                                "Histórico depois: ninguém; o registro sai do histórico",
                                                                "31 em Adj Of: Pt de 2 para 1",
                                                                "31 em Cb Gda: Pt de 2 para 1"};
    }
    void summaryShowsWhatWillChange()
    {
        QFETCH(QString, list);
        QFETCH(SwapRequest, swap);
        QFETCH(QStringList, summary);
        FixtureFolder data;
        const bool red = swap.dayText == QStringLiteral("06/03/04");
        addCrew(red ? QStringLiteral("31 32 33 ") : list, red ? list : QStringLiteral("31 32 33 "));
        const QStringList before = storedState(data);
        QCOMPARE(PlanSwap(swap).summary, summary);
        QCOMPARE(storedState(data), before);   // planning writes nothing
    }

    // B's availability under the automatic rules, on the Cb Gda duty of 01/03/04.
    void summaryWarnsWhenBWouldNotBeAvailable_data()
    {
        QTest::addColumn<QString>("b");
        QTest::addColumn<QStringList>("warnings");
        QTest::newRow("available") << "45" << QStringList();
        QTest::newRow("real absence, rest, another roster")
            << "5"
            << QStringList{"Atenção: 5 não está na escala de Cb Gda.",
                           "Atenção: 5 está fora da escala de 01/03/04 a 05/03/04.",
                           "Atenção: 5 não terá folga de 48 Hs no dia 01/03/04: tem serviço no dia 28/02/04."};
        QTest::newRow("planned absence") << "46"
                                         << QStringList{"Atenção: 46 está previsto sair da escala de 01/03/04 a 02/03/04."};
        QTest::newRow("rest") << "12"
                              << QStringList{"Atenção: 12 não terá folga de 48 Hs no dia 01/03/04: tem serviço no dia "
                                             "29/02/04."};
        QTest::newRow("another duty that day") << "47" << QStringList{"Atenção: 47 já tem serviço no dia 01/03/04: Of Dia."};
    }
    void summaryWarnsWhenBWouldNotBeAvailable()
    {
        QFETCH(QString, b);
        QFETCH(QStringList, warnings);
        FixtureFolder data;
        addCrew(QStringLiteral("31 32 33 "));
        const SwapPlan plan = PlanSwap(request("31", b));
        QCOMPARE(plan.refusal, QString());
        QCOMPARE(plan.summary.filter(QStringLiteral("Atenção")), warnings);
    }

    void noWritesNothing()
    {
        FixtureFolder data;
        addCrew(QStringLiteral("31 32 33 "));
        const QStringList before = storedState(data);
        Keeper no;
        no.answer = false;
        const SwapOutcome outcome = SwapService(request("31", "45"), no.confirm());
        QVERIFY(!outcome.done);
        QCOMPARE(outcome.refusal, QString());
        QCOMPARE(no.asked, QStringList{SwapQuestion(outcome.summary)});
        QVERIFY(no.asked.first().endsWith(QStringLiteral("31 em Cb Gda: Pt de 2 para 1\n\nConfirma a troca?")));
        QCOMPARE(storedState(data), before);
        QVERIFY(!SwapService(request("31", "45"), {}).done);   // no one to ask is No
        QCOMPARE(storedState(data), before);
    }

    void aFailedWriteLeavesEveryTableAsItWas()
    {
        FixtureFolder data;
        addCrew(QStringLiteral("31 32 33 "));
        const QStringList before = storedState(data);
        // The rosters are written last: the history and the register were already rewritten.
        QVERIFY(MakeWritesFail(data.module().database(Alias::Ravelha), QStringLiteral("Sv3"), QStringLiteral("INSERT")));
        Keeper keeper;
        QVERIFY_THROWS_EXCEPTION(CoreError, SwapService(request("31", "45"), keeper.confirm()));
        QCOMPARE(storedState(data), before);
        // The model is left as the tables are.
        const std::vector<HistoryRecord>& history = Global().HistoryCache;
        const auto record = std::find_if(history.begin() + 1, history.end(), [](const HistoryRecord& h) {
            return h.Dia == march(1) && h.CodSv == 3;
        });
        QVERIFY(record != history.end());
        QCOMPARE(record->Num, QStringLiteral("31 32 33 "));
        QCOMPARE(Global().SoldierTable[FindSoldier(QStringLiteral("45"))].USv.back(), QDate());
    }

    void dataChangedWhileAskingIsRefused()
    {
        FixtureFolder data;
        addCrew(QStringLiteral("31 32 33 "));
        QSqlQuery q(data.module().database(Alias::Ravelha));
        const auto changeBehindTheQuestion = [&q](const QString&) {
            return q.exec(QStringLiteral("UPDATE Sv3 SET Pt = 7 WHERE Num = '32'"));
        };
        try {
            SwapService(request("31", "45"), changeBehindTheQuestion);
            QFAIL("a swap planned on data that changed was written");
        } catch (const CoreError& e) {
            QVERIFY2(e.message().startsWith(StoredStateChangedStart()), qPrintable(e.message()));
        }
        QCOMPARE(storedList(data, march(1)), QStringLiteral("31 32 33 "));
        QCOMPARE(storedCounts(data, QStringLiteral("45")), QStringLiteral("Sv1 1/1, Sv3 1/1"));
        QCOMPARE(storedCounts(data, QStringLiteral("32")), QStringLiteral("Sv3 7/1"));
    }
};

QTEST_GUILESS_MAIN(TestSwap)
#include "TestSwap.moc"
