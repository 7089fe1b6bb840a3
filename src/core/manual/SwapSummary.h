#pragma once
// The lines the keeper reads before a swap is written: the duty, who leaves and who enters, the
// history list before and after, each count that changes in every roster that lists the soldier,
// and a warning for each rule of the automatic roster that B would break that day.

#include "Swap.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

struct SwapFacts {
    QString a;              // trimmed; "0" = nobody
    QString b;
    SwapChoice choice = SwapChoice::B;
    QDate day;
    QString kind;           // "Pt" or "Vm"
    int serviceCode = 0;
    QString listBefore;     // the history record's numbers
    QString listAfter;      // empty: the record leaves the history
    QStringList credited;   // soldiers whose count of the kind rises
    QStringList debited;    // soldiers whose count of the kind falls
};

// The lines, from the model as loaded (services, personnel, history and rosters before the swap)
// and the rosters as the swap leaves them.
QStringList SwapSummary(const SwapFacts& facts, const std::vector<RosterTable>& gradesAfter);
