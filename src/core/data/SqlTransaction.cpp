#include "SqlTransaction.h"

#include "CoreError.h"
#include "ReadMarks.h"
#include "UDMGeral.h"

#include <QHash>
#include <QSqlDriver>
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

// On a server, the writers of one unit take turns, and the turn is held until the transaction
// ends, so what a writer checks is still so when it writes. The turn is a lock on the unit's own
// register of services that conflicts with itself and with every change of rows, not with reading:
// only a login that may change the unit's tables can take it, so no other login of the server can
// stall the unit's writes by holding it. A unit not made yet (being published) has no tables: its
// publishers take turns on a lock named after it.
void SqlTransaction::takeWritersTurn(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    auto fail = [&db, &query] { throw CoreError(EngineErrorMessage(db, QString(), query.lastError())); };
    if (!query.exec(QStringLiteral("SELECT current_schema(), CASE WHEN current_schema() IS NULL THEN false "
                                   "ELSE to_regclass(format('%I.sv', current_schema())) IS NOT NULL END")))
        fail();
    const bool hasRegister = query.next() && !query.value(0).isNull() && query.value(1).toBool();
    const QString schema = hasRegister ? query.value(0).toString() : QString();
    query.finish();
    const QString statement =
        hasRegister ? QStringLiteral("LOCK TABLE %1.sv IN SHARE ROW EXCLUSIVE MODE")
                          .arg(db.driver()->escapeIdentifier(schema, QSqlDriver::TableName))
                    : QStringLiteral("SELECT pg_advisory_xact_lock(hashtext(current_setting('search_path')))");
    if (!query.exec(statement))
        fail();
}

SqlTransaction::SqlTransaction(const QSqlDatabase& db)
    : m_db(db), m_connection(db.connectionName())
{
    OpenTransaction& state = openTransactions()[m_connection];
    if (state.depth == 0) {
        if (!m_db.transaction())
            throw CoreError(EngineErrorMessage(m_db, QString(), m_db.lastError()));
        if (m_db.driverName() == QStringLiteral("QPSQL")) {
            try {
                takeWritersTurn(m_db);
            } catch (...) {
                m_db.rollback();
                throw;
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
