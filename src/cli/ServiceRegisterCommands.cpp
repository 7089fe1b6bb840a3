#include "ServiceRegisterCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "data/Dates.h"
#include "data/RowChecks.h"
#include "data/UGlobal.h"
#include "maintenance/ServiceRegister.h"

#include <QMap>
#include <functional>
#include <optional>

namespace Cli {

namespace {

const QString AllowEmptying = QStringLiteral("--apagar-escala");


// Options of the form "--name VALUE", each at most once, among `allowed`; the other arguments are
// returned in order in `positional`. A flag in `flags` takes no value. Returns the usage error.
QString readOptions(const QStringList& arguments, const QStringList& allowed, const QStringList& flags,
                    QMap<QString, QString>& options, QStringList& positional)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!argument.startsWith(QStringLiteral("--"))) {
            positional << argument;
            continue;
        }
        const bool flag = flags.contains(argument);
        if ((!flag && !allowed.contains(argument)) || options.contains(argument))
            return QStringLiteral("Argumento inesperado: %1").arg(argument);
        if (flag) {
            options.insert(argument, QString());
            continue;
        }
        if (i + 1 >= arguments.size())
            return QStringLiteral("Falta o valor de %1.").arg(argument);
        options.insert(argument, arguments.at(++i));
    }
    return QString();
}

QString describe(int code)
{
    const ServiceRecord& s = Global().ServiceTable[code];
    return QStringLiteral("Serviço %1 (%2): quantidade %3, prioridade %4, de %5 a %6")
        .arg(code)
        .arg(s.Descr)
        .arg(s.Quant)
        .arg(s.Prio)
        .arg(Dates::show(s.Ini), Dates::show(s.Fim));
}

// The code must name a service for "alterar" and "excluir"; the answers are the register's own.
std::optional<QString> notAService(const QString& text)
{
    const std::optional<int> code = ServiceRegister::CodeOf(text);
    if (text.trimmed().isEmpty())
        return QStringLiteral("Campo Código é obrigatório");
    if (!code)
        return ServiceRegister::InvalidCodeMessage(text);
    if (!ServiceRegister::InUse(Global().ServiceTable, *code))
        return QStringLiteral("Código inexistente");
    return std::nullopt;
}

// Saves and prints as the window would show; returns the exit.
int save(ServiceMode mode, const ServiceBoxes& boxes, const ServiceConfirm& confirm = {})
{
    // The window's box holds the 8 characters the register keeps; a longer description would be
    // stored cut without a word.
    if (mode != ServiceMode::Excluir) {
        if (const std::optional<QString> refusal = RowChecks::widthRefusal(QStringLiteral("A Descrição"), boxes.descr,
                                                                           Width::Descr)) {
            err(*refusal);
            return Refused;
        }
    }
    if (mode != ServiceMode::Excluir && ServiceRegister::AboveCapacity(boxes.quant))
        err(ServiceRegister::CapacityWarning());
    const ServiceSaveOutcome outcome = ServiceRegister::SaveService(mode, boxes, confirm);
    if (!outcome.saved) {
        err(outcome.message);
        if (outcome.declined)
            err(QStringLiteral("Para confirmar, use %1.").arg(AllowEmptying));
        if (outcome.existing)
            err(describe(outcome.existing->code.toInt()));
        return Refused;
    }
    const int code = ServiceRegister::CodeOf(boxes.code).value();
    if (mode == ServiceMode::Excluir) {
        if (outcome.retired) {
            err(outcome.message);
            out(QStringLiteral("Serviço %1 (%2) retirado das escalas: datas 01/01/00 a 01/01/00, prioridade 10; "
                               "escala apagada.")
                    .arg(code)
                    .arg(Global().ServiceTable[code].Descr));
        } else {
            out(QStringLiteral("Serviço %1 excluído; escala apagada; código livre.").arg(code));
        }
        return Ok;
    }
    out(describe(code));
    return Ok;
}

int list(const QStringList& rest)
{
    if (!rest.isEmpty())
        return badUsage(QStringLiteral("Argumento inesperado: %1").arg(rest.first()), ServiceRegisterUsage());
    LoadServices();
    const ServiceList& services = Global().ServiceTable;
    out(QStringLiteral("Relação dos Serviços"));
    for (const QString& row : ServiceRegister::ListingRows(services))
        out(row);
    out(ServiceRegister::FreeCodesText(services));
    return Ok;
}

