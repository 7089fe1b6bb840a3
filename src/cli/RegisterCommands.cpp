#include "RegisterCommands.h"

#include "CliSupport.h"

namespace Cli {

namespace {
int notYet(const char* name)
{
    err(QStringLiteral("O comando %1 ainda não está disponível nesta versão.").arg(QLatin1String(name)));
    return BadUsage;
}
}

int RunEqualise(const QStringList&)
{
    return notYet("equalizar");
}

int RunZero(const QStringList&)
{
    return notYet("zerar");
}

int RunLowest(const QStringList&)
{
    return notYet("menores");
}

QString RegisterUsage()
{
    return QString();
}

}
