#pragma once
// The two membership lists of the tab "Manutenção" (items 8 and 9), read from the personnel
// register and the stored rosters of the registered services. Nothing is written.

#include <QStringList>

inline const QString NoRecordsRegistered = QStringLiteral("  Não há Registros");   // item 8
inline const QString NoRecordsInRosters = QStringLiteral(" Não há Registros");     // item 9

// Item 8: the number of every soldier of the register who is in no roster, in register order;
// the line NoRecordsRegistered alone when there is none.
QStringList RegisteredInNoRoster();

// Item 9: every number of a roster (services in code order, rows in order) that names no soldier
// of the register, once per roster it stands in; the line NoRecordsInRosters alone when there is none.
QStringList InRosterNotRegistered();
