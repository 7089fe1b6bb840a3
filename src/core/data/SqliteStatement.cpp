#include "SqliteStatement.h"

#include "CoreError.h"
#include "UDMGeral.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>
#include <optional>
#include <sqlite3.h>

namespace {

// Whether the driver's SQLite is the program's: asked once, through the driver, of the first
// database that comes by. Two copies of the library in one program would each keep their own
// connections, and a handle of one must never reach the other.
bool sameLibrary(const QSqlDatabase& db)
{
    static std::optional<bool> same;
    if (!same) {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("SELECT sqlite_source_id()")) || !query.next())
            return false;   // asked again next time: the database may not be readable yet
        same = query.value(0).toString() == QLatin1String(sqlite3_sourceid());
    }
    return *same;
}

}

sqlite3* SqliteStatement::connectionOf(const QSqlDatabase& db)
{
    if (!db.isOpen() || db.driverName() != QLatin1String("QSQLITE") || !db.driver())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData());
    if (!connection || !sameLibrary(db))
        return nullptr;
    return connection;
}

SqliteStatement::SqliteStatement(sqlite3* connection, const QString& sql, const QString& databaseFile,
                                 const QString& table)
    : m_connection(connection), m_file(databaseFile), m_table(table)
{
    const QByteArray text = sql.toUtf8();
    const int code = sqlite3_prepare_v3(m_connection, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                                        &m_statement, nullptr);
    if (code != SQLITE_OK) {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        fail(code, "Unable to execute statement");
    }
    m_texts.resize(size_t(sqlite3_bind_parameter_count(m_statement)));
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

// The message the keeper reads, in the words used for every error of the engine; the engine's
// text is followed by what was being done, as the Qt driver words it.
void SqliteStatement::fail(int code, const char* what) const
{
    const QSqlError error(QLatin1String(what), QString::fromUtf8(sqlite3_errmsg(m_connection)),
                          QSqlError::StatementError, QString::number(code));
    throw CoreError(EngineErrorMessage(m_file, m_table, error));
}

void SqliteStatement::check(int code, const char* what) const
{
    if (code != SQLITE_OK)
        fail(code, what);
}

int SqliteStatement::parameterCount() const
{
    return int(m_texts.size());
}

void SqliteStatement::bindNull(int position)
{
    check(sqlite3_bind_null(m_statement, position + 1), "Unable to bind parameters");
}

void SqliteStatement::bindInteger(int position, qint64 value)
{
    check(sqlite3_bind_int64(m_statement, position + 1, value), "Unable to bind parameters");
}

void SqliteStatement::bindReal(int position, double value)
{
    check(sqlite3_bind_double(m_statement, position + 1, value), "Unable to bind parameters");
}

void SqliteStatement::bindText(int position, QStringView text)
{
    // UTF-8 written into the position's own buffer, which stays until the next bind there. A text
    // with a surrogate goes to the engine as UTF-16, as the Qt driver gives it: a lone surrogate
    // then becomes exactly what it always became.
    std::string& buffer = m_texts.at(size_t(position));
    buffer.resize(size_t(text.size()) * 3);
    char* out = buffer.data();
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x80) {
            *out++ = char(c);
        } else if (c < 0x800) {
            *out++ = char(0xC0 | (c >> 6));
            *out++ = char(0x80 | (c & 0x3F));
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            check(sqlite3_bind_text16(m_statement, position + 1, text.utf16(), int(text.size() * 2),
                                      SQLITE_TRANSIENT),
                  "Unable to bind parameters");
            return;
        } else {
            *out++ = char(0xE0 | (c >> 12));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        }
    }
    check(sqlite3_bind_text(m_statement, position + 1, buffer.data(), int(out - buffer.data()), SQLITE_STATIC),
          "Unable to bind parameters");
}

void SqliteStatement::bindValue(int position, const QVariant& value)
{
    if (!value.isValid() || value.isNull()) {
        bindNull(position);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::QString: {
        const QString& text = *static_cast<const QString*>(value.constData());
        if (text.isNull())
            bindNull(position);
        else
            bindText(position, text);
        return;
    }
    case QMetaType::Int:
        bindInteger(position, *static_cast<const int*>(value.constData()));
        return;
    case QMetaType::Bool:
        bindInteger(position, value.toInt());
        return;
    case QMetaType::LongLong:
        bindInteger(position, *static_cast<const qlonglong*>(value.constData()));
        return;
    case QMetaType::UInt:
        bindInteger(position, value.toLongLong());
        return;
    case QMetaType::Double:
        bindReal(position, value.toDouble());
        return;
    case QMetaType::QByteArray: {
        const QByteArray& bytes = *static_cast<const QByteArray*>(value.constData());
        if (bytes.isNull())
            bindNull(position);
        else
            check(sqlite3_bind_blob(m_statement, position + 1, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT),
                  "Unable to bind parameters");
        return;
    }
    case QMetaType::QDate:
        if (value.toDate().isNull())
            bindNull(position);
        else
            bindText(position, value.toString());
        return;
    case QMetaType::QDateTime:
        if (value.toDateTime().isNull())
            bindNull(position);
        else
            bindText(position, value.toDateTime().toString(Qt::ISODateWithMs));
        return;
    case QMetaType::QTime:
        if (value.toTime().isNull())
            bindNull(position);
        else
            bindText(position, value.toTime().toString(QStringLiteral("hh:mm:ss.zzz")));
        return;
    default:
        bindText(position, value.toString());
        return;
    }
}

bool SqliteStatement::step()
{
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE) {
        sqlite3_reset(m_statement);
        return false;
    }
    // The message is taken before the reset, which leaves the statement ready again.
    const QSqlError error(QStringLiteral("Unable to fetch row"), QString::fromUtf8(sqlite3_errmsg(m_connection)),
                          QSqlError::ConnectionError, QString::number(code));
    sqlite3_reset(m_statement);
    throw CoreError(EngineErrorMessage(m_file, m_table, error));
}

void SqliteStatement::execute()
{
    while (step()) {
    }
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_statement);
}

int SqliteStatement::columnCount() const
{
    return sqlite3_column_count(m_statement);
}

int SqliteStatement::columnType(int column) const
{
    return sqlite3_column_type(m_statement, column);
}

qint64 SqliteStatement::columnInteger(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

double SqliteStatement::columnReal(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

QByteArrayView SqliteStatement::columnBytes(int column) const
{
    if (sqlite3_column_type(m_statement, column) == SQLITE_BLOB) {
        const void* bytes = sqlite3_column_blob(m_statement, column);
        return QByteArrayView(static_cast<const char*>(bytes), sqlite3_column_bytes(m_statement, column));
    }
    const unsigned char* text = sqlite3_column_text(m_statement, column);
    return QByteArrayView(reinterpret_cast<const char*>(text), sqlite3_column_bytes(m_statement, column));
}
