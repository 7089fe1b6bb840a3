#pragma once
// The commit of a verified roster ("Escalar") and the undo from a day.
//
// The commit writes the rosters, the personnel register and the history in one transaction,
// takes back the days computed after the target day in the same transaction, and then writes
// the target day to Escala.Txt. The undo from a day removes every rostered day from that day on:
// their history rows, their counts (by the kind the calendar gives the day now) and their
// service days; the last rostered day becomes the day before.

#include "Computation.h"

#include <QByteArray>
#include <QDate>
#include <QString>

// Writes what the verification computed. Throws, with nothing changed, when the stored data
// changed after the verification or when the database refuses.
void CommitRoster(const VerifiedRoster& verified);

struct UndoOutcome {
    bool ran = false;        // false: nothing was done (cancelled or refused)
    QString message;         // the refusal of a typed day that is no date
    QDate newLast;           // the last rostered day afterwards
    int removedRecords = 0;  // history rows deleted
};

// The undo from `first` (inclusive), in one transaction; Escala.Txt is written after it.
UndoOutcome UndoFrom(const QDate& first);

// Item 10 of "Manutenção" after its input box: an empty answer does nothing, a text that is
// no date gives the " >>> Data inválida" message.
UndoOutcome UndoFromAnswer(const QString& answer);

// The warning shown before the input box of item 10, its caption and its prompt.
inline const QString UndoWarning = QStringLiteral(
    "                                                CUIDADO !\n\nEsta opção irá eliminar os dados do Arquivo "
    "Histórico a partir de determinada Data\nSe você tiver dúvidas, melhor clicar em CANCEL no próximo painel");
inline const QString UndoCaption = QStringLiteral("Desfazer Escalas");
inline const QString UndoPrompt = QStringLiteral("Primeiro dia a eliminar (dd/mm/aa): ");

// A digest of the stored data a roster depends on: every working table, Escala.Txt and SemExped.Txt.
QByteArray StoredStateDigest();
