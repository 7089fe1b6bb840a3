#pragma once
// An index of the model for the length of a roster computation: where each soldier stands in the
// register, where each member stands in each roster, and every roster row's counts as numbers.
// Picking a soldier then changes his counts without scanning 30 rosters of 500 rows, and sorting
// a roster compares numbers instead of reading its count texts again.
//
// While an index lives, only ChangeCounts and SortRosterTable may change the model's rosters
// (they keep the index up to date), and the register's numbers must not change. A roster whose
// counts are not all whole numbers, or that lists a soldier twice, is left out of the index and
// handled as before, so its messages and its order stay exactly the same.

#include <QHash>
#include <QString>

#include <array>
#include <vector>

#include "data/Capacities.h"

class RosterTable;

class ModelIndex {
public:
    ModelIndex();    // indexes Global() as it is now, and becomes the index in use
    ~ModelIndex();   // the previous index (usually none) is in use again
    ModelIndex(const ModelIndex&) = delete;
    ModelIndex& operator=(const ModelIndex&) = delete;

    // Every number listed in a roster has an id (0 to members() - 1), so that following a row
    // that moves costs two whole numbers rather than a text looked up.
    struct Roster {
        bool indexed = false;
        int rows = 0;                 // rows in use
        std::vector<int> idAt;        // by row: the id of its number; [0] unused
        std::vector<int> rowOf;       // by id: the row (1-based), 0 when not listed
        std::vector<int> pt;          // by row; [0] unused
        std::vector<int> vm;
    };

    // The index in use, or null.
    static ModelIndex* current();

    // The register's first record with this number, or 0 (as FindSoldier).
    int soldier(const QString& num) const { return m_soldierOf.value(num, 0); }
    // The roster of code `code` when it is indexed, else null.
    Roster* roster(int code);
    // The code of a roster of the model, or 0 when `table` is not one of them.
    int codeOf(const RosterTable& table) const;
    const std::vector<int>& registered() const { return m_registered; }
    // The id of a number listed in some roster, or -1.
    int member(const QString& num) const { return m_memberOf.value(num, -1); }

private:
    ModelIndex* m_previous = nullptr;
    QHash<QString, int> m_soldierOf;
    QHash<QString, int> m_memberOf;
    std::array<Roster, Capacity::Services + 1> m_rosters;
    std::vector<int> m_registered;   // codes of the registered services, ascending
};
