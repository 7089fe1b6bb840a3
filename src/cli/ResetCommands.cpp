#include "ResetCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "data/DataFolder.h"
#include "data/Dates.h"
#include "data/InitialDataSet.h"
#include "maintenance/HistoryPurge.h"
#include "maintenance/Reset.h"

#include <QFileInfo>
#include <optional>

namespace Cli {

namespace {

bool isEmptyFolder(const QString& folder)
{
    return QFileInfo(folder).isDir()
           && QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}


}

int RunReset(const QStringList& arguments)
{
    bool yes = false;
    for (const QString& argument : arguments) {
        if (argument == QStringLiteral("--sim") && !yes)
            yes = true;
        else
            return badUsage(QStringLiteral("Argumento inesperado: %1").arg(argument), ResetUsage());
    }
    if (!yes) {
        err(Reset::Question);
        err(QStringLiteral("Nada foi alterado. Para confirmar, repita o comando com --sim."));
        return Refused;
    }
    const QString notice = Reset::RestoreInitialDataSet();
    if (!notice.isEmpty())
        err(notice);
    out(QStringLiteral("Última Escalação: ") + Dates::show(Reset::RestartDay.addDays(-1)));
    out(Reset::Done);
    return Ok;
}

int RunPurge(const QStringList& arguments)
{
    const QString missing = QStringLiteral("Falta o primeiro dia que permanecerá no Histórico (DD/MM/AA).");
    QStringList days;
    bool force = false;
    for (const QString& argument : arguments) {
        if (argument == QStringLiteral("--forcar") && !force)
            force = true;
        else if (argument.startsWith(QStringLiteral("--")) || !days.isEmpty())
            return badUsage(QStringLiteral("Argumento inesperado: %1").arg(argument), ResetUsage());
        else
            days << argument;
    }
    const std::optional<QDate> firstKept = days.isEmpty() ? std::nullopt : HistoryPurge::FirstDayKept(days.first());
    if (!firstKept)
        return badUsage(missing, ResetUsage());
    // The day given is the keeper's answer to the input box; a day after the last rostered day,
    // which takes the recent duties too, is the question the window asks again.
    const HistoryPurge::Plan plan = HistoryPurge::PlanPurge(*firstKept);
    if (plan.pastLastRostered() && !force) {
        err(HistoryPurge::PastLastRosteredQuestion(plan));
        err(QStringLiteral("Nada foi alterado. Para confirmar, repita o comando com --forcar."));
        return Refused;
    }
    if (plan.records == 0) {
        out(HistoryPurge::PurgedLine(0));
        return Ok;
    }
    out(HistoryPurge::PlanLine(plan));
    std::fflush(stdout);
    out(HistoryPurge::PurgedLine(HistoryPurge::Purge(plan)));
    return Ok;
}

int RunInstall(const QStringList& arguments)
{
    const QString folder = DataFolder::path();
    if (!arguments.isEmpty())
        return badUsage(QStringLiteral("Argumento inesperado: %1").arg(arguments.first()), ResetUsage());
    if (QFileInfo::exists(folder)) {
        // An empty folder made for the unit gives way to the new one, which is still built beside
        // it and renamed into place; a folder with anything in it is never touched.
        if (!isEmptyFolder(folder)) {
            err(QStringLiteral("A pasta \"%1\" já existe e não está vazia; o conjunto inicial não foi instalado.")
                    .arg(QDir::toNativeSeparators(folder)));
            return Refused;
        }
        if (!QDir().rmdir(folder)) {
            err(QStringLiteral("A pasta \"%1\" não pôde ser usada; o conjunto inicial não foi instalado.")
                    .arg(QDir::toNativeSeparators(folder)));
            return Refused;
        }
        try {
            InitialDataSet::install(folder);
        } catch (...) {
            QDir().mkdir(folder);
            throw;
        }
    } else {
        InitialDataSet::install(folder);
    }
    out(QStringLiteral("Pasta de dados instalada: %1").arg(QDir::toNativeSeparators(folder)));
    return Ok;
}

QString ResetUsage()
{
    return QStringLiteral(
        "     ravelha-cli [--dados PASTA] reiniciar --sim\n"
        "     ravelha-cli [--dados PASTA] expurgar DD/MM/AA [--forcar]\n"
        "     ravelha-cli --dados PASTA instalar\n");
}

}
