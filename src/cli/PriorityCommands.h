#pragma once
// ravelha-cli prioridades, the priorities of the services computed from the soldiers available.

#include <QString>
#include <QStringList>

namespace Cli {

// The arguments after "prioridades"; prints what the window would show and returns the exit.
int RunPriorities(const QStringList& arguments);
// Its lines of the usage text, each ending with a line break.
QString PriorityUsage();

}
