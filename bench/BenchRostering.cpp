// The verification of 31 days and the commit, for a unit at the model's capacity (30 services of
// 500 members, 1000 soldiers) and for a typical unit (8 services of 60 members).
#include "data/DataFiles.h"
#include "FixtureFolder.h"
#include "data/DataFolder.h"
#include "data/UGlobal.h"
#include "rostering/Commit.h"
#include "rostering/Computation.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QString Target = QStringLiteral("01/04/04");   // 31 days after 01/03/04

// A data folder with `services` services of `members` members each, drawn from `soldiers`
// soldiers (each in several rosters), `quant` soldiers a service a day, a month of history.
struct Unit {
    FixtureFolder data{QStringLiteral("inicial")};

    Unit(int services, int members, int soldiers, int quant)
    {
        GlobalModel& g = Global();
        for (int i = 1; i <= soldiers; ++i) {
            SoldierRecord& s = g.SoldierTable[i];
            s.Num = QString::number(i);
            s.Nome = QStringLiteral("Militar %1").arg(i);
            s.PstGrd = QStringLiteral("Sd");
            s.USv[9] = QDate(2004, 2, 20 + i % 10);
            if (i % 40 == 0) {
                s.PR = i % 80 == 0 ? QStringLiteral("R") : QStringLiteral("P");
                s.Ini = QDate(2004, 3, 5 + i % 20);
                s.Fim = s.Ini.addDays(6);
            }
        }
        SaveSoldiers();
        for (int n = 1; n <= services; ++n) {
            g.ServiceTable[n] = {n, QStringLiteral("Sv %1").arg(n), QDate(2004, 1, 1), QDate(2004, 12, 31), quant, n, {}};
            for (int row = 1; row <= members; ++row) {
                const int soldier = (n * 37 + row * 7) % soldiers + 1;
                g.Grades[n].row(row) = {QString::number(soldier), QString::number(row % 7), QString::number(row % 5)};
            }
        }
        SaveServices();
        SaveAllRosters();
        for (int i = 1; i <= Capacity::History; ++i)
            g.HistoryCache[i] = HistoryRecord();
        int record = 1;
        for (QDate day(2004, 2, 1); day <= QDate(2004, 3, 1); day = day.addDays(1))
            for (int n = 1; n <= services; ++n)
                g.HistoryCache[record++] = {day, n, g.ServiceTable[n].Descr, QStringLiteral("1 2 3"), QStringLiteral("Pt")};
        SaveHistory();
        DataFiles::WriteLastRosteredDay(QDate(2004, 3, 1));
        DataFiles::WritePreparationPeriod({QDate(2004, 3, 1), QDate(2004, 4, 30)});
        QStringList weekends;
        for (QDate day(2004, 3, 1); day <= QDate(2004, 4, 30); day = day.addDays(1))
            if (day.dayOfWeek() >= 6)
                weekends << day.toString(QStringLiteral("dd/MM/yy"));
        DataFiles::WriteRedDayLines(weekends);
    }
};

void verify(benchmark::State& state, int services, int members, int soldiers, int quant)
{
    Unit unit(services, members, soldiers, quant);
    for (auto _ : state) {
        const RosterRun run = VerifyRoster(Target);
        if (run.refused)
            state.SkipWithError(run.refusal.toStdString().c_str());
        benchmark::DoNotOptimize(run.roster.size());
    }
    state.SetItemsProcessed(state.iterations() * 31);
}

// The commit timed is the program's own: its duty rows in the log of counts (one per soldier and
// kind per duty, through one prepared statement) are part of the figure.
void commit(benchmark::State& state, int services, int members, int soldiers, int quant)
{
    Unit unit(services, members, soldiers, quant);
    for (auto _ : state) {
        state.PauseTiming();
        const RosterRun run = VerifyRoster(Target);
        state.ResumeTiming();
        CommitRoster(*run.verified);
        state.PauseTiming();
        UndoFrom(QDate(2004, 3, 2));
        state.ResumeTiming();
    }
}

void BM_VerifyCapacityUnit(benchmark::State& state)
{
    verify(state, Capacity::Services, Capacity::RosterRows, Capacity::Soldiers, 3);
}

void BM_VerifyTypicalUnit(benchmark::State& state)
{
    verify(state, 8, 60, 160, 2);
}

void BM_CommitCapacityUnit(benchmark::State& state)
{
    commit(state, Capacity::Services, Capacity::RosterRows, Capacity::Soldiers, 3);
}

void BM_CommitTypicalUnit(benchmark::State& state)
{
    commit(state, 8, 60, 160, 2);
}

}

BENCHMARK(BM_VerifyCapacityUnit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VerifyTypicalUnit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommitCapacityUnit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommitTypicalUnit)->Unit(benchmark::kMillisecond);
