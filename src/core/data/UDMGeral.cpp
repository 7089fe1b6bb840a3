#include "UDMGeral.h"

#include "Capacities.h"
#include "CoreError.h"
#include "Dates.h"
#include "ReadMarks.h"
#include "RowChecks.h"
#include "SqliteStatement.h"
#include "TableSchema.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <algorithm>
#include <climits>
#include <sqlite3.h>
#include <vector>

namespace {

// The modules alive, the latest last: a module made for a moment (to fill a new folder, or by a
// test) serves while it lives, and the one before it serves again when it is gone.
std::vector<TDMGeral*>& liveModules()
{
    static std::vector<TDMGeral*> modules;
    return modules;
}

// The values of tables handed to a hash: each value as its kind, its length in 7-bit groups (the
// last one below 0x80) and its bytes, a mark after each row, all gathered in large pieces.
class DigestBuffer {
public:
    explicit DigestBuffer(QCryptographicHash& hash) : m_hash(hash) { m_buffer.reserve(1 << 16); }

    void add(char kind, QByteArrayView bytes)
    {
        m_buffer.append(kind);
        quint64 size = quint64(bytes.size());
        while (size >= 0x80) {
            m_buffer.append(char(0x80 | (size & 0x7F)));
            size >>= 7;
        }
        m_buffer.append(char(size));
        m_buffer.append(bytes);
    }
    void addTableName(const QString& name) { add('#', name.toUtf8()); }
    // A row as the Qt driver of a server gives it.
    void addRow(const QVariantList& row)
    {
        for (const QVariant& value : row) {
            const bool isNull = value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isNull());
            if (isNull)
                add('0', {});
            else if (value.typeId() == QMetaType::QByteArray)
                add('b', value.toByteArray());
            else
                add(value.typeId() == QMetaType::QString ? 't' : 'i', value.toString().toUtf8());
        }
        endRow();
    }
    void endRow()
    {
        m_buffer.append('\x1e');
        if (m_buffer.size() > (1 << 15))
            flush();
    }
    void flush()
    {
        m_hash.addData(m_buffer);
        m_buffer.resize(0);
    }

private:
    QCryptographicHash& m_hash;
    QByteArray m_buffer;
};

// Every column of a kind of table, each named as the table names it: a server would give the
// names of a bare SELECT * back in lower case.
QString namedColumns(TableSchema::Kind kind)
{
    QStringList named;
    for (const QString& column : TableSchema::columns(kind))
        named << QStringLiteral("%1 AS \"%1\"").arg(column);
    return named.join(QStringLiteral(", "));
}

int aliasIndex(Alias alias)
{
    return alias == Alias::Ravelha ? 0 : 1;
}

QString aliasName(Alias alias)
{
    return alias == Alias::Ravelha ? QStringLiteral("Ravelha") : QStringLiteral("BackUpRavSv");
}

// A value as the tables hold it: days as ISO text, a null day as an empty column.
QVariant storable(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate) {
        const QDate day = value.toDate();
        return day.isValid() ? QVariant(Dates::toStorage(day)) : QVariant(QMetaType(QMetaType::QString));
    }
    return value;
}

// The table as the keeper reads it in messages: the backup copy's tables are named as such.
QString tableLabel(Alias alias, const QString& table)
{
    return alias == Alias::Ravelha ? table : table + QStringLiteral(" da cópia de segurança");
}

// LIKE treats % and _ as wildcards; a typed number is matched as it is.
QString escapeLike(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    escaped.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return escaped;
}

}

QString EngineErrorMessage(const QString& databaseFile, const QString& table, const QSqlError& error)
{
    const QFileInfo file(databaseFile);
    const QString where = QStringLiteral("%1 da pasta \"%2\"")
                              .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath()));
    const QString onTable = table.isEmpty() ? QString() : QStringLiteral(" (tabela %1)").arg(table);
    // SQLite's primary result codes; an extended code keeps its primary one in the low byte.
    bool isCode = false;
    const int code = error.nativeErrorCode().toInt(&isCode) & 0xFF;
    QString what;
    switch (isCode ? code : -1) {
    case 5:    // SQLITE_BUSY
    case 6:    // SQLITE_LOCKED
        what = QStringLiteral("O banco de dados %1 está bloqueado por outro programa%2; feche-o e tente de novo.");
        break;
    case 8:    // SQLITE_READONLY
        what = QStringLiteral("O banco de dados %1 não pôde ser gravado%2: o arquivo é somente leitura.");
        break;
    case 13:   // SQLITE_FULL
        what = QStringLiteral("O banco de dados %1 não pôde ser gravado%2: o disco está cheio.");
        break;
    case 10:   // SQLITE_IOERR
        what = QStringLiteral("O arquivo %1 não pôde ser lido ou gravado%2: erro de disco.");
        break;
    case 11:   // SQLITE_CORRUPT
        what = QStringLiteral("O arquivo %1 está danificado%2: não é um banco de dados válido.");
        break;
    case 14:   // SQLITE_CANTOPEN
        what = QStringLiteral("O arquivo %1 não pôde ser aberto%2.");
        break;
    case 26:   // SQLITE_NOTADB
        what = QStringLiteral("O arquivo %1 não é um banco de dados válido%2.");
        break;
    default:
        what = QStringLiteral("Erro no banco de dados %1%2.");
        break;
    }
    return what.arg(where, onTable) + QStringLiteral("\nResposta do banco de dados: ") + error.text();
}

