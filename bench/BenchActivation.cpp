// The main window's activation on a unit at the model's capacity: the cover picture, the services
// and all 30 rosters of up to 500 members reloaded and written back, the last rostered day re-read
// and shown. It runs on the first show and each time the keeper comes back from the manual or the
// personnel lookup. Also the first opening: the window made and shown (its first activation).
// Runs on the offscreen platform unless another is asked for.
#include "FixtureFolder.h"
#include "GeneratedUnit.h"
#include "ScriptedDialogs.h"
#include "common/SharedWindows.h"
#include "data/Capacities.h"
#include "data/DataFiles.h"
#include "data/UGlobal.h"
#include "startup/UPrincipal.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

UnitRecipe capacityRecipe()
{
    return ReferenceRecipe(QStringLiteral("capacidade"));
}

// The unit at capacity with the cover the start of a session reads (its picture included).
struct CapacityUnit {
    FixtureFolder data{QStringLiteral("inicial")};
    ScriptedDialogs dialogs;

    CapacityUnit()
    {
        BuildUnit(capacityRecipe());
        const DataFiles::CoverSettings cover = DataFiles::ReadNiveis();
        Global().CoverLines = cover.coverLines;
        Global().CoverLines << cover.picture;
    }

    // Whatever the window told the keeper (a refusal shown instead of the work done).
    std::string told() const { return dialogs.shown.join(QLatin1Char('\n')).toStdString(); }
};

void BM_ActivationCapacityUnit(benchmark::State& state)
{
    CapacityUnit unit;
    TFPrincipal window;
    window.show();
    QApplication::processEvents();
    for (auto _ : state)
        window.FormActivate();
    if (!unit.dialogs.shown.isEmpty())
        state.SkipWithError(unit.told().c_str());
    state.SetItemsProcessed(state.iterations() * Capacity::Services);
}

void BM_OpenMainWindowCapacityUnit(benchmark::State& state)
{
    CapacityUnit unit;
    for (auto _ : state) {
        auto window = std::make_unique<TFPrincipal>();
        window->show();
        QApplication::processEvents();
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    DeleteSharedWindows();
    if (!unit.dialogs.shown.isEmpty())
        state.SkipWithError(unit.told().c_str());
}

}

BENCHMARK(BM_ActivationCapacityUnit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenMainWindowCapacityUnit)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
