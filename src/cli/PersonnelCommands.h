#pragma once
// ravelha-cli incluir, excluir and servicos: one soldier into and out of the register and the rosters.

#include <QString>
#include <QStringList>

namespace Cli {

// The arguments after the command's name; each prints what the window would show and returns
// the exit.
int RunInclude(const QStringList& arguments);
int RunExclude(const QStringList& arguments);
int RunServices(const QStringList& arguments);
// Their lines of the usage text, each ending with a line break.
QString PersonnelUsage();

}
