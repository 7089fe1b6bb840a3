#include "Calendar.h"

#include "data/Capacities.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/Dates.h"
#include "data/KillPoints.h"
#include "data/PendingFiles.h"
#include "data/SqlTransaction.h"
#include "data/UDMGeral.h"
#include "data/UGlobal.h"

#include <algorithm>

namespace {

// The calendar file as days, in the order of its lines; blank lines are passed over.
QList<QDate> readCalendar()
{
    const QStringList lines = DataFiles::ReadRedDayLines();
    QList<QDate> days;
    for (int i = 0; i < lines.size(); ++i) {
        const QString text = lines.at(i).trimmed();
        if (text.isEmpty())
            continue;
        const std::optional<QDate> day = Dates::parse(text);
        if (!day)
            throw CoreError(QStringLiteral("A linha %1 do arquivo %2 não tem uma data válida: \"%3\".")
                                .arg(i + 1)
                                .arg(DataFiles::SemExped, text));
        days << *day;
    }
    return days;
}

QList<QDate> sorted(QList<QDate> days)
{
    std::stable_sort(days.begin(), days.end());
    return days;
}

QString tooManyDays(int count)
{
    return QStringLiteral("A Escala Vermelha comporta no máximo %1 dias e ficaria com %2. Nada foi gravado.\n\n"
                          "Escolha um período mais curto ou exclua dias antigos do calendário.")
        .arg(Capacity::RedDays)
        .arg(count);
}

// Records the calendar as `days`, and the preparation period when one is given, in one
// transaction: the files are written once it commits, so a stop anywhere leaves both as they were
// or both changed. Days that do not fit are refused and nothing is written.
RedDayCalendar::Outcome recordCalendar(const QList<QDate>& days,
                                       const std::optional<DataFiles::PreparationPeriod>& period = std::nullopt)
{
    if (days.size() > Capacity::RedDays)
        return RedDayCalendar::refused(tooManyDays(days.size()));
    QStringList lines;
    for (const QDate& day : days)
        lines << Dates::show(day);
    SqlTransaction transaction(TDMGeral::instance().database(Alias::Ravelha));
    DataFiles::StageRedDayLines(lines);
    if (period) {
        KillPoints::reach("calendario-registrado");
        DataFiles::StagePreparationPeriod(*period);
    }
    KillPoints::reach("antes-de-confirmar");
    transaction.commit();
    RedDayCalendar::Outcome outcome;
    outcome.notice = PendingFiles::finishCommitted();
    return outcome;
}

// Only the days from `from` on; a null `from` keeps every day.
QList<QDate> from(const QList<QDate>& days, const QDate& first)
{
    if (!first.isValid())
        return days;
    QList<QDate> kept;
    for (const QDate& day : days) {
        if (day >= first)
            kept << day;
    }
    return kept;
}

QDate dateOfSlot(const QString& text)
{
    return Dates::parse(text).value_or(QDate());
}

}

void LoadRedDays()
{
    const QList<QDate> days = sorted(readCalendar());
    auto& calendar = Global().RedDays;
    for (QString& slot : calendar)
        slot.clear();
    for (int i = 0; i < days.size(); ++i)
        calendar[i + 1] = Dates::show(days.at(i));
}

bool IsRedDay(const QDate& day)
{
    const QString text = Dates::show(day);
    const auto& calendar = Global().RedDays;
    for (int i = 1; i <= Capacity::RedDays && !calendar[i].isEmpty(); ++i) {
        if (calendar[i] == text || (calendar[i].size() != text.size() && dateOfSlot(calendar[i]) == day))
            return true;
    }
    return false;
}

QString DayKind(const QDate& day)
{
    return IsRedDay(day) ? QStringLiteral("Vm") : QStringLiteral("Pt");
}

std::optional<QString> PreparationRefusal(const QDate& target)
{
    const DataFiles::PreparationPeriod period = DataFiles::ReadPreparationPeriod();
    if (period.last >= target)
        return std::nullopt;
    const QString end = DataFiles::PreparationEndText();
    return QStringLiteral("Antes de escalar, você deve alongar a data de preparação do Sistema\n\n"
                          "                       A data atual vai até o dia ")
        + end + QStringLiteral("\n") + QStringLiteral("\n")
        + QStringLiteral("              Para ampliá-la, use o item 5. da aba /Manutenção/");
}

