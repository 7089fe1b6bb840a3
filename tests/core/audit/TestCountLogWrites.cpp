// The rows each operation that changes counts leaves in the log of counts, on the small fixture
// (Of Dia: 1 1/0, 2 0/1, 3 0/1; Adj Of: 4 1/0, 5 0/1, 6 0/1; Cb Gda: 7 1/0, 8 1/0, 9 to 12 0/1;
// rostered up to 29/02/04; 06/03/04 is a red day): rows compared as text, the moment aside.
#include "FixtureFolder.h"
#include "audit/CountAudit.h"
#include "audit/CountLog.h"
#include "data/Clock.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/Dates.h"
#include "data/UGlobal.h"
#include "maintenance/Absences.h"
#include "maintenance/Backup.h"
#include "maintenance/EqualiseZero.h"
#include "maintenance/HistoryPurge.h"
#include "maintenance/Reset.h"
#include "maintenance/ServiceMembership.h"
#include "maintenance/TableBrowser.h"
#include "manual/ManualCommit.h"
#include "manual/ManualGrid.h"
#include "manual/ManualVerification.h"
#include "manual/Swap.h"
#include "rostering/Commit.h"
#include "rostering/Computation.h"

#include <QHash>
#include <QSqlQuery>
#include <QTest>
#include <functional>

