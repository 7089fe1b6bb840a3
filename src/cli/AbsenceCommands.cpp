#include "AbsenceCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "data/Clock.h"
#include "data/UGlobal.h"
#include "maintenance/Absences.h"

namespace Cli {

namespace {

QString unexpected(const QStringList& arguments, int expected)
{
    return QStringLiteral("Argumento inesperado: %1").arg(arguments.at(expected));
}

}

int RunAbsence(const QStringList& arguments)
{
    if (arguments.size() < 4)
        return badUsage(QStringLiteral("Faltam argumentos: afastar NUM P|R DE ATE (dias como DD/MM/AA)."));
    if (arguments.size() > 4)
        return badUsage(unexpected(arguments, 4));
    const QString kind = arguments.at(1).trimmed().toUpper();
    if (kind != QStringLiteral("P") && kind != QStringLiteral("R"))
        return badUsage(QStringLiteral("Tipo de afastamento inválido: \"%1\" (P para Previsto, R para Real).")
                            .arg(arguments.at(1)));
    LoadSoldiers();
    // A refusal (a day that is no date, a wrong order, a number not registered) is the core's
    // message, printed by the dispatcher, and nothing is written.
    const RecordedAbsence recorded = RecordAbsence({arguments.at(0), kind, arguments.at(2), arguments.at(3)});
    SaveSoldiers();
    out(RecordedLine(recorded));
    return Ok;
}

int RunReturn(const QStringList& arguments)
{
    if (arguments.isEmpty() || arguments.first().trimmed().isEmpty())
        return badUsage(QStringLiteral("Falta o número do militar."));
    if (arguments.size() > 1)
        return badUsage(unexpected(arguments, 1));
    // A number not registered is refused by the core (standard error, exit 1, nothing written);
    // a soldier who was not away is told so beside his counts, which were still raised.
    const ReturnResult result = ReturnToRosters(arguments.first(), Clock::today());
    if (!result.message.isEmpty())
        err(result.message);
    for (const ReturnedRow& row : result.rows)
        out(ReturnedLine(row));
    return Ok;
}

QString AbsenceUsage()
{
    return QStringLiteral("     ravelha-cli [--dados PASTA] afastar NUM P|R DE ATE\n"
                          "     ravelha-cli [--dados PASTA] [--hoje DD/MM/AA] retornar NUM\n");
}

}
