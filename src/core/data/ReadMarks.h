#pragma once
// What this desk last read of each table of a unit on a server. The model is read whole and
// written whole: a table written back from a model read before another desk's commit would undo
// that commit. So every read of a table from a server leaves a mark (the digest of the rows read),
// and a whole-table write first checks, under the unit's lock, that the stored table still has
// that digest. A mark made inside a transaction only holds once the transaction commits.

#include <QByteArray>
#include <QString>

#include <optional>

namespace ReadMarks {

// What the keeper reads when the stored table is no longer the one the desk read.
inline const QString ChangedElsewhere =
    QStringLiteral("Os dados foram alterados em outro computador desde a verificação. Verifique novamente.");

// The digest of the rows of `table` as the desk has just read or written them on `connection`.
void record(const QString& connection, const QString& table, const QByteArray& digest);
// The table was changed in a way the desk did not read back: its next whole write is not checked.
void forget(const QString& connection, const QString& table);
// The digest the stored table must still have, or none when the desk holds no mark of it.
std::optional<QByteArray> expected(const QString& connection, const QString& table);
// The open transaction of the connection has checked, under the unit's lock, that the working
// tables are what the desk read (a commit's digest): its whole writes of tables need no check of
// their own, and leave no mark (the desk reads again before it writes again). No open transaction:
// nothing.
void confirmWholeState(const QString& connection);
bool wholeStateConfirmed(const QString& connection);
// The outer transaction of the connection ended: its marks hold (committed) or are dropped.
void transactionEnded(const QString& connection, bool committed);
// The connection closed: none of its marks hold any longer.
void forgetConnection(const QString& connection);

}
