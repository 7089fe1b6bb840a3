#pragma once
// ravelha-cli publicar, baixar and unidades: a unit moved between a data folder and a server, and
// the units a server keeps. They run before any folder or unit is opened.

#include "data/ServerAddress.h"

#include <QString>
#include <QStringList>

namespace Cli {

bool isServerCommand(const QString& name);

// `publicar`: the data folder `folder` copied to the new unit `server` (--banco, --unidade).
// `baixar`: the unit copied into `folder`, absent or empty. `unidades`: the server's units, each
// with its last rostered day.
int RunServerCommand(const QString& name, const QStringList& arguments, const QString& folder,
                     const ServerAddress& server);

// Their lines of the usage text, each ending with a line break.
QString ServerUsage();

}
