#include "CountLog.h"

#include "data/Clock.h"
#include "data/CoreError.h"
#include "data/SqlTransaction.h"
#include "data/UDMGeral.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>
#include <functional>

namespace CountLog {

namespace {

void exec(QSqlQuery& query, const QSqlDatabase& db)
{
    if (!query.exec())
        throw CoreError(EngineErrorMessage(db.databaseName(), Table, query.lastError()));
}

// The moment a row is written: the program's today (a fixed day in tests and with --hoje) at the
// clock's time of day.
QString now()
{
    return QDateTime(Clock::today(), QTime::currentTime()).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

}

Row valueRow(int roster, const QString& number, const QString& kind, int before, int after, const QString& operation)
{
    return Row{roster, number, kind, before, after, after - before, operation, QString(), 0};
}

Row dutyRow(const QString& number, const QString& kind, int delta, const QString& operation, const QString& day,
            int service)
{
    return Row{0, number, kind, 0, 0, delta, operation, day, service};
}

Row purgeRow(const QString& firstDayKept)
{
    return Row{0, QString(), QString(), 0, 0, 0, Operation::Purge, firstDayKept, 0};
}

void EnsureTable(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (Id INTEGER PRIMARY KEY AUTOINCREMENT, "
                                      "Quando TEXT NOT NULL, CodSv INTEGER NOT NULL, Num TEXT NOT NULL, "
                                      "Tipo TEXT NOT NULL, Antes INTEGER, Depois INTEGER, Delta INTEGER NOT NULL, "
                                      "Operacao TEXT NOT NULL, Dia TEXT, SvDia INTEGER)")
                           .arg(Table)))
        throw CoreError(EngineErrorMessage(db.databaseName(), Table, query.lastError()));
    exec(query, db);
}

void Append(const QSqlDatabase& db, const QList<Row>& rows)
{
    if (rows.isEmpty())
        return;
    EnsureTable(db);
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("INSERT INTO %1 (Quando, CodSv, Num, Tipo, Antes, Depois, Delta, Operacao, Dia, "
                                      "SvDia) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                           .arg(Table)))
        throw CoreError(EngineErrorMessage(db.databaseName(), Table, query.lastError()));
    const QString when = now();
    for (const Row& row : rows) {
        const bool duty = row.roster == 0;
        query.bindValue(0, when);
        query.bindValue(1, row.roster);
        // A null text would be bound as NULL: the purge marker's empty number and kind are stored
        // as empty texts.
        query.bindValue(2, row.number.isNull() ? QStringLiteral("") : row.number);
        query.bindValue(3, row.kind.isNull() ? QStringLiteral("") : row.kind);
        query.bindValue(4, duty ? QVariant() : QVariant(row.before));
        query.bindValue(5, duty ? QVariant() : QVariant(row.after));
        query.bindValue(6, row.delta);
        query.bindValue(7, row.operation);
        query.bindValue(8, duty ? QVariant(row.day) : QVariant());
        query.bindValue(9, duty ? QVariant(row.service) : QVariant());
        exec(query, db);
    }
}

void ReadAll(const QSqlDatabase& db, const std::function<void(const Row&)>& visit)
{
    if (!db.tables().contains(Table))
        return;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT CodSv, Num, Tipo, Antes, Depois, Delta, Operacao, Dia, SvDia FROM %1 "
                                   "ORDER BY Id")
                            .arg(Table)))
        throw CoreError(EngineErrorMessage(db.databaseName(), Table, query.lastError()));
    Row row;
    while (query.next()) {
        row.roster = query.value(0).toInt();
        row.number = query.value(1).toString();
        row.kind = query.value(2).toString();
        row.before = query.value(3).toInt();
        row.after = query.value(4).toInt();
        row.delta = query.value(5).toInt();
        row.operation = query.value(6).toString();
        row.day = query.value(7).toString();
        row.service = query.value(8).toInt();
        visit(row);
    }
}

void Clear(const QSqlDatabase& db)
{
    EnsureTable(db);
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("DELETE FROM %1").arg(Table)))
        throw CoreError(EngineErrorMessage(db.databaseName(), Table, query.lastError()));
    exec(query, db);
}

}

#include "data/Dates.h"
#include "data/ModelRecords.h"

#include <QHash>

