#pragma once
// Tables written for a spreadsheet: UTF-8 with a byte-order mark, fields separated by ";" and
// lines ended by CR LF, as spreadsheets set up for Portuguese read them. A field holding ";", a
// quote, CR or LF is quoted, its quotes doubled. A file is written whole or not at all.

#include "queries/HistorySearch.h"
#include "queries/ServicesPerSoldier.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct RosterRun;

namespace Csv {

using Table = QList<QStringList>;

// The bytes of a table, the byte-order mark first.
QByteArray Text(const Table& table);

// Writes the table to `path` as every export is written (ExportTarget::writeWhole): never into
// the data folder or the backup copy's folder; throws CoreError, any earlier file as it was, when
// refused or when the file cannot be written whole.
void Write(const QString& path, const Table& table);

// The history search as its grid shows it: the grid's captions, then a line per record.
Table HistoryTable(const QList<HistoryRow>& rows);

// The services per soldier as shown: the captions, a line per soldier and the line "SOMA".
Table SummaryCsvTable(const SummaryTable& table);

// The roster list of a computation: "Dia", "PtVm", "Serviço", "Números", "Nomes", one line per
// service and day of the days the list shows, in day and service-priority order as computed. The
// numbers are separated by blanks, the names (rank and name) by " / ", in the same order.
Table RosterTable(const RosterRun& run);

}
