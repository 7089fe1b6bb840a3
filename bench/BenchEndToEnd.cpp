// ravelha-cli as a whole process, as the keeper's scripts run it: `escalar` of 31 days at the
// model's capacity and for a typical unit, and `verificar` at capacity. The units are those of the
// reference outputs (GeneratedUnit); every run starts from a fresh copy of the prepared data
// folder, made with the clock stopped.
#include "ChildProcess.h"
#include "FixtureFolder.h"
#include "GeneratedUnit.h"
#include "data/Capacities.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

UnitRecipe capacityRecipe()
{
    return ReferenceRecipe(QStringLiteral("capacidade"));
}

UnitRecipe typicalRecipe()
{
    return ReferenceRecipe(QStringLiteral("tipica"));
}

// The unit built once into a data folder of its own; the runs take copies of it. With
// RAVELHA_BENCH_PASTAS set, a copy is also kept there (in a folder named after the recipe), to time
// ravelha-cli by hand on the same unit.
struct PreparedUnit {
    UnitRecipe recipe;
    std::unique_ptr<FixtureFolder> data;

    explicit PreparedUnit(const UnitRecipe& r) : recipe(r), data(std::make_unique<FixtureFolder>(QStringLiteral("inicial")))
    {
        BuildUnit(recipe);
        const QString kept = qEnvironmentVariable("RAVELHA_BENCH_PASTAS");
        if (!kept.isEmpty()) {
            const QString folder = QDir(kept).filePath(recipe.name);
            if (!QFileInfo::exists(folder))
                CopyFolder(data->path(), folder);
        }
    }
};

// `command` of the recipe's target day on a fresh copy of the unit, each run timed from the start
// of the process to its end. The counter cpu_filho is the child's own processor time a run (user
// and system): on a shared machine it moves less than the wall clock when others are busy.
void endToEnd(benchmark::State& state, const UnitRecipe& recipe, const QString& command)
{
    PreparedUnit unit(recipe);
    const QStringList arguments{QStringLiteral("--hoje"), Today(recipe), command, TargetDay(recipe)};
    const double cpuBefore = childrenCpuSeconds();
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir run;
        const QString folder = QDir(run.path()).filePath(QStringLiteral("Ravelha"));
        if (!run.isValid() || !CopyFolder(unit.data->path(), folder)) {
            state.SkipWithError("a cópia da pasta de dados falhou");
            break;
        }
        QProcess process;
        process.setProcessChannelMode(QProcess::SeparateChannels);
        state.ResumeTiming();
        process.start(QStringLiteral(RAVELHA_CLI), QStringList{QStringLiteral("--dados"), folder} + arguments);
        const bool finished = process.waitForFinished(-1);
        state.PauseTiming();
        const QString err = QString::fromUtf8(process.readAllStandardError());
        if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            state.SkipWithError(failure(process, err).c_str());
            break;
        }
        benchmark::DoNotOptimize(process.readAllStandardOutput().size());
        run.remove();   // not timed: the copy goes with the clock stopped
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * recipe.days);
    if (state.iterations() > 0)
        state.counters["cpu_filho"] = (childrenCpuSeconds() - cpuBefore) / double(state.iterations());
}

void BM_EscalarCapacityUnit(benchmark::State& state)
{
    endToEnd(state, capacityRecipe(), QStringLiteral("escalar"));
}

void BM_EscalarTypicalUnit(benchmark::State& state)
{
    endToEnd(state, typicalRecipe(), QStringLiteral("escalar"));
}

void BM_VerificarCapacityUnit(benchmark::State& state)
{
    endToEnd(state, capacityRecipe(), QStringLiteral("verificar"));
}

}

// The work is in the child process: the wall clock is the measure.
BENCHMARK(BM_EscalarCapacityUnit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EscalarTypicalUnit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_VerificarCapacityUnit)->Unit(benchmark::kMillisecond)->UseRealTime();
