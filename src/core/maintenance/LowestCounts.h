#pragma once
// The lowest counts of a roster: the level a soldier who joins it starts at, and what equalising
// takes off every member.

#include "data/ModelRecords.h"

#include <QDate>

struct LowestPair {
    int pt = 0;
    int vm = 0;
};

// Whether a soldier is on a real absence ("R") that covers the day.
bool OnRealAbsenceOn(const SoldierRecord& soldier, const QDate& day);

// The lowest Pt and the lowest Vm (taken separately) among the rows in use of a roster whose
// soldier has a personnel record in SoldierTable (all its records are searched) and is not on a
// real absence covering `today`; a planned absence counts. An empty count cell of such a row is
// set to "0" on the way. A roster without such a member gives 0 and 0. SoldierTable must be loaded.
LowestPair LowestCounts(RosterTable& roster, const QDate& today);
