#include "SwapCommands.h"

#include "CliSupport.h"

namespace Cli {

int RunCandidates(const QStringList& arguments)
{
    Q_UNUSED(arguments);
    err(QStringLiteral("O comando candidatos ainda não está disponível nesta versão."));
    return BadUsage;
}

int RunSwap(const QStringList& arguments)
{
    Q_UNUSED(arguments);
    err(QStringLiteral("O comando trocar ainda não está disponível nesta versão."));
    return BadUsage;
}

QString SwapUsage()
{
    return QString();
}

}
