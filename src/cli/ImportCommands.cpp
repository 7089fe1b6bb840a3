#include "ImportCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "maintenance/ParadoxImport.h"

#include <QDir>

namespace Cli {

int RunImport(const QStringList& arguments, const QString& folder, const ServerAddress& server)
{
    if (arguments.isEmpty() || arguments.first().startsWith(QStringLiteral("--")))
        return badUsage(QStringLiteral("Falta a pasta antiga, a que tem as tabelas Basico.DB, Sv.DB e Hist.DB."),
                        ImportUsage());
    if (arguments.size() > 1)
        return badUsage(QStringLiteral("Argumento inesperado: %1").arg(arguments.at(1)), ImportUsage());
    const QString oldFolder = fromStartFolder(arguments.first());
    if (server.isSet()) {
        if (server.unit.isEmpty())
            return badUsage(QStringLiteral("Falta a unidade: use --unidade NOME."), ImportUsage());
        const ParadoxImport::Report report = ParadoxImport::ImportIntoUnit(oldFolder, server);
        for (const QString& line : ParadoxImport::ReportLines(report, server.label()))
            out(line);
        return Ok;
    }
    const QString target = fromStartFolder(folder);
    const ParadoxImport::Report report = ParadoxImport::ImportIntoFolder(oldFolder, target);
    for (const QString& line : ParadoxImport::ReportLines(report, QDir::toNativeSeparators(target)))
        out(line);
    return Ok;
}

QString ImportUsage()
{
    return QStringLiteral("     ravelha-cli --dados NOVA importar PASTA_ANTIGA\n"
                          "     ravelha-cli --banco URL --unidade NOME importar PASTA_ANTIGA\n");
}

}
