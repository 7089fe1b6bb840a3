#pragma once
// Which rosters a soldier belongs to, and putting soldiers into the rosters the keeper chose.
// Shared by the individual and the collective inclusion.

#include <QDate>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include "rostering/RosterSession.h"

// Whether a history record lists the number (alone, first, in the middle or last): the number
// of a soldier who left may still stand in the history.
bool NumberInHistory(const QString& num);

// The codes of the registered services whose roster lists the number, in code order.
// Loads the services and every roster.
QList<int> ServicesOfSoldier(const QString& num);

// The services the keeper ticked in the chooser: MarkedServices() of rostering/RosterSession.h.

// Puts every registered soldier of `nums` into the roster of each registered service in
// `chosen`, and takes him out of every other registered roster. A newcomer to a roster starts at
// the lowest counts its members had before this operation (on `today`); a present member keeps his
// row. Every roster is written in one transaction (joined with an outer one when there is one).
// Loads services, soldiers and rosters. Returns the numbers skipped as not registered, in order.
QStringList PlaceInServices(const QStringList& nums, const QSet<int>& chosen, const QDate& today);
QStringList PlaceInServices(const QStringList& nums, const QList<int>& chosen, const QDate& today);
