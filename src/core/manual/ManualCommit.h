#pragma once
// "Escalar" of the tab "Escalar Manual": one history record per filled cell (the cell's text as
// typed, the day's kind by the calendar), the rosters and the personnel register as the
// verification left them, and the end day as the last rostered day, all in one transaction.

#include "ManualVerification.h"

#include <QString>

struct ManualCommitOutcome {
    bool done = false;
    QString message;   // not done: the grid is empty ("Preencher primeiro a Grade de Serviços")
    QString notice;    // done, but Escala.Txt could not be written yet (the commit stands)
};

// Commits `grid`, which must be the grid `verified` was made from. Throws, with nothing written,
// when the grid changed after the verification, a filled cell has no day, a cell's numbers do not
// fit the history, the history cannot take the records, or the stored data changed after the
// verification.
ManualCommitOutcome CommitManualGrid(const VerifiedManualGrid& verified, const ManualGrid& grid);

inline const QString FillGridFirstMessage = QStringLiteral("Preencher primeiro a Grade de Serviços");
