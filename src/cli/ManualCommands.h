#pragma once
// ravelha-cli manual verificar|escalar DD/MM/AA ARQUIVO: the manual grid, read from a small text
// file, verified or committed as the tab "Escalar Manual" would.

#include <QString>
#include <QStringList>

namespace Cli {

// The arguments after "manual"; prints what the tab would show and returns the exit.
int RunManual(const QStringList& arguments);
// Its lines of the usage text, each ending with a line break.
QString ManualUsage();

}
