#include "HistoryPurge.h"

#include "audit/CountLog.h"
#include "data/CoreError.h"
#include "data/Dates.h"
#include "data/SqlTransaction.h"
#include "data/UDMGeral.h"
#include "rostering/Commit.h"

#include <climits>

namespace HistoryPurge {

namespace {

// The records of the stored history before `firstKept`, with their first and last day. Every row
// is read as the loaders check it, so a day that is no day is refused here.
Plan countBefore(const QDate& firstKept)
{
    Plan plan;
    plan.firstKept = firstKept;
    for (const QVariantList& row : TDMGeral::instance().readRows(Alias::Ravelha, QStringLiteral("Hist"), INT_MAX)) {
        const QDate day = Dates::fromStorage(row.at(0).toString());
        if (!(day < firstKept))
            continue;
        ++plan.records;
        if (!plan.firstDay.isValid() || day < plan.firstDay)
            plan.firstDay = day;
        if (!plan.lastDay.isValid() || day > plan.lastDay)
            plan.lastDay = day;
    }
    return plan;
}

}

std::optional<QDate> FirstDayKept(const QString& answer)
{
    if (answer.trimmed().isEmpty())
        return std::nullopt;
    return Dates::parseOrThrow(answer);
}

Plan PlanPurge(const QDate& firstKept)
{
    Plan plan = countBefore(firstKept);
    plan.lastRostered = LastRosteredDate();
    return plan;
}

QString PlanLine(const Plan& plan)
{
    if (plan.records == 0)
        return QStringLiteral("Nenhum registro do Histórico é anterior ao dia %1.").arg(Dates::show(plan.firstKept));
    const QString days = plan.firstDay == plan.lastDay
                             ? QStringLiteral("do dia %1").arg(Dates::show(plan.firstDay))
                             : QStringLiteral("do dia %1 ao dia %2").arg(Dates::show(plan.firstDay), Dates::show(plan.lastDay));
    if (plan.records == 1)
        return QStringLiteral("Será eliminado do Histórico 1 registro, %1.").arg(days);
    return QStringLiteral("Serão eliminados do Histórico %1 registros, %2.").arg(plan.records).arg(days);
}

QString ConfirmQuestion(const Plan& plan)
{
    return PlanLine(plan) + QStringLiteral("\n\nEliminar? Não há como desfazer.");
}

QString PastLastRosteredQuestion(const Plan& plan)
{
    return PlanLine(plan)
           + QStringLiteral("\n\nO dia %1 é posterior ao último dia escalado (%2): serão eliminados também os "
                            "serviços mais recentes, até o último dia escalado.\n\nEliminar mesmo assim?")
                 .arg(Dates::show(plan.firstKept), Dates::show(plan.lastRostered));
}

int Purge(const Plan& plan)
{
    TDMGeral& module = TDMGeral::instance();
    SqlTransaction transaction(module.database(Alias::Ravelha));
    // What the keeper confirmed is what goes: history written in between (another desk) stops it.
    const Plan now = countBefore(plan.firstKept);
    if (now.records != plan.records || now.firstDay != plan.firstDay || now.lastDay != plan.lastDay)
        throw CoreError(QStringLiteral("O Histórico mudou depois da contagem (%1). Nada foi eliminado; repita a "
                                       "operação.")
                            .arg(PlanLine(now)));
    const int removed = PurgeHistoryBefore(plan.firstKept);
    transaction.commit();
    return removed;
}

int PurgeHistoryBefore(const QDate& firstKept)
{
    TDMGeral& module = TDMGeral::instance();
    SqlTransaction transaction(module.database(Alias::Ravelha));
    const int removed = module.deleteHistBefore(firstKept);
    // The duty rows of the days purged stay in the log of counts; the marker says why they have no
    // history left to match.
    if (removed > 0)
        CountLog::Append(module.database(Alias::Ravelha), {CountLog::purgeRow(Dates::show(firstKept))});
    transaction.commit();
    return removed;
}

Outcome PurgeAsking(const QDate& firstKept, const Ask& ask)
{
    const Plan plan = PlanPurge(firstKept);
    if (plan.records == 0)
        return {};
    if (!ask(ConfirmQuestion(plan)))
        return {};
    if (plan.pastLastRostered() && !ask(PastLastRosteredQuestion(plan)))
        return {};
    return {true, Purge(plan)};
}

QString PurgedLine(int removed)
{
    if (removed == 1)
        return QStringLiteral("1 registro foi eliminado do Histórico.");
    return QStringLiteral("%1 registros foram eliminados do Histórico.").arg(removed);
}

}
