#pragma once
// Moving a unit between a data folder and a server: a folder's tables and state files copied to a
// new schema on the server in one transaction, a unit copied back into a new data folder, and the
// list of the units a server keeps.

#include "data/ServerAddress.h"

#include <QList>
#include <QString>

namespace ServerUnits {

// Copies the data folder's working tables, log of counts and state files to the new unit at
// `address`, in one transaction. Refused, with nothing written, when the unit exists already or
// when a row of the folder could not be loaded.
void Publish(const QString& folder, const ServerAddress& address);

// Copies the unit at `address` into `folder`, which must be absent or empty: the folder gets the
// initial data set of the program (pictures, manual, initial tables and copies), then the unit's
// tables, log and state files. Built beside and put in place at the end: a failure leaves no folder.
void Download(const ServerAddress& address, const QString& folder);

struct UnitSummary {
    QString unit;         // the schema's name
    QString lastRostered; // the first line of Escala.Txt, as the main window shows it
};

// The units kept on the server (the schemas that hold the unit's texts), by name.
QList<UnitSummary> ListUnits(const ServerAddress& address);

}