int include(const QStringList& rest)
{
    QMap<QString, QString> options;
    QStringList positional;
    const QString problem = readOptions(rest, {"--prioridade", "--inicio", "--fim"}, {}, options, positional);
    if (!problem.isEmpty())
        return badUsage(problem, ServiceRegisterUsage());
    if (positional.size() < 3)
        return badUsage(QStringLiteral("Faltam o código, a descrição e a quantidade do serviço."), ServiceRegisterUsage());
    if (positional.size() > 3)
        return badUsage(QStringLiteral("Argumento inesperado: %1").arg(positional.at(3)), ServiceRegisterUsage());
    LoadServices();
    ServiceBoxes boxes;
    boxes.code = positional.at(0);
    boxes.descr = positional.at(1);
    boxes.quant = positional.at(2);
    boxes.prio = options.value(QStringLiteral("--prioridade"));
    boxes.ini = options.value(QStringLiteral("--inicio"), ServiceRegister::NewServiceStart);
    boxes.fim = options.value(QStringLiteral("--fim"), ServiceRegister::NewServiceEnd);
    boxes.rest = ServiceRegister::RestShown;
    return save(ServiceMode::Incluir, boxes);
}

// alterar and excluir name one registered service: its boxes as the window shows them, handed on
// with the options read; bad usage and a code that is no service end here.
int onRegisteredService(const QStringList& rest, const QStringList& allowed, const QStringList& flags,
                        const std::function<int(ServiceBoxes, const QMap<QString, QString>&)>& then)
{
    QMap<QString, QString> options;
    QStringList positional;
    const QString problem = readOptions(rest, allowed, flags, options, positional);
    if (!problem.isEmpty())
        return badUsage(problem, ServiceRegisterUsage());
    if (positional.isEmpty())
        return badUsage(QStringLiteral("Falta o código do serviço."), ServiceRegisterUsage());
    if (positional.size() > 1)
        return badUsage(QStringLiteral("Argumento inesperado: %1").arg(positional.at(1)), ServiceRegisterUsage());
    LoadServices();
    if (const std::optional<QString> refusal = notAService(positional.first())) {
        err(*refusal);
        return Refused;
    }
    const int code = ServiceRegister::CodeOf(positional.first()).value();
    ServiceBoxes boxes = ServiceRegister::BoxesOf(Global().ServiceTable[code], code);
    boxes.code = positional.first();
    return then(boxes, options);
}

int change(const QStringList& rest)
{
    return onRegisteredService(rest, {"--descricao", "--quantidade", "--prioridade", "--inicio", "--fim"}, {},
                               [](ServiceBoxes boxes, const QMap<QString, QString>& options) {
                                   // What is not named keeps its value, as the boxes show it.
                                   boxes.descr = options.value(QStringLiteral("--descricao"), boxes.descr);
                                   boxes.quant = options.value(QStringLiteral("--quantidade"), boxes.quant);
                                   boxes.prio = options.value(QStringLiteral("--prioridade"), boxes.prio);
                                   boxes.ini = options.value(QStringLiteral("--inicio"), boxes.ini);
                                   boxes.fim = options.value(QStringLiteral("--fim"), boxes.fim);
                                   return save(ServiceMode::Alterar, boxes);
                               });
}

int remove(const QStringList& rest)
{
    return onRegisteredService(rest, {}, {AllowEmptying}, [](const ServiceBoxes& boxes, const QMap<QString, QString>& options) {
        const bool allowed = options.contains(AllowEmptying);
        return save(ServiceMode::Excluir, boxes, [allowed](const QString&) { return allowed; });
    });
}

}

int RunServiceRegister(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return badUsage(QStringLiteral("Falta a operação do servico: listar, incluir, alterar ou excluir."), ServiceRegisterUsage());
    const QString operation = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (operation == QStringLiteral("listar"))
        return list(rest);
    if (operation == QStringLiteral("incluir"))
        return include(rest);
    if (operation == QStringLiteral("alterar"))
        return change(rest);
    if (operation == QStringLiteral("excluir"))
        return remove(rest);
    return badUsage(QStringLiteral("Operação desconhecida do servico: %1").arg(operation), ServiceRegisterUsage());
}

QString ServiceRegisterUsage()
{
    return QStringLiteral(
        "     ravelha-cli [--dados PASTA] servico listar\n"
        "     ravelha-cli [--dados PASTA] servico incluir COD DESCRICAO QUANT [--prioridade P] [--inicio DD/MM/AA] "
        "[--fim DD/MM/AA]\n"
        "     ravelha-cli [--dados PASTA] servico alterar COD [--descricao D] [--quantidade Q] [--prioridade P] "
        "[--inicio DD/MM/AA] [--fim DD/MM/AA]\n"
        "     ravelha-cli [--dados PASTA] servico excluir COD [--apagar-escala]\n");
}

}
