#pragma once
// The board of soldiers by services ("Militares e Serviços"): one row per soldier with his number
// in column 0, one column per service code (column j = code j) headed by the service's name, and
// "S" where the service's roster lists the soldier. The window shows columns 0 to 19.

#include "data/Capacities.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

struct ServiceBoard {
    static constexpr int Columns = Capacity::Services + 1;   // 0 = Num, 1 to 30 = the codes
    static constexpr int ShownColumns = 20;                  // columns 0 to 19 are shown and printed
    using Line = std::array<QString, Columns>;

    Line headers{};            // headers[j]: the name of the service in column j; [0] empty
    std::vector<Line> rows;    // rows[i][0]: the soldier's number

    bool operator==(const ServiceBoard&) const = default;
};

inline const QString MemberMark = QStringLiteral("S");

// The board of the soldiers numbered (in any order; a number without a personnel record adds no
// row), from the model as loaded: services, soldiers and the rosters of the registered services.
// Rows are in numeric order of their numbers; a number that is not numeric comes after them.
// No soldier: an empty board, without headers.
ServiceBoard BoardOfSoldiers(const QStringList& nums);

// Loads services, soldiers and rosters, then builds the board of the soldiers numbered.
ServiceBoard BuildServiceBoard(const QStringList& nums);
// Loads them and builds the board of every personnel record.
ServiceBoard BuildFullServiceBoard();

// The board narrowed to the services of `codes`: their columns from column 1 on in ascending code
// order, and only the soldiers with "S" in at least one of them.
ServiceBoard NarrowServiceBoard(const ServiceBoard& full, QList<int> codes);

// The codes whose selection mark is "S" (the service chooser's choice), ascending.
QList<int> MarkedServiceCodes();

// Orders soldier numbers: numbers by their value, then any other text in text order.
bool NumberBefore(const QString& a, const QString& b);
