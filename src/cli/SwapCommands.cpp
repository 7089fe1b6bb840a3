#include "SwapCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "manual/Swap.h"
#include "manual/SwapCandidates.h"

#include <optional>

namespace Cli {

namespace {

// A service code as typed: a whole number (whether it names a registered service is the
// operation's own check, as in the window).
std::optional<int> codeOf(const QString& typed)
{
    bool ok = false;
    const int code = typed.trimmed().toInt(&ok);
    return ok ? std::optional<int>(code) : std::nullopt;
}

QString unexpected(const QStringList& arguments)
{
    for (const QString& argument : arguments)
        if (argument.startsWith(QStringLiteral("--")))
            return argument;
    return QString();
}

}

int RunCandidates(const QStringList& arguments)
{
    if (const QString option = unexpected(arguments); !option.isEmpty())
        return badUsage(QStringLiteral("Argumento inesperado: %1").arg(option));
    if (arguments.size() != 2)
        return badUsage(QStringLiteral("candidatos precisa do dia e do código do serviço: candidatos DD/MM/AA COD."));
    const std::optional<int> code = codeOf(arguments.at(1));
    if (!code)
        return badUsage(QStringLiteral("O código do serviço deve ser um número: %1").arg(arguments.at(1)));

    const CandidateList list = ListCandidates(arguments.at(0), code);
    if (!list.refusal.isEmpty()) {
        err(list.refusal);
        return Refused;
    }
    for (const QString& line : list.candidates)
        out(line);
    if (!list.alerts.isEmpty()) {
        out(QStringLiteral("== Mensagens"));
        for (const QString& line : list.alerts)
            out(line);
    }
    return Ok;
}

int RunSwap(const QStringList& arguments)
{
    QStringList rest = arguments;
    // "B" is the choice unless --a-e-b is given (it means nothing when A or B is 0).
    const SwapChoice choice = rest.removeAll(QStringLiteral("--a-e-b")) > 0 ? SwapChoice::AandB : SwapChoice::B;
    if (const QString option = unexpected(rest); !option.isEmpty())
        return badUsage(QStringLiteral("Argumento inesperado: %1").arg(option));
    if (rest.size() != 4)
        return badUsage(QStringLiteral("trocar precisa de quem sai, quem entra, o dia e o código do serviço: "
                                       "trocar A B DD/MM/AA COD."));
    const std::optional<int> code = codeOf(rest.at(3));
    if (!code)
        return badUsage(QStringLiteral("O código do serviço deve ser um número: %1").arg(rest.at(3)));

    // The command is the request: the question the window asks is answered with its default, Yes.
    const SwapOutcome outcome =
        SwapService(SwapRequest{rest.at(0), rest.at(1), rest.at(2), code, choice}, [](const QString&) { return true; });
    if (!outcome.refusal.isEmpty()) {
        err(outcome.refusal);
        return Refused;
    }
    for (const QString& line : outcome.summary)
        out(line);
    return Ok;
}

QString SwapUsage()
{
    return QStringLiteral("     ravelha-cli [--dados PASTA] candidatos DD/MM/AA COD\n"
                          "     ravelha-cli [--dados PASTA] trocar A B DD/MM/AA COD [--a-e-b]\n");
}

}
