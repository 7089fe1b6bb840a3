#pragma once
// ravelha-cli servico: the register of services (listar, incluir, excluir, alterar).

#include <QString>
#include <QStringList>

namespace Cli {

// The arguments after the command's name; each prints what the window would show and returns
// the exit.
int RunServiceRegister(const QStringList& arguments);
// Their lines of the usage text, each ending with a line break.
QString ServiceRegisterUsage();

}
