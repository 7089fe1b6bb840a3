#pragma once
// The removals of a verification: soldiers the keeper takes out of the roster for some services on
// some days ("Retirar da Escala"). The list lives from the first removal until the tab is reset
// ("Desfazer" or a click on the target day); the computation and the swap search consult it.

#include "data/Capacities.h"

#include <QDate>
#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace Capacity {
constexpr int Removals = 50;          // entries of the removal list
constexpr int RemovalDays = 10;       // days of one entry
}

struct TipoVetSgte {
    QString Num;                                        // empty = free entry, end of the list
    std::array<int, Capacity::Services> CodSv{};        // place i-1 holds code i, or 0
    std::array<QDate, Capacity::RemovalDays> Dias{};    // null = free place
};

struct RemovalList {
    std::array<TipoVetSgte, Capacity::Removals> entries{};
    int count = 0;   // RemovalCount: entries in use
};

// The removals of this run.
RemovalList& RosterRemovals();
int RemovalCount();
// Every entry emptied and the count back to 0 (the reset of the tab).
void ClearRemovals();

// "Retirar da escala": one more entry for soldier `num`, for the services `serviceCodes` (codes
// 1 to 30; others are passed over) and the `days` chosen. Returns the refusal when the entry
// cannot be taken (no number, a 51st removal, more than 10 days); nothing changes then.
std::optional<QString> AddRemoval(const QString& num, const QList<int>& serviceCodes, const QList<QDate>& days);

// The refusal of a number typed for a removal that names no soldier of the personnel register
// (none, longer than a number is, or not registered); nothing when it names one.
std::optional<QString> RemovalNumberRefusal(const QString& num);

// False when an entry removes that soldier from that service on that day.
bool NotRemoved(const QString& num, int serviceCode, const QDate& day);
