#pragma once
// exportar-ical: the history of a period as an iCalendar file.

#include <QString>
#include <QStringList>

namespace Cli {

int RunCalendarExport(const QStringList& arguments);
QString ExportUsage();

// Takes "--csv ARQUIVO" out of the arguments. Returns false (bad usage, `error` set) when the
// option has no file or is given twice; `path` is empty without the option. Throws CoreError for a
// file no export may replace (ExportTarget::check).
bool TakeCsvOption(QStringList& arguments, QString& path, QString& error);

}
