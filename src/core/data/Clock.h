#pragma once
// Today's date, fixed by tests when they need a known day.

#include <QDate>

namespace Clock {
QDate today();
// A fixed day for tests; a null date goes back to the system clock.
void setToday(const QDate& day);
}
