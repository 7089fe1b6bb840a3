#include "SqlTransaction.h"

#include "CoreError.h"
#include "ReadMarks.h"
#include "UDMGeral.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>

namespace {
struct OpenTransaction {
    int depth = 0;
    bool failed = false;
};

QHash<QString, OpenTransaction>& openTransactions()
{
    static QHash<QString, OpenTransaction> open;
    return open;
}
}

SqlTransaction::SqlTransaction(const QSqlDatabase& db)
    : m_db(db), m_connection(db.connectionName())
{
    OpenTransaction& state = openTransactions()[m_connection];
    if (state.depth == 0) {
        if (!m_db.transaction())
            throw CoreError(EngineErrorMessage(m_db, QString(), m_db.lastError()));
        // On a server, the writers of one unit take turns: the lock is the unit's (the schema the
        // connection works in, even before it exists), held until the transaction ends, so what a
        // writer checks is still so when it writes.
        if (m_db.driverName() == QStringLiteral("QPSQL")) {
            QSqlQuery lock(m_db);
            if (!lock.exec(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext(current_setting('search_path')))"))) {
                const QString why = EngineErrorMessage(m_db, QString(), lock.lastError());
                m_db.rollback();
                throw CoreError(why);
            }
        }
        state.failed = false;
        m_outer = true;
    }
    ++state.depth;
}

SqlTransaction::~SqlTransaction()
{
    OpenTransaction& state = openTransactions()[m_connection];
    --state.depth;
    if (m_done)
        return;
    if (m_outer) {
        m_db.rollback();
        ended(false);
    } else {
        state.failed = true;
    }
}

void SqlTransaction::commit()
{
    OpenTransaction& state = openTransactions()[m_connection];
    m_done = true;
    if (!m_outer)
        return;
    if (state.failed) {
        m_db.rollback();
        ended(false);
        throw CoreError(QStringLiteral("A gravação foi interrompida e desfeita; nada foi alterado."));
    }
    if (!m_db.commit()) {
        const QString why = EngineErrorMessage(m_db, QString(), m_db.lastError());
        m_db.rollback();
        ended(false);
        throw CoreError(why);
    }
    ended(true);
}

bool SqlTransaction::isOpen(const QString& connection)
{
    const auto state = openTransactions().constFind(connection);
    return state != openTransactions().constEnd() && state->depth > 0;
}

void SqlTransaction::ended(bool committed)
{
    // What was read or written inside the transaction holds only if it committed.
    ReadMarks::transactionEnded(m_connection, committed);
}
