#pragma once
// ravelha-cli calendario: the red-day calendar and the preparation period.

#include <QString>
#include <QStringList>

namespace Cli {

// The arguments after "calendario"; prints what the window would show and returns the exit.
int RunCalendar(const QStringList& arguments);
// Its lines of the usage text, each ending with a line break.
QString CalendarUsage();

}
