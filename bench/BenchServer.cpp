// ravelha-cli as a whole process on both engines side by side: `verificar` and `escalar` of 31 days
// at the model's capacity and for a typical unit, once on the data folder's Ravelha.db and once on a
// unit of a PostgreSQL server. The program starts a private server of its own
// (tests/server/PrivateServer.sh, with a state file in a temporary folder) and stops it at the end.
// The units are those of the reference outputs (GeneratedUnit), built once each; an `escalar` run
// starts from a fresh copy of the folder, or from the unit published anew to a fresh server unit,
// both made with the clock stopped.
#include "ChildProcess.h"
#include "FixtureFolder.h"
#include "GeneratedUnit.h"
#include "ServerUnitFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

// --- the private server of the run ---

// PrivateServer.sh with the state file of this run; its output goes to our standard error.
bool privateServer(const QString& action)
{
    QProcess script;
    script.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    script.start(QStringLiteral("bash"), {QStringLiteral(RAVELHA_SERVER_SCRIPT), action});
    if (!script.waitForFinished(-1) || script.exitStatus() != QProcess::NormalExit || script.exitCode() != 0) {
        std::fprintf(stderr, "PrivateServer.sh %s falhou\n", qPrintable(action));
        return false;
    }
    return true;
}

// --- the units ---

// A unit built once into a data folder of its own, and kept for the whole run.
struct PreparedUnit {
    UnitRecipe recipe;
    std::unique_ptr<FixtureFolder> data;
    std::unique_ptr<ServerUnitFixture> published;   // for the runs that only read (verificar)

    explicit PreparedUnit(const UnitRecipe& r) : recipe(r), data(std::make_unique<FixtureFolder>(QStringLiteral("inicial")))
    {
        BuildUnit(recipe);
    }
};

std::map<QString, std::unique_ptr<PreparedUnit>> preparedUnits;

PreparedUnit& prepared(const QString& name)
{
    std::unique_ptr<PreparedUnit>& unit = preparedUnits[name];
    if (!unit)
        unit = std::make_unique<PreparedUnit>(ReferenceRecipe(name));
    return *unit;
}

enum class Engine { Sqlite, Server };

// `command` of the recipe's target day, each run timed from the start of the process to its end,
// on a fresh copy of the folder and, on the server, on the unit published afresh for `escalar` (the
// same published unit serves every `verificar`, which writes nothing). The counter cpu_filho is the
// child's own processor time a run (user and system); the server's work is not in it.
void endToEnd(benchmark::State& state, const QString& recipeName, const QString& command, Engine engine)
{
    PreparedUnit* unit = nullptr;
    try {
        unit = &prepared(recipeName);
        if (engine == Engine::Server && command != QStringLiteral("escalar") && !unit->published)
            unit->published = std::make_unique<ServerUnitFixture>(unit->data->path());
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    const UnitRecipe& recipe = unit->recipe;
    const QStringList arguments{QStringLiteral("--hoje"), Today(recipe), command, TargetDay(recipe)};
    const double cpuBefore = childrenCpuSeconds();
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir run;
        const QString folder = QDir(run.path()).filePath(QStringLiteral("Ravelha"));
        if (!run.isValid() || !CopyFolder(unit->data->path(), folder)) {
            state.SkipWithError("a cópia da pasta de dados falhou");
            break;
        }
        std::unique_ptr<ServerUnitFixture> fresh;
        QStringList where{QStringLiteral("--dados"), folder};
        if (engine == Engine::Server) {
            try {
                if (!unit->published)
                    fresh = std::make_unique<ServerUnitFixture>(unit->data->path());
            } catch (const std::exception& e) {
                state.SkipWithError(e.what());
                break;
            }
            where << (fresh ? fresh : unit->published)->cliArguments();
        }
        QProcess process;
        process.setProcessChannelMode(QProcess::SeparateChannels);
        state.ResumeTiming();
        process.start(QStringLiteral(RAVELHA_CLI), where + arguments);
        const bool finished = process.waitForFinished(-1);
        state.PauseTiming();
        const QString err = QString::fromUtf8(process.readAllStandardError());
        if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            state.SkipWithError(failure(process, err).c_str());
            break;
        }
        benchmark::DoNotOptimize(process.readAllStandardOutput().size());
        fresh.reset();   // the server unit is dropped, the copy removed, with the clock stopped
        run.remove();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * recipe.days);
    if (state.iterations() > 0)
        state.counters["cpu_filho"] = (childrenCpuSeconds() - cpuBefore) / double(state.iterations());
}

const QString Capacity = QStringLiteral("capacidade");
const QString Typical = QStringLiteral("tipica");
const QString Verify = QStringLiteral("verificar");
const QString Commit = QStringLiteral("escalar");

void BM_VerificarCapacidadeSqlite(benchmark::State& s) { endToEnd(s, Capacity, Verify, Engine::Sqlite); }
void BM_VerificarCapacidadeServidor(benchmark::State& s) { endToEnd(s, Capacity, Verify, Engine::Server); }
void BM_EscalarCapacidadeSqlite(benchmark::State& s) { endToEnd(s, Capacity, Commit, Engine::Sqlite); }
void BM_EscalarCapacidadeServidor(benchmark::State& s) { endToEnd(s, Capacity, Commit, Engine::Server); }
void BM_VerificarTipicaSqlite(benchmark::State& s) { endToEnd(s, Typical, Verify, Engine::Sqlite); }
void BM_VerificarTipicaServidor(benchmark::State& s) { endToEnd(s, Typical, Verify, Engine::Server); }
void BM_EscalarTipicaSqlite(benchmark::State& s) { endToEnd(s, Typical, Commit, Engine::Sqlite); }
void BM_EscalarTipicaServidor(benchmark::State& s) { endToEnd(s, Typical, Commit, Engine::Server); }

}

// The work is in the child process (and the server): the wall clock is the measure.
BENCHMARK(BM_VerificarCapacidadeSqlite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_VerificarCapacidadeServidor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EscalarCapacidadeSqlite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EscalarCapacidadeServidor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_VerificarTipicaSqlite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_VerificarTipicaServidor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EscalarTipicaSqlite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EscalarTipicaServidor)->Unit(benchmark::kMillisecond)->UseRealTime();

// Qt's core application around Google Benchmark, with the private server up for the run.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    QTemporaryDir stateFolder;
    if (!stateFolder.isValid())
        return 1;
    // PrivateServerUrl (through ServerUnitFixture) and the script both read the state file from here.
    qputenv("RAVELHA_SERVIDOR_ESTADO", QDir(stateFolder.path()).filePath(QStringLiteral("servidor.estado")).toUtf8());
    if (!privateServer(QStringLiteral("start")))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    preparedUnits.clear();   // published units dropped while the server is up
    benchmark::Shutdown();
    return privateServer(QStringLiteral("stop")) ? 0 : 1;
}
