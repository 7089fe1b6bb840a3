#include "QueryCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "ExportCommands.h"

#include "audit/CsvExport.h"
#include "data/Dates.h"
#include "queries/HistorySearch.h"

#include <QDir>

#include <algorithm>
#include <optional>

namespace Cli {

namespace {

// The columns of a listed row are separated so, in the grid's order.
const QString ColumnSeparator = QStringLiteral(" | ");


// "1,3,12": codes of services, each a whole number from 1 to 30.
std::optional<QList<int>> codesOf(const QString& typed)
{
    QList<int> codes;
    for (const QString& text : typed.split(QLatin1Char(','))) {
        bool ok = false;
        const int code = text.trimmed().toInt(&ok);
        if (!ok || code < 1 || code > 30)
            return std::nullopt;
        if (!codes.contains(code))
            codes << code;
    }
    std::sort(codes.begin(), codes.end());
    return codes;
}

}

int RunHistory(const QStringList& arguments)
{
    HistorySearchInput input;
    bool lastDayGiven = false;
    QStringList rest = arguments;
    QString csv, csvError;
    if (!TakeCsvOption(rest, csv, csvError))
        return badUsage(csvError);
    while (!rest.isEmpty()) {
        const QString option = rest.takeFirst();
        const bool takesValue = option == QStringLiteral("--de") || option == QStringLiteral("--ate")
                                || option == QStringLiteral("--servicos") || option == QStringLiteral("--numero");
        if (takesValue && rest.isEmpty())
            return badUsage(QStringLiteral("%1 precisa de um valor.").arg(option));
        if (option == QStringLiteral("--de")) {
            input.firstDay = rest.takeFirst();
        } else if (option == QStringLiteral("--ate")) {
            input.lastDay = rest.takeFirst();
            lastDayGiven = true;
        } else if (option == QStringLiteral("--servicos")) {
            const QString typed = rest.takeFirst();
            const std::optional<QList<int>> codes = codesOf(typed);
            if (!codes)
                return badUsage(QStringLiteral("--servicos %1: use códigos de 1 a 30 separados por vírgula (1,3,12).")
                                    .arg(typed));
            input.services = *codes;
        } else if (option == QStringLiteral("--numero")) {
            input.number = rest.takeFirst();
        } else if ((option == QStringLiteral("--pt") || option == QStringLiteral("--vm")) && input.kind.isEmpty()) {
            input.kind = option == QStringLiteral("--pt") ? QStringLiteral("Pt") : QStringLiteral("Vm");
        } else {
            return badUsage(QStringLiteral("Argumento inesperado: %1").arg(option));
        }
    }
    // As in the window, where the first day is copied into the last: --de alone is that one day.
    if (lastDayGiven && input.firstDay.isEmpty())
        return badUsage(QStringLiteral("--ate precisa de --de: o período começa na Data Início."));
    if (!lastDayGiven)
        input.lastDay = input.firstDay;

    const HistorySearchPlan plan = PlanHistorySearch(input);
    if (!plan.refusal.isEmpty()) {
        err(plan.refusal);
        return Refused;
    }
    const QList<HistoryRow> rows = SearchHistory(plan.search);
    for (const HistoryRow& row : rows)
        out(HistoryGridTexts(row).join(ColumnSeparator));
    if (!csv.isEmpty()) {
        Csv::Write(csv, Csv::HistoryTable(rows));
        err(QStringLiteral("Pesquisa gravada em %1").arg(QDir::toNativeSeparators(csv)));
    }
    return Ok;
}

QString HistoryUsage()
{
    return QStringLiteral("     ravelha-cli [--dados PASTA] historico [--de DD/MM/AA [--ate DD/MM/AA]] "
                          "[--servicos COD,COD...] [--numero NUM] [--pt|--vm] [--csv ARQUIVO]\n");
}

}
