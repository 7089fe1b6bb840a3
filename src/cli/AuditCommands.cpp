#include "AuditCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "audit/CountAudit.h"
#include "data/Clock.h"
#include "data/Dates.h"

namespace Cli {

namespace {

QString logged(const std::optional<int>& value)
{
    return value ? QString::number(*value) : QStringLiteral("-");
}

}

int RunBalance(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return badUsage(QStringLiteral("Falta o código do serviço."));
    if (arguments.size() > 1)
        return badUsage(QStringLiteral("Argumento inesperado: %1").arg(arguments.at(1)));
    const std::optional<int> code = serviceCode(arguments.first());
    if (!code)
        return badUsage(QStringLiteral("Código de serviço inválido: %1 (de 1 a %2).")
                                .arg(arguments.first())
                                .arg(Capacity::Services));
    const QDate today = Clock::today();
    const CountAudit::Balance balance = CountAudit::BalanceOf(*code, today);
    out(QStringLiteral("Equilíbrio da escala %1 em %2").arg(CountAudit::RosterLabel(balance.audit), Dates::show(today)));
    out(QStringLiteral("Num | Nome | Pt | Vm | Registro Pt | Registro Vm | Marca"));
    for (const CountAudit::MemberBalance& member : balance.members) {
        const QStringList marks = CountAudit::MemberMarks(member);
        out(QStringList{member.number, member.name, QString::number(member.pt), QString::number(member.vm),
                        logged(member.logPt), logged(member.logVm), marks.join(QStringLiteral(", "))}
                    .join(QStringLiteral(" | ")));
    }
    out(QStringLiteral("Diferença entre o maior e o menor (fora os afastados): Pt %1, Vm %2")
                .arg(balance.spreadPt)
                .arg(balance.spreadVm));
    if (!balance.audit.hasReference)
        out(QStringLiteral("Auditoria: sem referência (o registro dos pontos ainda não tem valor inicial para esta escala)."));
    else if (balance.audit.findings.empty())
        out(QStringLiteral("Auditoria: sem divergências."));
    else
        for (const CountAudit::Finding& finding : balance.audit.findings)
            out(QStringLiteral("Divergência: ") + finding.text);
    return Ok;
}

int RunAudit(const QStringList& arguments)
{
    bool start = false;
    for (const QString& argument : arguments) {
        if (argument == QStringLiteral("--iniciar") && !start)
            start = true;
        else
            return badUsage(QStringLiteral("Argumento inesperado: %1").arg(argument));
    }
    if (start) {
        const QStringList started = CountAudit::StartLogWhereMissing();
        out(started.isEmpty() ? QStringLiteral("Todas as escalas já tinham valor inicial no registro dos pontos.")
                              : QStringLiteral("Registro dos pontos iniciado com os pontos de hoje: %1.")
                                        .arg(started.join(QStringLiteral(", "))));
    }
    bool divergent = false;
    for (const CountAudit::RosterAudit& audit : CountAudit::AuditAll()) {
        const QString roster = CountAudit::RosterLabel(audit);
        if (!audit.hasReference)
            out(QStringLiteral("%1: sem referência").arg(roster));
        for (const CountAudit::Finding& finding : audit.findings) {
            out(QStringLiteral("%1: %2").arg(roster, finding.text));
            divergent = true;
        }
    }
    if (divergent)
        return Refused;
    out(QStringLiteral("Nenhuma divergência."));
    return Ok;
}

QString AuditUsage()
{
    return QStringLiteral("     ravelha-cli [--dados PASTA] [--hoje DD/MM/AA] equilibrio COD\n"
                          "     ravelha-cli [--dados PASTA] auditoria [--iniciar]\n");
}

}
