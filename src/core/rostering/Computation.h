#pragma once
// The computation of the roster up to a target day ("Verificar"). It reloads the rosters, the
// personnel and the history, then rosters every day after the last rostered day up to the
// computation end: for each day and each service in force, in order of priority, the first
// available members of its roster ordered by the count of the day's kind. It changes only the
// in-memory model and returns what the tab shows; the commit saves what it left.

#include "data/ModelRecords.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

// What a computation leaves for the commit: the model as it computed it, and a digest of the
// stored data it started from (the commit refuses when they changed in between).
struct VerifiedRoster {
    QDate target;
    std::vector<RosterTable> grades;
    std::vector<SoldierRecord> soldiers;
    std::vector<HistoryRecord> history;
    QByteArray storedDigest;
};

struct RosterRun {
    bool refused = true;
    QString refusal;               // the message, when refused
    QStringList roster;            // ListBox2: the days up to the target
    QStringList messages;          // ListBox5: shortages, planned absences, members without record
    QStringList alerts;            // ListBox6: no operation writes alerts apart from the messages
    QDate lastRostered;            // the last rostered day the computation started from
    QDate target;
    QDate end;                     // computation end (target, target + 1 or target + 2)
    QList<QDate> spanDays;         // the days after the last rostered day up to the target
    std::shared_ptr<const VerifiedRoster> verified;   // set when computed
};

// The first day on or after `target` whose distance from `last` is a multiple of 3; `last`
// itself when `target` is not after it (no day is computed then).
QDate ComputationEnd(const QDate& last, const QDate& target);

// The service codes in the order the computation serves them: the exchange sort of the
// registered services by Prio (equal priorities keep the order that sort gives).
QList<int> PriorityOrder();

// The lines of one service in the roster list, its display text wrapped after 90 characters.
QStringList ServiceLines(const QString& descr, const QString& displayText);

// The service and day a line of the roster list belongs to: a service line, or a further line of
// one, under its day's line. None for a day line, a blank line or a row outside the list; the
// code is 0 when no registered service has the line's description.
struct ListedService {
    int code = 0;
    QDate day;
};
std::optional<ListedService> ListedServiceAt(const QStringList& rosterLines, int row);

// "Verificar": the typed target day must be a date within the preparation period; then
// ComputeRoster. `services`: the codes taking part (every registered service when not given).
RosterRun VerifyRoster(const QString& targetText, const std::optional<QList<int>>& services = std::nullopt);

// The check for days already rostered and the computation proper, for a valid target day.
RosterRun ComputeRoster(const QDate& target, const std::optional<QList<int>>& services = std::nullopt);

inline const QString InsufficientLine = QStringLiteral(" Numero insuficiente de militares. Escala: ");
