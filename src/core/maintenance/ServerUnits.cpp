#include "ServerUnits.h"

#include "audit/CountLog.h"
#include "data/Capacities.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/InitialDataSet.h"
#include "data/PendingFiles.h"
#include "data/SqlTransaction.h"
#include "data/TableSchema.h"
#include "data/TextFile.h"
#include "data/UDMGeral.h"
#include "data/UnitTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <climits>
#include <map>
#include <vector>

namespace ServerUnits {

namespace {

using Rows = std::vector<QVariantList>;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Every working table of the alias, read and checked as the loaders check it.
std::map<QString, Rows> readTables(TDMGeral& module)
{
    std::map<QString, Rows> tables;
    for (const QString& table : TableSchema::workingTables())
        tables[table] = module.readRows(Alias::Ravelha, table, INT_MAX);
    return tables;
}

void writeTables(TDMGeral& module, const std::map<QString, Rows>& tables)
{
    for (const auto& [table, rows] : tables) {
        TDMGeral::TableWriter writer(module, Alias::Ravelha, table);
        for (const QVariantList& row : rows)
            writer.append(row);
        writer.commit();
    }
}

// The state files of a folder as the program reads them: lines an operation recorded with the
// tables and did not write yet count instead of the file's.
std::map<QString, QStringList> readFolderTexts(const QString& folder)
{
    std::map<QString, QStringList> texts;
    for (const QString& name : UnitTexts::StateFiles()) {
        if (const std::optional<QStringList> staged = PendingFiles::pending(name))
            texts[name] = *staged;
        else
            texts[name] = TextFile::readLines(QDir(folder).filePath(name));
    }
    return texts;
}

}

void Publish(const QString& folder, const ServerAddress& address)
{
    address.requireValid();
    TDMGeral source(folder, QString(), ServerAddress());
    // Everything is read and checked before the server is written.
    const std::map<QString, Rows> tables = readTables(source);
    const std::map<QString, QStringList> texts = readFolderTexts(folder);
    const QSqlDatabase from = source.database(Alias::Ravelha);

    TDMGeral target(folder, QString(), address);
    const QString exists = QStringLiteral("A unidade %1 já existe no servidor %2; nada foi copiado.")
                               .arg(address.unit, address.serverLabel());
    if (target.unitExists())
        throw CoreError(exists);
    const QSqlDatabase to = target.serverConnection();
    SqlTransaction transaction(to);
    // Under the unit's lock: another desk may have published it meanwhile.
    if (target.unitExists())
        throw CoreError(exists);
    target.createTables(Alias::Ravelha, TableSchema::workingTables());
    UnitTexts::CreateTable(to);
    writeTables(target, tables);
    CountLog::CopyAll(from, to);
    for (const auto& [name, lines] : texts)
        UnitTexts::WriteTo(to, name, lines);
    transaction.commit();
}

void Download(const ServerAddress& address, const QString& folder)
{
    address.requireValid();
    const QFileInfo place(folder);
    if (place.exists() && (!place.isDir() || !QDir(folder).isEmpty()))
        throw CoreError(QStringLiteral("A pasta \"%1\" já existe e não está vazia; a unidade não foi copiada.")
                            .arg(native(folder)));

    // The unit is read whole first.
    std::map<QString, Rows> tables;
    std::map<QString, QStringList> texts;
    const QString building = place.absoluteFilePath() + QStringLiteral(".baixando");
    {
        TDMGeral server(QString(), QString(), address);
        tables = readTables(server);
        const QSqlDatabase db = server.database(Alias::Ravelha);
        for (const QString& name : UnitTexts::StateFiles())
            texts[name] = UnitTexts::ReadFrom(db, name, address.label());

        // A folder of the program's own, then the unit's tables, log and files in it.
        QDir(building).removeRecursively();
        try {
            // The copy's place is beside the folder's own name, not the name it is built under.
            InitialDataSet::install(building, InitialDataSet::BuiltIn, place.absoluteFilePath());
            TDMGeral local(building, QString(), ServerAddress());
            {
                SqlTransaction transaction(local.database(Alias::Ravelha));
                writeTables(local, tables);
                CountLog::Clear(local.database(Alias::Ravelha));
                CountLog::CopyAll(db, local.database(Alias::Ravelha));
                transaction.commit();
            }
            for (const auto& [name, lines] : texts)
                TextFile::writeLines(QDir(building).filePath(name), lines);
        } catch (...) {
            QDir(building).removeRecursively();
            throw;
        }
    }
    if (place.exists())
        QDir().rmdir(place.absoluteFilePath());
    if (!QDir().rename(building, place.absoluteFilePath())) {
        QDir(building).removeRecursively();
        throw CoreError(QStringLiteral("A pasta \"%1\" não pôde ser criada; a unidade não foi copiada.")
                            .arg(native(folder)));
    }
}

QList<UnitSummary> ListUnits(const ServerAddress& address)
{
    TDMGeral module(QString(), QString(), address);
    QList<UnitSummary> units;
    for (const QString& unit : module.unitsOnServer(UnitTexts::Table)) {
        const std::optional<QString> escala = module.unitValue(unit, UnitTexts::Table, QStringLiteral("Texto"), DataFiles::Escala);
        units << UnitSummary{unit, escala ? TextFile::splitLines(*escala).value(0).left(10) : QString()};
    }
    return units;
}

}
