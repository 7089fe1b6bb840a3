#pragma once
// ravelha-cli tabela: the table browser without windows. It lists the service register, the
// personnel register (whole or by a search), the roster table of one service and one roster with
// its members' personnel data (also into a PDF file), and changes or deletes one row with the
// checks of the window's grid.

#include <QString>
#include <QStringList>

namespace Cli {

// The arguments after "tabela"; prints the rows as the grid shows them and returns the exit.
int RunTable(const QStringList& arguments);
// Its lines of the usage text, each ending with a line break.
QString TableUsage();

}
