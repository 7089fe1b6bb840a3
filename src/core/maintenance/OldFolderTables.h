#pragma once
// The working tables of an older data folder of Paradox files (Basico.DB, Sv.DB, Sv1.DB to
// Sv30.DB, Hist.DB), read whole and checked as the loaders check the program's own tables, before
// anything is written. A column may be kept in any field type that holds its values (a number in
// an alphanumeric field, a soldier number in a numeric one); each value comes out in the form the
// program stores. A roster table that is missing is an empty roster; a missing register or history
// is refused.

#include <QString>
#include <QVariantList>
#include <map>
#include <vector>

namespace OldFolderTables {

using Rows = std::vector<QVariantList>;

// The file of a table in `folder`, whatever the case of its name ("Basico.DB", "BASICO.db"), or
// the empty text when there is none.
QString FileOf(const QString& folder, const QString& fileName);

// Every working table of `folder` by name ("Basico", "Sv", "Sv1"... "Hist"), each row in the
// table's column order and in the stored form (days as yyyy-MM-dd, counts and codes as whole
// numbers). Throws the keeper's message for the first thing that cannot be held: a missing or
// damaged file, a missing column, a column of a type that cannot hold it, more rows than the
// model holds, a key given twice, or a value (file, row, column, value).
std::map<QString, Rows> Read(const QString& folder);

}
