#include "EqualiseZero.h"

#include "LowestCounts.h"
#include "audit/CountLog.h"
#include "data/TableSchema.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/Dates.h"
#include "data/KillPoints.h"
#include "data/PendingFiles.h"
#include "data/UGlobal.h"

#include <algorithm>

namespace {

int lowered(const QString& cell, int by)
{
    return std::max(0, cell.toInt() - by);
}

}

EqualiseResult EqualiseRosters(const QDate& today)
{
    LoadServices();
    LoadSoldiers();
    GlobalModel& g = Global();
    EqualiseResult result;
    SqlTransaction transaction(TDMGeral::instance().database(Alias::Ravelha));
    for (int n = 1; n <= Capacity::Services; ++n) {
        if (g.ServiceTable[n].Descr.isEmpty())
            continue;
        g.CurrentRoster = SelectRoster(n, QStringLiteral("Base"));
        RosterTable& roster = *g.CurrentRoster;
        ClearRoster(roster);
        LoadRoster(roster, g.CurrentTableName);
        const LowestPair lowest = LowestCounts(roster, today);
        g.LowestPt = lowest.pt;
        g.LowestVm = lowest.vm;
        const RosterTable before = roster;
        for (int row = 1; row <= Capacity::RosterRows && !roster.cell(RosterTable::NumCol, row).isEmpty(); ++row) {
            QString& pt = roster.cell(RosterTable::PtCol, row);
            QString& vm = roster.cell(RosterTable::VmCol, row);
            pt = QString::number(lowered(pt, lowest.pt));
            vm = QString::number(lowered(vm, lowest.vm));
        }
        SaveRoster(roster, g.CurrentTableName);
        CountLog::Append(TDMGeral::instance().database(Alias::Ravelha),
                         CountLog::changedRows(n, before, roster, CountLog::Operation::Equalise));
        result.rosters.push_back({n, g.ServiceTable[n].Descr, lowest.pt, lowest.vm});
    }
    KillPoints::reach("escalas-equalizadas");
    // The day goes with the rosters it lowered: recorded in their transaction, written after it.
    DataFiles::StageLastEqualisation(today);
    KillPoints::reach("antes-de-confirmar");
    transaction.commit();
    result.notice = PendingFiles::finishCommitted();
    return result;
}

QList<int> ChosenServicesToZero(const QList<int>& codes)
{
    LoadServices();
    QList<int> chosen;
    for (int code : codes) {
        if (code < 1 || code > Capacity::Services || Global().ServiceTable[code].Descr.isEmpty())
            throw CoreError(QStringLiteral("Não há serviço cadastrado com o código %1. Nada foi alterado.").arg(code));
        if (!chosen.contains(code))
            chosen << code;
    }
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

void ZeroRosters(const QList<int>& codes)
{
    // Every chosen service, whatever its code: the keeper chose it.
    TDMGeral& module = TDMGeral::instance();
    SqlTransaction transaction(module.database(Alias::Ravelha));
    for (int code : codes) {
        RosterTable before;
        LoadRoster(before, TableSchema::rosterFileName(code));
        module.zeroRosterCounts(code);
        QList<CountLog::Row> rows;
        for (int row = 1; row <= Capacity::RosterRows && !before.cell(RosterTable::NumCol, row).isEmpty(); ++row) {
            const QString& num = before.cell(RosterTable::NumCol, row);
            const int pt = CountLog::cellCount(before.cell(RosterTable::PtCol, row));
            const int vm = CountLog::cellCount(before.cell(RosterTable::VmCol, row));
            if (pt != 0)
                rows << CountLog::valueRow(code, num, CountLog::Black, pt, 0, CountLog::Operation::Zero);
            if (vm != 0)
                rows << CountLog::valueRow(code, num, CountLog::Red, vm, 0, CountLog::Operation::Zero);
        }
        CountLog::Append(module.database(Alias::Ravelha), rows);
    }
    transaction.commit();
}

QString EqualisedLine(const EqualisedRoster& roster)
{
    return QStringLiteral("Serviço %1 (%2): menos %3 em Pt e %4 em Vm")
        .arg(roster.code)
        .arg(roster.descr)
        .arg(roster.lowestPt)
        .arg(roster.lowestVm);
}

QString ZeroedLine(int code)
{
    return QStringLiteral("Serviço %1 (%2): Pt e Vm zerados").arg(code).arg(Global().ServiceTable[code].Descr);
}
