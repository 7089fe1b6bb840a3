#include "RegisterCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "data/Clock.h"
#include "data/Dates.h"
#include "data/UGlobal.h"
#include "maintenance/EqualiseZero.h"
#include "maintenance/LowestCounts.h"

#include <optional>

namespace Cli {

int RunEqualise(const QStringList& arguments)
{
    if (!arguments.isEmpty())
        return badUsage(QStringLiteral("Argumento inesperado: %1").arg(arguments.first()), RegisterUsage());
    const QDate today = Clock::today();
    const EqualiseResult result = EqualiseRosters(today);
    for (const EqualisedRoster& roster : result.rosters)
        out(EqualisedLine(roster));
    if (result.notice.isEmpty())
        out(QStringLiteral("Última equalização: ") + Dates::show(today));
    else
        err(result.notice);
    return Ok;
}

int RunZero(const QStringList& arguments)
{
    if (arguments.size() != 1)
        return badUsage(arguments.isEmpty() ? QStringLiteral("Faltam os códigos dos serviços (COD,COD,...).")
                                            : QStringLiteral("Argumento inesperado: %1").arg(arguments.at(1)), RegisterUsage());
    QList<int> codes;
    for (const QString& part : arguments.first().split(QLatin1Char(','))) {
        const std::optional<int> code = serviceCode(part);
        if (!code)
            return badUsage(QStringLiteral("Código de serviço inválido: \"%1\" (de 1 a 30).").arg(part), RegisterUsage());
        codes << *code;
    }
    const QList<int> chosen = ChosenServicesToZero(codes);
    ZeroRosters(chosen);
    for (int code : chosen)
        out(ZeroedLine(code));
    return Ok;
}

int RunLowest(const QStringList& arguments)
{
    if (arguments.size() != 1)
        return badUsage(arguments.isEmpty() ? QStringLiteral("Falta o código do serviço.")
                                            : QStringLiteral("Argumento inesperado: %1").arg(arguments.at(1)), RegisterUsage());
    const std::optional<int> code = serviceCode(arguments.first());
    if (!code)
        return badUsage(QStringLiteral("Código de serviço inválido: \"%1\" (de 1 a 30).").arg(arguments.first()), RegisterUsage());
    LoadServices();
    GlobalModel& g = Global();
    if (g.ServiceTable[*code].Descr.isEmpty()) {
        err(QStringLiteral("Não há serviço cadastrado com o código %1.").arg(*code));
        return Refused;
    }
    LoadSoldiers();
    g.CurrentRoster = SelectRoster(*code, QStringLiteral("Base"));
    ClearRoster(*g.CurrentRoster);
    LoadRoster(*g.CurrentRoster, g.CurrentTableName);
    const LowestPair lowest = LowestCounts(*g.CurrentRoster, Clock::today());
    out(QStringLiteral("Pt %1").arg(lowest.pt));
    out(QStringLiteral("Vm %1").arg(lowest.vm));
    return Ok;
}

QString RegisterUsage()
{
    return QStringLiteral("     ravelha-cli [--dados PASTA] [--hoje DD/MM/AA] equalizar\n"
                          "     ravelha-cli [--dados PASTA] zerar COD,COD,...\n"
                          "     ravelha-cli [--dados PASTA] [--hoje DD/MM/AA] menores COD\n");
}

}
