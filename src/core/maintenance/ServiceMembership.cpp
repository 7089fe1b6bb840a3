#include "ServiceMembership.h"

#include "LowestCounts.h"
#include "audit/CountLog.h"
#include "data/CoreError.h"
#include "data/SqlTransaction.h"
#include "data/UDMGeral.h"
#include "data/UGlobal.h"

#include <array>

namespace {

bool isRegistered(const QString& num)
{
    const std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
    for (int i = 1; i <= Capacity::Soldiers && !soldiers[i].Num.isEmpty(); ++i)
        if (soldiers[i].Num == num)
            return true;
    return false;
}

// The row of the number among the rows in use, or 0.
int rowOf(const RosterTable& roster, const QString& num)
{
    for (int row = 1; row <= Capacity::RosterRows && !roster.cell(RosterTable::NumCol, row).isEmpty(); ++row)
        if (roster.cell(RosterTable::NumCol, row) == num)
            return row;
    return 0;
}

int firstEmptyRow(const RosterTable& roster)
{
    for (int row = 1; row <= Capacity::RosterRows; ++row)
        if (roster.cell(RosterTable::NumCol, row).isEmpty())
            return row;
    return 0;
}

}

bool NumberInHistory(const QString& num)
{
    QSqlQuery query = TDMGeral::instance().selectHistWithSoldier(num);
    return query.next();
}

QList<int> ServicesOfSoldier(const QString& num)
{
    LoadServices();
    LoadAllRosters();
    GlobalModel& g = Global();
    QList<int> codes;
    for (int n = 1; n <= Capacity::Services; ++n)
        if (!g.ServiceTable[n].Descr.isEmpty() && g.Grades[n].lists(num))
            codes << n;
    return codes;
}

QStringList PlaceInServices(const QStringList& nums, const QSet<int>& chosen, const QDate& today)
{
    // Everything is read before anything is written; the marks of the model are left alone.
    const ServiceList marks = Global().ServiceTable;
    LoadServices();
    GlobalModel& g = Global();
    for (int n = 1; n <= Capacity::Services; ++n)
        g.ServiceTable[n].Marca = marks[n].Marca;
    LoadSoldiers();
    LoadAllRosters();

    std::array<LowestPair, Capacity::Services + 1> start{};
    for (int n = 1; n <= Capacity::Services; ++n)
        if (!g.ServiceTable[n].Descr.isEmpty())
            start[n] = LowestCounts(g.Grades[n], today);

    QStringList skipped;
    QList<CountLog::Row> log;
    for (const QString& num : nums) {
        if (!isRegistered(num)) {
            skipped << num;
            continue;
        }
        for (int n = 1; n <= Capacity::Services; ++n) {
            if (g.ServiceTable[n].Descr.isEmpty())
                continue;
            RosterTable& roster = g.Grades[n];
            const int row = rowOf(roster, num);
            if (chosen.contains(n)) {
                const int free = row ? 0 : firstEmptyRow(roster);
                if (!row && !free)
                    throw CoreError(QStringLiteral("A escala do serviço %1 (%2) já tem %3 militares: o militar %4 não cabe nela. "
                                                   "Nada foi alterado.")
                                        .arg(n).arg(g.ServiceTable[n].Descr).arg(Capacity::RosterRows).arg(num));
                if (free) {
                    roster.cell(RosterTable::NumCol, free) = num;
                    roster.cell(RosterTable::PtCol, free) = QString::number(start[n].pt);
                    roster.cell(RosterTable::VmCol, free) = QString::number(start[n].vm);
                    // His counts in this roster start here, whatever duties he did elsewhere.
                    log << CountLog::valueRow(n, num, CountLog::Black, 0, start[n].pt, CountLog::Operation::Newcomer)
                        << CountLog::valueRow(n, num, CountLog::Red, 0, start[n].vm, CountLog::Operation::Newcomer);
                }
            } else if (row) {
                // Marked, not emptied: the rows after it stay in use until the save closes the gap.
                for (int column = 0; column < RosterTable::Columns; ++column)
                    roster.cell(column, row) = QStringLiteral("x");
            }
        }
    }
    {
        SqlTransaction transaction(TDMGeral::instance().database(Alias::Ravelha));
        SaveAllRosters();
        CountLog::Append(TDMGeral::instance().database(Alias::Ravelha), log);
        transaction.commit();
    }
    LoadAllRosters();
    return skipped;
}

QStringList PlaceInServices(const QStringList& nums, const QList<int>& chosen, const QDate& today)
{
    return PlaceInServices(nums, QSet<int>(chosen.begin(), chosen.end()), today);
}
