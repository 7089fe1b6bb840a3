#pragma once
// ravelha-cli incluir-arquivo: many soldiers registered at once from a file.

#include <QString>
#include <QStringList>

namespace Cli {

// The arguments after the command's name; each prints what the window would show and returns
// the exit.
int RunIncludeFile(const QStringList& arguments);
// Their lines of the usage text, each ending with a line break.
QString CollectiveUsage();

}
