#include "PriorityCommands.h"

#include "CliSupport.h"

namespace Cli {

int RunPriorities(const QStringList& arguments)
{
    Q_UNUSED(arguments);
    err(QStringLiteral("O comando prioridades ainda não está disponível nesta versão."));
    return BadUsage;
}

QString PriorityUsage()
{
    return QString();
}

}
