#include "ReadMarks.h"

#include "SqlTransaction.h"

#include <QHash>

namespace {

struct ConnectionMarks {
    QHash<QString, QByteArray> held;                      // marks of committed reads and writes
    QHash<QString, std::optional<QByteArray>> pending;    // of the open transaction; none = forgotten
    bool confirmed = false;                               // the open transaction checked every working table
};

QHash<QString, ConnectionMarks>& marks()
{
    static QHash<QString, ConnectionMarks> all;
    return all;
}

void set(const QString& connection, const QString& table, const std::optional<QByteArray>& digest)
{
    ConnectionMarks& own = marks()[connection];
    if (SqlTransaction::isOpen(connection))
        own.pending[table] = digest;
    else if (digest)
        own.held[table] = *digest;
    else
        own.held.remove(table);
}

}

namespace ReadMarks {

void record(const QString& connection, const QString& table, const QByteArray& digest)
{
    set(connection, table, digest);
}

void forget(const QString& connection, const QString& table)
{
    set(connection, table, std::nullopt);
}

std::optional<QByteArray> expected(const QString& connection, const QString& table)
{
    const auto own = marks().constFind(connection);
    if (own == marks().constEnd())
        return std::nullopt;
    if (const auto pending = own->pending.constFind(table); pending != own->pending.constEnd())
        return *pending;
    if (const auto held = own->held.constFind(table); held != own->held.constEnd())
        return *held;
    return std::nullopt;
}

void transactionEnded(const QString& connection, bool committed)
{
    const auto own = marks().find(connection);
    if (own == marks().end())
        return;
    if (committed) {
        for (auto mark = own->pending.cbegin(); mark != own->pending.cend(); ++mark) {
            if (mark.value())
                own->held[mark.key()] = *mark.value();
            else
                own->held.remove(mark.key());
        }
    }
    own->pending.clear();
    own->confirmed = false;
}

void confirmWholeState(const QString& connection)
{
    if (SqlTransaction::isOpen(connection))
        marks()[connection].confirmed = true;
}

bool wholeStateConfirmed(const QString& connection)
{
    const auto own = marks().constFind(connection);
    return own != marks().constEnd() && own->confirmed;
}

void forgetConnection(const QString& connection)
{
    marks().remove(connection);
}

}
