#include "MembershipLists.h"

#include "data/UGlobal.h"

#include <QSet>

namespace {

void loadModel()
{
    LoadSoldiers();
    LoadServices();
    LoadAllRosters();
}

// The numbers of the rows in use of a roster, up to its first empty row.
QStringList membersOf(const RosterTable& roster)
{
    QStringList nums;
    for (int row = 1; row <= Capacity::RosterRows && !roster.cell(RosterTable::NumCol, row).isEmpty(); ++row)
        nums << roster.cell(RosterTable::NumCol, row);
    return nums;
}

QStringList registeredNumbers()
{
    QStringList nums;
    const std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
    for (int i = 1; i <= Capacity::Soldiers && !soldiers[i].Num.isEmpty(); ++i)
        nums << soldiers[i].Num;
    return nums;
}

}

QStringList RegisteredInNoRoster()
{
    loadModel();
    QSet<QString> inSomeRoster;
    for (int code = 1; code <= Capacity::Services; ++code)
        if (!Global().ServiceTable[code].Descr.isEmpty())
            for (const QString& num : membersOf(Global().Grades[code]))
                inSomeRoster.insert(num);
    QStringList lines;
    for (const QString& num : registeredNumbers())
        if (!inSomeRoster.contains(num))
            lines << num;
    return lines.isEmpty() ? QStringList{NoRecordsRegistered} : lines;
}

QStringList InRosterNotRegistered()
{
    loadModel();
    const QStringList registered = registeredNumbers();
    const QSet<QString> known(registered.begin(), registered.end());
    QStringList lines;
    for (int code = 1; code <= Capacity::Services; ++code)
        if (!Global().ServiceTable[code].Descr.isEmpty())
            for (const QString& num : membersOf(Global().Grades[code]))
                if (!known.contains(num))
                    lines << num;
    return lines.isEmpty() ? QStringList{NoRecordsInRosters} : lines;
}
