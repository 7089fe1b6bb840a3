#pragma once
// The purge of old history: every record of a day before the first day the keeper keeps is
// deleted from the stored history, for good. The in-memory history is not touched; the next load
// reads the shortened table.
//
// Before it deletes, the keeper is told what will go (how many records, from which day to which),
// and a first day kept after the last rostered day (which would delete the recent duties too)
// needs a second Yes.

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

namespace HistoryPurge {

// The keeper's texts of item 12.
inline const QString Warning = QStringLiteral(
    "                                                 CUIDADO !\n\nEsta opção irá eliminar os dados do "
    "Arquivo Histórico anteriores a  determinada Data\nSe você tiver dúvidas, melhor clicar em CANCEL");
inline const QString Caption = QStringLiteral("Apagar registros antigos");
inline const QString Prompt = QStringLiteral("Primeiro dia que permacecerá no Histórico (dd/mm/aa): ");

// The first day kept, from the keeper's answer (dd/mm/yy or dd/mm/yyyy, one-digit day or month
// too): nothing for an empty answer (the operation ends without a word); an answer that is no
// date throws the " >>> Data inválida" refusal.
std::optional<QDate> FirstDayKept(const QString& answer);

// What a purge before `firstKept` would delete, read from the stored history (checked whole: a
// stored day that is no day is refused) and the last rostered day.
struct Plan {
    QDate firstKept;
    int records = 0;       // the records of the days before firstKept
    QDate firstDay;        // the first and the last day among them (invalid when there are none)
    QDate lastDay;
    QDate lastRostered;    // the last rostered day (Escala.Txt)
    // The first day kept comes after the last rostered day: every rostered duty would go, the
    // recent ones included.
    bool pastLastRostered() const { return records > 0 && firstKept > lastRostered; }
};
Plan PlanPurge(const QDate& firstKept);

// "Serão eliminados do Histórico 116 registros, do dia 02/02/04 ao dia 01/03/04." (one record,
// or one day, in the singular).
QString PlanLine(const Plan& plan);
// The first question: the plan line, then whether to go on.
QString ConfirmQuestion(const Plan& plan);
// The second question, for a first day kept after the last rostered day.
QString PastLastRosteredQuestion(const Plan& plan);

// Deletes the stored history records of the days before `plan.firstKept` in one transaction, and
// returns how many went. The stored history is counted again inside the transaction: when it no
// longer matches the plan the keeper confirmed, nothing is deleted and a message says so.
int Purge(const Plan& plan);

// Deletes the stored history records of the days before `firstKept` at once, asking nothing;
// returns how many went. A stored day that is no day is refused before anything is deleted.
int PurgeHistoryBefore(const QDate& firstKept);

// Asks the keeper a Yes/No question that guards a loss; true is Yes.
using Ask = std::function<bool(const QString& question)>;

struct Outcome {
    bool purged = false;   // false: nothing to delete, or the keeper said No
    int removed = 0;
};

// The whole item after its input box: nothing to delete asks nothing; else `ask` gets the first
// question and, for a day past the last rostered day, the second; Yes to both deletes.
Outcome PurgeAsking(const QDate& firstKept, const Ask& ask);

// "N registros foram eliminados do Histórico." (one record in the singular).
QString PurgedLine(int removed);

}
