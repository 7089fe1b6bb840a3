#include "BackupCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "maintenance/Backup.h"
#include "maintenance/BackupLocation.h"

#include <QDir>

namespace Cli {

int RunBackup(const QStringList& arguments)
{
    if (!arguments.isEmpty())
        return badUsage(QStringLiteral("Argumento inesperado: %1").arg(arguments.first()), BackupUsage());
    Backup::SaveBackup();
    out(QStringLiteral("Cópia de segurança gravada em \"%1\".")
            .arg(QDir::toNativeSeparators(BackupLocation::CurrentFolder())));
    return Ok;
}

int RunRestore(const QStringList& arguments)
{
    bool yes = false;
    for (const QString& argument : arguments) {
        if (argument == QStringLiteral("--sim") && !yes)
            yes = true;
        else
            return badUsage(QStringLiteral("Argumento inesperado: %1").arg(argument), BackupUsage());
    }
    // The command never waits for an answer: the loss is confirmed by --sim, else declined.
    bool asked = false;
    const Backup::RestoreOutcome outcome = Backup::RestoreBackup([&](const QString& question) {
        asked = true;
        if (yes)
            return true;
        err(question);
        err(QStringLiteral("Nada foi alterado. Para confirmar, repita o comando com --sim."));
        return false;
    });
    if (!outcome.done) {
        if (!outcome.message.isEmpty())
            err(outcome.message);
        return Refused;
    }
    if (!outcome.notice.isEmpty())
        err(outcome.notice);
    out(outcome.message);
    return Ok;
}

int RunBackupLocation(const QStringList& arguments)
{
    if (arguments.size() > 1)
        return badUsage(QStringLiteral("Argumento inesperado: %1").arg(arguments.at(1)), BackupUsage());
    const QString folder = BackupLocation::CurrentFolder();
    const QString medium = BackupLocation::MediumOf(folder);
    if (arguments.isEmpty()) {
        out(QStringLiteral("Local Atual: ") + QDir::toNativeSeparators(medium));
        out(QStringLiteral("Pasta da cópia: ") + QDir::toNativeSeparators(folder));
        return Ok;
    }
    // A medium named on the command line is taken from the folder the command was given in.
    const QString given = arguments.first();
    const QString chosen = given.size() == 2 && given.at(1) == QLatin1Char(':') ? given : fromStartFolder(given);
    const BackupLocation::LocationOutcome outcome = BackupLocation::CloseLocationChoice(medium, chosen);
    if (outcome.changed) {
        out(QStringLiteral("Novo local da cópia: ") + QDir::toNativeSeparators(BackupLocation::CurrentFolder()));
        out(outcome.message);
        return Ok;
    }
    if (!outcome.message.isEmpty()) {
        err(outcome.message);
        return Refused;
    }
    out(QStringLiteral("O local da cópia já é \"%1\"; nada foi alterado.").arg(QDir::toNativeSeparators(folder)));
    return Ok;
}

QString BackupUsage()
{
    return QStringLiteral("     ravelha-cli [--dados PASTA] backup\n"
                          "     ravelha-cli [--dados PASTA] restaurar [--sim]\n"
                          "     ravelha-cli [--dados PASTA] local-copia [PASTA_DO_VOLUME]\n");
}

}
