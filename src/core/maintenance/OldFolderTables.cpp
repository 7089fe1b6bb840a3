#include "OldFolderTables.h"

#include "data/Capacities.h"
#include "data/CoreError.h"
#include "data/Dates.h"
#include "data/ParadoxTable.h"
#include "data/RowChecks.h"
#include "data/TableSchema.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <cmath>
#include <optional>

namespace OldFolderTables {

namespace {

using ParadoxTable::FieldType;
using TableSchema::Kind;

const QString NothingImported = QStringLiteral("Nada foi importado.");

// What a column holds, and so which field types can bring it.
enum class Holds { Text, Day, Number };

Holds holdsOf(const QString& column)
{
    static const QStringList days{"Ini", "Fim", "Dia"};
    static const QStringList numbers{"CodSv", "Quant", "Prio", "Folga", "Pt", "Vm"};
    if (days.contains(column))
        return Holds::Day;
    if (numbers.contains(column))
        return Holds::Number;
    return Holds::Text;
}

bool fits(Holds holds, FieldType type)
{
    switch (type) {
    case FieldType::Alpha:
        return true;   // a text may hold a day or a number; each value is checked
    case FieldType::Date:
        return holds == Holds::Day;
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::Number:
        return holds != Holds::Day;
    case FieldType::Other:
        break;
    }
    return false;
}

QString holdsText(Holds holds)
{
    switch (holds) {
    case Holds::Text:
        return QStringLiteral("um texto");
    case Holds::Day:
        return QStringLiteral("uma data");
    case Holds::Number:
        return QStringLiteral("um número");
    }
    return QString();
}

// A whole real as a whole number; anything else as it is, for the checks to judge.
QVariant wholeIfWhole(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 9.0e18)
        return qlonglong(value);
    return value;
}

struct Converted {
    Converted(const QVariant& value, const std::optional<QString>& problem = std::nullopt)
        : value(value), problem(problem) {}
    QVariant value;
    std::optional<QString> problem;   // a value no check of the loaders can name
};

// A value as the program stores it in a column of this kind.
Converted stored(Holds holds, const QVariant& value)
{
    if (value.isNull())
        return QVariant();
    switch (holds) {
    case Holds::Text:
        if (value.typeId() == QMetaType::Double) {
            const QVariant whole = wholeIfWhole(value.toDouble());
            return {whole.typeId() == QMetaType::Double ? QVariant(QString::number(value.toDouble(), 'g', 15))
                                                        : QVariant(QString::number(whole.toLongLong()))};
        }
        if (value.typeId() == QMetaType::LongLong)
            return {QString::number(value.toLongLong())};
        return {value};
    case Holds::Day: {
        // A day kept as a text: dd/mm/yy or dd/mm/yyyy as the keeper types it, or yyyy-mm-dd.
        QDate day = value.typeId() == QMetaType::QDate ? value.toDate() : QDate();
        if (value.typeId() != QMetaType::QDate) {
            const QString text = value.toString().trimmed();
            const std::optional<QDate> typed = Dates::parse(text);
            day = typed ? *typed : QDate::fromString(text, QStringLiteral("d/M/yyyy"));
            if (!day.isValid())
                day = Dates::fromStorage(text);
            if (!day.isValid())
                return value;   // the checks name it
        }
        if (!Dates::writable(day))
            return {day.isValid() ? day.toString(QStringLiteral("dd/MM/yyyy")) : QStringLiteral("?"),
                    QStringLiteral("está fora dos dias que o Sistema guarda (de %1 a %2)")
                        .arg(Dates::FirstDay.toString(QStringLiteral("dd/MM/yyyy")),
                             Dates::LastDay.toString(QStringLiteral("dd/MM/yyyy")))};
        return QVariant(Dates::toStorage(day));
    }
    case Holds::Number:
        if (value.typeId() == QMetaType::Double)
            return {wholeIfWhole(value.toDouble())};
        return {value};
    }
    return {value};
}

// A number kept as a text, once the checks have found it whole, as the number it is.
QVariant asNumber(Holds holds, const QVariant& value)
{
    if (holds == Holds::Number && value.typeId() == QMetaType::QString && !value.toString().isEmpty())
        return value.toString().toLongLong();
    return value;
}

QString keyOf(Kind kind, const QVariantList& row)
{
    if (kind == Kind::History)
        return row.value(0).toString() + QLatin1Char('|') + row.value(1).toString();
    return row.value(0).toString();
}

int capacityOf(Kind kind)
{
    switch (kind) {
    case Kind::Personnel:
        return Capacity::Soldiers;
    case Kind::Services:
        return Capacity::Services;
    case Kind::Roster:
        return Capacity::RosterRows;
    case Kind::History:
        return Capacity::History;
    }
    return 0;
}

Rows readTable(const QString& path, Kind kind)
{
    const QString label = QFileInfo(path).fileName();
    ParadoxTable::Contents contents;
    try {
        contents = ParadoxTable::Read(path, capacityOf(kind));
    } catch (const CoreError& e) {
        throw CoreError(e.message() + QLatin1Char(' ') + NothingImported);
    }

    // Where each of the table's columns is in the file.
    const QStringList columns = TableSchema::columns(kind);
    QList<int> at;
    QList<Holds> holds;
    for (const QString& column : columns) {
        int found = -1;
        for (int f = 0; f < contents.fields.size() && found < 0; ++f) {
            if (contents.fields.at(f).name.trimmed().compare(column, Qt::CaseInsensitive) == 0)
                found = f;
        }
        holds << holdsOf(column);
        at << found;
        // Folga is read by no operation: a table without it is whole.
        if (found < 0 && column == QStringLiteral("Folga"))
            continue;
        if (found < 0)
            throw CoreError(QStringLiteral("A tabela %1 não tem a coluna %2. %3").arg(label, column, NothingImported));
        const ParadoxTable::Field& field = contents.fields.at(found);
        if (!fits(holds.last(), field.type))
            throw CoreError(QStringLiteral("A tabela %1 tem a coluna %2 do tipo %3, que não guarda %4. %5")
                                .arg(label, column, field.typeName, holdsText(holds.last()), NothingImported));
    }

    Rows rows;
    rows.reserve(contents.rows.size());
    QSet<QString> keys;
    for (const QVariantList& record : contents.rows) {
        QVariantList row;
        std::optional<QString> problem;
        int problemColumn = -1;
        for (int c = 0; c < columns.size(); ++c) {
            Converted value = stored(holds.at(c), at.at(c) < 0 ? QVariant() : record.at(at.at(c)));
            if (value.problem && !problem) {
                problem = value.problem;
                problemColumn = c;
            }
            row << value.value;
        }
        if (problem)
            throw CoreError(RowChecks::refusal(label, RowChecks::rowName(kind, row), columns.at(problemColumn),
                                               row.at(problemColumn), *problem));
        if (const std::optional<QString> refusal = RowChecks::checkRow(label, kind, row))
            throw CoreError(*refusal);
        const QString key = keyOf(kind, row);
        if (keys.contains(key))
            throw CoreError(QStringLiteral("A tabela %1 tem mais de uma linha com a mesma chave (%2). %3")
                                .arg(label, RowChecks::rowName(kind, row).mid(3), NothingImported));
        keys.insert(key);
        for (int c = 0; c < columns.size(); ++c)
            row[c] = asNumber(holds.at(c), row.at(c));
        rows.push_back(std::move(row));
    }
    return rows;
}

}

QString FileOf(const QString& folder, const QString& fileName)
{
    const QDir dir(folder);
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return QString();
}

std::map<QString, Rows> Read(const QString& folder)
{
    if (!ParadoxTable::Available())
        throw CoreError(ParadoxTable::UnavailableMessage());
    std::map<QString, Rows> tables;
    for (const QString& table : TableSchema::workingTables()) {
        const TableSchema::Table schema = TableSchema::tableOf(table);
        const QString fileName = table + QStringLiteral(".DB");
        const QString path = FileOf(folder, fileName);
        if (path.isEmpty()) {
            // A roster table never made holds no soldier; without the register or the history the
            // counts would come over without the soldiers or the duties they stand for.
            if (schema.kind == Kind::Roster) {
                tables[table] = {};
                continue;
            }
            throw CoreError(QStringLiteral("A pasta \"%1\" não tem a tabela %2. %3")
                                .arg(QDir::toNativeSeparators(folder), fileName, NothingImported));
        }
        tables[table] = readTable(path, schema.kind);
    }
    return tables;
}

}
