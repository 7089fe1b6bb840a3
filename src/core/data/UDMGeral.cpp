#include "UDMGeral.h"

#include "CoreError.h"
#include "Dates.h"
#include "TableSchema.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <vector>

namespace {

// The modules alive, the latest last: a module made for a moment (to fill a new folder, or by a
// test) serves while it lives, and the one before it serves again when it is gone.
std::vector<TDMGeral*>& liveModules()
{
    static std::vector<TDMGeral*> modules;
    return modules;
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

QString engineError(const QString& what, const QSqlError& error)
{
    return QStringLiteral("Erro no banco de dados (%1): %2").arg(what, error.text());
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

TDMGeral::TDMGeral(const QString& dataFolder, const QString& backupFolder)
    : m_connectionPrefix(QStringLiteral("ravelha-%1").arg(quintptr(this), 0, 16))
{
    m_folders[0] = dataFolder;
    m_folders[1] = backupFolder;
    liveModules().push_back(this);
}

TDMGeral::~TDMGeral()
{
    for (Alias alias : {Alias::Ravelha, Alias::BackUpRavSv}) {
        const QString name = connectionName(alias);
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
        throw CoreError(engineError(file, db.lastError()));

    const QStringList present = db.tables();
    for (const QString& table : TableSchema::workingTables()) {
        if (!present.contains(table))
            throw CoreError(QStringLiteral("A tabela %1 não existe no banco de dados da pasta \"%2\".")
                                .arg(table, QDir::toNativeSeparators(folder)));
    }
    return db;
}

void TDMGeral::createTables(Alias alias, const QStringList& tables)
{
    const QString name = connectionName(alias);
    const QString file = QDir(aliasFolder(alias)).filePath(QLatin1String(DatabaseFileName));
    {
        QSqlDatabase db = QSqlDatabase::contains(name) ? QSqlDatabase::database(name, false)
                                                       : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.close();
        db.setDatabaseName(file);
        if (!db.open())
            throw CoreError(engineError(file, db.lastError()));
        SqlTransaction transaction(db);
        for (const QString& table : tables) {
            QSqlQuery create(db);
            if (!create.exec(TableSchema::createStatement(TableSchema::tableOf(table))))
                throw CoreError(engineError(table, create.lastError()));
        }
        transaction.commit();
    }
}

QSqlQuery TDMGeral::run(Alias alias, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(database(alias));
    if (!query.prepare(sql))
        throw CoreError(engineError(sql, query.lastError()));
    for (const QVariant& value : values)
        query.addBindValue(storable(value));
    if (!query.exec())
        throw CoreError(engineError(sql, query.lastError()));
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

    QSqlQuery query(database(alias));
    query.setForwardOnly(true);
    const QString sql = QStringLiteral("SELECT %1 FROM %2 %3")
                            .arg(TableSchema::columns(table.kind).join(QStringLiteral(", ")), table.name,
                                 TableSchema::keyOrder(table.kind));
    if (!query.exec(sql))
        throw CoreError(engineError(table.name, query.lastError()));
    return query;
}

TDMGeral::TableWriter::TableWriter(TDMGeral& module, Alias alias, const QString& tableOrFileName)
    : m_transaction(module.database(alias))
{
    const TableSchema::Table table = TableSchema::tableOf(tableOrFileName);
    m_table = table.name;
    QSqlDatabase db = module.database(alias);
    QSqlQuery erase(db);
    if (!erase.exec(QStringLiteral("DELETE FROM %1").arg(m_table)))
        throw CoreError(engineError(m_table, erase.lastError()));

    const QStringList columns = TableSchema::columns(table.kind);
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    m_insert = QSqlQuery(db);
    if (!m_insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(m_table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")))))
        throw CoreError(engineError(m_table, m_insert.lastError()));
}

void TDMGeral::TableWriter::append(const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        m_insert.bindValue(i, storable(values.at(i)));
    if (!m_insert.exec())
        throw CoreError(engineError(m_table, m_insert.lastError()));
}

void TDMGeral::TableWriter::commit()
{
    m_insert.finish();
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
    return run(Alias::Ravelha, QStringLiteral("SELECT * FROM Hist ORDER BY Dia, CodSv"), {});
}

QSqlQuery TDMGeral::selectAllBasico()
{
    return run(Alias::Ravelha, QStringLiteral("SELECT * FROM Basico ORDER BY Num"), {});
}

QSqlQuery TDMGeral::selectRosterWithPersonnel(const QString& rosterFileName)
{
    const TableSchema::Table table = TableSchema::tableOf(rosterFileName);
    if (table.kind != TableSchema::Kind::Roster)
        throw CoreError(QStringLiteral("A tabela %1 não é a escala de um serviço.").arg(rosterFileName));
    return run(Alias::Ravelha,
               QStringLiteral("SELECT r.Num AS Num, b.PstGrd AS PstGrd, b.Nome AS \"Nome do Militar\", "
                              "r.Pt AS Pt, r.Vm AS Vm, b.PR AS PrevReal, b.Ini AS \"Fora Escala de\", "
                              "b.Fim AS \"Fora Escala ate\", b.USv AS \"Ultimos Servicos\" "
                              "FROM %1 r LEFT JOIN Basico b ON b.Num = r.Num ORDER BY r.Num")
                   .arg(table.name),
               {});
}

QSqlQuery TDMGeral::selectBasicoByNum(const QString& num)
{
    return run(Alias::Ravelha, QStringLiteral("SELECT * FROM Basico WHERE Num = ? ORDER BY Num"), {num});
}

QSqlQuery TDMGeral::selectBasicoByName(const QString& part)
{
    return run(Alias::Ravelha, QStringLiteral("SELECT * FROM Basico WHERE Nome LIKE ? ESCAPE '\\' ORDER BY Num"),
               {QStringLiteral("%") + escapeLike(part) + QStringLiteral("%")});
}

QSqlQuery TDMGeral::selectBasicoByAbsenceKind(const QString& kind)
{
    return run(Alias::Ravelha, QStringLiteral("SELECT * FROM Basico WHERE PR = ? ORDER BY Num"), {kind});
}

QSqlQuery TDMGeral::selectBasicoWithAbsence()
{
    return run(Alias::Ravelha, QStringLiteral("SELECT * FROM Basico WHERE PR <> '' ORDER BY Num"), {});
}

QSqlQuery TDMGeral::selectHistWithSoldier(const QString& num)
{
    return run(Alias::Ravelha, QStringLiteral("SELECT * FROM Hist WHERE") + soldierCondition()
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
    QString sql = QStringLiteral("SELECT * FROM Hist");
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    return run(Alias::Ravelha, sql + QStringLiteral(" ORDER BY Dia, CodSv"), values);
}

QSqlQuery TDMGeral::selectHistFrom(const QDate& day)
{
    return run(Alias::Ravelha, QStringLiteral("SELECT * FROM Hist WHERE Dia >= ? ORDER BY Dia, CodSv"), {day});
}

int TDMGeral::deleteHistFrom(const QDate& day)
{
    return run(Alias::Ravelha, QStringLiteral("DELETE FROM Hist WHERE Dia >= ?"), {day}).numRowsAffected();
}

int TDMGeral::deleteHistBefore(const QDate& day)
{
    return run(Alias::Ravelha, QStringLiteral("DELETE FROM Hist WHERE Dia < ?"), {day}).numRowsAffected();
}

void TDMGeral::zeroRosterCounts(int serviceCode)
{
    const QString table = TableSchema::tableOf(TableSchema::rosterFileName(serviceCode)).name;
    run(Alias::Ravelha, QStringLiteral("UPDATE %1 SET Pt = 0, Vm = 0").arg(table), {});
}

void TDMGeral::insertRosterRow(int serviceCode, const QString& num, int pt, int vm)
{
    const QString table = TableSchema::tableOf(TableSchema::rosterFileName(serviceCode)).name;
    run(Alias::Ravelha, QStringLiteral("INSERT INTO %1 VALUES (?, ?, ?)").arg(table), {num, pt, vm});
}

void TDMGeral::emptyTablesForReset()
{
    SqlTransaction transaction(database(Alias::Ravelha));
    for (const char* table : {"Sv1", "Sv2", "Sv3", "Sv4", "Sv5", "Sv6", "Sv", "Hist", "Basico"})
        run(Alias::Ravelha, QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)), {});
    transaction.commit();
}
