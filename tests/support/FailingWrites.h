#pragma once
// A write the engine refuses, on either engine: a trigger that aborts every `event` (INSERT,
// DELETE, UPDATE) on `table`, as a full disk would, and its removal.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

inline bool MakeWritesFail(const QSqlDatabase& db, const QString& table, const QString& event)
{
    QSqlQuery q(db);
    if (db.driverName() == QStringLiteral("QPSQL"))
        return q.exec(QStringLiteral("CREATE OR REPLACE FUNCTION falha() RETURNS trigger AS $$ BEGIN "
                                     "RAISE EXCEPTION 'disco cheio'; END $$ LANGUAGE plpgsql"))
            && q.exec(QStringLiteral("CREATE TRIGGER falha BEFORE %1 ON %2 FOR EACH ROW EXECUTE FUNCTION falha()")
                          .arg(event, table));
    return q.exec(QStringLiteral("CREATE TRIGGER falha BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'disco cheio'); END")
                      .arg(event, table));
}

inline bool StopWritesFailing(const QSqlDatabase& db, const QString& table)
{
    QSqlQuery q(db);
    if (db.driverName() == QStringLiteral("QPSQL"))
        return q.exec(QStringLiteral("DROP TRIGGER falha ON %1").arg(table));
    return q.exec(QStringLiteral("DROP TRIGGER falha"));
}
