#include "InitialDataSet.h"
#include "audit/CountLog.h"

#include "CoreError.h"
#include "Dates.h"
#include "RowChecks.h"
#include "TableSchema.h"
#include "TextFile.h"
#include "UDMGeral.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace InitialDataSet {

namespace {

QVariant csvValue(const QString& text, const QString& column, const QString& where)
{
    if (text.isEmpty())
        return QVariant();
    static const QStringList dayColumns{"Ini", "Fim", "Dia"};
    static const QStringList numberColumns{"CodSv", "Quant", "Prio", "Folga", "Pt", "Vm"};
    if (dayColumns.contains(column)) {
        const std::optional<QDate> day = Dates::parse(text);
        if (!day)
            throw CoreError(QStringLiteral("%1: a coluna %2 não tem uma data válida: \"%3\".").arg(where, column, text));
        return *day;
    }
    if (numberColumns.contains(column)) {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok)
            throw CoreError(QStringLiteral("%1: a coluna %2 não tem um número: \"%3\".").arg(where, column, text));
        return value;
    }
    return text;
}

// A table of the set: header line of column names, then one row per line, fields split by ';'.
void loadCsv(TDMGeral& module, const QString& csvPath, const QStringList& tables)
{
    const QStringList lines = TextFile::readLines(csvPath);
    const QString name = QFileInfo(csvPath).fileName();
    if (lines.isEmpty())
        throw CoreError(QStringLiteral("O arquivo %1 do conjunto inicial está vazio.").arg(name));
    const QStringList header = lines.first().split(QLatin1Char(';'));
    const TableSchema::Table table = TableSchema::tableOf(tables.first());
    if (header != TableSchema::columns(table.kind))
        throw CoreError(QStringLiteral("O arquivo %1 não tem as colunas de %2.").arg(name, table.name));

    std::vector<QVariantList> rows;
    for (int i = 1; i < lines.size(); ++i) {
        if (lines.at(i).isEmpty())
            continue;
        const QStringList fields = lines.at(i).split(QLatin1Char(';'));
        const QString where = QStringLiteral("%1, linha %2").arg(name).arg(i + 1);
        if (fields.size() != header.size())
            throw CoreError(QStringLiteral("%1: esperadas %2 colunas.").arg(where).arg(header.size()));
        QVariantList row;
        QVariantList stored;   // as the table will hold it, for the checks of the loaders
        for (int c = 0; c < fields.size(); ++c) {
            row << csvValue(fields.at(c), header.at(c), where);
            stored << (row.last().typeId() == QMetaType::QDate ? QVariant(Dates::toStorage(row.last().toDate()))
                                                                : row.last());
        }
        if (const std::optional<QString> refusal =
                RowChecks::checkRow(QStringLiteral("%1 (%2)").arg(table.name, where), table.kind, stored))
            throw CoreError(*refusal);
        rows.push_back(row);
    }
    for (const QString& target : tables) {
        TDMGeral::TableWriter writer(module, Alias::Ravelha, target);
        for (const QVariantList& row : rows)
            writer.append(row);
        writer.commit();
    }
}

// `folder` is where the set is built; `finalFolder` is where it will live.
void fill(const QString& folder, const QString& finalFolder, const QString& source)
{
    const QDir from(source);
    const QStringList files = from.entryList(QDir::Files, QDir::Name);
    if (!files.contains(QStringLiteral("RavSv.csv")))
        throw CoreError(QStringLiteral("O conjunto de dados inicial não foi encontrado em \"%1\".").arg(source));

    {
        TDMGeral module(folder, QString(), ServerAddress());   // a folder, even while a unit on a server is open
        module.createTables(Alias::Ravelha, TableSchema::workingTables() + TableSchema::initialTables());
        SqlTransaction transaction(module.database(Alias::Ravelha));   // one write for the whole set
        for (const QString& file : files) {
            if (!file.endsWith(QStringLiteral(".csv")))
                continue;
            const QString initialTable = file.chopped(4);            // RavSv1
            const QString workingTable = initialTable.mid(3);        // Sv1
            loadCsv(module, from.filePath(file), {initialTable, workingTable});
        }
        CountLog::StartAfresh(module.database(Alias::Ravelha));
        transaction.commit();
    }

    const QString defaultBackup = QDir(finalFolder).filePath(QStringLiteral("Espelho"));
    for (const QString& file : files) {
        if (file.endsWith(QStringLiteral(".csv")) || file.startsWith(QStringLiteral("README")))
            continue;
        const QString target = QDir(folder).filePath(file);
        if (!file.endsWith(QStringLiteral(".Txt"), Qt::CaseInsensitive)) {
            if (!QFile::copy(from.filePath(file), target))
                throw CoreError(QStringLiteral("O arquivo %1 não pôde ser copiado para a pasta de dados.").arg(file));
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
            continue;
        }
        QStringList lines = TextFile::readLines(from.filePath(file));
        // A new data folder keeps its backup copy beside it until the keeper chooses a place.
        if (file == QStringLiteral("IniNiveis.Txt")) {
            while (lines.size() < 6)
                lines << QString();
            if (lines[5].isEmpty())
                lines[5] = QDir::toNativeSeparators(defaultBackup);
        }
        TextFile::writeLines(target, lines);
        if (file.startsWith(QStringLiteral("Ini")))
            TextFile::writeLines(QDir(folder).filePath(file.mid(3)), lines);
    }
}

}

void install(const QString& folder, const QString& source, const QString& livesIn)
{
    const QFileInfo target(folder);
    if (target.exists())
        throw CoreError(QStringLiteral("A pasta \"%1\" já existe; o conjunto inicial não foi instalado.")
                            .arg(QDir::toNativeSeparators(folder)));
    const QString building = target.absoluteFilePath() + QStringLiteral(".instalando");
    QDir(building).removeRecursively();
    if (!QDir().mkpath(building))
        throw CoreError(QStringLiteral("A pasta \"%1\" não pôde ser criada.").arg(QDir::toNativeSeparators(folder)));
    try {
        fill(building, livesIn.isEmpty() ? target.absoluteFilePath() : QFileInfo(livesIn).absoluteFilePath(), source);
    } catch (...) {
        QDir(building).removeRecursively();
        throw;
    }
    if (!QDir().rename(building, target.absoluteFilePath())) {
        QDir(building).removeRecursively();
        throw CoreError(QStringLiteral("A pasta \"%1\" não pôde ser criada.").arg(QDir::toNativeSeparators(folder)));
    }
}

bool installIfMissing(const QString& folder, const QString& source)
{
    if (QFileInfo::exists(folder))
        return false;
    install(folder, source);
    return true;
}

}