QString ServerErrorMessage(const QString& server, const QString& table, const QSqlError& error)
{
    const QString onTable = table.isEmpty() ? QString() : QStringLiteral(" (tabela %1)").arg(table);
    // The server's own codes (SQLSTATE): the class is in the first two characters.
    const QString code = error.nativeErrorCode();
    QString what;
    // A connection dropped mid-statement carries no code: the client library's words tell it.
    const QString text = error.text();
    const bool dropped = text.contains(QStringLiteral("server closed the connection"))
        || text.contains(QStringLiteral("terminating connection")) || text.contains(QStringLiteral("no connection to the server"))
        || text.contains(QStringLiteral("connection to server"));
    if (code.startsWith(QStringLiteral("08")) || code.startsWith(QStringLiteral("57P"))
        || error.type() == QSqlError::ConnectionError || dropped)
        what = QStringLiteral("A conexão com o servidor %1 foi perdida ou recusada%2. Verifique a rede e o servidor "
                              "e tente de novo.");
    else if (code == QStringLiteral("42501"))
        what = QStringLiteral("O usuário do banco não tem permissão na unidade do servidor %1%2.");
    else if (code == QStringLiteral("53100"))
        what = QStringLiteral("O servidor %1 não pôde gravar%2: o disco do servidor está cheio.");
    else if (code == QStringLiteral("25006"))
        what = QStringLiteral("O servidor %1 aceita só leitura%2: nada pôde ser gravado.");
    else if (code == QStringLiteral("40001") || code == QStringLiteral("40P01"))
        what = QStringLiteral("O servidor %1 recusou a gravação%2 por conflito com outro computador; tente de novo.");
    else
        what = QStringLiteral("Erro no servidor %1%2.");
    return what.arg(server, onTable) + QStringLiteral("\nResposta do banco de dados: ") + error.text();
}

QString EngineErrorMessage(const QSqlDatabase& db, const QString& table, const QSqlError& error)
{
    if (db.driverName() == QStringLiteral("QPSQL"))
        return ServerErrorMessage(db.hostName() + QLatin1Char('/') + db.databaseName(), table, error);
    return EngineErrorMessage(db.databaseName(), table, error);
}

QSqlQuery RunStatement(const QSqlDatabase& db, const QString& table, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(db);
    const bool ran = values.isEmpty() ? query.exec(sql) : query.prepare(sql);
    if (!ran)
        throw CoreError(EngineErrorMessage(db, table, query.lastError()));
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!values.isEmpty() && !query.exec())
        throw CoreError(EngineErrorMessage(db, table, query.lastError()));
    return query;
}

TDMGeral::TDMGeral(const QString& dataFolder, const QString& backupFolder)
    : TDMGeral(dataFolder, backupFolder, ServerAddresses::current())
{
}

TDMGeral::TDMGeral(const QString& dataFolder, const QString& backupFolder, const ServerAddress& server)
    : m_connectionPrefix(QStringLiteral("ravelha-%1").arg(quintptr(this), 0, 16)), m_server(server)
{
    m_folders[0] = dataFolder;
    m_folders[1] = backupFolder;
    liveModules().push_back(this);
}

TDMGeral::~TDMGeral()
{
    for (Alias alias : {Alias::Ravelha, Alias::BackUpRavSv}) {
        const QString name = connectionName(alias);
        ReadMarks::forgetConnection(name);
        if (QSqlDatabase::contains(name)) {
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        }
    }
    std::erase(liveModules(), this);
}

TDMGeral& TDMGeral::instance()
{
    if (liveModules().empty())
        throw CoreError(QStringLiteral("O módulo de dados não foi criado."));
    return *liveModules().back();
}

QString TDMGeral::aliasFolder(Alias alias) const
{
    return m_folders[aliasIndex(alias)];
}

