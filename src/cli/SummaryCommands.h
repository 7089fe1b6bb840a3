#pragma once
// ravelha-cli quadro, the services each soldier took in a period.

#include <QString>
#include <QStringList>

namespace Cli {

// The arguments after "quadro"; prints what the window would show and returns the exit.
int RunSummary(const QStringList& arguments);
// Its lines of the usage text, each ending with a line break.
QString SummaryUsage();

}
