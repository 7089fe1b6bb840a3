#include "HistorySearch.h"

#include "data/Capacities.h"
#include "data/Dates.h"
#include "data/UGlobal.h"

#include <QSqlQuery>

namespace {

QString refusedNumber(const QString& number)
{
    if (number.size() > Width::Num)
        return QStringLiteral("O número \"%1\" tem mais de %2 caracteres; digite um só número de militar. "
                              "Nada foi pesquisado.")
            .arg(number)
            .arg(Width::Num);
    if (number.contains(QLatin1Char(' ')) || number.contains(QLatin1Char('\t')))
        return QStringLiteral("O número \"%1\" tem espaços; digite um só número de militar. Nada foi pesquisado.")
            .arg(number);
    return QString();
}

HistorySearchPlan refused(const QString& message, HistoryField field)
{
    HistorySearchPlan plan;
    plan.refusal = message;
    plan.field = field;
    return plan;
}

}

HistorySearchPlan PlanHistorySearch(const HistorySearchInput& input)
{
    HistorySearchPlan plan;
    // A last day alone sets no period: the first day is what asks for one.
    if (!input.firstDay.trimmed().isEmpty()) {
        const std::optional<QDate> first = Dates::parse(input.firstDay);
        if (!first)
            return refused(Dates::invalidDateMessage(input.firstDay), HistoryField::FirstDay);
        if (input.lastDay.trimmed().isEmpty())
            return refused(QStringLiteral("Digite também a Data Fim (dd/mm/aa) do período a pesquisar."),
                           HistoryField::LastDay);
        const std::optional<QDate> last = Dates::parse(input.lastDay);
        if (!last)
            return refused(Dates::invalidDateMessage(input.lastDay), HistoryField::LastDay);
        if (*first > *last)
            return refused(Dates::reversedPeriodMessage(*first, *last), HistoryField::LastDay);
        plan.search.from = *first;
        plan.search.to = *last;
    }
    const QString number = input.number.trimmed();
    if (const QString refusal = refusedNumber(number); !refusal.isEmpty())
        return refused(refusal, HistoryField::Number);
    plan.search.soldier = number;
    plan.search.codes = input.services;
    if (input.kind == QStringLiteral("Pt") || input.kind == QStringLiteral("Vm"))
        plan.search.kind = input.kind;
    return plan;
}

QList<HistoryRow> SearchHistory(const HistSearch& search)
{
    QSqlQuery query = TDMGeral::instance().searchHist(search);
    QList<HistoryRow> rows;
    while (query.next()) {
        HistoryRow row;
        const QString stored = query.value(QStringLiteral("Dia")).toString();
        const QDate day = Dates::fromStorage(stored);
        row.dia = day.isValid() ? Dates::show(day) : stored;
        row.ptVm = query.value(QStringLiteral("PtVm")).toString();
        row.descr = query.value(QStringLiteral("Descr")).toString();
        row.num = query.value(QStringLiteral("Num")).toString();
        row.codSv = query.value(QStringLiteral("CodSv")).toInt();
        rows << row;
    }
    return rows;
}

QStringList HistoryGridColumns()
{
    return {QStringLiteral("Dia"), QStringLiteral("PtVm"), QStringLiteral("Descr"), QStringLiteral("Num"),
            QStringLiteral("CodSv")};
}

QStringList HistoryGridTexts(const HistoryRow& row)
{
    return {row.dia, row.ptVm, row.descr, row.num, QString::number(row.codSv)};
}

QList<int> ChosenServices()
{
    QList<int> codes;
    const ServiceList& services = Global().ServiceTable;
    for (int code = 1; code <= 30; ++code)
        if (services[code].Marca == QStringLiteral("S"))
            codes << code;
    return codes;
}
