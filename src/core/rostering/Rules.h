#pragma once
// The availability rules and the bookkeeping of a service taken. Everything here works on the
// in-memory model; nothing reads or writes a table or a file.
//
// A soldier may take a service on a day when he is not removed from it that day, has no other
// service less than three days away, and is not on a real absence. A planned absence only
// raises an alert. Each service he takes enters the day into his last service days (USv) and
// raises the count of the day's kind (Pt on a black day, Vm on a red one) in every roster he is in.

#include "data/ModelRecords.h"

#include <QDate>
#include <QString>
#include <QStringList>

// Index of the first personnel record in use whose Num is `num`, or 0 when there is none.
int FindSoldier(const QString& num);

// True when no service day of the soldier is less than 3 days away from `day`.
bool RestOk(const SoldierRecord& soldier, const QDate& day);

// True unless the soldier is on a real absence that day. A planned absence passes; it sets the
// absence note and adds its alert line to `messages`.
bool AbsenceOk(const SoldierRecord& soldier, const QDate& day, QStringList& messages);

// The number of the next available member of `roster` for service `serviceCode` on `day`, from
// the search cursor on, or empty when the roster is exhausted. The cursor moves past every row
// examined; the chosen soldier's day is recorded at once. A member without a personnel record
// is passed over and a line in `messages` says so.
QString NextCandidate(int serviceCode, RosterTable& roster, const QDate& day, QStringList& messages);

// Enters the day into the soldier's last service days, in place of the earliest (or an empty slot).
void RecordServiceDay(SoldierRecord& soldier, const QDate& day);

// Adds `step` to the soldier's count of `kind` ("Pt" or "Vm") in every registered roster he is in.
void ChangeCounts(const QString& kind, const QString& num, int step);

// Puts the rows in candidate order for `kind`: ascending by the count of that kind, then by the
// other, with the order of equal keys that the exchange sort of the rosters gives.
void SortRosterTable(RosterTable& roster, const QString& kind);

// The check of a soldier typed by hand into the manual grid for a day: its lines go to
// `messages`; unless he is on a real absence, the service is recorded (day and counts). Returns
// whether it was: the log of counts must tell a counted duty from one only listed.
bool CheckManualAssignment(const QString& num, const QString& kind, const QDate& day, QStringList& messages);

// The line for a roster member who has no personnel record.
QString MissingPersonnelLine(const QDate& day, const QString& num, const QString& service);