void TDMGeral::setAliasFolder(Alias alias, const QString& folder)
{
    const QString name = connectionName(alias);
    ReadMarks::forgetConnection(name);
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    m_folders[aliasIndex(alias)] = folder;
}

QString TDMGeral::connectionName(Alias alias) const
{
    return m_connectionPrefix + QLatin1Char('-') + aliasName(alias);
}

QSqlDatabase TDMGeral::database(Alias alias)
{
    const QString name = connectionName(alias);
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen())
            return db;
    }
    if (onServer(alias))
        return openServer(name, true);
    const QString folder = aliasFolder(alias);
    const QString file = QDir(folder).filePath(QLatin1String(DatabaseFileName));
    if (folder.isEmpty() || !QFileInfo::exists(file))
        throw CoreError(QStringLiteral("O banco de dados %1 não foi encontrado na pasta \"%2\" (%3).")
                            .arg(QLatin1String(DatabaseFileName), QDir::toNativeSeparators(folder),
                                 aliasName(alias)));

    QSqlDatabase db = QSqlDatabase::contains(name) ? QSqlDatabase::database(name, false)
                                                   : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(file);
    if (!db.open())
        throw CoreError(EngineErrorMessage(file, QString(), db.lastError()));

    // The engine reads the file only at the first statement: a file that is no database shows here.
    // A connection refused here is closed, so the next use checks the file again.
    QString refusal;
    QStringList present;
    {
        QSqlQuery tables(db);
        if (tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
            while (tables.next())
                present << tables.value(0).toString();
        }
        if (tables.lastError().isValid())
            refusal = EngineErrorMessage(file, QString(), tables.lastError());
    }
    const QStringList working = TableSchema::workingTables();
    if (refusal.isEmpty() && std::none_of(working.begin(), working.end(),
                                          [&](const QString& t) { return present.contains(t); }))
        refusal = QStringLiteral("O arquivo %1 da pasta \"%2\" não é um banco de dados do Sistema: não tem as "
                                 "tabelas Basico, Sv, Sv1 a Sv%3 e Hist.")
                      .arg(QLatin1String(DatabaseFileName), QDir::toNativeSeparators(folder))
                      .arg(Capacity::Services);
    for (const QString& table : working) {
        if (refusal.isEmpty() && !present.contains(table))
            refusal = QStringLiteral("A tabela %1 não existe no banco de dados da pasta \"%2\".")
                          .arg(table, QDir::toNativeSeparators(folder));
    }
    if (!refusal.isEmpty()) {
        db.close();
        throw CoreError(refusal);
    }
    return db;
}

bool TDMGeral::onServer(Alias alias) const
{
    return alias == Alias::Ravelha && m_server.isSet();
}

QSqlDatabase TDMGeral::serverConnection()
{
    const QString name = connectionName(Alias::Ravelha);
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen())
            return db;
    }
    return openServer(name, false);
}

QSqlDatabase TDMGeral::openServer(const QString& name, bool requireUnit)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
#ifdef Q_OS_WIN
        // The Windows build is made without the PostgreSQL client.
        throw CoreError(QStringLiteral("O servidor não pode ser usado: esta versão do Ravelha para Windows "
                                       "trabalha só com a pasta de dados (sem --banco nem unidades num servidor "
                                       "PostgreSQL)."));
#else
        throw CoreError(QStringLiteral("O servidor não pode ser usado: falta o componente PostgreSQL do Qt "
                                       "(pacote libqt6sql6-psql)."));
#endif
    if (requireUnit || !m_server.unit.isEmpty())
        m_server.requireValid();
    else
        m_server.requireServer();
    QSqlDatabase db = QSqlDatabase::contains(name) ? QSqlDatabase::database(name, false)
                                                   : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    m_server.applyTo(db);
    if (!db.open())
        throw CoreError(ServerErrorMessage(m_server.serverLabel(), QString(), db.lastError()));
    QString refusal;
    {
        // The server's notices ("already exists, skipping") are not the keeper's business.
        QSqlQuery(db).exec(QStringLiteral("SET client_min_messages TO warning"));
        // Every statement names its tables without a schema: the unit's schema comes first.
        QSqlQuery path(db);
        if (!m_server.unit.isEmpty() && !path.exec(QStringLiteral("SET search_path TO \"%1\"").arg(m_server.schema())))
            refusal = ServerErrorMessage(m_server.serverLabel(), QString(), path.lastError());
    }
    if (refusal.isEmpty() && requireUnit) {
        if (!unitExistsOn(db, refusal)) {
            if (refusal.isEmpty())
                refusal = QStringLiteral("A unidade %1 não existe no servidor %2 (ou o usuário do banco não tem "
                                         "acesso a ela).").arg(m_server.unit, m_server.serverLabel());
        } else {
            try {
                const QStringList present = TablesOf(db);
                for (const QString& table : TableSchema::workingTables()) {
                    if (refusal.isEmpty() && !present.contains(table, Qt::CaseInsensitive))
                        refusal = QStringLiteral("A tabela %1 não existe na %2.").arg(table, m_server.label());
                }
            } catch (const CoreError& e) {
                refusal = e.message();
            }
        }
    }
    if (!refusal.isEmpty()) {
        db.close();
        throw CoreError(refusal);
    }
    return db;
}

