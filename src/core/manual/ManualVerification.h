#pragma once
// "Verificar" of the tab "Escalar Manual". Verification is advisory: it reports every problem it
// finds (ListBox4's lines about single soldiers, one message box per cell with too few or too many
// soldiers) and the keeper may commit whatever the grid holds afterwards. It starts from the
// stored state, records in memory the service days and counts of the soldiers typed, and leaves a
// snapshot of them for the commit.

#include "ManualGrid.h"

#include "data/ModelRecords.h"

#include <QByteArray>
#include <QDate>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

// What the commit saves: the model as the verification left it, the grid it verified, the kind of
// each day column, and a digest of the stored data it started from.
struct VerifiedManualGrid {
    ManualGrid grid;
    QDate end;
    std::array<QString, ManualGrid::DayColumns> kinds;   // "Pt" or "Vm", empty for an undated column
    // Per service row and day column, the numbers whose counts the verification moved (those the
    // service's roster lists, the register knows and no real absence keeps out).
    std::vector<std::array<QStringList, ManualGrid::DayColumns>> counted;
    std::vector<RosterTable> grades;
    std::vector<SoldierRecord> soldiers;
    std::vector<HistoryRecord> history;
    QByteArray storedDigest;
};

struct ManualVerification {
    enum class Stop {
        None,       // verified
        Conflict,   // a service of the grid already has history in the grid's days
        Empty,      // no body cell holds text
        Stale,      // the last rostered day moved after the grid was prepared
        Repeated,   // a soldier typed twice in one cell: he would be credited twice
    };
    Stop stop = Stop::None;
    QString stopMessage;              // the box shown when stopped
    ManualGrid grid;                  // the grid with its "Sem Sv" cells emptied
    QStringList lines;                // ListBox4
    QStringList countMessages;        // one box per cell, in the order found
    std::shared_ptr<const VerifiedManualGrid> verified;   // set when verified
    bool verifiedOk() const { return stop == Stop::None; }
};

// Verifies `grid`, prepared up to `end`.
ManualVerification VerifyManualGrid(const ManualGrid& grid, const QDate& end);

// The cells of dated columns that list a number more than once (as the history would list it,
// every number between blanks): a line per cell naming the service, the day and the numbers.
QStringList RepeatedNumbers(const ManualGrid& grid);

inline const QString EmptyGridMessage = QStringLiteral("Você deve preencher completamente a Grade de Serviços");
