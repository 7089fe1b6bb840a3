#include "PersonnelCommands.h"

#include "CliSupport.h"

namespace Cli {

int RunInclude(const QStringList&)
{
    err(QStringLiteral("Comando ainda em construção."));
    return Refused;
}

int RunExclude(const QStringList&)
{
    err(QStringLiteral("Comando ainda em construção."));
    return Refused;
}

int RunServices(const QStringList&)
{
    err(QStringLiteral("Comando ainda em construção."));
    return Refused;
}

QString PersonnelUsage()
{
    return QString();
}

}
