#pragma once
// "Listar" of the tab "Trocas Sv": the soldiers who could take a duty, in the order in which the
// automatic roster would take them, under the same availability rules. Nothing is written, and
// the personnel register in memory is left as it was loaded.

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

struct CandidateList {
    QString refusal;          // why the search did not run; empty when it ran
    QStringList candidates;   // at most ten lines: the number, three blanks, the planned absence
    QStringList alerts;       // the lines the rules add to the messages of "Escalar Automático"
};

// How many candidates one "Listar" looks for.
inline constexpr int CandidateCalls = 10;

// The typed day and the chosen service (nothing when none was chosen), checked, then the search.
CandidateList ListCandidates(const QString& dayText, std::optional<int> serviceCode);

// The search for a registered service on a day: its roster ordered for the day's kind, then ten
// calls of the candidate search from the first row on.
CandidateList FindCandidates(int serviceCode, const QDate& day);
