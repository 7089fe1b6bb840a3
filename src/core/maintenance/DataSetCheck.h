#pragma once
// Whether a data set can be used: its tables and text files read exactly as a start and a
// verification read them (the loaders' checks, the last rostered day, the preparation period, the
// red days, the cover), and a history that does not run past the last rostered day. A save checks
// the data folder so that it never puts over the good copy what the program could not use, and a
// restore checks the copy so that it never brings back such a set. Each throws the reason; the
// model of the run is left as it was.

#include <QString>

namespace DataSetCheck {

// The data set of the run: the data folder, or the unit on a server.
void CheckDataSet();

// The set kept in `folder` (a backup copy), opened as a data folder for the moment.
void CheckFolder(const QString& folder);

}
