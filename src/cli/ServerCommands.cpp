#include "ServerCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "maintenance/ServerUnits.h"

#include <QDir>

namespace Cli {

bool isServerCommand(const QString& name)
{
    return name == QStringLiteral("publicar") || name == QStringLiteral("baixar") || name == QStringLiteral("unidades");
}

int RunServerCommand(const QString& name, const QStringList& arguments, const QString& folder,
                     const ServerAddress& server)
{
    if (!arguments.isEmpty())
        return badUsage(QStringLiteral("Argumento inesperado: %1").arg(arguments.first()), ServerUsage());
    if (!server.isSet())
        return badUsage(QStringLiteral("Falta o servidor: use --banco postgresql://usuario@servidor/banco."),
                        ServerUsage());
    if (name == QStringLiteral("unidades")) {
        const QList<ServerUnits::UnitSummary> units = ServerUnits::ListUnits(server);
        out(QStringLiteral("Unidades no servidor %1: %2").arg(server.serverLabel()).arg(units.size()));
        for (const ServerUnits::UnitSummary& unit : units)
            out(QStringLiteral("%1  última escalação: %2")
                    .arg(unit.unit, unit.lastRostered.isEmpty() ? QStringLiteral("(nenhuma)") : unit.lastRostered));
        return Ok;
    }
    if (server.unit.isEmpty())
        return badUsage(QStringLiteral("Falta a unidade: use --unidade NOME."), ServerUsage());
    if (name == QStringLiteral("publicar")) {
        ServerUnits::Publish(folder, server);
        out(QStringLiteral("A pasta de dados %1 foi copiada para a %2.")
                .arg(QDir::toNativeSeparators(folder), server.label()));
        return Ok;
    }
    ServerUnits::Download(server, folder);
    out(QStringLiteral("A %1 foi copiada para a pasta de dados %2.")
            .arg(server.label(), QDir::toNativeSeparators(folder)));
    return Ok;
}

QString ServerUsage()
{
    return QStringLiteral(
        "     ravelha-cli --dados PASTA publicar --banco URL --unidade NOME\n"
        "     ravelha-cli --dados PASTA baixar --banco URL --unidade NOME\n"
        "     ravelha-cli --banco URL unidades\n"
        "  Com --banco URL --unidade NOME (ou RAVELHA_BANCO e RAVELHA_UNIDADE), os demais comandos\n"
        "  trabalham na unidade do servidor; a senha vem de ~/.pgpass ou de PGPASSFILE.\n");
}

}
