#include "PersonnelCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "data/Clock.h"
#include "data/UGlobal.h"
#include "maintenance/IndividualInclusion.h"

namespace Cli {

namespace {

const QString KeepDespiteHistory = QStringLiteral("--mesmo-no-historico");


// What the window shows for a refusal: the message, and the name registered under the number.
int refusedWith(const PersonnelOutcome& outcome)
{
    if (!outcome.message.isEmpty())
        err(outcome.message);
    if (!outcome.registeredName.isEmpty())
        err(QStringLiteral("Nome cadastrado: %1").arg(outcome.registeredName));
    return Refused;
}

void printServices(const QString& num)
{
    const std::vector<SoldierInService> services = RostersOfSoldier(num);
    if (services.empty())
        out(QStringLiteral("O militar %1 não concorre a nenhum serviço.").arg(num));
    for (const SoldierInService& service : services)
        out(SoldierInServiceLine(service));
}

// The codes of "COD,COD,..." or "nenhum"; each must be a registered service. Returns the refusal.
QString parseCodes(const QString& text, QSet<int>& codes)
{
    if (text == QStringLiteral("nenhum"))
        return QString();
    LoadServices();
    for (const QString& part : text.split(QLatin1Char(','))) {
        const std::optional<int> code = serviceCode(part);
        if (!code)
            return QStringLiteral("Código de serviço inválido: \"%1\" (de 1 a 30, ou a palavra nenhum). Nada foi alterado.")
                .arg(part);
        if (Global().ServiceTable[*code].Descr.isEmpty())
            return QStringLiteral("Não há serviço cadastrado com o código %1. Nada foi alterado.").arg(*code);
        codes.insert(*code);
    }
    return QString();
}

}

int RunInclude(const QStringList& arguments)
{
    QStringList words;
    bool keep = false;
    for (const QString& argument : arguments) {
        if (argument == KeepDespiteHistory)
            keep = true;
        else if (argument.startsWith(QStringLiteral("--")))
            return badUsage(QStringLiteral("Argumento inesperado: %1").arg(argument));
        else
            words << argument;
    }
    if (words.isEmpty())
        return badUsage(QStringLiteral("Falta o número do militar."));
    const QString num = words.value(0);
    const QString rank = words.value(1);
    const QString name = words.mid(2).join(QLatin1Char(' '));
    const PersonnelOutcome outcome = IncludeSoldier(num, rank, name, [keep](const QString& question) {
        if (keep)
            return true;
        err(question);
        err(QStringLiteral("Nada foi alterado. Para confirmar, repita o comando com %1.").arg(KeepDespiteHistory));
        return false;
    });
    if (!outcome.done)
        return refusedWith(outcome);
    LoadSoldiers();
    for (int i = 1; i <= Capacity::Soldiers && !Global().SoldierTable[i].Num.isEmpty(); ++i) {
        const SoldierRecord& s = Global().SoldierTable[i];
        if (s.Num == outcome.num)
            out(QStringLiteral("Incluído no Sistema: %1 %2 %3").arg(s.Num, s.PstGrd, s.Nome));
    }
    return Ok;
}

int RunExclude(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return badUsage(QStringLiteral("Falta o número do militar."));
    if (arguments.size() > 1)
        return badUsage(QStringLiteral("Argumento inesperado: %1").arg(arguments.at(1)));
    const PersonnelOutcome outcome = ExcludeSoldier(arguments.first(), Clock::today());
    if (!outcome.done)
        return refusedWith(outcome);
    out(QStringLiteral("Excluído do Sistema e de todas as escalas: %1").arg(outcome.num));
    return Ok;
}

int RunServices(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return badUsage(arguments.isEmpty() ? QStringLiteral("Falta o número do militar.")
                                            : QStringLiteral("Faltam os códigos dos serviços (COD,COD,... ou nenhum)."));
    if (arguments.size() > 2)
        return badUsage(QStringLiteral("Argumento inesperado: %1").arg(arguments.at(2)));
    QSet<int> codes;
    if (const QString refusal = parseCodes(arguments.at(1), codes); !refusal.isEmpty()) {
        err(refusal);
        return Refused;
    }
    const PersonnelOutcome outcome = SaveServicesOf(arguments.first(), codes, Clock::today());
    if (!outcome.done)
        return refusedWith(outcome);
    printServices(outcome.num);
    return Ok;
}

QString PersonnelUsage()
{
    return QStringLiteral(
        "     ravelha-cli [--dados PASTA] incluir NUM POSTO NOME... [--mesmo-no-historico]\n"
        "         (POSTO de duas palavras entre aspas: \"3º Sgt\"; NOME: as palavras que seguem o posto,\n"
        "          unidas por um espaço)\n"
        "     ravelha-cli [--dados PASTA] excluir NUM\n"
        "     ravelha-cli [--dados PASTA] [--hoje DD/MM/AA] servicos NUM COD,COD,...|nenhum\n");
}

}
