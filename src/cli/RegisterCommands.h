#pragma once
// ravelha-cli equalizar, zerar and menores: the counts of the rosters kept level.

#include <QString>
#include <QStringList>

namespace Cli {

// The arguments after the command's name; each prints what the window would show and returns
// the exit.
int RunEqualise(const QStringList& arguments);
int RunZero(const QStringList& arguments);
int RunLowest(const QStringList& arguments);
// Their lines of the usage text, each ending with a line break.
QString RegisterUsage();

}
