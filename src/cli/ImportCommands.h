#pragma once
// ravelha-cli importar: a unit's data brought over from an older folder of Paradox tables, into a
// new data folder (--dados NOVA, absent or empty) or a new unit on a server (--banco, --unidade).
// It runs before any folder or unit is opened.

#include "data/ServerAddress.h"

#include <QString>
#include <QStringList>

namespace Cli {

int RunImport(const QStringList& arguments, const QString& folder, const ServerAddress& server);

// Its line of the usage text, ending with a line break.
QString ImportUsage();

}
