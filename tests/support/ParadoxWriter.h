#pragma once
// Old data folders of Paradox tables, written here with pxlib's writer for the tests of the import:
// from a data folder of the program (its working tables and text files), with the field types the
// data model gives, or with a table written field by field to make a case.

#include "data/TableSchema.h"

#include <QList>
#include <QString>
#include <QVariantList>
#include <vector>

class TDMGeral;

struct ParadoxField {
    enum Type { Alpha, Date, Short, Long, Number, Logical };
    QString name;
    Type type = Alpha;
    int length = 0;   // Alpha only: the characters it holds
};

// The fields of a table of the data model as the old program declared them.
QList<ParadoxField> ModelFields(TableSchema::Kind kind);

// Writes `path` (".DB") and its primary index (".PX", keyed on the first `keys` fields) with the
// rows given: QString for Alpha (encoded in `codePage`: 1252 or 850), QDate for Date, whole
// numbers for Short and Long, numbers for Number, bool for Logical, a null QVariant for empty.
void WriteParadoxTable(const QString& path, const QList<ParadoxField>& fields, const std::vector<QVariantList>& rows,
                       int keys = 1, int codePage = 1252);

// The stored rows of a table of the data folder open in `module`, as the old program's fields take
// them (days as QDate, codes and counts as numbers), in key order.
std::vector<QVariantList> ParadoxRowsOf(TDMGeral& module, const QString& table);

// An old data folder made from the data folder `dataFolder` open in `module`: every working table
// as Name.DB with its index (the rosters of codes without members are left out, as an old folder
// may lack them), and the text files the program reads.
void WriteOldFolder(TDMGeral& module, const QString& dataFolder, const QString& oldFolder);
