#include "ModelIndex.h"

#include "data/PlainCount.h"
#include "data/UGlobal.h"

namespace {

ModelIndex*& inUse()
{
    static ModelIndex* index = nullptr;
    return index;
}

}

ModelIndex::ModelIndex()
{
    GlobalModel& g = Global();
    for (int i = 1; i <= Capacity::Soldiers && !g.SoldierTable[i].Num.isEmpty(); ++i)
        if (!m_soldierOf.contains(g.SoldierTable[i].Num))
            m_soldierOf.insert(g.SoldierTable[i].Num, i);   // the first record of a number counts
    for (int code = 1; code <= Capacity::Services; ++code) {
        if (g.ServiceTable[code].Descr.isEmpty())
            continue;
        m_registered.push_back(code);
        const RosterTable& table = g.Grades[code];
        for (int row = 1; row <= Capacity::RosterRows; ++row) {
            const QString& num = table.cell(RosterTable::NumCol, row);
            if (num.isEmpty())
                break;
            if (!m_memberOf.contains(num))
                m_memberOf.insert(num, int(m_memberOf.size()));
        }
    }
    const int members = int(m_memberOf.size());
    for (int code : m_registered) {
        const RosterTable& table = g.Grades[code];
        Roster& roster = m_rosters[code];
        roster.idAt.assign(Capacity::RosterRows + 1, -1);
        roster.rowOf.assign(members, 0);
        roster.pt.assign(Capacity::RosterRows + 1, 0);
        roster.vm.assign(Capacity::RosterRows + 1, 0);
        bool sound = true;
        int row = 1;
        for (; row <= Capacity::RosterRows && sound; ++row) {
            const QString& num = table.cell(RosterTable::NumCol, row);
            if (num.isEmpty())
                break;
            const int id = m_memberOf.value(num);
            sound = roster.rowOf[id] == 0 && PlainCount(table.cell(RosterTable::PtCol, row), roster.pt[row])
                && PlainCount(table.cell(RosterTable::VmCol, row), roster.vm[row]);
            roster.rowOf[id] = row;
            roster.idAt[row] = id;
        }
        roster.rows = row - 1;
        roster.indexed = sound;
        if (!sound)
            roster = Roster();
    }
    m_previous = inUse();
    inUse() = this;
}

ModelIndex::~ModelIndex()
{
    inUse() = m_previous;
}

ModelIndex* ModelIndex::current()
{
    return inUse();
}

ModelIndex::Roster* ModelIndex::roster(int code)
{
    if (code < 1 || code > Capacity::Services || !m_rosters[code].indexed)
        return nullptr;
    return &m_rosters[code];
}

int ModelIndex::codeOf(const RosterTable& table) const
{
    const std::vector<RosterTable>& grades = Global().Grades;
    const RosterTable* first = grades.data();
    if (&table < first + 1 || &table > first + Capacity::Services)
        return 0;
    return int(&table - first);
}
