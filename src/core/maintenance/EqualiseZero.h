#pragma once
// Equalising and zeroing the rosters (item 6 of "Manutenção", ravelha-cli equalizar and zerar).

#include <QDate>
#include <QList>
#include <QString>
#include <vector>

struct EqualisedRoster {
    int code = 0;
    QString descr;
    int lowestPt = 0;   // what was taken off every member
    int lowestVm = 0;
};

struct EqualiseResult {
    std::vector<EqualisedRoster> rosters;   // every registered service, in code order
    QString notice;                         // the rosters were lowered but UltiEqual.Txt is not written yet
};

// Loads services and soldiers; lowers every count of every registered roster by that roster's
// lowest counts on `today` (a result below 0 becomes 0) and records `today` for UltiEqual.Txt, all
// in one transaction; the file is written once it commits.
EqualiseResult EqualiseRosters(const QDate& today);

// The registered services among `codes` (1 to 30), each once, in code order; throws naming a code
// that is no registered service, before anything is written. Loads the services.
QList<int> ChosenServicesToZero(const QList<int>& codes);
// Sets Pt and Vm of every member of the rosters of these services to 0, in one transaction.
void ZeroRosters(const QList<int>& codes);

// The keeper's lines for the results.
QString EqualisedLine(const EqualisedRoster& roster);
QString ZeroedLine(int code);
