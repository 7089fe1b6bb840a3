#pragma once
// The backup copy of the whole data set and its restore.
//
// The backup set is the backup folder with its own Ravelha.db (Basico, Sv, Sv1 to Sv30, Hist: the
// roster of every registered service, codes 7 to 30 too) and the seven text files of the data
// folder. A save builds the new set beside the old one, in "<folder>.novo", and puts it in place
// only when it is complete: the old set is renamed to "<folder>.antigo", the new one to the
// folder, and the old one removed. So at every moment one whole set can be found, and a save or a
// restore first tidies what a stopped save left (TidyBackupSet). The save works only on folders
// of the program's own (BackupPlace) and only on a data set the program can use (DataSetCheck).
//
// A restore reads and checks the whole set before it asks and before it changes anything, then
// writes the data folder's tables in one transaction with the text files recorded in it
// (PendingFiles), so the data folder is wholly as it was or wholly restored. A service registered
// after the save keeps its record and its roster. The program ends after a restore.

#include <QString>
#include <QStringList>
#include <functional>

namespace Backup {

// The seven text files of the set, in the order they are copied.
const QStringList& TextFiles();

inline const QString NoFilesMessage =
    QStringLiteral("   Recuperação não realizada porque no local não há\narquivos. Corrija o erro e tente novamente.");
inline const QString EndMessage =
    QStringLiteral("                                     Aviso:\n\nA aplicação será encerrada. Reinicie em seguida.");

// The question asked before a restore; it guards a loss.
QString RestoreQuestion(const QString& backupFolder);

// Told at each step of a save or a restore: the step (0 based), the number of steps, what is done.
using Progress = std::function<void(int step, int steps, const QString& what)>;
using Confirm = std::function<bool(const QString& question)>;

// Leaves exactly one whole set at `folder` (or none when no save ever finished): a set moved aside
// by a swap that did not finish is put back or replaced by the complete new one, and a new set
// left half-made is removed. A folder that is not the program's own is left as it is.
void TidyBackupSet(const QString& folder);

// Saves the data set into the backup folder of the backup alias. Throws with the keeper's message;
// the previous set is then whole and in place.
void SaveBackup(const Progress& progress = {});

struct RestoreOutcome {
    bool done = false;   // the data folder was restored: the program must end
    QString message;     // a refusal, or EndMessage
    QString notice;      // text files that could not be written yet (the tables stand)
};

// Restores the data folder from the backup set of the backup alias, when `confirm` agrees. A set
// that is missing gives NoFilesMessage; a place that cannot hold the copy (the data folder...) or a
// set the program could not use throws, before the question; all change nothing.
RestoreOutcome RestoreBackup(const Confirm& confirm, const Progress& progress = {});

}
