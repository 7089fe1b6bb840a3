#pragma once
// The history of a period as an iCalendar file, for the calendar programs people look at: one
// all-day event per duty (per history record), its summary the service's name, its description
// the soldiers of the duty and the kind of day. The identifier of an event is built from the day,
// the service and, for one soldier's calendar, his number, so a calendar program that reads the
// file again updates its events instead of adding them twice.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

struct CalendarExportInput {
    QString firstDay;   // dd/mm/yy; empty: from the first record
    QString lastDay;    // dd/mm/yy; empty: up to the last record
    QString number;     // one soldier's number; empty: every duty
    QList<int> services = {};   // these services only; empty: every service
    QString kind = {};          // "Pt" or "Vm": black or red days only; empty: both
};

struct CalendarExport {
    QByteArray text;    // the calendar, UTF-8, CR LF lines folded at 75 octets
    int events = 0;
};

// Loads the personnel and the history and builds the calendar; `stamp` is the moment of the
// export (DTSTAMP, in UTC). Throws CoreError for a day that is no date, a first day after the last
// day, or a number that is not a soldier's.
CalendarExport BuildCalendar(const CalendarExportInput& input,
                             const QDateTime& stamp = QDateTime::currentDateTimeUtc());

// Builds the calendar and writes it to `path` whole or not at all; returns the events written.
// Throws CoreError, nothing written, when refused (a target in the data folder or the backup
// copy's folder among the refusals) or when the file cannot be written whole.
int ExportCalendar(const CalendarExportInput& input, const QString& path);

// The identifier of one event.
QString CalendarUid(const QDate& day, int code, const QString& number = {});
