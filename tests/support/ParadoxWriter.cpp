#include "ParadoxWriter.h"

#include "data/Dates.h"
#include "data/UDMGeral.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringEncoder>
#include <QTest>

extern "C" {
#include <paradox.h>
}

#include <cstring>
#include <stdexcept>

namespace {

constexpr long SerialDayOfDayZero = 1721425;

char typeCode(ParadoxField::Type type)
{
    switch (type) {
    case ParadoxField::Alpha:
        return pxfAlpha;
    case ParadoxField::Date:
        return pxfDate;
    case ParadoxField::Short:
        return pxfShort;
    case ParadoxField::Long:
        return pxfLong;
    case ParadoxField::Number:
        return pxfNumber;
    case ParadoxField::Logical:
        return pxfLogical;
    }
    return pxfAlpha;
}

int lengthOf(const ParadoxField& field)
{
    switch (field.type) {
    case ParadoxField::Alpha:
        return field.length;
    case ParadoxField::Short:
        return 2;
    case ParadoxField::Date:
    case ParadoxField::Long:
        return 4;
    case ParadoxField::Number:
        return 8;
    case ParadoxField::Logical:
        return 1;
    }
    return 0;
}

void fail(const QString& what)
{
    throw std::runtime_error(what.toStdString());
}

pxdoc_t* create(const QString& path, const QList<ParadoxField>& fields, int type)
{
    pxdoc_t* doc = PX_new();
    // pxlib takes the field list as its own and frees it with the document.
    pxfield_t* list = nullptr;
    if (!fields.isEmpty()) {
        list = static_cast<pxfield_t*>(doc->malloc(doc, sizeof(pxfield_t) * fields.size(), "fields"));
        for (int i = 0; i < fields.size(); ++i) {
            list[i].px_fname = PX_strdup(doc, fields.at(i).name.toLatin1().constData());
            list[i].px_ftype = typeCode(fields.at(i).type);
            list[i].px_flen = lengthOf(fields.at(i));
            list[i].px_fdc = 0;
        }
    }
    QFile::remove(path);
    if (PX_create_file(doc, list, int(fields.size()), QFile::encodeName(path).constData(), type) < 0)
        fail(QStringLiteral("pxlib não criou %1").arg(path));
    return doc;
}

}

QList<ParadoxField> ModelFields(TableSchema::Kind kind)
{
    using F = ParadoxField;
    switch (kind) {
    case TableSchema::Kind::Personnel:
        return {{"Num", F::Alpha, 4},    {"Nome", F::Alpha, 15}, {"PstGrd", F::Alpha, 7}, {"PR", F::Alpha, 1},
                {"Ini", F::Date},         {"Fim", F::Date},       {"USv", F::Alpha, 109}};
    case TableSchema::Kind::Services:
        return {{"CodSv", F::Short}, {"Descr", F::Alpha, 10}, {"Ini", F::Date},    {"Fim", F::Date},
                {"Quant", F::Short}, {"Prio", F::Short},       {"Folga", F::Number}};
    case TableSchema::Kind::Roster:
        return {{"Num", F::Alpha, 4}, {"Pt", F::Number}, {"Vm", F::Number}};
    case TableSchema::Kind::History:
        return {{"Dia", F::Date}, {"CodSv", F::Short}, {"Descr", F::Alpha, 10}, {"Num", F::Alpha, 120},
                {"PtVm", F::Alpha, 2}};
    }
    return {};
}

