#include "CliCommands.h"

#include "AbsenceCommands.h"
#include "AuditCommands.h"
#include "BackupCommands.h"
#include "CalendarCommands.h"
#include "CollectiveCommands.h"
#include "CoverCommands.h"
#include "ExportCommands.h"
#include "ImportCommands.h"
#include "ManualCommands.h"
#include "PersonnelCommands.h"
#include "PriorityCommands.h"
#include "QueryCommands.h"
#include "RegisterCommands.h"
#include "ResetCommands.h"
#include "ServerCommands.h"
#include "ServiceRegisterCommands.h"
#include "SummaryCommands.h"
#include "SwapCommands.h"
#include "TableCommands.h"

#include "audit/CsvExport.h"
#include "data/Dates.h"
#include "data/UGlobal.h"
#include "rostering/Commit.h"
#include "rostering/Decisions.h"
#include "rostering/Removals.h"
#include "rostering/RosterPrintout.h"
#include "rostering/RosterSession.h"

#include <cstdio>

#ifdef RAVELHA_CLI_PRINT
#include "PainterPrinter.h"
#include "PdfFile.h"
#endif

namespace Cli {

namespace {

// Commands of other subsystems parse their own arguments.
bool isOtherSubsystem(const QString& name)
{
    static const QStringList names = {QStringLiteral("manual"),   QStringLiteral("candidatos"),
                                      QStringLiteral("trocar"),   QStringLiteral("historico"),
                                      QStringLiteral("quadro"),   QStringLiteral("prioridades"),
                                      QStringLiteral("equalizar"), QStringLiteral("zerar"),
                                      QStringLiteral("menores"),  QStringLiteral("calendario"),
                                      QStringLiteral("incluir"),  QStringLiteral("excluir"),
                                      QStringLiteral("servicos"), QStringLiteral("incluir-arquivo"),
                                      QStringLiteral("afastar"),  QStringLiteral("retornar"),
                                      QStringLiteral("servico"),  QStringLiteral("capa"),
                                      QStringLiteral("backup"), QStringLiteral("restaurar"), QStringLiteral("local-copia"),
                                      QStringLiteral("tabela"),
                                      QStringLiteral("reiniciar"), QStringLiteral("expurgar"),
                                      QStringLiteral("instalar"), QStringLiteral("importar"), QStringLiteral("exportar-ical"),
                                      QStringLiteral("equilibrio"), QStringLiteral("auditoria"),
                                      QStringLiteral("publicar"), QStringLiteral("baixar"), QStringLiteral("unidades")};
    return names.contains(name);
}

bool isCommand(const QString& name)
{
    static const QStringList names = {QStringLiteral("verificar"), QStringLiteral("escalar"),
                                      QStringLiteral("desfazer"), QStringLiteral("imprimir")};
    return names.contains(name);
}

struct Removal {
    QString num;
    QList<int> codes;      // empty: every registered service
    QList<QDate> days;
    QString error;         // bad usage
};

// NUM[:COD,COD...]:DD/MM/YY[,DD/MM/YY...]
Removal parseRemoval(const QString& typed)
{
    Removal removal;
    const QStringList parts = typed.split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3 || parts.first().trimmed().isEmpty() || parts.last().isEmpty()) {
        removal.error = QStringLiteral("--retirar %1: use NUM[:COD,COD...]:DD/MM/AA[,DD/MM/AA...]").arg(typed);
        return removal;
    }
    removal.num = parts.first().trimmed();
    if (parts.size() == 3) {
        for (const QString& text : parts.at(1).split(QLatin1Char(','))) {
            bool ok = false;
            const int code = text.trimmed().toInt(&ok);
            if (!ok || code < 1 || code > Capacity::Services || Global().ServiceTable[code].Descr.isEmpty()) {
                removal.error = QStringLiteral("--retirar %1: \"%2\" não é o código de um serviço cadastrado.")
                                    .arg(typed, text);
                return removal;
            }
            removal.codes << code;
        }
    }
    for (const QString& text : parts.last().split(QLatin1Char(','))) {
        const std::optional<QDate> day = Dates::parse(text);
        if (!day) {
            removal.error = QStringLiteral("--retirar %1: %2").arg(typed, Dates::invalidDateMessage(text));
            return removal;
        }
        removal.days << *day;
    }
    return removal;
}

// The command line never waits for an answer: a question is answered Yes by its flag, else No,
// and then its text goes to standard error with the flag that confirms it.
Confirm answeredBy(bool yes, const QString& flag)
{
    return [yes, flag](const QString& question) {
        if (yes)
            return true;
        err(question);
        err(QStringLiteral("Nada foi alterado. Para confirmar, repita o comando com %1.").arg(flag));
        return false;
    };
}

void printNotice(const QString& notice)
{
    if (!notice.isEmpty())
        err(notice);
}

void printLists(const RosterSession& session)
{
    for (const QString& line : session.rosterLines())
        out(line);
    out(QStringLiteral("== Mensagens"));
    for (const QString& line : session.messageLines())
        out(line);
}

// DD/MM/YY:COD of --explicar: the day and the service code, or the bad usage in `error`.
struct ExplainRequest {
    QDate day;
    int code = 0;
    QString error;
};

ExplainRequest parseExplain(const QString& typed)
{
    ExplainRequest request;
    const qsizetype colon = typed.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const int code = colon < 0 ? 0 : typed.mid(colon + 1).trimmed().toInt(&ok);
    if (colon < 0 || !ok) {
        request.error = QStringLiteral("--explicar %1: use DD/MM/AA:COD (o dia e o código do serviço)").arg(typed);
        return request;
    }
    const QString dayText = typed.left(colon);
    const std::optional<QDate> day = Dates::parse(dayText);
    if (!day) {
        request.error = QStringLiteral("--explicar %1: %2").arg(typed, Dates::invalidDateMessage(dayText));
        return request;
    }
    request.day = *day;
    request.code = code;
    return request;
}

// Verifies with the removals; prints the refusal and gives false when there is one.
bool verify(RosterSession& session, const Command& command, int& exit)
{
    LoadServices();
    QList<Removal> removals;
    for (const QString& typed : command.removals) {
        const Removal removal = parseRemoval(typed);
        if (!removal.error.isEmpty()) {
            err(removal.error);
            err(usage());
            exit = BadUsage;
            return false;
        }
        removals << removal;
    }
    for (const Removal& removal : removals) {
        if (const std::optional<QString> refusal = RemovalNumberRefusal(removal.num)) {
            err(*refusal);
            exit = Refused;
            return false;
        }
        QList<int> codes = removal.codes;
        if (codes.isEmpty()) {
            for (int code = 1; code <= Capacity::Services; ++code) {
                if (!Global().ServiceTable[code].Descr.isEmpty())
                    codes << code;
            }
        }
        if (const std::optional<QString> refusal = AddRemoval(removal.num, codes, removal.days)) {
            err(*refusal);
            exit = Refused;
            return false;
        }
    }
    if (!session.verify(command.day)) {
        err(session.refusal());
        exit = Refused;
        return false;
    }
    return true;
}

}

