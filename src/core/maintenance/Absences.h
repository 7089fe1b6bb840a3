#pragma once
// A soldier taken off every roster for a period (item 3 of "Manutenção", ravelha-cli afastar) and
// his return at the level of each roster (item 4, ravelha-cli retornar).
//
// An absence is kept on the soldier's own record (PR, Ini, Fim): he stays in his rosters, the
// rostering passes him over while a real absence covers the day, and the lowest counts leave him
// out of a roster's level.

#include "data/CoreError.h"

#include <QDate>
#include <QString>
#include <vector>

namespace AbsenceText {
inline const QString NotRegistered = QStringLiteral("Número não cadastrado no Sistema");
inline const QString WasNotAway = QStringLiteral("Militar não estava fora da escala");
inline const QString StartAfterEnd =
    QStringLiteral("A Data Início é posterior à Data Fim. Nada foi gravado.");
inline const QString NoKind =
    QStringLiteral("Escolha o tipo do afastamento: Previsto ou Real. Nada foi gravado.");
}

// What the keeper typed for one absence. `kind` is "P" (planned), "R" (real), or empty when
// neither was chosen.
struct AbsenceEntry {
    QString num;
    QString kind;
    QString start;
    QString end;
};

// The record of an absence, as it was written into the model.
struct RecordedAbsence {
    QString num;
    QString pstGrd;
    QString nome;
    QString kind;
    QDate start;
    QDate end;
};

// Which part of the entry a refusal is about: the keeper's boxes stay as typed for a bad date,
// a wrong order or a missing kind, and are emptied for a number that is not registered.
class AbsenceRefusal : public CoreError {
public:
    enum class Cause { BadDate, Order, Kind, NotRegistered };
    AbsenceRefusal(Cause cause, const QString& message) : CoreError(message), m_cause(cause) {}
    Cause cause() const { return m_cause; }

private:
    Cause m_cause;
};

// Checks an entry and writes it over the soldier's record in the model's SoldierTable (a former
// absence is replaced); nothing is stored until SaveSoldiers. SoldierTable must be loaded.
// Throws AbsenceRefusal, in this order: a start or end that is no date (the text followed by
// " >>> Data inválida"), a start after the end, no kind chosen, a number not registered.
RecordedAbsence RecordAbsence(const AbsenceEntry& entry);

// The line that tells what was recorded.
QString RecordedLine(const RecordedAbsence& absence);

// The counts of one row of the returning soldier, before and after.
struct ReturnedRow {
    int code = 0;
    QString descr;
    int ptBefore = 0;
    int vmBefore = 0;
    int ptAfter = 0;
    int vmAfter = 0;
};

struct ReturnResult {
    QString message;                 // WasNotAway, or empty
    std::vector<ReturnedRow> rows;   // every row that holds the number, in service order
};

// Ends the absence of the soldier `num` and brings his counts in every registered roster up to
// that roster's lowest counts on `today` (his own rows left out of the level; Pt and Vm each on
// its own; a count above the level stays). The counts are raised also for a soldier who was not
// away, with the message saying so. A number that is not registered throws AbsenceRefusal
// (NotRegistered) before anything is written. The register and every roster are written in one
// transaction: a failure changes nothing.
// Loads services, soldiers and rosters.
ReturnResult ReturnToRosters(const QString& num, const QDate& today);

// The line of one row: "Serviço 3 (Cb Gda): Pt de 2 para 5, Vm de 1 para 1".
QString ReturnedLine(const ReturnedRow& row);