void WriteParadoxTable(const QString& path, const QList<ParadoxField>& fields, const std::vector<QVariantList>& rows,
                       int keys, int codePage)
{
    pxdoc_t* doc = create(path, fields, pxfFileTypIndexDB);
    PX_set_value(doc, "codepage", float(codePage));
    PX_set_value(doc, "numprimkeys", float(keys));
    PX_set_parameter(doc, "tablename", QFileInfo(path).completeBaseName().toLatin1().constData());
    QStringEncoder encoder(codePage == 1252 ? "windows-1252" : QByteArray("IBM" + QByteArray::number(codePage)).constData());
    if (!encoder.isValid())
        fail(QStringLiteral("página de código %1 desconhecida").arg(codePage));

    for (const QVariantList& row : rows) {
        std::vector<pxval_t> values(size_t(fields.size()));
        std::vector<pxval_t*> pointers;
        std::vector<QByteArray> texts(size_t(fields.size()));
        for (int i = 0; i < fields.size(); ++i) {
            pxval_t& v = values[size_t(i)];
            std::memset(&v, 0, sizeof v);
            v.type = typeCode(fields.at(i).type);
            const QVariant value = row.value(i);
            v.isnull = value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty());
            if (!v.isnull) {
                switch (fields.at(i).type) {
                case ParadoxField::Alpha:
                    texts[size_t(i)] = encoder(value.toString());
                    v.value.str.val = texts[size_t(i)].data();
                    v.value.str.len = int(texts[size_t(i)].size());
                    break;
                case ParadoxField::Date:
                    v.value.lval = long(value.toDate().toJulianDay() - SerialDayOfDayZero);
                    break;
                case ParadoxField::Short:
                case ParadoxField::Long:
                case ParadoxField::Logical:
                    v.value.lval = long(value.toLongLong());
                    break;
                case ParadoxField::Number:
                    v.value.dval = value.toDouble();
                    break;
                }
            }
            pointers.push_back(&v);
        }
        if (PX_insert_record(doc, pointers.data()) < 0)
            fail(QStringLiteral("pxlib não gravou uma linha em %1").arg(path));
    }

    const QString indexPath = QFileInfo(path).path() + QLatin1Char('/') + QFileInfo(path).completeBaseName()
                              + QStringLiteral(".PX");
    pxdoc_t* index = create(indexPath, {}, pxfFileTypPrimIndex);
    if (PX_write_primary_index(doc, index) < 0)
        fail(QStringLiteral("pxlib não gravou o índice de %1").arg(path));
    PX_close(index);
    PX_delete(index);
    PX_close(doc);
    PX_delete(doc);
}

std::vector<QVariantList> ParadoxRowsOf(TDMGeral& module, const QString& table)
{
    const TableSchema::Kind kind = TableSchema::tableOf(table).kind;
    const QList<ParadoxField> fields = ModelFields(kind);
    QSqlQuery q = module.openTable(Alias::Ravelha, table, 1000000);
    std::vector<QVariantList> rows;
    while (q.next()) {
        QVariantList row;
        for (int c = 0; c < fields.size(); ++c) {
            const QVariant value = q.value(c);
            if (value.isNull() || value.toString().isEmpty())
                row << QVariant();
            else if (fields.at(c).type == ParadoxField::Date)
                row << Dates::fromStorage(value.toString());
            else if (fields.at(c).type == ParadoxField::Alpha)
                row << value.toString();
            else
                row << value.toDouble();
        }
        rows.push_back(row);
    }
    return rows;
}

void WriteOldFolder(TDMGeral& module, const QString& dataFolder, const QString& oldFolder)
{
    QDir().mkpath(oldFolder);
    for (const QString& table : TableSchema::workingTables()) {
        const TableSchema::Table schema = TableSchema::tableOf(table);
        const std::vector<QVariantList> rows = ParadoxRowsOf(module, table);
        if (schema.kind == TableSchema::Kind::Roster && rows.empty())
            continue;
        WriteParadoxTable(QDir(oldFolder).filePath(table + QStringLiteral(".DB")), ModelFields(schema.kind), rows,
                          schema.kind == TableSchema::Kind::History ? 2 : 1);
    }
    const QStringList texts{"Niveis.Txt",   "Escala.Txt",        "SemExped.Txt", "DataIniFim.Txt",
                            "UltiEqual.Txt", "PstGrd.Txt",       "ModelosPstGrd.Txt", "Entradas.Txt",
                            "Entradas2.Txt", "Manual.Txt"};
    for (const QString& name : texts) {
        const QString from = QDir(dataFolder).filePath(name);
        if (QFileInfo::exists(from))
            QFile::copy(from, QDir(oldFolder).filePath(name));
    }
}
