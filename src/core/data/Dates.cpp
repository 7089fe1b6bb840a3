#include "Dates.h"

#include "CoreError.h"

#include <QRegularExpression>

namespace Dates {

std::optional<QDate> parse(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{2}|\\d{4})\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year += 2000;
    const QDate day(year, m.captured(2).toInt(), m.captured(1).toInt());
    if (!day.isValid() || !writable(day))
        return std::nullopt;
    return day;
}

QDate parseOrThrow(const QString& text)
{
    const std::optional<QDate> day = parse(text);
    if (!day)
        throw CoreError(invalidDateMessage(text));
    return *day;
}

bool writable(const QDate& day)
{
    return day.isValid() && day >= FirstDay && day <= LastDay;
}

QString show(const QDate& day)
{
    return day.isValid() ? day.toString(QStringLiteral("dd/MM/yy")) : QString();
}

QString reversedPeriodMessage(const QDate& from, const QDate& to)
{
    return QStringLiteral("A Data Início (%1) é posterior à Data Fim (%2).").arg(show(from), show(to));
}

QString invalidDateMessage(const QString& text)
{
    return text + QStringLiteral(" >>> Data inválida");
}

QString toStorage(const QDate& day)
{
    return day.isValid() ? day.toString(Qt::ISODate) : QString();
}

QDate fromStorage(const QString& text)
{
    return QDate::fromString(text, Qt::ISODate);
}

}
