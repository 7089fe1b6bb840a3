#pragma once
// A transaction guard: it rolls back unless it was committed. Guards nest: an inner guard joins
// the transaction of an outer one on the same connection, so a writer that runs alone is one
// transaction, and several writers run under one outer guard (a commit) are one transaction too.

#include <QSqlDatabase>
#include <QString>

class SqlTransaction {
public:
    explicit SqlTransaction(const QSqlDatabase& db);
    ~SqlTransaction();
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;

    // Commits the outer transaction (an inner guard only marks its part as done).
    // Throws when the database refuses, or when an inner part failed; the transaction is then
    // rolled back.
    void commit();

    // Whether a transaction guard is open on the connection of that name.
    static bool isOpen(const QString& connection);

    // On a server, takes the unit's writers' turn in the transaction open on `db` (every outer
    // transaction does so first); throws CoreError when the server refuses.
    static void takeWritersTurn(const QSqlDatabase& db);

private:
    void ended(bool committed);

    QSqlDatabase m_db;
    QString m_connection;
    bool m_outer = false;
    bool m_done = false;
};
