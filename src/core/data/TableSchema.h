#pragma once
// The tables of a data folder: their names, columns, keys and read orders.
// A roster table is named by the file name the model uses ("Sv7.DB"); the table is "Sv7".

#include <QString>
#include <QStringList>

namespace TableSchema {

enum class Kind { Personnel, Services, Roster, History };

struct Table {
    QString name;   // "Sv7", "RavBasico"
    Kind kind;
};

// The table of a table or file name ("Sv7.DB", "sv7.db", "RavSv1.DB", "Hist"); an unknown name
// throws. Only these names ever reach SQL.
Table tableOf(const QString& tableOrFileName);

// The file name of roster table N: "Sv7.DB".
QString rosterFileName(int serviceCode);

QStringList columns(Kind kind);
QString keyOrder(Kind kind);         // "ORDER BY ..." in key order (text keys as text)
// Where a table is created: in a database file, or on a server, where texts order as bytes, as
// they do in the file (a server's own order of texts would change the order of the rosters).
enum class Engine { File, Server };
QString createStatement(const Table& table, Engine engine = Engine::File);

// The working tables every data folder holds: Basico, Sv, Sv1 to Sv30, Hist.
QStringList workingTables();
// The initial-data tables of the data folder: RavBasico, RavSv, RavSv1 to RavSv4, RavHist.
QStringList initialTables();

}