int badUsage(const QString& text, const QString& help)
{
    err(text);
    err(help);
    return BadUsage;
}

QString usage()
{
    return QStringLiteral(
        "uso: ravelha-cli [--dados PASTA] verificar DD/MM/AA [--retirar NUM[:COD,COD...]:DD/MM/AA[,DD/MM/AA...]]... [--csv ARQUIVO]\n"
        "                                 [--explicar DD/MM/AA:COD]...\n"
        "     ravelha-cli [--dados PASTA] escalar DD/MM/AA [--retirar ...]... [--desfazer-posteriores]\n"
        "     ravelha-cli [--dados PASTA] desfazer DD/MM/AA [--forcar]\n"
        "     ravelha-cli [--dados PASTA] imprimir DD/MM/AA --pdf ARQUIVO\n")
        + ManualUsage() + SwapUsage() + HistoryUsage() + SummaryUsage() + PriorityUsage()
        + RegisterUsage() + CalendarUsage() + PersonnelUsage() + CollectiveUsage() + AbsenceUsage()
        + ServiceRegisterUsage() + CoverUsage() + BackupUsage() + ResetUsage() + ImportUsage() + TableUsage() + ExportUsage()
        + AuditUsage() + ServerUsage()
        + QStringLiteral("--hoje DD/MM/AA fixa o dia de hoje para os comandos que o leem.\n"
                         "A pasta de dados é a de --dados, senão a de RAVELHA_DADOS, senão a pasta padrão.");
}