namespace CountLog {

int cellCount(const QString& cell)
{
    return cell.trimmed().toInt();
}

QList<Row> dutyRows(const HistoryRecord& record, int delta, const QString& operation)
{
    QList<Row> rows;
    const QString day = Dates::show(record.Dia);
    for (const QStringView num : QStringView(record.Num).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        rows << dutyRow(num.toString(), record.PtVm, delta, operation, day, record.CodSv);
    return rows;
}

QList<Row> startRows(int roster, const RosterTable& table)
{
    QList<Row> rows;
    for (int row = 1; row <= Capacity::RosterRows; ++row) {
        const QString& num = table.cell(RosterTable::NumCol, row);
        if (num.isEmpty())
            break;
        const int pt = cellCount(table.cell(RosterTable::PtCol, row));
        const int vm = cellCount(table.cell(RosterTable::VmCol, row));
        rows << valueRow(roster, num, Black, pt, pt, Operation::Start) << valueRow(roster, num, Red, vm, vm, Operation::Start);
    }
    return rows;
}

QList<Row> changedRows(int roster, const RosterTable& before, const RosterTable& after, const QString& operation)
{
    QHash<QString, std::pair<int, int>> earlier;
    for (int row = 1; row <= Capacity::RosterRows; ++row) {
        const QString& num = before.cell(RosterTable::NumCol, row);
        if (num.isEmpty())
            break;
        earlier.insert(num, {cellCount(before.cell(RosterTable::PtCol, row)),
                             cellCount(before.cell(RosterTable::VmCol, row))});
    }
    QList<Row> rows;
    for (int row = 1; row <= Capacity::RosterRows; ++row) {
        const QString& num = after.cell(RosterTable::NumCol, row);
        if (num.isEmpty())
            break;
        const int pt = cellCount(after.cell(RosterTable::PtCol, row));
        const int vm = cellCount(after.cell(RosterTable::VmCol, row));
        const auto found = earlier.constFind(num);
        const bool joined = found == earlier.constEnd();
        const std::pair<int, int> was = joined ? std::pair<int, int>{0, 0} : *found;
        if (joined || was.first != pt)
            rows << valueRow(roster, num, Black, was.first, pt, operation);
        if (joined || was.second != vm)
            rows << valueRow(roster, num, Red, was.second, vm, operation);
    }
    return rows;
}

}

namespace CountLog {

namespace {

// Start rows for every count of every member of the stored rosters whose code `wanted` accepts.
QList<Row> storedStartRows(const QSqlDatabase& db, const std::function<bool(int)>& wanted)
{
    const QStringList tables = db.tables();
    QList<Row> rows;
    for (int code = 1; code <= Capacity::Services; ++code) {
        const QString table = QStringLiteral("Sv%1").arg(code);
        if (!tables.contains(table) || !wanted(code))
            continue;
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT Num, Pt, Vm FROM %1 ORDER BY rowid").arg(table)))
            throw CoreError(EngineErrorMessage(db.databaseName(), table, query.lastError()));
        while (query.next()) {
            const QString num = query.value(0).toString();
            if (num.isEmpty())
                continue;
            const int pt = cellCount(query.value(1).toString());
            const int vm = cellCount(query.value(2).toString());
            rows << valueRow(code, num, Black, pt, pt, Operation::Start) << valueRow(code, num, Red, vm, vm, Operation::Start);
        }
    }
    return rows;
}

}

void StartAfresh(const QSqlDatabase& db)
{
    Clear(db);
    Append(db, storedStartRows(db, [](int) { return true; }));
}

QList<int> StartWhereMissing(const QSqlDatabase& db)
{
    SqlTransaction transaction(db);
    EnsureTable(db);
    QSet<int> referenced;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT DISTINCT CodSv FROM %1 WHERE CodSv > 0").arg(Table)))
        throw CoreError(EngineErrorMessage(db.databaseName(), Table, query.lastError()));
    while (query.next())
        referenced.insert(query.value(0).toInt());
    const QList<Row> rows = storedStartRows(db, [&](int code) { return !referenced.contains(code); });
    Append(db, rows);
    transaction.commit();
    QList<int> started;
    for (const Row& row : rows)
        if (started.isEmpty() || started.last() != row.roster)
            started << row.roster;
    return started;
}

}
