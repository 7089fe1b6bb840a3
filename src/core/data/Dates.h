#pragma once
// Days as the keeper types and reads them: dd/mm/yy (dd/mm/yyyy and one-digit day or month are
// accepted too); two-digit years are 20yy. The files keep days as dd/mm/yy, so only the days of
// 2000 to 2099 can be written and read back: a four-digit year outside them is no date here.

#include <QDate>
#include <QString>
#include <optional>

namespace Dates {

// The day of a typed text, or nothing when it is not a date.
std::optional<QDate> parse(const QString& text);

// The day of a typed text; a text that is no date throws the " >>> Data inválida" answer.
QDate parseOrThrow(const QString& text);

// The first and last day that dd/mm/yy can hold.
inline const QDate FirstDay(2000, 1, 1);
inline const QDate LastDay(2099, 12, 31);
bool writable(const QDate& day);

// dd/mm/yy; an invalid (null) day gives the empty text.
QString show(const QDate& day);

// The answer to a text that is no date: the text followed by " >>> Data inválida".
QString invalidDateMessage(const QString& text);
// The answer to a period that ends before it starts (the search and the calendar export say it alike).
QString reversedPeriodMessage(const QDate& from, const QDate& to);

// Storage form of a day in the tables (ISO yyyy-MM-dd, so that text order is day order).
QString toStorage(const QDate& day);
QDate fromStorage(const QString& text);

}
