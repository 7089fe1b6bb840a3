#include "UnitTexts.h"

#include "CoreError.h"
#include "DataFiles.h"
#include "ReadMarks.h"
#include "SqlTransaction.h"
#include "TextFile.h"
#include "UDMGeral.h"

#include <QCryptographicHash>
#include <QSqlError>
#include <QSqlQuery>

namespace UnitTexts {

namespace {

QSqlQuery run(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {})
{
    return RunStatement(db, Table, sql, values);
}

std::optional<QString> storedText(const QSqlDatabase& db, const QString& bareName)
{
    QSqlQuery row = run(db, QStringLiteral("SELECT Texto FROM %1 WHERE Nome = ?").arg(Table), {bareName});
    if (!row.next())
        return std::nullopt;
    return row.value(0).toString();
}

// A text's read mark is kept beside the tables', under the text's own name.
QString markName(const QString& bareName)
{
    return Table + QLatin1Char('/') + bareName.toLower();
}

QByteArray textDigest(const QString& text)
{
    return QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1);
}

// The text as the file holds it: each line ended by CR LF, so a file of no lines and a file of
// one empty line stay apart, and the lines read back are the file's own.
QString fileText(const QStringList& lines)
{
    // Empty, never null: a null text is bound as NULL, which the table refuses.
    QString text = QStringLiteral("");
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
    const std::optional<QString> text = storedText(db, bareName);
    if (!text)
        throw CoreError(QStringLiteral("O arquivo %1 não foi encontrado na %2.").arg(bareName, unitLabel));
    ReadMarks::record(db.connectionName(), markName(bareName), textDigest(*text));
    return TextFile::splitLines(*text);
}

void WriteTo(const QSqlDatabase& db, const QString& bareName, const QStringList& lines)
{
    SqlTransaction transaction(db);
    // The text must still be the one this desk read: another desk's change would be lost.
    const QString mark = markName(bareName);
    if (const std::optional<QByteArray> read = ReadMarks::expected(db.connectionName(), mark)) {
        const std::optional<QString> stored = storedText(db, bareName);
        if (!stored || textDigest(*stored) != *read)
            throw CoreError(ReadMarks::ChangedElsewhere);
    }
    const QString text = fileText(lines);
    run(db, QStringLiteral("INSERT INTO %1 (Nome, Texto) VALUES (?, ?) "
                           "ON CONFLICT (Nome) DO UPDATE SET Texto = excluded.Texto").arg(Table),
        {bareName, text});
    ReadMarks::record(db.connectionName(), mark, textDigest(text));
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
