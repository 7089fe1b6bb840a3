#pragma once
// Where a unit lives when it is kept on a PostgreSQL server instead of in the data folder's
// Ravelha.db: the server's address (postgresql://user@host:port/database?sslmode=...) and the
// unit's name, which is the name of its schema there. The password never travels here: the
// server's client library takes it from ~/.pgpass, PGPASSFILE or PGPASSWORD.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

struct ServerAddress {
    QString url;    // as the keeper gave it
    QString unit;   // as the keeper gave it; the schema is its lower-case form

    bool isSet() const { return !url.isEmpty(); }
    QString schema() const { return unit.toLower(); }
    // The server as the keeper reads it in messages and titles: "host/database" (no user).
    QString serverLabel() const;
    // "unidade 1bpm no servidor host/database".
    QString label() const;

    // Checks the address and the unit's name; a bad one throws a message saying what is wrong.
    void requireValid() const;
    // Checks the address alone (to list a server's units).
    void requireServer() const;
    // Sets host, port, user, database and connection options of a QPSQL connection.
    void applyTo(QSqlDatabase& db) const;
};

namespace ServerAddresses {

// The address chosen by the command line (--banco URL, --unidade NOME), else RAVELHA_BANCO and
// RAVELHA_UNIDADE; both options are taken out of `arguments`. Unset when no server is named.
// A unit without a server, or an address that is no server's, throws; a server without a unit
// serves to list its units, and is refused when a unit is opened.
ServerAddress choose(QStringList& arguments);

// The address of this run (unset: the data folder's own Ravelha.db).
void setCurrent(const ServerAddress& address);
const ServerAddress& current();

}