bool TDMGeral::unitExistsOn(const QSqlDatabase& db, QString& refusal) const
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT 1 FROM information_schema.schemata WHERE schema_name = ?"));
    query.addBindValue(m_server.schema());
    if (!query.exec()) {
        refusal = ServerErrorMessage(m_server.serverLabel(), QString(), query.lastError());
        return false;
    }
    return query.next();
}

bool TDMGeral::unitExists()
{
    QString refusal;
    const bool exists = unitExistsOn(serverConnection(), refusal);
    if (!refusal.isEmpty())
        throw CoreError(refusal);
    return exists;
}

QStringList TDMGeral::unitsOnServer(const QString& table)
{
    const QSqlDatabase db = serverConnection();
    QSqlQuery schemas = RunStatement(db, table,
                                     QStringLiteral("SELECT table_schema FROM information_schema.tables "
                                                    "WHERE table_name = ? ORDER BY table_schema"),
                                     {table.toLower()});
    QStringList units;
    while (schemas.next())
        units << schemas.value(0).toString();
    return units;
}

std::optional<QString> TDMGeral::unitValue(const QString& schema, const QString& table, const QString& column,
                                           const QString& name)
{
    const QString quoted = QLatin1Char('"') + QString(schema).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    QSqlQuery row = RunStatement(serverConnection(), table,
                                 QStringLiteral("SELECT %1 FROM %2.%3 WHERE Nome = ?").arg(column, quoted, table), {name});
    if (!row.next())
        return std::nullopt;
    return row.value(0).toString();
}

QStringList TablesOf(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (db.driverName() == QStringLiteral("QPSQL"))
        query.exec(QStringLiteral("SELECT table_name FROM information_schema.tables "
                                  "WHERE table_schema = current_schema()"));
    else
        query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    if (query.lastError().isValid())
        throw CoreError(EngineErrorMessage(db, QString(), query.lastError()));
    return names;
}

bool ForwardOnlyFits(const QSqlDatabase& db)
{
    return db.driverName() != QStringLiteral("QPSQL");
}

bool HasTable(const QSqlDatabase& db, const QString& table)
{
    return TablesOf(db).contains(table, Qt::CaseInsensitive);
}

QString TDMGeral::engineError(Alias alias, const QString& table, const QSqlError& error) const
{
    if (onServer(alias))
        return ServerErrorMessage(m_server.serverLabel(), table, error);
    return EngineErrorMessage(databaseFile(alias), table, error);
}

QString TDMGeral::databaseFile(Alias alias) const
{
    return QDir(aliasFolder(alias)).filePath(QLatin1String(DatabaseFileName));
}

void TDMGeral::createTables(Alias alias, const QStringList& tables)
{
    if (onServer(alias)) {
        QSqlDatabase db = serverConnection();
        SqlTransaction transaction(db);
        QSqlQuery schema(db);
        if (!schema.exec(QStringLiteral("CREATE SCHEMA IF NOT EXISTS \"%1\"").arg(m_server.schema())))
            throw CoreError(engineError(alias, QString(), schema.lastError()));
        for (const QString& table : tables) {
            QSqlQuery create(db);
            if (!create.exec(TableSchema::createStatement(TableSchema::tableOf(table), TableSchema::Engine::Server)))
                throw CoreError(engineError(alias, table, create.lastError()));
        }
        transaction.commit();
        return;
    }
    const QString name = connectionName(alias);
    const QString file = QDir(aliasFolder(alias)).filePath(QLatin1String(DatabaseFileName));
    {
        QSqlDatabase db = QSqlDatabase::contains(name) ? QSqlDatabase::database(name, false)
                                                       : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.close();
        db.setDatabaseName(file);
        if (!db.open())
            throw CoreError(EngineErrorMessage(file, QString(), db.lastError()));
        SqlTransaction transaction(db);
        for (const QString& table : tables) {
            QSqlQuery create(db);
            if (!create.exec(TableSchema::createStatement(TableSchema::tableOf(table))))
                throw CoreError(EngineErrorMessage(file, table, create.lastError()));
        }
        transaction.commit();
    }
}

