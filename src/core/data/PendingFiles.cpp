#include "PendingFiles.h"

#include "CoreError.h"
#include "DataFolder.h"
#include "KillPoints.h"
#include "TextFile.h"
#include "UDMGeral.h"
#include "UnitTexts.h"

#include <QDir>
#include <QSqlError>
#include <QSysInfo>
#include <QSqlQuery>

namespace PendingFiles {

namespace {

const QString LineBreak = QStringLiteral("\n");

QSqlDatabase dataDatabase()
{
    return TDMGeral::instance().database(Alias::Ravelha);
}

bool tableExists(const QSqlDatabase& db)
{
    return HasTable(db, Table);
}

QSqlQuery exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {})
{
    return RunStatement(db, Table, sql, values);
}

// On a server the table of records is the unit's, seen by every desk, while the files staged there
// belong to one desk's folder: each record is named by the desk (its machine and data folder) as
// well, so only that desk writes it.
QString deskPrefix()
{
    if (!TDMGeral::instance().onServer())
        return QString();
    return QSysInfo::machineHostName() + QLatin1Char(':') + QDir(DataFolder::path()).absolutePath() + QLatin1Char('|');
}

QString notice(const QStringList& failures, bool atStart)
{
    const QString done = atStart ? QStringLiteral("Uma operação anterior gravou as tabelas, mas não terminou de gravar "
                                                  "os arquivos que as acompanham.")
                                 : QStringLiteral("A gravação nas tabelas foi concluída e vale.");
    return done + QStringLiteral("\n\n%1\n\n"
                          "O conteúdo que falta gravar ficou guardado no banco de dados: o Sistema usa esse "
                          "conteúdo e o gravará no arquivo da próxima vez que abrir a pasta de dados. "
                          "Verifique se o arquivo pode ser gravado (arquivo somente leitura, disco cheio) "
                          "e abra o Sistema de novo.")
        .arg(failures.join(QStringLiteral("\n")));
}

}

void stage(const QString& bareName, const QStringList& lines)
{
    // On a server the file is a row of the unit: written in this very transaction.
    if (UnitTexts::OnServer(bareName))
        return UnitTexts::Write(bareName, lines);
    const QSqlDatabase db = dataDatabase();
    exec(db, QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (Nome TEXT NOT NULL PRIMARY KEY, Linhas TEXT)").arg(Table));
    exec(db, QStringLiteral("INSERT INTO %1 (Nome, Linhas) VALUES (?, ?) "
                            "ON CONFLICT (Nome) DO UPDATE SET Linhas = excluded.Linhas").arg(Table),
         {deskPrefix() + bareName, lines.join(LineBreak)});
}

QString finish(bool atStart)
{
    const QSqlDatabase db = dataDatabase();
    if (!tableExists(db))
        return QString();
    struct Record {
        QString name;
        QString lines;
    };
    QList<Record> records;
    {
        QSqlQuery rows = exec(db, QStringLiteral("SELECT Nome, Linhas FROM %1 ORDER BY Nome").arg(Table));
        while (rows.next())
            records << Record{rows.value(0).toString(), rows.value(1).toString()};
    }
    const QString desk = deskPrefix();
    QStringList failures;
    for (const Record& record : records) {
        if (!record.name.startsWith(desk))
            continue;   // another desk's file
        try {
            TextFile::writeLines(DataFolder::file(record.name.mid(desk.size())), record.lines.split(LineBreak));
        } catch (const CoreError& e) {
            failures << e.message();
            continue;
        }
        KillPoints::reach("arquivo-gravado");
        // Only the record that was written is cleared.
        exec(db, QStringLiteral("DELETE FROM %1 WHERE Nome = ? AND Linhas = ?").arg(Table),
             {record.name, record.lines});
    }
    return failures.isEmpty() ? QString() : notice(failures, atStart);
}

QString finishCommitted()
{
    KillPoints::reach("depois-de-confirmar");
    const QString notice = finish();
    KillPoints::reach("registro-limpo");
    return notice;
}

std::optional<QStringList> pending(const QString& bareName)
{
    QSqlDatabase db;
    try {
        db = dataDatabase();
    } catch (const CoreError&) {
        return std::nullopt;   // no tables open: the file is all there is
    }
    if (UnitTexts::OnServer(bareName) || !tableExists(db))
        return std::nullopt;
    QSqlQuery row = exec(db, QStringLiteral("SELECT Linhas FROM %1 WHERE Nome = ?").arg(Table), {deskPrefix() + bareName});
    if (!row.next())
        return std::nullopt;
    return row.value(0).toString().split(LineBreak);
}

}
