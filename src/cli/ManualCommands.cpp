#include "ManualCommands.h"

#include "CliSupport.h"

namespace Cli {

int RunManual(const QStringList& arguments)
{
    Q_UNUSED(arguments);
    err(QStringLiteral("O comando manual ainda não está disponível nesta versão."));
    return BadUsage;
}

QString ManualUsage()
{
    return QString();
}

}
