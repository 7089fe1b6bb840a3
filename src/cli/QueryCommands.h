#pragma once
// ravelha-cli historico, the history search of the window "Pesquisa de Serviços".

#include <QString>
#include <QStringList>

namespace Cli {

// The arguments after "historico"; prints what the window would show and returns the exit.
int RunHistory(const QStringList& arguments);
// Its lines of the usage text, each ending with a line break.
QString HistoryUsage();

}
