#pragma once
// A unit's existing data brought over in one step from an older data folder of Paradox tables and
// text files: the tables and the state files are read and checked whole before anything is written,
// then a new data folder is built beside its place (the program's own initial data set, pictures
// and manual, then the unit's tables, log of counts and text files in one transaction), checked as
// a start reads it, and put in place. An existing data folder is never overwritten: the new one
// must be absent or empty. A failure leaves nothing behind.

#include "data/ServerAddress.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace ParadoxImport {

inline const QString ItemCaption = QStringLiteral("Importar dados de uma pasta antiga");

// What came over, for the keeper to compare with the old program's screens.
struct Report {
    struct Roster {
        int code = 0;
        QString descr;     // empty: a roster of a service not registered
        int members = 0;
    };
    int soldiers = 0;
    int services = 0;
    QList<Roster> rosters;   // every registered service, and any other roster with members
    int historyRecords = 0;
    QDate firstHistoryDay, lastHistoryDay;
    QDate lastRosteredDay;
    QStringList notes;       // files taken from the program's own set, the place of the copy...
};

// The report as lines: where the data went, then the counts, then the notes.
QStringList ReportLines(const Report& report, const QString& destination);

// Imports `oldFolder` into the new data folder `newFolder` (absent or empty). Throws the keeper's
// message, naming the file, the row and the column of what cannot be held; nothing is then written.
Report ImportIntoFolder(const QString& oldFolder, const QString& newFolder);

// Imports `oldFolder` into the new unit at `unit` on its server, which must not exist yet.
Report ImportIntoUnit(const QString& oldFolder, const ServerAddress& unit);

}