namespace {

const QDate Today(2004, 3, 1);

// CodSv|Num|Tipo|Antes|Depois|Delta|Operacao|Dia|SvDia, "-" for an empty field, in Id order.
QStringList logRows(FixtureFolder& data)
{
    QSqlQuery q(data.module().database(Alias::Ravelha));
    if (!q.exec(QStringLiteral("SELECT CodSv, Num, Tipo, Antes, Depois, Delta, Operacao, Dia, SvDia FROM LogPontos "
                               "ORDER BY Id")))
        return {QStringLiteral("no table")};
    QStringList rows;
    while (q.next()) {
        QStringList values;
        for (int i = 0; i < 9; ++i)
            values << (q.isNull(i) || q.value(i).toString().isEmpty() ? QStringLiteral("-") : q.value(i).toString());
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList startOfFixture()
{
    // (roster, number, Pt, Vm) as the fixture stores them.
    const QList<std::tuple<int, QString, int, int>> members{
        {1, "1", 1, 0}, {1, "2", 0, 1}, {1, "3", 0, 1}, {2, "4", 1, 0}, {2, "5", 0, 1}, {2, "6", 0, 1},
        {3, "7", 1, 0}, {3, "8", 1, 0}, {3, "9", 0, 1}, {3, "10", 0, 1}, {3, "11", 0, 1}, {3, "12", 0, 1}};
    QStringList rows;
    for (const auto& [roster, num, pt, vm] : members)
        rows << QStringLiteral("%1|%2|Pt|%3|%3|0|início|-|-").arg(roster).arg(num).arg(pt)
             << QStringLiteral("%1|%2|Vm|%3|%3|0|início|-|-").arg(roster).arg(num).arg(vm);
    // The history found at the start, one row per soldier of each record, moving no count.
    const QList<std::tuple<QString, int, QString, QString>> history{
        {"27/02/04", 1, "1", "Pt"},  {"27/02/04", 2, "4", "Pt"},  {"27/02/04", 3, "7", "Pt"},
        {"27/02/04", 3, "8", "Pt"},  {"28/02/04", 1, "2", "Vm"},  {"28/02/04", 2, "5", "Vm"},
        {"28/02/04", 3, "9", "Vm"},  {"28/02/04", 3, "10", "Vm"}, {"29/02/04", 1, "3", "Vm"},
        {"29/02/04", 2, "6", "Vm"},  {"29/02/04", 3, "11", "Vm"}, {"29/02/04", 3, "12", "Vm"}};
    for (const auto& [day, code, num, kind] : history)
        rows << QStringLiteral("0|%1|%2|-|-|1|histórico anterior|%3|%4").arg(num, kind, day).arg(code);
    return rows;
}

// The duty rows a list of history records of one day must leave: one per soldier.
QStringList historyOf(FixtureFolder& data, const QString& day, const QString& kind, int delta, const QString& op)
{
    QSqlQuery q(data.module().database(Alias::Ravelha));
    q.prepare(QStringLiteral("SELECT CodSv, Num FROM Hist WHERE Dia = ? ORDER BY CodSv"));
    q.addBindValue(*Dates::parse(day));
    q.exec();
    QStringList rows;
    while (q.next()) {
        for (const QString& num : q.value(1).toString().split(QLatin1Char(' '), Qt::SkipEmptyParts))
            rows << QStringLiteral("0|%1|%2|-|-|%3|%4|%5|%6").arg(num, kind).arg(delta).arg(op, day).arg(q.value(0).toInt());
    }
    return rows;
}

void commitTo(const QString& target)
{
    const RosterRun run = VerifyRoster(target);
    if (run.refused)
        throw CoreError(run.refusal);
    if (!CommitRoster(*run.verified, [](const QString&) { return true; }).done)
        throw CoreError(QStringLiteral("not committed"));
}

void manualCommit(const QString& end, int row, int column, const QString& cell)
{
    ManualGrid grid = PrepareManualGrid(end).grid;
    grid.rows[row].cells[column] = cell;
    const ManualVerification verification = VerifyManualGrid(grid, *Dates::parse(end));
    if (!verification.verifiedOk())
        throw CoreError(verification.stopMessage);
    if (!CommitManualGrid(*verification.verified, verification.grid).done)
        throw CoreError(QStringLiteral("not committed"));
}

bool swap(const QString& a, const QString& b, const QString& day, int code, SwapChoice choice)
{
    return SwapService(SwapRequest{a, b, day, code, choice}, [](const QString&) { return true; }).done;
}

void edit(const QString& table, const QString& key, const QString& column, const QString& value)
{
    StoreTypedValue(table, key, column, value);
}

// Cb Gda "7 8" on 02/03/04, written behind the log's back, the last rostered day moved with it.
void addUnloggedRecord(FixtureFolder& data)
{
    QSqlQuery q(data.module().database(Alias::Ravelha));
    q.prepare(QStringLiteral("INSERT INTO Hist (Dia, CodSv, Descr, Num, PtVm) VALUES (?, 3, 'Cb Gda', '7 8 ', 'Pt')"));
    q.addBindValue(QDate(2004, 3, 2));
    QVERIFY(q.exec());
    DataFiles::WriteLastRosteredDay(QDate(2004, 3, 2));
}

// The counts the log gives each member of each roster: the Depois of his last value row for the
// roster plus the Deltas of his duty rows after it.
QStringList countsFromLog(FixtureFolder& data)
{
    QHash<QString, int> count;          // roster|num|kind
    QHash<QString, int> dutiesSince;    // num|kind -> duty Deltas so far
    QHash<QString, int> dutiesAtValue;  // roster|num|kind -> duty Deltas when the value row came
    for (const QString& row : logRows(data)) {
        const QStringList f = row.split(QLatin1Char('|'));
        if (f[1] == QStringLiteral("-"))
            continue;
        const QString soldier = f[1] + QLatin1Char('|') + f[2];
        if (f[0] == QStringLiteral("0")) {
            if (!f[6].contains(QStringLiteral("histórico anterior")) && !f[6].contains(QStringLiteral("sem contagem")))
                dutiesSince[soldier] += f[5].toInt();
        } else {
            count[f[0] + QLatin1Char('|') + soldier] = f[4].toInt();
            dutiesAtValue[f[0] + QLatin1Char('|') + soldier] = dutiesSince.value(soldier);
        }
    }
    QStringList counts;
    LoadServices();
    for (int code = 1; code <= 3; ++code) {
        RosterTable roster;
        LoadRoster(roster, QStringLiteral("Sv%1.DB").arg(code));
        for (int row = 1; !roster.cell(RosterTable::NumCol, row).isEmpty(); ++row) {
            const QString num = roster.cell(RosterTable::NumCol, row);
            QString line = QStringLiteral("%1 %2").arg(code).arg(num);
            for (const QString& kind : {QStringLiteral("Pt"), QStringLiteral("Vm")}) {
                const QString key = QStringLiteral("%1|%2|%3").arg(code).arg(num, kind);
                line += QLatin1Char(' ')
                    + QString::number(count.value(key) + dutiesSince.value(num + QLatin1Char('|') + kind)
                                      - dutiesAtValue.value(key));
            }
            counts << line;
        }
    }
    return counts;
}

QStringList storedCounts()
{
    QStringList counts;
    for (int code = 1; code <= 3; ++code) {
        RosterTable roster;
        LoadRoster(roster, QStringLiteral("Sv%1.DB").arg(code));
        for (int row = 1; !roster.cell(RosterTable::NumCol, row).isEmpty(); ++row)
            counts << QStringLiteral("%1 %2 %3 %4")
                          .arg(code)
                          .arg(roster.cell(RosterTable::NumCol, row))
                          .arg(roster.cell(RosterTable::PtCol, row).toInt())
                          .arg(roster.cell(RosterTable::VmCol, row).toInt());
    }
    return counts;
}

using Step = std::function<void(FixtureFolder&)>;

struct Case {
    Step setup;             // its rows are not compared
    Step operation;
    // The rows the operation appends, given the rows before it.
    std::function<QStringList(FixtureFolder&, const QStringList&)> expected;
};

QStringList rows(const QStringList& list)
{
    return list;
}

const QHash<QString, Case>& cases()
{
    static const QHash<QString, Case> table{
        // The duties of the days up to the target, one row per soldier; none for the days
        // computed after it and taken back at once.
        {"escalar", {{}, [](FixtureFolder&) { commitTo("02/03/04"); },
                     [](FixtureFolder& d, const QStringList&) {
                         return historyOf(d, "01/03/04", "Pt", 1, "escalar") + historyOf(d, "02/03/04", "Pt", 1, "escalar");
                     }}},
        {"desfazer", {[](FixtureFolder&) { commitTo("02/03/04"); },
                      [](FixtureFolder&) { UndoFrom(QDate(2004, 3, 2)); },
                      // Each duty of the days taken back, given back.
                      [](FixtureFolder&, const QStringList& before) {
                          QStringList undone;
                          for (QString row : before.filter("|escalar|02/03/04|"))
                              undone << row.replace("|1|escalar|", "|-1|desfazer|");
                          return undone;
                      }}},
        {"escala manual", {{}, [](FixtureFolder&) { manualCommit("01/03/04", 0, 0, "1"); },
                           [](FixtureFolder&, const QStringList&) { return rows({"0|1|Pt|-|-|1|escala manual|01/03/04|1"}); }}},
        // The history lists every number of the cell; only those whose counts moved move the log's:
        // not 7 (no member of Of Dia), 5 (on a real absence), 3 (after a double blank).
        {"escala manual sem contagem", {{}, [](FixtureFolder&) { manualCommit("01/03/04", 0, 0, "1 7"); },
                                        [](FixtureFolder&, const QStringList&) {
                                            return rows({"0|1|Pt|-|-|1|escala manual|01/03/04|1",
                                                         "0|7|Pt|-|-|1|escala manual sem contagem|01/03/04|1"});
                                        }}},
        {"escala manual de um afastado", {{}, [](FixtureFolder&) { manualCommit("01/03/04", 1, 0, "5"); },
                                          [](FixtureFolder&, const QStringList&) {
                                              return rows({"0|5|Pt|-|-|1|escala manual sem contagem|01/03/04|2"});
                                          }}},
        {"escala manual e desfazer depois de dois brancos",
         {[](FixtureFolder&) { manualCommit("01/03/04", 0, 0, "1  3"); }, [](FixtureFolder&) { UndoFrom(QDate(2004, 3, 1)); },
          [](FixtureFolder&, const QStringList&) {
              return rows({"0|1|Pt|-|-|-1|desfazer|01/03/04|1", "0|3|Pt|-|-|-1|desfazer sem contagem|01/03/04|1"});
          }}},
        // A record the log never saw (written behind its back, or before it began in an older
        // folder) is first recorded as it stood.
        {"troca num registro que o registro não viu",
         {[](FixtureFolder& d) { addUnloggedRecord(d); },
          [](FixtureFolder&) { QVERIFY(swap("8", "9", "02/03/04", 3, SwapChoice::B)); },
          [](FixtureFolder&, const QStringList&) {
              return rows({"0|7|Pt|-|-|1|histórico anterior|02/03/04|3", "0|8|Pt|-|-|1|histórico anterior|02/03/04|3",
                           "0|9|Pt|-|-|1|troca|02/03/04|3", "0|8|Pt|-|-|-1|troca|02/03/04|3"});
          }}},
        {"desfazer um registro que o registro não viu",
         {[](FixtureFolder& d) { addUnloggedRecord(d); }, [](FixtureFolder&) { UndoFrom(QDate(2004, 3, 2)); },
          [](FixtureFolder&, const QStringList&) {
              return rows({"0|7|Pt|-|-|1|histórico anterior|02/03/04|3", "0|8|Pt|-|-|1|histórico anterior|02/03/04|3",
                           "0|7|Pt|-|-|-1|desfazer|02/03/04|3", "0|8|Pt|-|-|-1|desfazer|02/03/04|3"});
          }}},
        // B takes A's duty: B gains it, A loses it.
        {"troca B", {{}, [](FixtureFolder&) { QVERIFY(swap("3", "1", "29/02/04", 1, SwapChoice::B)); },
                     [](FixtureFolder&, const QStringList&) {
                         return rows({"0|1|Vm|-|-|1|troca|29/02/04|1", "0|3|Vm|-|-|-1|troca|29/02/04|1"});
                     }}},
        // Both served: only B gains a duty.
        {"troca A e B", {{}, [](FixtureFolder&) { QVERIFY(swap("3", "1", "29/02/04", 1, SwapChoice::AandB)); },
                         [](FixtureFolder&, const QStringList&) { return rows({"0|1|Vm|-|-|1|troca|29/02/04|1"}); }}},
        // A newcomer starts at the lowest counts of the roster (1 and 1 here).
        {"inclusão", {[](FixtureFolder&) { edit("Sv1.DB", "2", "Pt", "2"); edit("Sv1.DB", "3", "Pt", "3");
                                             edit("Sv1.DB", "1", "Vm", "1"); },
                      [](FixtureFolder&) { PlaceInServices({"7"}, QList<int>{1}, Today); },
                      [](FixtureFolder&, const QStringList&) {
                          return rows({"1|7|Pt|0|1|1|inclusão|-|-", "1|7|Vm|0|1|1|inclusão|-|-"});
                      }}},
        // Back from a real absence: only the count below the level moves.
        {"retorno", {[](FixtureFolder&) { LoadSoldiers();
                                            RecordAbsence({"2", "R", "01/03/04", "10/03/04"});
                                            edit("Sv1.DB", "1", "Pt", "3"); edit("Sv1.DB", "3", "Pt", "2");
                                            edit("Sv1.DB", "1", "Vm", "2"); },
                     [](FixtureFolder&) { ReturnToRosters("2", Today); },
                     [](FixtureFolder&, const QStringList&) { return rows({"1|2|Pt|0|2|2|retorno|-|-"}); }}},
        // Only the counts that moved.
        {"equalizar", {[](FixtureFolder&) { edit("Sv2.DB", "4", "Pt", "3"); edit("Sv2.DB", "5", "Pt", "2");
                                              edit("Sv2.DB", "6", "Pt", "2"); },
                       [](FixtureFolder&) { EqualiseRosters(Today); },
                       [](FixtureFolder&, const QStringList&) {
                           return rows({"2|4|Pt|3|1|-2|equalizar|-|-", "2|5|Pt|2|0|-2|equalizar|-|-",
                                        "2|6|Pt|2|0|-2|equalizar|-|-"});
                       }}},
        {"zerar", {{}, [](FixtureFolder&) { ZeroRosters({1}); },
                   [](FixtureFolder&, const QStringList&) {
                       return rows({"1|1|Pt|1|0|-1|zerar|-|-", "1|2|Vm|1|0|-1|zerar|-|-", "1|3|Vm|1|0|-1|zerar|-|-"});
                   }}},
        {"edição de contagem", {{}, [](FixtureFolder&) { edit("Sv2.DB", "5", "Vm", "4"); },
                                [](FixtureFolder&, const QStringList&) { return rows({"2|5|Vm|1|4|3|edição|-|-"}); }}},
        // A row given another number: the counts are now that soldier's in this roster.
        {"edição de número", {{}, [](FixtureFolder&) { edit("Sv2.DB", "5", "Num", "9"); },
                              [](FixtureFolder&, const QStringList&) {
                                  return rows({"2|9|Pt|0|0|0|edição|-|-", "2|9|Vm|0|1|1|edição|-|-"});
                              }}},
        {"edição fora das escalas", {{}, [](FixtureFolder&) { edit("Basico", "3", "Nome", "OUTRO"); },
                                     [](FixtureFolder&, const QStringList&) { return QStringList(); }}},
        {"expurgo", {{}, [](FixtureFolder&) { HistoryPurge::PurgeHistoryBefore(QDate(2004, 2, 28)); },
                     [](FixtureFolder&, const QStringList&) { return rows({"0|-|-|-|-|0|expurgo|28/02/04|0"}); }}},
    };
    return table;
}

}

class TestCountLogWrites : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Clock::setToday(Today);
    }