Command parse(const QStringList& arguments)
{
    Command command;
    QStringList rest = arguments.mid(1);
    if (rest.isEmpty()) {
        command.error = QStringLiteral("Falta o comando.");
        return command;
    }
    command.name = rest.takeFirst();
    if (isOtherSubsystem(command.name)) {
        command.rest = rest;
        return command;
    }
    if (!isCommand(command.name)) {
        command.error = QStringLiteral("Comando desconhecido: %1").arg(command.name);
        return command;
    }
    if (rest.isEmpty() || rest.first().startsWith(QStringLiteral("--"))) {
        command.error = QStringLiteral("Falta o dia (DD/MM/AA).");
        return command;
    }
    command.day = rest.takeFirst();
    const bool removals = command.name == QStringLiteral("verificar") || command.name == QStringLiteral("escalar");
    while (!rest.isEmpty()) {
        const QString option = rest.takeFirst();
        if (option == QStringLiteral("--retirar") && removals && !rest.isEmpty()) {
            command.removals << rest.takeFirst();
        } else if (option == QStringLiteral("--desfazer-posteriores") && command.name == QStringLiteral("escalar")) {
            command.undoLater = true;
        } else if (option == QStringLiteral("--forcar") && command.name == QStringLiteral("desfazer")) {
            command.force = true;
        } else if (option == QStringLiteral("--pdf") && command.name == QStringLiteral("imprimir") && !rest.isEmpty()
                   && command.pdf.isEmpty()) {
            command.pdf = rest.takeFirst();
        } else if (option == QStringLiteral("--csv") && command.name == QStringLiteral("verificar") && !rest.isEmpty()
                   && command.csv.isEmpty() && !rest.first().isEmpty()) {
            command.csv = rest.takeFirst();
        } else if (option == QStringLiteral("--explicar") && command.name == QStringLiteral("verificar")
                   && !rest.isEmpty()) {
            command.explain << rest.takeFirst();
        } else {
            command.error = QStringLiteral("Argumento inesperado: %1").arg(option);
            return command;
        }
    }
    if (command.name == QStringLiteral("imprimir") && command.pdf.isEmpty())
        command.error = QStringLiteral("Falta --pdf ARQUIVO.");
    return command;
}

