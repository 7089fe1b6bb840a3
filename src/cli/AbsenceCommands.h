#pragma once
// ravelha-cli afastar and retornar: a soldier off every roster for a period, and back at the level.

#include <QString>
#include <QStringList>

namespace Cli {

// The arguments after the command's name; each prints what the window would show and returns
// the exit.
int RunAbsence(const QStringList& arguments);
int RunReturn(const QStringList& arguments);
// Their lines of the usage text, each ending with a line break.
QString AbsenceUsage();

}
