#pragma once
// ravelha-cli candidatos and trocar: the two items of the tab "Trocas Sv".

#include <QString>
#include <QStringList>

namespace Cli {

// The arguments after "candidatos" / "trocar"; each prints what the tab would show and returns
// the exit.
int RunCandidates(const QStringList& arguments);
int RunSwap(const QStringList& arguments);
// Their lines of the usage text, each ending with a line break.
QString SwapUsage();

}
