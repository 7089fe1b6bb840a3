#include "UnitTexts.h"

#include "CoreError.h"
#include "DataFiles.h"
#include "SqlTransaction.h"
#include "TextFile.h"
#include "UDMGeral.h"

#include <QSqlError>
#include <QSqlQuery>

namespace UnitTexts {

namespace {

QSqlQuery run(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {})
{
    QSqlQuery query(db);
    // A server cannot prepare a statement that creates a table: one without values runs as it is.
    const bool ran = values.isEmpty() ? query.exec(sql) : query.prepare(sql);
    if (!ran)
        throw CoreError(EngineErrorMessage(db, Table, query.lastError()));
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!values.isEmpty() && !query.exec())
        throw CoreError(EngineErrorMessage(db, Table, query.lastError()));
    return query;
}

// The text as the file holds it: each line ended by CR LF, so a file of no lines and a file of
// one empty line stay apart, and the lines read back are the file's own.
QString fileText(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

}

QStringList StateFiles()
{
    return {DataFiles::Escala, DataFiles::DataIniFim, DataFiles::SemExped,
            DataFiles::UltiEqual, DataFiles::PstGrd, DataFiles::ModelosPstGrd};
}

bool OnServer(const QString& bareName)
{
    if (!StateFiles().contains(bareName, Qt::CaseInsensitive))
        return false;
    try {
        return TDMGeral::instance().onServer();
    } catch (const CoreError&) {
        return false;   // no data module: a folder of files
    }
}

QStringList ReadFrom(const QSqlDatabase& db, const QString& bareName, const QString& unitLabel)
{
    QSqlQuery row = run(db, QStringLiteral("SELECT Texto FROM %1 WHERE Nome = ?").arg(Table), {bareName});
    if (!row.next())
        throw CoreError(QStringLiteral("O arquivo %1 não foi encontrado na %2.").arg(bareName, unitLabel));
    return TextFile::splitLines(row.value(0).toString());
}

void WriteTo(const QSqlDatabase& db, const QString& bareName, const QStringList& lines)
{
    SqlTransaction transaction(db);
    run(db, QStringLiteral("INSERT INTO %1 (Nome, Texto) VALUES (?, ?) "
                           "ON CONFLICT (Nome) DO UPDATE SET Texto = excluded.Texto").arg(Table),
        {bareName, fileText(lines)});
    transaction.commit();
}

QStringList Read(const QString& bareName)
{
    TDMGeral& module = TDMGeral::instance();
    return ReadFrom(module.database(Alias::Ravelha), bareName, module.server().label());
}

void Write(const QString& bareName, const QStringList& lines)
{
    WriteTo(TDMGeral::instance().database(Alias::Ravelha), bareName, lines);
}

void CreateTable(const QSqlDatabase& db)
{
    run(db, QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (Nome TEXT COLLATE \"C\" NOT NULL PRIMARY KEY, "
                           "Texto TEXT NOT NULL)").arg(Table));
}

}
