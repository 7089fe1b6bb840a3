#pragma once
// The log of counts: every change the program makes to a soldier's Pt or Vm count in a roster
// leaves a row in the table LogPontos, written in the same transaction as the change.
//
// Two kinds of row:
// - a value row (CodSv = the roster's code): the soldier's count of that kind in that roster was
//   Antes and became Depois ("início", a newcomer placed, a return, equalise, zero, an edit);
// - a duty row (CodSv = 0): a duty moved the count of that kind by Delta (+1 or -1) in every roster
//   that lists the soldier, so one row stands for all of them; Dia and SvDia name the duty.
// A roster's count for a soldier is therefore the Depois of his last value row for that roster,
// plus the Deltas of his duty rows written after it (Id order).
// A duty row of the history as it stood before the log followed it ("histórico anterior"), or of a
// number the manual grid lists without counting him ("escala manual sem contagem") and the undo
// takes away without a count ("desfazer sem contagem": a number after a double blank), tells the
// audit what the history lists but moves no count: the counts already held those duties, or never
// did.
// A purge of the history leaves a marker row (CodSv = 0, Operacao "expurgo", Dia = the first day
// kept, no soldier): duty rows of earlier days stay, for the counts, but have no history to match.

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <functional>

namespace CountLog {

inline const QString Table = QStringLiteral("LogPontos");

// The operations, as stored in Operacao.
namespace Operation {
inline const QString Start = QStringLiteral("início");
inline const QString Commit = QStringLiteral("escalar");
inline const QString Undo = QStringLiteral("desfazer");
inline const QString ManualCommit = QStringLiteral("escala manual");
inline const QString Swap = QStringLiteral("troca");
inline const QString Newcomer = QStringLiteral("inclusão");
inline const QString Return = QStringLiteral("retorno");
inline const QString Equalise = QStringLiteral("equalizar");
inline const QString Zero = QStringLiteral("zerar");
inline const QString Edit = QStringLiteral("edição");
inline const QString Purge = QStringLiteral("expurgo");
inline const QString Existing = QStringLiteral("histórico anterior");
inline const QString Uncounted = QStringLiteral("escala manual sem contagem");
inline const QString UncountedUndo = QStringLiteral("desfazer sem contagem");
}

inline const QString Black = QStringLiteral("Pt");
inline const QString Red = QStringLiteral("Vm");

struct Row {
    int roster = 0;       // CodSv: 1 to 30 for a value row, 0 for a duty row
    QString number;       // Num
    QString kind;         // Black or Red
    int before = 0;       // Antes (value rows)
    int after = 0;        // Depois (value rows)
    int delta = 0;        // Delta: after - before for a value row, +1 or -1 for a duty row
    QString operation;    // one of Operation
    QString day;          // Dia, dd/mm/yy: the duty's day (duty rows)
    int service = 0;      // SvDia: the duty's service (duty rows)
};

// A value row: the count of `kind` of soldier `number` in roster `roster` went from before to after.
Row valueRow(int roster, const QString& number, const QString& kind, int before, int after, const QString& operation);
// A duty row: a duty of `service` on `day` moved the soldier's count of `kind` by delta.
Row dutyRow(const QString& number, const QString& kind, int delta, const QString& operation, const QString& day,
            int service);

// The marker of a purge of the history before `firstDayKept` (dd/mm/yy).
Row purgeRow(const QString& firstDayKept);

// Whether a duty row moves the soldier's counts (a duty taken, given or taken back), rather than
// only recording what the history lists.
bool movesCounts(const Row& row);

// Creates the table when the data folder has none (older folders).
void EnsureTable(const QSqlDatabase& db);

// Appends the rows, stamped with Clock's now, through one prepared statement. Runs inside the
// caller's transaction; an engine error throws CoreError naming the table.
void Append(const QSqlDatabase& db, const QList<Row>& rows);

// Every row of the log in the order written (Id), to `visit`; a folder without the table reads as an
// empty log (the table is not created). An engine error throws CoreError naming the table.
void ReadAll(const QSqlDatabase& db, const std::function<void(const Row&)>& visit);

// Empties the log (the start afresh of the installer, the reset and the restore, which then append
// a Start row per count).
void Clear(const QSqlDatabase& db);

}

// --- rows built from the model ---

struct HistoryRecord;
class RosterTable;

namespace CountLog {

// The duty rows of a history record: one per soldier it lists, of the record's kind, by delta.
QList<Row> dutyRows(const HistoryRecord& record, int delta, const QString& operation);

// "dd/mm/yy|code": the duty a record or a duty row stands for, as the log names it.
QString dutyKey(const QString& day, int service);

// A Start row for every count of every member of the roster (Antes = Depois = the count).
QList<Row> startRows(int roster, const RosterTable& table);

// The value rows that take the roster from `before` to `after`: a row per count that changed, and
// both counts of a member `after` lists that `before` did not (Antes 0), so his count in this
// roster never rests on duties he did before he joined it.
QList<Row> changedRows(int roster, const RosterTable& before, const RosterTable& after, const QString& operation);

// The count a roster cell holds, as the log reads it (a cell that is no number counts 0).
int cellCount(const QString& cell);

}

namespace CountLog {

// Copies every row of the log from one database to another, in their order (the ids are the new
// database's own), in the caller's transaction on `to`. A database without a log copies nothing.
void CopyAll(const QSqlDatabase& from, const QSqlDatabase& to);

// Starts the log afresh in `db`: empties it, then appends a Start row per count of every member of
// the stored rosters Sv1 to Sv30, as they are stored now, and an Existing duty row per soldier of
// every stored history record, so that every later change of a record is matched. Runs inside the
// caller's transaction.
void StartAfresh(const QSqlDatabase& db);

// Gives a start to the rosters that have none (a folder from before the log): a Start row per
// count of each member of every stored roster without a value row yet, and the Existing rows of
// the stored history records the log holds no duty row of, in one transaction; the rosters already
// logged keep their rows. Returns the codes of the rosters started, in order.
QList<int> StartWhereMissing(const QSqlDatabase& db);

// The Existing rows of those `records` (as stored, before the caller changes or removes them) that
// the log holds no duty row of: a log begun before it recorded the history (an older folder) would
// otherwise see a swap or an undo of such a record as a duty without its history. Reads the log;
// runs inside the caller's transaction.
QList<Row> unloggedHistoryRows(const QSqlDatabase& db, const QList<HistoryRecord>& records);

}
