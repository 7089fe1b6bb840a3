#include "CollectiveCommands.h"

#include "CliSupport.h"

namespace Cli {

int RunIncludeFile(const QStringList&)
{
    err(QStringLiteral("Comando ainda em construção."));
    return Refused;
}

QString CollectiveUsage()
{
    return QString();
}

}