QSqlQuery TDMGeral::run(Alias alias, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(database(alias));
    if (!query.prepare(sql))
        throw CoreError(engineError(alias, QString(), query.lastError()));
    for (const QVariant& value : values)
        query.addBindValue(storable(value));
    if (!query.exec())
        throw CoreError(engineError(alias, QString(), query.lastError()));
    return query;
}

QSqlQuery TDMGeral::openTable(Alias alias, const QString& tableOrFileName, int capacity)
{
    const TableSchema::Table table = TableSchema::tableOf(tableOrFileName);
    QSqlQuery count = run(alias, QStringLiteral("SELECT COUNT(*) FROM %1").arg(table.name), {});
    count.next();
    const int rows = count.value(0).toInt();
    if (rows > capacity)
        throw CoreError(QStringLiteral("A tabela %1 tem %2 registros e o sistema comporta no máximo %3. "
                                       "Nada foi carregado nem alterado.")
                            .arg(table.name).arg(rows).arg(capacity));

    const QSqlDatabase db = database(alias);
    QSqlQuery query(db);
    query.setForwardOnly(ForwardOnlyFits(db));
    const QString sql = QStringLiteral("SELECT %1 FROM %2 %3")
                            .arg(TableSchema::columns(table.kind).join(QStringLiteral(", ")), table.name,
                                 TableSchema::keyOrder(table.kind));
    if (!query.exec(sql))
        throw CoreError(engineError(alias, table.name, query.lastError()));
    return query;
}

std::vector<QVariantList> TDMGeral::readRows(Alias alias, const QString& tableOrFileName, int capacity)
{
    const TableSchema::Table table = TableSchema::tableOf(tableOrFileName);
    const QString label = tableLabel(alias, table.name);
    QSqlQuery query = openTable(alias, tableOrFileName, capacity);
    const int columns = query.record().count();
    std::vector<QVariantList> rows;
    while (query.next()) {
        QVariantList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row << query.value(c);
        if (const std::optional<QString> refusal = RowChecks::checkRow(label, table.kind, row))
            throw CoreError(*refusal);
        rows.push_back(std::move(row));
    }
    // A read that stopped half-way (a damaged page) must not pass for the whole table.
    if (query.lastError().isValid())
        throw CoreError(engineError(alias, table.name, query.lastError()));
    if (onServer(alias)) {
        // The digest of what was read, as tableDigest would give it, for the next whole write.
        QCryptographicHash hash(QCryptographicHash::Sha1);
        DigestBuffer digest(hash);
        digest.addTableName(table.name);
        for (const QVariantList& row : rows)
            digest.addRow(row);
        digest.flush();
        ReadMarks::record(connectionName(alias), table.name, hash.result());
    }
    return rows;
}

void TDMGeral::hashTables(QCryptographicHash& hash, const QStringList& tables, Alias alias)
{
    DigestBuffer digest(hash);
    QSqlDatabase db = database(alias);
    sqlite3* connection = SqliteStatement::connectionOf(db);
    for (const QString& name : tables) {
        const TableSchema::Table table = TableSchema::tableOf(name);
        digest.addTableName(name);
        if (connection) {
            SqliteStatement rows(connection,
                                 QStringLiteral("SELECT %1 FROM %2 %3")
                                     .arg(TableSchema::columns(table.kind).join(QStringLiteral(", ")), table.name,
                                          TableSchema::keyOrder(table.kind)),
                                 databaseFile(alias), table.name);
            const int columns = rows.columnCount();
            while (rows.step()) {
                for (int c = 0; c < columns; ++c) {
                    switch (rows.columnType(c)) {
                    case SQLITE_NULL:
                        digest.add('0', {});
                        break;
                    case SQLITE_INTEGER: {
                        const qint64 number = rows.columnInteger(c);
                        digest.add('i', QByteArrayView(reinterpret_cast<const char*>(&number), sizeof number));
                        break;
                    }
                    case SQLITE_FLOAT: {
                        // The number's own bits: two reals that print alike still differ here.
                        const double number = rows.columnReal(c);
                        digest.add('r', QByteArrayView(reinterpret_cast<const char*>(&number), sizeof number));
                        break;
                    }
                    case SQLITE_BLOB:
                        digest.add('b', rows.columnBytes(c));
                        break;
                    default:
                        digest.add('t', rows.columnBytes(c));
                        break;
                    }
                }
                digest.endRow();
            }
        } else {
            QSqlQuery rows = openTable(alias, name, INT_MAX);
            const int columns = rows.record().count();
            QVariantList row;
            while (rows.next()) {
                row.clear();
                for (int c = 0; c < columns; ++c)
                    row << rows.value(c);
                digest.addRow(row);
            }
            if (rows.lastError().isValid())
                throw CoreError(engineError(alias, table.name, rows.lastError()));
        }
    }
    digest.flush();
}

