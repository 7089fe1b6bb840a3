#pragma once
// The searches of the personnel lookup, over the soldiers as they are in memory.

#include "data/ModelRecords.h"

#include <QStringList>
#include <vector>

// The lines of the result list (Num at most 4 characters, PstGrd 7, Nome 15).
// Format A: Num padded to 4, 2 blanks, PstGrd, 2 blanks, Nome. Format B: Num, 6 blanks, PstGrd,
// 2 blanks, Nome. Both keep the number in the first 6 characters.
QString LookupLineA(const SoldierRecord& soldier);
QString LookupLineB(const SoldierRecord& soldier);

// The searches over the soldiers from record 1 up to the first record with an empty Nome, in
// table order; each soldier is listed at most once.
// By number: the first soldier whose Num equals the first 4 characters of `typed` (format B).
QStringList LookupByNumber(const std::vector<SoldierRecord>& soldiers, const QString& typed);
// By name: every soldier whose Nome holds `part`, upper and lower case distinct (format A).
QStringList LookupByName(const std::vector<SoldierRecord>& soldiers, const QString& part);
// By rank: every soldier whose PstGrd equals one of `ranks` (format B).
QStringList LookupByRank(const std::vector<SoldierRecord>& soldiers, const QStringList& ranks);
// Every soldier (format A).
QStringList LookupEverySoldier(const std::vector<SoldierRecord>& soldiers);

// The number of a result line: its first 6 characters, trailing blanks removed.
QString LookupLineNumber(const QString& line);
