#include "Clock.h"

namespace Clock {

namespace {
QDate& fixedDay()
{
    static QDate day;
    return day;
}
}

QDate today()
{
    return fixedDay().isValid() ? fixedDay() : QDate::currentDate();
}

void setToday(const QDate& day)
{
    fixedDay() = day;
}

}
