// The import of an old folder of Paradox tables at the model's capacity (1000 soldiers, 30 rosters
// of 500, 10000 history records): the tables read and checked, the new data folder built with the
// log of counts and checked as a start reads it, then put in place.
#include "FixtureFolder.h"
#include "GeneratedUnit.h"
#include "ParadoxWriter.h"
#include "maintenance/ParadoxImport.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// The old folder, written once from the generated unit.
struct OldUnit {
    QTemporaryDir temp;
    QString folder = temp.filePath(QStringLiteral("antiga"));

    OldUnit()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        BuildUnit(FullCapacityRecipe());
        WriteOldFolder(data.module(), data.path(), folder);
    }
};

OldUnit& oldUnit()
{
    static OldUnit unit;
    return unit;
}

void BM_ImportAtCapacity(benchmark::State& state)
{
    const QString old = oldUnit().folder;
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir place;
        const QString target = place.filePath(QStringLiteral("nova"));
        state.ResumeTiming();
        const ParadoxImport::Report report = ParadoxImport::ImportIntoFolder(old, target);
        state.PauseTiming();
        rows = report.soldiers + report.historyRecords;
        for (const ParadoxImport::Report::Roster& roster : report.rosters)
            rows += roster.members;
        state.ResumeTiming();
    }
    state.counters["linhas"] = rows;
    state.SetItemsProcessed(state.iterations() * rows);
}

}

BENCHMARK(BM_ImportAtCapacity)->Unit(benchmark::kMillisecond)->MinTime(3.0);
