#pragma once
// The audit of the counts against the log of counts, and the balance of a roster.
//
// A roster member's count of a kind should equal the Depois of his last value row for that roster
// plus the Deltas of his duty rows written after it. A roster with no value row at all has no
// reference yet ("sem referência"): nothing is guessed for it.
// The duty rows are compared with the history per (day, service, soldier, kind): the log's Deltas
// must add up to 1 when the history lists him on that record with that kind, else to 0. Only the
// (day, service) pairs the log has at least one duty row for are compared, and none of a day before
// the last purge. The log's start records the history it found (rows that move no count), so every
// record the program keeps is compared; a record the log never saw (added by hand) is not.
// Everything is read once per call (log, rosters, register, history); nothing is written.

#include "data/UDMGeral.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace CountAudit {

struct Finding {
    int roster = 0;        // the roster (a count) or the duty's service (a duty)
    QString number;        // the soldier
    QString text;          // the line for the keeper, without the roster's name
};

struct MemberAudit {
    QString number;
    QString name;                    // from the personnel register; empty when he has none
    int pt = 0;                      // the counts stored in the roster
    int vm = 0;
    std::optional<int> logPt;        // the counts the log gives; none without a starting value
    std::optional<int> logVm;
    bool divergent = false;          // a finding names him in this roster
};

struct RosterAudit {
    int roster = 0;
    QString service;                 // Descr of the service
    bool hasReference = false;       // the log has a value row for this roster, or it has no members
    std::vector<MemberAudit> members;   // in the roster's stored order
    std::vector<Finding> findings;      // counts of this roster, then duties of this service
};

// The audit of every registered roster, in service code order.
std::vector<RosterAudit> AuditAll(Alias alias = Alias::Ravelha);
// The audit of one registered roster; CoreError for a code that names no registered service.
RosterAudit AuditRoster(int serviceCode, Alias alias = Alias::Ravelha);

struct MemberBalance : MemberAudit {
    bool absent = false;             // on a real absence on the day of the balance
    bool nextPt = false;             // the one the next black duty would pick
    bool nextVm = false;             // the one the next red duty would pick
};

struct Balance {
    RosterAudit audit;
    std::vector<MemberBalance> members;
    int spreadPt = 0;                // highest minus lowest among the members not on a real absence
    int spreadVm = 0;
    QString nextPt;                  // numbers of the next picks, empty when nobody is available
    QString nextVm;
};

// The balance of a roster on `today`. The next picks follow the rostering's candidate order; the
// rest between duties depends on the duty's day and is not taken into account.
Balance BalanceOf(int serviceCode, const QDate& today, Alias alias = Alias::Ravelha);

// Gives the log a start from today's counts for every roster that has none (a folder from before
// the log), in one transaction; the rosters already logged are left as they are. Returns the
// labels of the registered rosters started ("Of Dia (1)"), in code order.
QStringList StartLogWhereMissing(Alias alias = Alias::Ravelha);

// "Nº 25 (Silva)" or "Nº 25" without a name.
QString SoldierLabel(const QString& number, const QString& name);
// "Of Dia (1)".
QString RosterLabel(const RosterAudit& audit);
// The marks of a member: "afastado", "próximo Pt", "próximo Vm", "divergente", in that order.
QStringList MemberMarks(const MemberBalance& member);

}
