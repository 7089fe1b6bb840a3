#pragma once
// ravelha-cli backup | restaurar [--sim] | local-copia [PASTA_DO_VOLUME]: the backup copy of the
// data set, its restore, and the place of the copy.

#include <QString>
#include <QStringList>

namespace Cli {

// Saves the data set into the backup folder.
int RunBackup(const QStringList& arguments);
// Restores the data folder from the backup folder; the loss is confirmed by --sim.
int RunRestore(const QStringList& arguments);
// Shows the place of the backup copy, or moves it to a medium (a volume's root folder).
int RunBackupLocation(const QStringList& arguments);
// Their lines of the usage text, each ending with a line break.
QString BackupUsage();

}
