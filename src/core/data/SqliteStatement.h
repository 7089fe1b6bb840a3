#pragma once
// One prepared statement on the SQLite connection of a database the Qt driver opened, for the
// writers and readers that handle every row of a table: values are bound by position (text as
// UTF-8 from buffers kept between rows, whole numbers as 64-bit, null), never pasted into SQL,
// and read back as the engine's own bytes. Every failure throws the keeper's message for an
// error of the engine on that file and table.
//
// The connection is the driver's own: statements run here are part of the transaction open on
// the QSqlDatabase. The driver and this program must use the same SQLite library (on Debian both
// link the system libsqlite3); connectionOf() checks that once and gives no connection otherwise,
// and the callers then keep to QSqlQuery.

#include <QByteArray>
#include <QByteArrayView>
#include <QSqlDatabase>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

class SqliteStatement {
public:
    // The SQLite connection of an open database of the QSQLITE driver; null for another driver,
    // a closed database, or a driver built on another SQLite library than the program's.
    static sqlite3* connectionOf(const QSqlDatabase& db);

    // Prepares `sql` (one statement) on `connection`. `databaseFile` and `table` name the place
    // in the messages of the errors.
    SqliteStatement(sqlite3* connection, const QString& sql, const QString& databaseFile, const QString& table);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    int parameterCount() const;

    // Binds the value at `position` (0 = the first "?"): kept until the next bind of that position.
    void bindNull(int position);
    void bindInteger(int position, qint64 value);
    void bindReal(int position, double value);
    void bindText(int position, QStringView text);
    // Binds a value as the Qt driver binds it, so that the table holds the same thing: a null
    // value (or a null text) as NULL, Int/Bool/UInt/LongLong as whole numbers, Double as a real,
    // bytes as a blob, text as text, and any other type as its text.
    void bindValue(int position, const QVariant& value);

    // Runs the statement one step: true when a row is ready, false when it is done. A statement
    // that is done is reset, ready to run again with new values; an error resets it and throws.
    bool step();
    // Runs a statement that gives no rows (a write) to its end and resets it.
    void execute();
    // Ends a run early (a read left half-way) so the statement holds nothing open.
    void reset();

    int columnCount() const;
    // The engine's type of a column of the current row: SQLITE_NULL, SQLITE_INTEGER, SQLITE_FLOAT,
    // SQLITE_TEXT or SQLITE_BLOB.
    int columnType(int column) const;
    qint64 columnInteger(int column) const;
    double columnReal(int column) const;
    // The column as UTF-8 text (numbers as the engine writes them) or, for a blob, its bytes;
    // valid until the next step.
    QByteArrayView columnBytes(int column) const;

private:
    [[noreturn]] void fail(int code, const char* what) const;
    void check(int code, const char* what) const;

    sqlite3* m_connection = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    QString m_file;
    QString m_table;
    std::vector<std::string> m_texts;   // one kept buffer per position
};
