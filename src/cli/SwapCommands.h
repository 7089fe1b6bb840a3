#pragma once
// ravelha-cli candidatos DD/MM/AA COD and trocar A B DD/MM/AA COD [--a-e-b]: the two items of the
// tab "Trocas Sv". trocar prints what the window asks about, then writes ("0" is nobody).

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
