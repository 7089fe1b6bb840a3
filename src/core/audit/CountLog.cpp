#include "CountLog.h"

#include "data/Clock.h"
#include "data/CoreError.h"
#include "data/UDMGeral.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTime>

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
        query.bindValue(2, row.number);
        query.bindValue(3, row.kind);
        query.bindValue(4, duty ? QVariant() : QVariant(row.before));
        query.bindValue(5, duty ? QVariant() : QVariant(row.after));
        query.bindValue(6, row.delta);
        query.bindValue(7, row.operation);
        query.bindValue(8, duty ? QVariant(row.day) : QVariant());
        query.bindValue(9, duty ? QVariant(row.service) : QVariant());
        exec(query, db);
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
