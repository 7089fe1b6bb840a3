#include "QueryCommands.h"

#include "CliSupport.h"

namespace Cli {

int RunHistory(const QStringList& arguments)
{
    Q_UNUSED(arguments);
    err(QStringLiteral("O comando historico ainda não está disponível nesta versão."));
    return BadUsage;
}

QString HistoryUsage()
{
    return QString();
}

}