int run(const Command& command)
{
    if (command.name == QStringLiteral("manual"))
        return RunManual(command.rest);
    if (command.name == QStringLiteral("candidatos"))
        return RunCandidates(command.rest);
    if (command.name == QStringLiteral("trocar"))
        return RunSwap(command.rest);
    if (command.name == QStringLiteral("historico"))
        return RunHistory(command.rest);
    if (command.name == QStringLiteral("quadro"))
        return RunSummary(command.rest);
    if (command.name == QStringLiteral("exportar-ical"))
        return RunCalendarExport(command.rest);
    if (command.name == QStringLiteral("prioridades"))
        return RunPriorities(command.rest);
    if (command.name == QStringLiteral("equalizar"))
        return RunEqualise(command.rest);
    if (command.name == QStringLiteral("zerar"))
        return RunZero(command.rest);
    if (command.name == QStringLiteral("menores"))
        return RunLowest(command.rest);
    if (command.name == QStringLiteral("calendario"))
        return RunCalendar(command.rest);
    if (command.name == QStringLiteral("incluir"))
        return RunInclude(command.rest);
    if (command.name == QStringLiteral("excluir"))
        return RunExclude(command.rest);
    if (command.name == QStringLiteral("servicos"))
        return RunServices(command.rest);
    if (command.name == QStringLiteral("incluir-arquivo"))
        return RunIncludeFile(command.rest);
    if (command.name == QStringLiteral("afastar"))
        return RunAbsence(command.rest);
    if (command.name == QStringLiteral("retornar"))
        return RunReturn(command.rest);
    if (command.name == QStringLiteral("servico"))
        return RunServiceRegister(command.rest);
    if (command.name == QStringLiteral("capa"))
        return RunCover(command.rest);
    if (command.name == QStringLiteral("backup"))
        return RunBackup(command.rest);
    if (command.name == QStringLiteral("restaurar"))
        return RunRestore(command.rest);
    if (command.name == QStringLiteral("local-copia"))
        return RunBackupLocation(command.rest);
    if (command.name == QStringLiteral("reiniciar"))
        return RunReset(command.rest);
    if (command.name == QStringLiteral("expurgar"))
        return RunPurge(command.rest);
    if (command.name == QStringLiteral("tabela"))
        return RunTable(command.rest);
    if (command.name == QStringLiteral("equilibrio"))
        return RunBalance(command.rest);
    if (command.name == QStringLiteral("auditoria"))
        return RunAudit(command.rest);

    if (command.name == QStringLiteral("desfazer")) {
        // The window's empty answer is its Cancel; a day typed empty here is a day that is no date.
        if (command.day.trimmed().isEmpty()) {
            err(Dates::invalidDateMessage(command.day));
            return Refused;
        }
        const UndoOutcome outcome =
            UndoFromAnswer(command.day, answeredBy(command.force, QStringLiteral("--forcar")));
        if (!outcome.ran) {
            if (!outcome.message.isEmpty())
                err(outcome.message);
            return Refused;
        }
        out(QStringLiteral("Última Escalação: ") + Dates::show(outcome.newLast));
        printNotice(outcome.notice);
        return Ok;
    }

    QList<ExplainRequest> requests;
    for (const QString& typed : command.explain) {
        requests << parseExplain(typed);
        if (!requests.last().error.isEmpty()) {
            err(requests.last().error);
            err(usage());
            return BadUsage;
        }
    }

    RosterSession session;
    int exit = Ok;
    if (!verify(session, command, exit))
        return exit;

    // Every explanation is made before anything is printed: one refused prints nothing.
    QList<Explanation> explanations;
    for (const ExplainRequest& request : requests) {
        explanations << ExplainDecisions(session.lastRun(), request.day, request.code);
        if (explanations.last().refused) {
            err(explanations.last().refusal);
            return Refused;
        }
    }

    if (command.name == QStringLiteral("imprimir")) {
#ifdef RAVELHA_CLI_PRINT
        const QStringList lines = session.rosterLines();
        WritePdf(command.pdf, [&](PageDevice& page) { PrintRosterList(page, RosterPrint::Escala, lines); },
                 PdfPageLayout(), QStringLiteral("Escala de Serviço"));
        return Ok;
#else
        err(QStringLiteral("Esta compilação de ravelha-cli não imprime."));
        return Refused;
#endif
    }

    if (command.name == QStringLiteral("escalar")) {
        // Like "Escalar", a commit gives no message of its own; it prints what it rostered.
        const QStringList listing = session.rosterLines();
        const QStringList messages = session.messageLines();
        session.chooseReady();
        const CommitOutcome outcome =
            session.commit(answeredBy(command.undoLater, QStringLiteral("--desfazer-posteriores")));
        if (!outcome.done)
            return Refused;
        for (const QString& line : listing)
            out(line);
        out(QStringLiteral("== Mensagens"));
        for (const QString& line : messages)
            out(line);
        printNotice(outcome.notice);
        return Ok;
    }
    printLists(session);
    if (!command.csv.isEmpty()) {
        const QString path = fromStartFolder(command.csv);
        Csv::Write(path, Csv::RosterTable(session.lastRun()));
        err(QStringLiteral("Escala gravada em %1").arg(QDir::toNativeSeparators(path)));
    }
    for (const Explanation& explanation : explanations) {
        out(QStringLiteral("== ") + explanation.title);
        for (const QString& line : explanation.lines)
            out(line);
    }
    return Ok;
}

}
