#include "SummaryCommands.h"

#include "CliSupport.h"

namespace Cli {

int RunSummary(const QStringList& arguments)
{
    Q_UNUSED(arguments);
    err(QStringLiteral("O comando quadro ainda não está disponível nesta versão."));
    return BadUsage;
}

QString SummaryUsage()
{
    return QString();
}

}
