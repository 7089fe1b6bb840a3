// The verification and the commit of the automatic rostering, on units made as the reference
// outputs make theirs (GeneratedUnit): at the model's capacity (30 services of up to 500 members
// drawn from 1000 soldiers, up to 3 a service a day) and for a typical unit (8 services of up to
// 60 members drawn from 160 soldiers, up to 2 a day). Then the growth of the verification: in
// the days to roster, and in the number of services at a fixed size of roster.
#include "FixtureFolder.h"
#include "GeneratedUnit.h"
#include "data/Capacities.h"
#include "rostering/Commit.h"
#include "rostering/Computation.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

UnitRecipe capacityRecipe(int days = 31, int services = Capacity::Services)
{
    UnitRecipe recipe = ReferenceRecipe(QStringLiteral("capacidade"));
    recipe.days = days;
    recipe.services = services;
    return recipe;
}

UnitRecipe typicalRecipe(int days = 31)
{
    UnitRecipe recipe = ReferenceRecipe(QStringLiteral("tipica"));
    recipe.days = days;
    return recipe;
}

void verify(benchmark::State& state, const UnitRecipe& recipe)
{
    FixtureFolder data(QStringLiteral("inicial"));
    BuildUnit(recipe);
    const QString target = TargetDay(recipe);
    for (auto _ : state) {
        const RosterRun run = VerifyRoster(target);
        if (run.refused) {
            state.SkipWithError(run.refusal.toStdString().c_str());
            break;
        }
        benchmark::DoNotOptimize(run.roster.size());
    }
    state.SetItemsProcessed(state.iterations() * recipe.days);
    state.counters["dias"] = recipe.days;
    state.counters["servicos"] = recipe.services;
    // The time of one day, and of one service on one day: flat when the growth is linear.
    state.counters["s_por_dia"] = benchmark::Counter(recipe.days, benchmark::Counter::kIsIterationInvariantRate |
                                                                      benchmark::Counter::kInvert);
    state.counters["s_por_sv_dia"] = benchmark::Counter(
        double(recipe.days) * recipe.services,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The commit timed is the program's own: its duty rows in the log of counts (one per soldier and
// kind per duty, through one prepared statement) are part of the figure. The verification before
// it and the undo after it are not timed.
void commit(benchmark::State& state, const UnitRecipe& recipe)
{
    FixtureFolder data(QStringLiteral("inicial"));
    BuildUnit(recipe);
    const QString target = TargetDay(recipe);
    const QDate firstDay = recipe.lastRostered.addDays(1);
    for (auto _ : state) {
        state.PauseTiming();
        const RosterRun run = VerifyRoster(target);
        if (run.refused || !run.verified) {
            state.SkipWithError(run.refusal.toStdString().c_str());
            break;
        }
        state.ResumeTiming();
        const CommitOutcome outcome = CommitRoster(*run.verified);
        state.PauseTiming();
        const UndoOutcome undo = UndoFrom(firstDay);
        if (!outcome.done || !undo.ran) {
            state.SkipWithError(!outcome.done ? "escalar não gravou" : "desfazer não correu");
            break;
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * recipe.days);
}

void BM_VerifyCapacityUnit(benchmark::State& state)
{
    verify(state, capacityRecipe());
}

void BM_VerifyTypicalUnit(benchmark::State& state)
{
    verify(state, typicalRecipe());
}

void BM_CommitCapacityUnit(benchmark::State& state)
{
    commit(state, capacityRecipe());
}

void BM_CommitTypicalUnit(benchmark::State& state)
{
    commit(state, typicalRecipe());
}

// Growth in the days: 31 and 92 at capacity (366 days of 30 services would not fit the 10000
// records of history), 31, 92 and 366 for the typical unit.
void BM_VerifyDaysCapacityUnit(benchmark::State& state)
{
    verify(state, capacityRecipe(int(state.range(0))));
}

void BM_VerifyDaysTypicalUnit(benchmark::State& state)
{
    verify(state, typicalRecipe(int(state.range(0))));
}

// Growth in the services: rosters of up to 500 members from 1000 soldiers, 31 days.
void BM_VerifyServicesCapacityRosters(benchmark::State& state)
{
    verify(state, capacityRecipe(31, int(state.range(0))));
}

}

BENCHMARK(BM_VerifyCapacityUnit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VerifyTypicalUnit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommitCapacityUnit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommitTypicalUnit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VerifyDaysCapacityUnit)->Arg(31)->Arg(92)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VerifyDaysTypicalUnit)->Arg(31)->Arg(92)->Arg(366)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VerifyServicesCapacityRosters)->Arg(5)->Arg(10)->Arg(20)->Arg(30)->Unit(benchmark::kMillisecond);
