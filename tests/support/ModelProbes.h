#pragma once
// Small readings of the in-memory model that many tests make.

#include "data/UGlobal.h"

#include <QStringList>

// The numbers of a roster table's rows in use, in row order.
inline QStringList NumbersOf(const RosterTable& roster)
{
    QStringList nums;
    for (int row = 1; row <= Capacity::RosterRows && !roster.cell(RosterTable::NumCol, row).isEmpty(); ++row)
        nums << roster.cell(RosterTable::NumCol, row);
    return nums;
}

// "Pt/Vm" of a soldier in the roster table of a service, or empty when he is not in it.
inline QString CountsOf(int code, const QString& num)
{
    const RosterTable& roster = Global().Grades[code];
    for (int row = 1; row <= Capacity::RosterRows && !roster.cell(RosterTable::NumCol, row).isEmpty(); ++row)
        if (roster.cell(RosterTable::NumCol, row) == num)
            return roster.cell(RosterTable::PtCol, row) + QLatin1Char('/') + roster.cell(RosterTable::VmCol, row);
    return QString();
}
