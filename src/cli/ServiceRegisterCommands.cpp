#include "ServiceRegisterCommands.h"

#include "CliSupport.h"

namespace Cli {

int RunServiceRegister(const QStringList&)
{
    err(QStringLiteral("Comando ainda em construção."));
    return Refused;
}

QString ServiceRegisterUsage()
{
    return QString();
}

}
