#pragma once
// The commit of a verified roster ("Escalar") and the undo from a day.
//
// Each is one transaction: the rosters, the personnel register, the history and the last rostered
// day (Escala.Txt, recorded with the tables and written once they have committed) move together,
// so a stop at any moment leaves the data folder wholly before or wholly after. The commit
// takes back the days computed after the target day in the same transaction. The undo from a day
// removes every rostered day from that day on: their history rows, their counts (by the kind each
// row was counted with, whatever the calendar says of the day now) and their service days; the last
// rostered day becomes the day before.

#include "Computation.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <functional>

// Asks the keeper a Yes/No question that guards a loss; true is Yes. No one to ask is No.
using Confirm = std::function<bool(const QString& question)>;

struct CommitOutcome {
    bool done = false;   // false: the keeper declined the question; nothing was written
    QString notice;      // the tables were written but a file was not (see PendingFiles)
};

// Writes what the verification computed. A target day before the last rostered day undoes the
// rostered days after it: the keeper is asked first. Throws, with nothing changed, when the
// stored data changed after the verification or when the database refuses.
CommitOutcome CommitRoster(const VerifiedRoster& verified, const Confirm& confirm = {});

struct UndoOutcome {
    bool ran = false;        // false: nothing was done (cancelled, declined or refused)
    QString message;         // the refusal (a typed day that is no date, a day that cannot be undone)
    QString notice;          // the tables were written but a file was not
    QDate newLast;           // the last rostered day afterwards
    int removedRecords = 0;  // history rows deleted
};

// The undo from `first` (inclusive), in one transaction. An undo from a day after the day that
// follows the last rostered day would count days never rostered as rostered: the keeper is asked.
UndoOutcome UndoFrom(const QDate& first, const Confirm& confirm = {});

// Item 10 of "Manutenção" after its input box: an empty answer does nothing, a text that is
// no date gives the " >>> Data inválida" message.
UndoOutcome UndoFromAnswer(const QString& answer, const Confirm& confirm = {});

// The kind a history record's duty was counted with: the kind stored with it ("Pt" or "Vm"); a
// record without one (left empty by hand) takes the kind the calendar in memory gives its day.
// The calendar keeps only the last 30 days before the last rostered day, and may have changed since.
QString RecordedKind(const QString& storedKind, const QDate& day);

// Every operation that moves the last rostered day with its tables records the day inside its
// transaction (DataFiles::StageLastRosteredDay), then, once the transaction has committed, calls
// this: the model and Escala.Txt follow the tables. Returns the notice of a file that could not
// be written (the operation stands).
QString FinishLastRosteredDay(const QDate& day);

// The last rostered day as Escala.Txt (or a commit's record of it) holds it; throws when it is
// no date.
QDate LastRosteredDate();

// The questions, or the empty text when there is nothing to ask.
QString PastTargetQuestion(const QDate& target, const QDate& lastRostered);
QString FutureUndoQuestion(const QDate& first, const QDate& lastRostered);

// The warning shown before the input box of item 10, its caption and its prompt.
inline const QString UndoWarning = QStringLiteral(
    "                                                CUIDADO !\n\nEsta opção irá eliminar os dados do Arquivo "
    "Histórico a partir de determinada Data\nSe você tiver dúvidas, melhor clicar em CANCEL no próximo painel");
inline const QString UndoCaption = QStringLiteral("Desfazer Escalas");
inline const QString UndoPrompt = QStringLiteral("Primeiro dia a eliminar (dd/mm/aa): ");

// Inside a writer's transaction: the model becomes the verified one (rosters, personnel, history)
// and the three are written, rosters first.
void WriteVerifiedModel(const std::vector<RosterTable>& grades, const std::vector<SoldierRecord>& soldiers,
                        const std::vector<HistoryRecord>& history);

// Inside a writer's transaction: throws, with nothing written, when the stored data are no longer
// those of `digest` (another window or program wrote in between). `what` names the step that
// must be made again: "depois da verificação", and `advice` says how.
void RequireStoredStateUnchanged(const QByteArray& digest, const QString& what, const QString& advice);

// A digest of the stored data a roster depends on: every working table, the last rostered day
// and SemExped.Txt.
QByteArray StoredStateDigest();
