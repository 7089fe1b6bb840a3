#include "SummaryCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "ExportCommands.h"

#include "audit/CsvExport.h"
#include "queries/ServicesPerSoldier.h"

#include <QDir>

namespace Cli {

namespace {

}

int RunSummary(const QStringList& arguments)
{
    QStringList rest = arguments;
    QString csv, csvError;
    if (!TakeCsvOption(rest, csv, csvError))
        return badUsage(csvError);
    const bool black = rest.removeAll(QStringLiteral("--pt")) > 0;
    const bool red = rest.removeAll(QStringLiteral("--vm")) > 0;
    if (black && red)
        return badUsage(QStringLiteral("quadro: use --pt ou --vm, não os dois (sem nenhum: ambas as escalas)."));
    for (const QString& argument : rest)
        if (argument.startsWith(QStringLiteral("--")))
            return badUsage(QStringLiteral("Argumento inesperado: %1").arg(argument));
    if (rest.size() != 2)
        return badUsage(QStringLiteral("quadro precisa do primeiro e do último dia: quadro DE ATE [--pt|--vm]."));

    const DayKindChoice kind = black ? DayKindChoice::Preta : red ? DayKindChoice::Vermelha : DayKindChoice::Ambas;
    const ServiceCountsOutcome outcome = CountServicesPerSoldier(rest.at(0), rest.at(1), kind);
    if (!outcome.done()) {
        err(outcome.refusal);
        return Refused;
    }
    const SummaryTable table = ShownTable(outcome.counts);
    for (const QString& line : SummaryTextLines(table))
        out(line);
    if (!csv.isEmpty()) {
        Csv::Write(csv, Csv::SummaryCsvTable(table));
        err(QStringLiteral("Quadro gravado em %1").arg(QDir::toNativeSeparators(csv)));
    }
    return Ok;
}

QString SummaryUsage()
{
    return QStringLiteral(
        "     ravelha-cli [--dados PASTA] quadro DE ATE [--pt|--vm] [--csv ARQUIVO]\n"
        "       (os serviços de cada militar de DE a ATE, na escala preta (--pt), vermelha (--vm) ou em ambas:\n"
        "        a linha dos títulos, uma linha por militar e a linha SOMA, colunas separadas por \" | \")\n");
}

}