QByteArray TDMGeral::tableDigest(Alias alias, const QString& table)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hashTables(hash, {table}, alias);
    return hash.result();
}

void TDMGeral::forgetReadMark(const QString& table)
{
    if (onServer(Alias::Ravelha))
        ReadMarks::forget(connectionName(Alias::Ravelha), table);
}

TDMGeral::TableWriter::TableWriter(TDMGeral& module, Alias alias, const QString& tableOrFileName)
    : m_transaction(module.database(alias)), m_module(module), m_alias(alias)
{
    const TableSchema::Table table = TableSchema::tableOf(tableOrFileName);
    m_table = table.name;
    m_label = tableLabel(alias, table.name);
    m_file = module.databaseFile(alias);
    m_kind = table.kind;
    QSqlDatabase db = module.database(alias);

    const QStringList columns = TableSchema::columns(table.kind);
    m_columns = int(columns.size());
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(m_table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    m_storable.reserve(m_columns);

    // On SQLite the rows go straight to the engine, on the connection of the transaction above.
    if (sqlite3* connection = SqliteStatement::connectionOf(db)) {
        SqliteStatement(connection, QStringLiteral("DELETE FROM %1").arg(m_table), m_file, m_table).execute();
        m_rows = std::make_unique<SqliteStatement>(connection, insert, m_file, m_table);
        return;
    }

    // On a server the table must still be the one this desk last read: another desk's commit in
    // between would be undone by writing the desk's model over it.
    const std::optional<QByteArray> read = ReadMarks::wholeStateConfirmed(db.connectionName())
                                               ? std::nullopt
                                               : ReadMarks::expected(db.connectionName(), m_table);
    if (read && *read != module.tableDigest(alias, m_table))
        throw CoreError(ReadMarks::ChangedElsewhere);
    QSqlQuery erase(db);
    if (!erase.exec(QStringLiteral("DELETE FROM %1").arg(m_table)))
        throw CoreError(m_module.engineError(m_alias, m_table, erase.lastError()));
    // Elsewhere (a server) the rows go in batches: a statement is a round trip to the server.
    m_db = db;
    m_insertHead = QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(m_table, columns.join(QStringLiteral(", ")));
    m_rowMarks = QStringLiteral("(") + marks.join(QStringLiteral(", ")) + QStringLiteral(")");
    m_batch.reserve(BatchRows * m_columns);
}

TDMGeral::TableWriter::~TableWriter() = default;

void TDMGeral::TableWriter::flush()
{
    if (m_batchRows == 0)
        return;
    // A full batch runs the statement prepared once; the last, shorter one its own.
    QSqlQuery shorter;
    const bool full = m_batchRows == BatchRows;
    if (!full || !m_insert.isValid()) {
        QStringList rows;
        for (int i = 0; i < m_batchRows; ++i)
            rows << m_rowMarks;
        QSqlQuery& query = full ? m_insert : shorter;
        query = QSqlQuery(m_db);
        if (!query.prepare(m_insertHead + rows.join(QStringLiteral(", "))))
            throw CoreError(m_module.engineError(m_alias, m_table, query.lastError()));
    }
    QSqlQuery& query = full ? m_insert : shorter;
    for (int i = 0; i < m_batch.size(); ++i)
        query.bindValue(i, m_batch.at(i));
    if (!query.exec())
        throw CoreError(m_module.engineError(m_alias, m_table, query.lastError()));
    m_batch.clear();
    m_batchRows = 0;
}

void TDMGeral::TableWriter::append(const QVariantList& values)
{
    // The row as the table will hold it: only a day needs another form, so a row without one is
    // checked and stored as it came.
    const bool hasDay = std::any_of(values.begin(), values.end(), [](const QVariant& v) {
        return v.metaType() == QMetaType::fromType<QDate>();
    });
    if (hasDay) {
        m_storable.clear();
        for (const QVariant& value : values)
            m_storable << storable(value);
    }
    const QVariantList& row = hasDay ? m_storable : values;
    // A row the loaders would refuse is never stored: the next load would stop on it.
    if (const std::optional<QString> refusal = RowChecks::checkRow(m_label, m_kind, row))
        throw CoreError(*refusal);

    if (m_rows) {
        if (row.size() != m_columns)
            throw CoreError(m_module.engineError(m_alias, m_table,
                                               QSqlError(QStringLiteral("Parameter count mismatch"), QString(),
                                                         QSqlError::StatementError)));
        for (int i = 0; i < m_columns; ++i)
            m_rows->bindValue(i, row.at(i));
        m_rows->execute();
        return;
    }
    if (row.size() != m_columns)
        throw CoreError(m_module.engineError(m_alias, m_table,
                                           QSqlError(QStringLiteral("Parameter count mismatch"), QString(),
                                                     QSqlError::StatementError)));
    m_batch += row;
    if (++m_batchRows == BatchRows)
        flush();
}

void TDMGeral::TableWriter::commit()
{
    flush();
    m_insert.finish();
    // On a server, what was written is what the desk now holds of the table; after a commit that
    // checked the whole state, the desk reads again before it writes again.
    if (m_db.isValid()) {
        if (ReadMarks::wholeStateConfirmed(m_db.connectionName()))
            ReadMarks::forget(m_db.connectionName(), m_table);
        else
            ReadMarks::record(m_db.connectionName(), m_table, m_module.tableDigest(m_alias, m_table));
    }
    m_transaction.commit();
}

// --- statements ---

QString TDMGeral::soldierCondition()
{
    return QStringLiteral(" ((Num LIKE ? ESCAPE '\\') OR (Num LIKE ? ESCAPE '\\') OR "
                          "(Num LIKE ? ESCAPE '\\') OR (Num LIKE ? ESCAPE '\\'))");
}

QVariantList TDMGeral::soldierPatterns(const QString& num)
{
    const QString n = escapeLike(num);
    return {n, n + QStringLiteral(" %"), QStringLiteral("% ") + n + QStringLiteral(" %"), QStringLiteral("% ") + n};
}

QSqlQuery TDMGeral::selectAllHist()
{
    // The names are quoted so that the columns keep their case on a server too.
    return run(Alias::Ravelha,
               QStringLiteral("SELECT Dia AS \"Dia\", CodSv AS \"CodSv\", Descr AS \"Descr\", Num AS \"Num\", "
                              "PtVm AS \"PtVm\" FROM Hist ORDER BY Dia, CodSv"),
               {});
}

QSqlQuery TDMGeral::selectAllBasico()
{
    // The names are quoted so that the columns keep their case on a server too.
    return run(Alias::Ravelha,
               QStringLiteral("SELECT Num AS \"Num\", Nome AS \"Nome\", PstGrd AS \"PstGrd\", PR AS \"PR\", "
                              "Ini AS \"Ini\", Fim AS \"Fim\", USv AS \"USv\" FROM Basico ORDER BY Num"),
               {});
}

QSqlQuery TDMGeral::selectRosterWithPersonnel(const QString& rosterFileName)
{
    const TableSchema::Table table = TableSchema::tableOf(rosterFileName);
    if (table.kind != TableSchema::Kind::Roster)
        throw CoreError(QStringLiteral("A tabela %1 não é a escala de um serviço.").arg(rosterFileName));
    return run(Alias::Ravelha,
               QStringLiteral("SELECT r.Num AS \"Num\", b.PstGrd AS \"PstGrd\", b.Nome AS \"Nome do Militar\", "
                              "r.Pt AS \"Pt\", r.Vm AS \"Vm\", b.PR AS \"PrevReal\", b.Ini AS \"Fora Escala de\", "
                              "b.Fim AS \"Fora Escala ate\", b.USv AS \"Ultimos Servicos\" "
                              "FROM %1 r LEFT JOIN Basico b ON b.Num = r.Num ORDER BY r.Num")
                   .arg(table.name),
               {});
}

QSqlQuery TDMGeral::selectBasicoByNum(const QString& num)
{
    return run(Alias::Ravelha, QStringLiteral("SELECT %1 FROM Basico WHERE Num = ? ORDER BY Num").arg(namedColumns(TableSchema::Kind::Personnel)), {num});
}

QSqlQuery TDMGeral::selectBasicoByName(const QString& part)
{
    // The case of the letters A to Z is ignored on either engine, as a data folder's LIKE does; an
    // accented letter is matched as typed (a server's texts are compared as bytes, and its UPPER
    // leaves them alone: the typed part is brought to capitals here, letters A to Z only, so that
    // no engine's own folding of the typed text can make it differ from the stored names).
    QString capitals = escapeLike(part);
    for (QChar& c : capitals) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return run(Alias::Ravelha,
               QStringLiteral("SELECT Num AS \"Num\", Nome AS \"Nome\", PstGrd AS \"PstGrd\", PR AS \"PR\", "
                              "Ini AS \"Ini\", Fim AS \"Fim\", USv AS \"USv\" FROM Basico "
                              "WHERE UPPER(Nome) LIKE ? ESCAPE '\\' ORDER BY Num"),
               {QStringLiteral("%") + capitals + QStringLiteral("%")});
}

QSqlQuery TDMGeral::selectBasicoByAbsenceKind(const QString& kind)
{
    return run(Alias::Ravelha, QStringLiteral("SELECT %1 FROM Basico WHERE PR = ? ORDER BY Num").arg(namedColumns(TableSchema::Kind::Personnel)), {kind});
}

QSqlQuery TDMGeral::selectBasicoWithAbsence()
{
    return run(Alias::Ravelha, QStringLiteral("SELECT %1 FROM Basico WHERE PR <> '' ORDER BY Num").arg(namedColumns(TableSchema::Kind::Personnel)), {});
}

QSqlQuery TDMGeral::selectHistWithSoldier(const QString& num)
{
    return run(Alias::Ravelha, QStringLiteral("SELECT %1 FROM Hist WHERE").arg(namedColumns(TableSchema::Kind::History)) + soldierCondition()
                                   + QStringLiteral(" ORDER BY Dia, CodSv"),
               soldierPatterns(num));
}

QSqlQuery TDMGeral::searchHist(const HistSearch& search)
{
    QStringList conditions;
    QVariantList values;
    if (search.from.isValid() && search.to.isValid()) {
        conditions << QStringLiteral("(Dia BETWEEN ? AND ?)");
        values << search.from << search.to;
    }
    if (!search.codes.isEmpty()) {
        QStringList marks;
        for (int code : search.codes) {
            marks << QStringLiteral("?");
            values << code;
        }
        conditions << QStringLiteral("(CodSv IN (%1))").arg(marks.join(QStringLiteral(", ")));
    }
    if (!search.soldier.isEmpty()) {
        conditions << soldierCondition();
        values << soldierPatterns(search.soldier);
    }
    if (!search.kind.isEmpty()) {
        conditions << QStringLiteral("(PtVm = ?)");
        values << search.kind;
    }
    QString sql = QStringLiteral("SELECT %1 FROM Hist").arg(namedColumns(TableSchema::Kind::History));
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    return run(Alias::Ravelha, sql + QStringLiteral(" ORDER BY Dia, CodSv"), values);
}

void TDMGeral::requireSoundHistory()
{
    readRows(Alias::Ravelha, QStringLiteral("Hist"), INT_MAX);
}

QSqlQuery TDMGeral::selectHistFrom(const QDate& day)
{
    requireSoundHistory();
    return run(Alias::Ravelha, QStringLiteral("SELECT %1 FROM Hist WHERE Dia >= ? ORDER BY Dia, CodSv").arg(namedColumns(TableSchema::Kind::History)), {day});
}

int TDMGeral::deleteHistFrom(const QDate& day)
{
    requireSoundHistory();
    const int removed = run(Alias::Ravelha, QStringLiteral("DELETE FROM Hist WHERE Dia >= ?"), {day}).numRowsAffected();
    forgetReadMark(QStringLiteral("Hist"));
    return removed;
}

int TDMGeral::countHist()
{
    QSqlQuery query = run(Alias::Ravelha, QStringLiteral("SELECT COUNT(*) FROM Hist"), {});
    return query.next() ? query.value(0).toInt() : 0;
}

int TDMGeral::deleteHistBefore(const QDate& day)
{
    requireSoundHistory();
    const int removed = run(Alias::Ravelha, QStringLiteral("DELETE FROM Hist WHERE Dia < ?"), {day}).numRowsAffected();
    forgetReadMark(QStringLiteral("Hist"));
    return removed;
}

void TDMGeral::zeroRosterCounts(int serviceCode)
{
    const QString table = TableSchema::tableOf(TableSchema::rosterFileName(serviceCode)).name;
    forgetReadMark(table);
    run(Alias::Ravelha, QStringLiteral("UPDATE %1 SET Pt = 0, Vm = 0").arg(table), {});
}

void TDMGeral::insertRosterRow(int serviceCode, const QString& num, int pt, int vm)
{
    const QString table = TableSchema::tableOf(TableSchema::rosterFileName(serviceCode)).name;
    forgetReadMark(table);
    run(Alias::Ravelha, QStringLiteral("INSERT INTO %1 VALUES (?, ?, ?)").arg(table), {num, pt, vm});
}

void TDMGeral::emptyTablesForReset()
{
    SqlTransaction transaction(database(Alias::Ravelha));
    for (const char* table : {"Sv1", "Sv2", "Sv3", "Sv4", "Sv5", "Sv6", "Sv", "Hist", "Basico"}) {
        forgetReadMark(QLatin1String(table));
        run(Alias::Ravelha, QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)), {});
    }
    transaction.commit();
}
