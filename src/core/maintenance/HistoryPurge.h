#pragma once
// The purge of old history: every record of a day before the first day the keeper keeps is
// deleted from the stored history, for good. The in-memory history is not touched; the next load
// reads the shortened table.

#include <QDate>
#include <QString>
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

// Deletes the stored history records of the days before `firstKept`; returns how many went.
// A stored day that is no day is refused before anything is deleted.
int PurgeHistoryBefore(const QDate& firstKept);

// "N registros foram eliminados do Histórico." (one record in the singular).
QString PurgedLine(int removed);

}
