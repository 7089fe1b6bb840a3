#pragma once
// The initial data set: a unit in early 2004, carried by the program (":/inicial") as CSV tables
// and text files. Installing it fills a new data folder with the working tables and files and,
// beside them, the initial-data tables (Rav...) and copies (Ini...) that a reset restores.

#include <QString>

namespace InitialDataSet {

inline const QString BuiltIn = QStringLiteral(":/inicial");

// Fills `folder`, which must not exist yet, from the set in `source`. The folder is built under
// another name and renamed into place at the end, so a failure leaves no half-made data folder.
// `livesIn` is where the folder will be used, when it is itself built to be moved there later
// (a unit brought from a server): the place of its copy (line 6 of Niveis.Txt) lies beside that.
void install(const QString& folder, const QString& source = BuiltIn, const QString& livesIn = QString());

// Installs the set when `folder` does not exist; returns whether it did.
bool installIfMissing(const QString& folder, const QString& source = BuiltIn);

}