    void cleanup()
    {
        Clock::setToday(QDate());
    }

    void installStartsTheLog()
    {
        FixtureFolder data;
        QCOMPARE(logRows(data), startOfFixture());
    }

    void operationAppendsItsRows_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& name : cases().keys())
            QTest::newRow(name.toUtf8().constData()) << name;
    }

    void operationAppendsItsRows()
    {
        QFETCH(QString, name);
        const Case& c = cases()[name];
        FixtureFolder data;
        try {
            if (c.setup)
                c.setup(data);
        } catch (const std::exception& e) {
            QFAIL(qPrintable(QStringLiteral("setup: ") + QString::fromUtf8(e.what())));
        }
        const QStringList before = logRows(data);
        try {
            c.operation(data);
        } catch (const std::exception& e) {
            QFAIL(e.what());
        }
        if (QTest::currentTestFailed())
            return;
        const QStringList expected = c.expected(data, before);
        const QStringList after = logRows(data);
        QCOMPARE(after.mid(0, before.size()), before);
        QCOMPARE(after.mid(before.size()), expected);
        if (name == QStringLiteral("escalar") || name == QStringLiteral("desfazer"))
            QVERIFY(!expected.isEmpty());
    }

    // The reset and the restore start the log afresh from the rosters they bring back (in the
    // order they store them).
    void resetAndRestoreStartAfresh()
    {
        const auto sorted = [](QStringList rows) {
            rows.sort();
            return rows;
        };
        {
            FixtureFolder data;
            commitTo("03/03/04");
            Reset::RestoreInitialDataSet();
            QCOMPARE(sorted(logRows(data)), sorted(startOfFixture()));
        }
        {
            FixtureFolder data;
            edit("Sv2.DB", "5", "Vm", "4");
            Backup::SaveBackup();
            commitTo("03/03/04");
            QVERIFY(Backup::RestoreBackup([](const QString&) { return true; }).done);
            QStringList expected = startOfFixture();
            expected.replace(expected.indexOf("2|5|Vm|1|1|0|início|-|-"), "2|5|Vm|4|4|0|início|-|-");
            QCOMPARE(sorted(logRows(data)), sorted(expected));
        }
    }

    void refusedOperationLeavesNoRow()
    {
        FixtureFolder data;
        const QStringList before = logRows(data);
        // A write that fails inside the commit takes the log's rows back with it.
        QSqlQuery q(data.module().database(Alias::Ravelha));
        QVERIFY(q.exec(QStringLiteral("CREATE TRIGGER falha BEFORE DELETE ON Hist BEGIN SELECT RAISE(ABORT, 'disco "
                                      "cheio'); END")));
        QVERIFY_THROWS_EXCEPTION(CoreError, commitTo("02/03/04"));
        QVERIFY(q.exec(QStringLiteral("DROP TRIGGER falha")));
        QVERIFY(!swap("3", "1", "29/02/04", 2, SwapChoice::B));            // 3 is not on that duty
        QVERIFY(!SwapService(SwapRequest{"3", "1", "29/02/04", 1, SwapChoice::B},
                             [](const QString&) { return false; }).done);   // the keeper said No
        QVERIFY_THROWS_EXCEPTION(CoreError, edit("Sv2.DB", "7", "Pt", "1"));
        QVERIFY_THROWS_EXCEPTION(CoreError, edit("Sv2.DB", "5", "Pt", "abc"));
        QCOMPARE(logRows(data), before);
    }

    // What the audit relies on: after any sequence of operations each roster's counts follow from
    // the log.
    void countsFollowFromTheLog()
    {
        FixtureFolder data;
        commitTo("05/03/04");
        QVERIFY(swap("6", "4", "29/02/04", 2, SwapChoice::B));
        QVERIFY(swap("11", "7", "29/02/04", 3, SwapChoice::AandB));
        edit("Sv3.DB", "9", "Pt", "7");
        EqualiseRosters(Today);
        manualCommit("08/03/04", 2, 0, "9 10");
        LoadSoldiers();
        RecordAbsence({"4", "R", "01/03/04", "20/03/04"});
        ZeroRosters({1});
        commitTo("10/03/04");
        PlaceInServices({"12"}, QList<int>{1, 2}, Today);
        ReturnToRosters("4", Today);
        UndoFrom(QDate(2004, 3, 4));
        commitTo("07/03/04");
        HistoryPurge::PurgeHistoryBefore(QDate(2004, 3, 1));
        edit("Sv1.DB", "12", "Num", "11");
        QCOMPARE(countsFromLog(data), storedCounts());
        QVERIFY(logRows(data).size() > startOfFixture().size());
        // The audit itself finds nothing to tell the keeper.
        for (const CountAudit::RosterAudit& roster : CountAudit::AuditAll()) {
            QVERIFY(roster.hasReference);
            for (const CountAudit::Finding& finding : roster.findings)
                QFAIL(qPrintable(QStringLiteral("%1 %2: %3").arg(finding.roster).arg(finding.number, finding.text)));
        }
    }
};

QTEST_GUILESS_MAIN(TestCountLogWrites)
#include "TestCountLogWrites.moc"
