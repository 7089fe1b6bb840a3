#include "AbsenceCommands.h"

#include "CliSupport.h"

namespace Cli {

int RunAbsence(const QStringList&)
{
    err(QStringLiteral("Comando ainda em construção."));
    return Refused;
}

int RunReturn(const QStringList&)
{
    err(QStringLiteral("Comando ainda em construção."));
    return Refused;
}

QString AbsenceUsage()
{
    return QString();
}

}