namespace RedDayCalendar {

Outcome IncludeWeekends(const QString& finalDayText, const QString& initialDayText, const QDate& lastRostered)
{
    const std::optional<QDate> finalDay = Dates::parse(finalDayText);
    if (!finalDay)
        return refused(Dates::invalidDateMessage(finalDayText));
    const std::optional<QDate> initialDay = Dates::parse(initialDayText);
    if (!initialDay)
        return refused(Dates::invalidDateMessage(initialDayText));
    // An earlier end shortens the period, but not to before its first day: no day could be rostered.
    if (*finalDay < *initialDay)
        return refused(QStringLiteral("O Dia Final %1 é anterior ao Dia Inicial %2: o período de preparação não pode "
                                      "terminar antes de começar. Nada foi gravado.")
                           .arg(Dates::show(*finalDay), Dates::show(*initialDay)));

    // The kept days stay in their order; the new weekend days follow them in date order.
    QList<QDate> days;
    const QDate keepAfter = lastRostered.isValid() ? lastRostered.addDays(-30) : QDate();
    for (const QDate& day : sorted(readCalendar())) {
        if (!keepAfter.isValid() || day > keepAfter)
            days << day;
    }
    const QDate previousEnd = DataFiles::ReadPreparationPeriod().last;
    for (QDate day = previousEnd.addDays(1); day <= *finalDay; day = day.addDays(1)) {
        if (day.dayOfWeek() == Qt::Saturday || day.dayOfWeek() == Qt::Sunday)
            days << day;
    }
    return recordCalendar(days, DataFiles::PreparationPeriod{*initialDay, *finalDay});
}

Outcome IncludeDays(const QStringList& cells, const QDate& initialDay)
{
    // Every cell is checked before anything is written: an invalid one adds no day at all.
    QList<QDate> added;
    for (const QString& cell : cells) {
        if (cell.isEmpty())
            continue;
        const std::optional<QDate> day = Dates::parse(cell);
        if (!day)
            return refused(Dates::invalidDateMessage(cell));
        added << *day;
    }
    if (added.isEmpty())
        return refused(EmptyGridMessage);
    const QList<QDate> days = from(sorted(readCalendar() + added), initialDay.isValid() ? initialDay.addDays(-30) : QDate());
    return recordCalendar(days);
}

Outcome ExcludeDays(const QStringList& chosenDays, const QDate& initialDay)
{
    if (chosenDays.isEmpty())
        return refused(NothingChosenMessage);
    QList<QDate> removed;
    for (const QString& text : chosenDays) {
        const std::optional<QDate> day = Dates::parse(text);
        if (!day)
            return refused(Dates::invalidDateMessage(text));
        removed << *day;
    }
    QList<QDate> days;
    for (const QDate& day : sorted(readCalendar())) {
        if (!removed.contains(day))
            days << day;
    }
    const Outcome outcome = recordCalendar(from(days, initialDay.isValid() ? initialDay.addDays(-30) : QDate()));
    LoadRedDays();
    return outcome;
}

QStringList ListDays()
{
    LoadRedDays();
    QStringList lines;
    const auto& calendar = Global().RedDays;
    for (int i = 1; i <= Capacity::RedDays && !calendar[i].isEmpty(); ++i)
        lines << calendar[i];
    return lines;
}

QString NewPeriodQuestion(const QString& initialDayText, const QString& finalDayText)
{
    return QStringLiteral("       Você incluiu um novo período de ") + initialDayText + QStringLiteral(" até ")
        + finalDayText + QStringLiteral(".") + QStringLiteral("\n\n")
        + QStringLiteral("O Sistema gravou os sábados e domingos, mas os demais dias sem expediente também devem "
                         "ser incluídos. Use a opção __Incluir dia na Escala Vermelha")
        + QStringLiteral("\n\n")
        + QStringLiteral("           Incluir agora?   YES       ou          Não Incluir ?   NO");
}

}
