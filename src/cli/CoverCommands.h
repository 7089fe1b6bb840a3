#pragma once
// ravelha-cli capa: the cover lines and picture of the main window, shown or rewritten.

#include <QString>
#include <QStringList>

namespace Cli {

// `capa` prints the cover as the editor shows it; `capa gravar L1 L2 L3 L4 FOTO` rewrites it.
int RunCover(const QStringList& arguments);
// Its lines of the usage text, each ending with a line break.
QString CoverUsage();

}
