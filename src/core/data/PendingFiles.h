#pragma once
// Text files that belong to an operation on the tables (Escala.Txt after a commit or an undo, the
// calendar and its preparation period, the day of the last equalisation).
// Inside the operation's transaction, the lines a file must hold are recorded in the table
// ArquivosPendentes of the same database; once the transaction has committed, the file is written
// and its record cleared. A stop in between (a kill, a file that cannot be written) leaves the
// record: the file is written when the data folder is next opened, and until then readers take
// the recorded lines. So the tables and their files are seen together, wholly before or wholly
// after the operation. Once the record is cleared the file alone counts again, so a keeper's hand
// edit of it is honoured.
// On a server the unit's state files are rows of the unit, written in the transaction itself; a
// file of the desk's own folder staged there is recorded under the desk's name, and only that
// desk writes it.

#include <QString>
#include <QStringList>
#include <optional>

namespace PendingFiles {

inline const QString Table = QStringLiteral("ArquivosPendentes");

// Records the lines of a file (by bare name) in the transaction the caller holds on the data
// alias; a later record of the same file replaces it.
void stage(const QString& bareName, const QStringList& lines);

// Writes every recorded file and clears its record. Returns the keeper's notice for the files
// that could not be written (their records stay); empty when every file was written. `atStart`:
// the records were left by an earlier run, and the notice says so.
QString finish(bool atStart = false);

// `finish` right after the caller's transaction committed, between the named steps where a test
// may stop the run (see KillPoints).
QString finishCommitted();

// The lines recorded for a file and not written yet, if any.
std::optional<QStringList> pending(const QString& bareName);

}
