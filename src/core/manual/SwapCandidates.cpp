#include "SwapCandidates.h"

#include "ServiceEntries.h"

#include "data/Dates.h"
#include "data/TableSchema.h"
#include "data/UGlobal.h"
#include "rostering/Calendar.h"
#include "rostering/Rules.h"

CandidateList ListCandidates(const QString& dayText, std::optional<int> serviceCode)
{
    CandidateList list;
    const std::optional<QDate> day = Dates::parse(dayText);
    if (!day) {
        list.refusal = Dates::invalidDateMessage(dayText);
        return list;
    }
    if (!serviceCode) {
        list.refusal = NoServiceChosen;
        return list;
    }
    LoadServices();
    if (const std::optional<QString> refusal = UnregisteredServiceRefusal(*serviceCode)) {
        list.refusal = *refusal;
        return list;
    }
    LoadRedDays();
    return FindCandidates(*serviceCode, *day);
}

CandidateList FindCandidates(int serviceCode, const QDate& day)
{
    GlobalModel& g = Global();
    LoadSoldiers();
    LoadServices();
    const QString kind = DayKind(day);
    // A roster of its own: the rosters in memory keep their order, and the days the search records
    // for the soldiers it lists are taken back at the end (they were never served).
    RosterTable roster;
    LoadRoster(roster, TableSchema::rosterFileName(serviceCode));
    SortRosterTable(roster, kind);
    const std::vector<SoldierRecord> stored = g.SoldierTable;

    CandidateList list;
    g.SearchCursor = 1;
    for (int call = 0; call < CandidateCalls; ++call) {
        const QString num = NextCandidate(serviceCode, roster, day, list.alerts);
        if (!num.isEmpty())
            list.candidates << num + QStringLiteral("   ") + g.AbsenceNote;
    }
    g.SoldierTable = stored;
    return list;
}
