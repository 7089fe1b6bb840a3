#pragma once
// "Quadro dos Serviços": how many duties of each service every soldier served in a period, on
// black days, red days or both, counted from the history. Nothing is written.
//
// The table shows one column per service that was counted in the period (every code, 1 to 30),
// in code order, then "SOMA" with the sum of the row; a last line "SOMA" holds the sum of each
// column. A cell holds the soldier's count, "0" when he served none of that service but belongs
// to its roster, and is empty otherwise.

#include "data/Capacities.h"
#include "data/ModelRecords.h"

#include <QDate>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// "Preta" counts the black days, "Vermelha" the red days, "Ambas" both. A record without a kind
// counts for either.
enum class DayKindChoice { Preta, Vermelha, Ambas };

// The counts of one period, before any narrowing.
struct ServiceCounts {
    struct Soldier {
        QString num;
        std::array<int, Capacity::Services + 1> count{};      // index = code
        std::array<bool, Capacity::Services + 1> member{};    // in the roster of that service
    };

    QDate from, to;
    DayKindChoice kind = DayKindChoice::Ambas;
    std::array<QString, Capacity::Services + 1> descr;        // index = code; empty: nothing counted
    QList<Soldier> soldiers;                                  // in number order (SortSoldierNumbers)
};

// The soldiers of each service's roster, index = code (only the codes asked for are filled).
using RosterMembers = std::array<QSet<QString>, Capacity::Services + 1>;

// Counts the history records from the first up to the first empty one: those of the period (both
// days included) and of the kind chosen. A soldier listed twice in one record counts once for it.
// `members` gives the rosters, for the "0" of a member who served none of a counted service.
ServiceCounts CountServices(const std::vector<HistoryRecord>& history, const QDate& from, const QDate& to,
                            DayKindChoice kind, const RosterMembers& members);

// What "Pesquisar" shows, or the refusal of a period typed wrong.
struct ServiceCountsOutcome {
    QString refusal;    // "<text> >>> Data inválida" for the first box that holds no date
    ServiceCounts counts;
    bool done() const { return refusal.isEmpty(); }
};

// "Pesquisar": both days are checked before anything is read; then the history is loaded and the
// rosters of the counted services are read.
ServiceCountsOutcome CountServicesPerSoldier(const QString& fromText, const QString& toText, DayKindChoice kind);

// Numbers in numeric order; a number that is not all digits comes after them, in text order.
void SortSoldierNumbers(QStringList& numbers);
bool SoldierNumberBefore(const QString& a, const QString& b);

// What the keeper narrowed the table to. An empty set of soldiers keeps every soldier; the
// services are kept all until the keeper chose them, and a choice of none shows none (an empty
// table, as the board shows nothing for no service).
struct Narrowing {
    QSet<QString> soldiers;
    std::optional<QSet<int>> services;
};

// The table as shown: captions ("Nº", the services' names, "SOMA"), the service code of each
// service column, one line per soldier (number, cells, sum) and the line of sums.
struct SummaryTable {
    QStringList captions;
    QList<int> codes;
    QList<QStringList> lines;
    QStringList sums;
};

// The whole table, or the table narrowed: the soldiers and services chosen, and only the soldiers
// with an entry (a count or a "0") in one of the services shown.
SummaryTable ShownTable(const ServiceCounts& counts, const Narrowing& narrowing = {});

// The table as lines of text: the captions, each soldier, the sums; columns padded to their
// widest cell (the soldiers' numbers to the left, the rest to the right) and separated by " | "
// (ravelha-cli quadro).
QStringList SummaryTextLines(const SummaryTable& table);

// The name of a kind choice as the window shows it: "Preta", "Vermelha", "Ambas".
QString DayKindChoiceName(DayKindChoice kind);
