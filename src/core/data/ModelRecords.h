#pragma once
// The records of the in-memory model: plain structures with the widths of their texts.
// A day is a QDate; a null QDate stands for "no day" (the 0 of the stored records).

#include "Capacities.h"

#include <QDate>
#include <QString>
#include <array>

struct ServiceRecord {
    int CodSv = 0;       // 0 in a record never loaded
    QString Descr;       // empty = not registered
    QDate Ini;
    QDate Fim;
    int Quant = 0;
    int Prio = 0;
    QString Marca;       // "S" when chosen in the service chooser
};

struct SoldierRecord {
    QString Num;         // empty = free record; "x" = dropped at the next save
    QString PstGrd;
    QString Nome;
    QString PR;          // "P" planned, "R" real, empty for no absence
    QDate Ini;
    QDate Fim;
    std::array<QDate, Capacity::ServiceDays> USv{};   // recent service days, null = empty slot
};

struct HistoryRecord {
    QDate Dia;
    int CodSv = 0;
    QString Descr;       // empty = end of the records in use
    QString Num;         // the soldiers' numbers separated by single blanks; empty = dropped at save
    QString PtVm;        // "Pt" or "Vm"
};

// One roster table GradeSvN: columns 0 Num, 1 Pt, 2 Vm of text cells, rows 1 to 500 (row 0 unused).
// The rows in use run from row 1 to the first row with an empty Num.
class RosterTable {
public:
    static constexpr int Columns = 3;
    static constexpr int NumCol = 0;
    static constexpr int PtCol = 1;
    static constexpr int VmCol = 2;

    QString& cell(int column, int row) { return m_cells[row][column]; }
    const QString& cell(int column, int row) const { return m_cells[row][column]; }
    std::array<QString, Columns>& row(int row) { return m_cells[row]; }

    // Whether a soldier is among the rows in use (up to the first empty Num).
    bool lists(const QString& num) const
    {
        for (int row = 1; row <= Capacity::RosterRows && !m_cells[row][NumCol].isEmpty(); ++row)
            if (m_cells[row][NumCol] == num)
                return true;
        return false;
    }

private:
    std::array<std::array<QString, Columns>, Capacity::RosterRows + 1> m_cells;
};

// Cuts a text to the width its field holds.
inline QString cut(const QString& text, int width)
{
    return text.left(width);
}
