#include "CalendarCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "data/DataFiles.h"
#include "data/Dates.h"
#include "data/UGlobal.h"
#include "rostering/Calendar.h"
#include "rostering/Commit.h"

namespace Cli {

namespace {

// The last rostered day, read as "verificar" reads it: a missing, unreadable or bad Escala.Txt
// is refused with the same message, before anything is written. The same day in memory, as the
// window has it.
QDate lastRosteredDay()
{
    const QDate day = LastRosteredDate();
    Global().LastRosteredDay = DataFiles::ReadLastRosteredDay();
    return day;
}

int finish(const RedDayCalendar::Outcome& outcome)
{
    if (!outcome.done()) {
        err(outcome.message);
        return Refused;
    }
    // The edit stands; a file that could not be written yet is said, not refused.
    if (!outcome.notice.isEmpty())
        err(outcome.notice);
    return Ok;
}

// Every day typed for "excluir" must be one the listing shows: the window lets the keeper
// choose only those. Returns the refusal, or nothing.
QString notListed(const QStringList& typed)
{
    const QStringList listed = RedDayCalendar::ListDays();
    for (const QString& text : typed) {
        const std::optional<QDate> day = Dates::parse(text);
        if (!day)
            return Dates::invalidDateMessage(text);
        if (!listed.contains(Dates::show(*day)))
            return QStringLiteral("O dia %1 não está na Escala Vermelha. Nada foi alterado.").arg(text);
    }
    return QString();
}

}

int RunCalendar(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return badUsage(QStringLiteral("Falta a operação do calendario: listar, incluir, excluir ou estender."));
    const QString operation = arguments.first();
    const QStringList rest = arguments.mid(1);

    if (operation == QStringLiteral("listar")) {
        if (!rest.isEmpty())
            return badUsage(QStringLiteral("Argumento inesperado: %1").arg(rest.first()));
        for (const QString& day : RedDayCalendar::ListDays())
            out(day);
        return Ok;
    }

    const bool include = operation == QStringLiteral("incluir");
    const bool exclude = operation == QStringLiteral("excluir");
    const bool extend = operation == QStringLiteral("estender");
    if (!include && !exclude && !extend)
        return badUsage(QStringLiteral("Operação desconhecida do calendario: %1").arg(operation));
    if (rest.isEmpty())
        return badUsage(extend ? QStringLiteral("Falta o dia final (DD/MM/AA).")
                               : QStringLiteral("Faltam os dias (DD/MM/AA[,DD/MM/AA...])."));
    if (rest.size() > 1)
        return badUsage(QStringLiteral("Argumento inesperado: %1").arg(rest.at(1)));

    const QDate initialDay = lastRosteredDay();
    const QString initialText = Dates::show(initialDay);

    if (extend) {
        // The command is the request: the reminder the window asks on "Sair" is printed as a
        // notice, and the holidays are added with "calendario incluir".
        const QString finalText = rest.first();
        const int exit = finish(RedDayCalendar::IncludeWeekends(finalText, initialText, initialDay));
        if (exit == Ok)
            err(RedDayCalendar::NewPeriodQuestion(initialText, finalText).section(QStringLiteral("\n\n"), 0, 1)
                + QStringLiteral("\n\nPara incluí-los, use: ravelha-cli calendario incluir DD/MM/AA[,DD/MM/AA...]"));
        return exit;
    }

    // Each comma-separated day is a cell of the grid, or a day chosen in the list.
    const QStringList days = rest.first().split(QLatin1Char(','));
    if (include)
        return finish(RedDayCalendar::IncludeDays(days, initialDay));

    QStringList chosen;
    for (const QString& day : days) {
        if (!day.trimmed().isEmpty())
            chosen << day.trimmed();
    }
    if (!chosen.isEmpty()) {
        if (const QString refusal = notListed(chosen); !refusal.isEmpty()) {
            err(refusal);
            return Refused;
        }
    }
    return finish(RedDayCalendar::ExcludeDays(chosen, initialDay));
}

QString CalendarUsage()
{
    return QStringLiteral("     ravelha-cli [--dados PASTA] calendario listar\n"
                          "     ravelha-cli [--dados PASTA] calendario incluir|excluir DD/MM/AA[,DD/MM/AA...]\n"
                          "     ravelha-cli [--dados PASTA] calendario estender DD/MM/AA\n");
}

}
