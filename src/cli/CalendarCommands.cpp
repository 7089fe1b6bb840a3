#include "CalendarCommands.h"

#include "CliSupport.h"

namespace Cli {

int RunCalendar(const QStringList&)
{
    err(QStringLiteral("O comando calendario ainda não está disponível nesta versão."));
    return BadUsage;
}

QString CalendarUsage()
{
    return QString();
}

}
