#include "HistoryPurge.h"

#include "data/Dates.h"
#include "audit/CountLog.h"
#include "data/SqlTransaction.h"
#include "data/UDMGeral.h"

namespace HistoryPurge {

std::optional<QDate> FirstDayKept(const QString& answer)
{
    if (answer.trimmed().isEmpty())
        return std::nullopt;
    return Dates::parseOrThrow(answer);
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

QString PurgedLine(int removed)
{
    if (removed == 1)
        return QStringLiteral("1 registro foi eliminado do Histórico.");
    return QStringLiteral("%1 registros foram eliminados do Histórico.").arg(removed);
}

}
