#include "LowestCounts.h"

#include "data/UGlobal.h"

#include <optional>

bool OnRealAbsenceOn(const SoldierRecord& soldier, const QDate& day)
{
    // A missing first day is before every day; a missing last day ends nothing.
    return soldier.PR == QStringLiteral("R") && (!soldier.Ini.isValid() || soldier.Ini <= day)
        && soldier.Fim.isValid() && day <= soldier.Fim;
}

namespace {

const SoldierRecord* findSoldier(const QString& num)
{
    const std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
    for (int i = 1; i <= Capacity::Soldiers; ++i)
        if (soldiers[i].Num == num)
            return &soldiers[i];
    return nullptr;
}

}

LowestPair LowestCounts(RosterTable& roster, const QDate& today)
{
    // The true minimum: a level of 999 or more is a level too, not "nobody".
    std::optional<int> pt;
    std::optional<int> vm;
    for (int row = 1; row <= Capacity::RosterRows; ++row) {
        const QString num = roster.cell(RosterTable::NumCol, row);
        if (num.isEmpty())
            break;
        const SoldierRecord* soldier = findSoldier(num);
        if (!soldier || OnRealAbsenceOn(*soldier, today))
            continue;
        QString& ptCell = roster.cell(RosterTable::PtCol, row);
        QString& vmCell = roster.cell(RosterTable::VmCol, row);
        if (ptCell.isEmpty())
            ptCell = QStringLiteral("0");
        if (vmCell.isEmpty())
            vmCell = QStringLiteral("0");
        const int p = ptCell.toInt();
        const int v = vmCell.toInt();
        if (!pt || p < *pt)
            pt = p;
        if (!vm || v < *vm)
            vm = v;
    }
    return LowestPair{pt.value_or(0), vm.value_or(0)};
}
