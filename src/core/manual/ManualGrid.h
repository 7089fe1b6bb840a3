#pragma once
// The service grid of the tab "Escalar Manual" as a value: one row per registered service (its
// short name and its code), up to six day columns headed by their days (dd/mm/yy), and the body
// cells the keeper fills with soldier numbers separated by single blanks, or "Sem Sv" where the
// service is not in force that day. The window shows it in SGGradeSv (the code in its hidden
// column 10); the command line fills it from a file. Every step finds a row's service by its
// code, never by its name.

#include <QDate>
#include <QList>
#include <QString>
#include <array>
#include <optional>

struct ManualGridRow {
    static constexpr int DayColumns = 6;

    QString descr;                            // column 0; empty ends the service rows
    int code = 0;                             // column 10, the CodSv
    std::array<QString, DayColumns> cells;    // columns 1 to 6

    bool operator==(const ManualGridRow&) const = default;
};

struct ManualGrid {
    static constexpr int DayColumns = ManualGridRow::DayColumns;
    static constexpr int CodeColumn = 10;     // the grid column that keeps the code, never shown
    static constexpr int MaxRows = 30;        // one row per service at most

    std::array<QString, DayColumns> days;     // row 0, columns 1 to 6; empty past the end day
    QList<ManualGridRow> rows;                // rows 1 to n

    bool operator==(const ManualGrid&) const = default;

    // The service rows: from the first row up to the first without a name, at most 30.
    int serviceRows() const;
    // The day of a day column (0 to 5), or nothing when its header is empty.
    std::optional<QDate> dayOf(int column) const;
    // Whether any body cell of the service rows holds text.
    bool hasText() const;
    // Calls visit(r, row, c, cell) for every body cell of the service rows that holds text, row by
    // row and, within a row, day by day.
    template <typename Visit>
    void forEachFilledCell(Visit&& visit) const
    {
        for (int r = 0; r < serviceRows(); ++r) {
            const ManualGridRow& row = rows.at(r);
            for (int c = 0; c < DayColumns; ++c) {
                if (!row.cells[c].isEmpty())
                    visit(r, row, c, row.cells[c]);
            }
        }
    }
    // The cell of row `row` (0 = first service) and day column `column` (0 to 5), growing the
    // rows when needed (the sample contents may be written before the grid is prepared).
    QString& cell(int row, int column);
};

// The marker of a cell whose service is not in force that day.
inline const QString NoServiceMarker = QStringLiteral("Sem Sv");

// "Preparar Grade": the grid up to the typed end day, or the message that refuses it.
struct ManualPreparation {
    QString refusal;      // empty when prepared
    ManualGrid grid;
    QDate end;            // the end day typed
    QDate lastRostered;   // the last rostered day the grid follows
    bool prepared() const { return refusal.isEmpty(); }
};

// Checks the end day (given, a date, within the preparation period, at most six days after the last
// rostered day), marks every registered service, and builds the grid: the registered services in
// code order, the days after the last rostered day up to the end day, "Sem Sv" where a service is
// not in force. The body cells of `current` are kept row by row (the keeper may have loaded sample
// contents first); every header is written anew, empty past the end day.
ManualPreparation PrepareManualGrid(const QString& endText, const ManualGrid& current = {});

inline const QString NoEndDayMessage = QStringLiteral("Você deve informar a data final da escala");
