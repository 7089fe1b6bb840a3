#include "PriorityCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "data/Clock.h"
#include "rostering/Priorities.h"

namespace Cli {

int RunPriorities(const QStringList& arguments)
{
    if (!arguments.isEmpty()) {
        err(QStringLiteral("Argumento inesperado: %1").arg(arguments.first()));
        err(usage());
        return BadUsage;
    }
    // The command is the request: the window's question is not asked.
    const std::vector<ServicePriority> ranking = PlanPriorities(Clock::today());
    for (const ServicePriority& service : ranking)
        out(PriorityLine(service));
    WritePriorities(ranking);
    return Ok;
}

QString PriorityUsage()
{
    return QStringLiteral("     ravelha-cli [--dados PASTA] [--hoje DD/MM/AA] prioridades\n");
}

}
