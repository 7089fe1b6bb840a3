#include "CsvExport.h"

#include "data/Dates.h"
#include "data/ExportTarget.h"
#include "rostering/Computation.h"

#include <QHash>

namespace Csv {

namespace {

QString field(const QString& text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\r'))
        && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}

QByteArray Text(const Table& table)
{
    QByteArray bytes("\xEF\xBB\xBF");
    for (const QStringList& row : table) {
        QStringList fields;
        for (const QString& text : row)
            fields << field(text);
        bytes += fields.join(QLatin1Char(';')).toUtf8() + "\r\n";
    }
    return bytes;
}

void Write(const QString& path, const Table& table)
{
    ExportTarget::writeWhole(path, Text(table));
}

Table HistoryTable(const QList<HistoryRow>& rows)
{
    Table table{HistoryGridColumns()};
    for (const HistoryRow& row : rows)
        table << HistoryGridTexts(row);
    return table;
}

Table SummaryCsvTable(const SummaryTable& shown)
{
    Table table{shown.captions};
    table += shown.lines;
    table << shown.sums;
    return table;
}

Table RosterTable(const RosterRun& run)
{
    Table table{{QStringLiteral("Dia"), QStringLiteral("PtVm"), QStringLiteral("Serviço"), QStringLiteral("Números"),
                 QStringLiteral("Nomes")}};
    if (run.refused || !run.verified)
        return table;
    QHash<QString, QString> names;
    for (const SoldierRecord& soldier : run.verified->soldiers)
        if (!soldier.Num.isEmpty())
            names.insert(soldier.Num, (soldier.PstGrd.trimmed() + QLatin1Char(' ') + soldier.Nome.trimmed()).trimmed());
    for (const HistoryRecord& record : run.verified->history) {
        if (record.Descr.isEmpty() || !run.spanDays.contains(record.Dia))
            continue;
        const QStringList numbers = record.Num.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QStringList shownNames;
        for (const QString& num : numbers)
            shownNames << names.value(num, QStringLiteral("(sem cadastro)"));
        table << QStringList{Dates::show(record.Dia), record.PtVm, record.Descr.trimmed(),
                             numbers.join(QLatin1Char(' ')), shownNames.join(QStringLiteral(" / "))};
    }
    return table;
}

}
