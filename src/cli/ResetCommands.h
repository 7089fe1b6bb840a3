#pragma once
// ravelha-cli reiniciar, expurgar and instalar: the data folder put back to the initial data set,
// old history deleted, and a new data folder made from the initial data set.

#include <QString>
#include <QStringList>

namespace Cli {

// `reiniciar --sim`: the whole system back to the initial data set of the data folder. Without
// --sim the confirmation question goes to stderr and nothing is changed (exit 1).
int RunReset(const QStringList& arguments);
// `expurgar DD/MM/AA`: deletes the history before that day and prints how many records went.
int RunPurge(const QStringList& arguments);
// `instalar`: fills the data folder chosen (--dados, RAVELHA_DADOS or the default; DataFolder::path),
// which must not exist yet or be empty, from the initial data set. Runs before any folder is opened.
int RunInstall(const QStringList& arguments);
// Their lines of the usage text, each ending with a line break.
QString ResetUsage();

}
