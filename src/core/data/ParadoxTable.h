#pragma once
// A Paradox table file (".DB") read whole: its fields as the file declares them and every record,
// each value in the form of its field's type. The tables of an older data folder come in this way.
// The reading goes through pxlib; a build without it (the Windows one) reads nothing and says so.

#include <QList>
#include <QString>
#include <QVariantList>
#include <vector>

namespace ParadoxTable {

// The field types a value can come from. Others (logical, memo, picture, time...) are Other.
enum class FieldType { Alpha, Date, Short, Long, Number, Other };

struct Field {
    QString name;
    FieldType type = FieldType::Other;
    QString typeName;   // as the keeper reads it: "alfanumérico", "data", "lógico"...
};

struct Contents {
    QList<Field> fields;
    int codePage = 0;                 // the code page the file declares for its texts
    std::vector<QVariantList> rows;   // in the order of the file; values by `fields`
};

// Whether this build reads Paradox tables at all.
bool Available();

// The keeper's message of a build that cannot.
QString UnavailableMessage();

// Reads the file whole. Values: a null QVariant for an empty field; alpha as a QString decoded by
// the file's code page (1252 or 850; trailing blanks kept); date as a QDate; short and long as a
// qlonglong; number as a double; a field of another type as a null QVariant (its type tells). A file
// that is damaged (shorter than its header says, records that cannot be read), protected by a
// password, in an unknown code page, or that is no Paradox table throws a message naming it, and
// so does one of more than `maxRecords` records, before its records are read.
Contents Read(const QString& path, int maxRecords);

}
