#include "CalendarExport.h"

#include "data/CoreError.h"
#include "data/Dates.h"
#include "data/ExportTarget.h"
#include "data/UGlobal.h"

#include <QHash>

#include <libical/ical.h>

#include <memory>
#include <optional>

namespace {

const char* const Domain = "ravelha";

std::optional<QDate> dayOf(const QString& text, const QString& caption)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const std::optional<QDate> day = Dates::parse(text.trimmed());
    if (!day)
        throw CoreError(QStringLiteral("%1: %2").arg(caption, Dates::invalidDateMessage(text)));
    return day;
}

icaltimetype dateOf(const QDate& day)
{
    icaltimetype date = icaltime_null_date();
    date.year = day.year();
    date.month = day.month();
    date.day = day.day();
    date.is_date = 1;
    return date;
}

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};

}

QString CalendarUid(const QDate& day, int code, const QString& number)
{
    QString uid = day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("-sv%1").arg(code);
    if (!number.isEmpty())
        uid += QStringLiteral("-n") + number;
    return uid + QLatin1Char('@') + QLatin1String(Domain);
}

CalendarExport BuildCalendar(const CalendarExportInput& input, const QDateTime& stamp)
{
    const std::optional<QDate> from = dayOf(input.firstDay, QStringLiteral("Data Início"));
    const std::optional<QDate> to = dayOf(input.lastDay, QStringLiteral("Data Fim"));
    if (from && to && *from > *to)
        throw CoreError(Dates::reversedPeriodMessage(*from, *to));
    const QString number = input.number.trimmed();
    if (number.contains(QLatin1Char(' ')))
        throw CoreError(QStringLiteral("\"%1\" não é um número de militar: informe um só número.").arg(number));

    LoadSoldiers();
    LoadHistory();
    const GlobalModel& g = Global();
    QHash<QString, QString> names;
    for (const SoldierRecord& soldier : g.SoldierTable)
        if (!soldier.Num.isEmpty() && soldier.Num != QStringLiteral("x"))
            names.insert(soldier.Num, (soldier.PstGrd.trimmed() + QLatin1Char(' ') + soldier.Nome.trimmed()).trimmed());

    const int inUse = HistoryInUse();
    if (!number.isEmpty() && !names.contains(number)) {
        bool inHistory = false;
        for (int i = 1; i <= inUse && !inHistory; ++i)
            inHistory = g.HistoryCache[i].Num.split(QLatin1Char(' '), Qt::SkipEmptyParts).contains(number);
        if (!inHistory)
            throw CoreError(QStringLiteral("O número %1 não é de nenhum militar cadastrado nem consta do histórico.")
                                .arg(number));
    }

    std::unique_ptr<icalcomponent, ComponentFree> calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Ravelha//Escalas de Servico//PT"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    const icaltimetype stampTime = icaltime_from_timet_with_zone(
        static_cast<time_t>(stamp.toSecsSinceEpoch()), 0, icaltimezone_get_utc_timezone());

    CalendarExport result;
    for (int i = 1; i <= inUse; ++i) {
        const HistoryRecord& record = g.HistoryCache[i];
        if (!record.Dia.isValid() || (from && record.Dia < *from) || (to && record.Dia > *to))
            continue;
        if ((!input.services.isEmpty() && !input.services.contains(record.CodSv))
            || (!input.kind.isEmpty() && record.PtVm != input.kind))
            continue;
        const QStringList numbers = record.Num.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (!number.isEmpty() && !numbers.contains(number))
            continue;
        QStringList soldiers;
        for (const QString& num : numbers) {
            const QString name = names.value(num);
            soldiers << (name.isEmpty() ? num : num + QStringLiteral(" - ") + name);
        }
        const QString kind = record.PtVm == QStringLiteral("Vm")   ? QStringLiteral("escala vermelha")
                             : record.PtVm == QStringLiteral("Pt") ? QStringLiteral("escala preta")
                                                                   : QString();
        QString description = soldiers.join(QLatin1Char('\n'));
        if (!kind.isEmpty())
            description = QStringLiteral("Dia de %1 (%2)\n").arg(kind, record.PtVm) + description;

        icalcomponent* event = icalcomponent_new_vevent();
        icalcomponent_add_property(event, icalproperty_new_uid(CalendarUid(record.Dia, record.CodSv, number).toUtf8().constData()));
        icalcomponent_add_property(event, icalproperty_new_dtstamp(stampTime));
        icalcomponent_add_property(event, icalproperty_new_dtstart(dateOf(record.Dia)));
        icalcomponent_add_property(event, icalproperty_new_dtend(dateOf(record.Dia.addDays(1))));
        icalcomponent_add_property(event, icalproperty_new_summary(record.Descr.trimmed().toUtf8().constData()));
        icalcomponent_add_property(event, icalproperty_new_description(description.toUtf8().constData()));
        icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        icalcomponent_add_component(calendar.get(), event);
        ++result.events;
    }
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    if (!text)
        throw CoreError(QStringLiteral("Não foi possível montar o calendário."));
    result.text = QByteArray(text);
    icalmemory_free_buffer(text);
    return result;
}

int ExportCalendar(const CalendarExportInput& input, const QString& path)
{
    // Refused before anything is read: a place the export may not go.
    ExportTarget::check(path);
    const CalendarExport calendar = BuildCalendar(input);
    ExportTarget::writeWhole(path, calendar.text);
    return calendar.events;
}
