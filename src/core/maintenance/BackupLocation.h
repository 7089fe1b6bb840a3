#pragma once
// Where the backup copy lives: a folder "Molvedan/Ravelha/Espelho" on a medium (the mirror
// medium). A medium is a drive letter ("E:") where the system has them, else the root folder of a
// mounted volume ("/", "/media/pen"). The sixth line of Niveis.Txt keeps the folder; a change of
// place rewrites that line (the cover lines of the run are kept) and the program then ends.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace BackupLocation {

inline const QString Tail = QStringLiteral("Molvedan/Ravelha/Espelho");

inline const QString MissingMediumMessage =
    QStringLiteral("Operação não executada porque a mídia Espelho não está instalada.");
inline const QString ChangedMessage =
    QStringLiteral("   A aplicação será encerrada para que o Sistema reconheça \n"
                   "o novo local da cópia de segurança. Reinicie logo em seguida.");

// The backup folder of this run: the folder of the backup alias.
QString CurrentFolder();

// The medium of a backup folder: "E:" for a folder on drive E, else the part before
// "/Molvedan/Ravelha/Espelho", else the root of the mounted volume that holds the folder.
QString MediumOf(const QString& folder);

// The backup folder on a medium: "E:\Molvedan\Ravelha\Espelho", "/media/pen/Molvedan/Ravelha/Espelho".
QString FolderOn(const QString& medium);

// Whether two media are the same (drive letters ignoring case).
bool SameMedium(const QString& a, const QString& b);

// Whether the medium is there: its root is an existing folder.
bool MediumAvailable(const QString& medium);

// The media the drive chooser offers: the roots of the machine's mounted volumes that are ready.
QStringList MountedMedia();
// The media the chooser lists with `inUse` among them (added when it is not a mounted volume), so
// that the chooser can start at the medium in use and closing it with nothing chosen changes
// nothing.
QStringList MediaOffered(const QString& inUse);
// Tests: the media offered instead of the machine's; an empty function goes back to them.
void SetMountedMediaForTests(std::function<QStringList()> media);

// What closing the location window does. `shownMedium` is the medium the window showed;
// `chosenMedium` the one picked in the drive chooser, when it was shown.
struct LocationOutcome {
    bool changed = false;   // the new place is recorded: the program must end
    QString message;        // shown to the keeper (empty: nothing to say)
};
LocationOutcome CloseLocationChoice(const QString& shownMedium, const std::optional<QString>& chosenMedium);

// Moves the backup copy's place to `folder`: the folder is made when missing, Niveis.Txt line 6
// rewritten (lines 1 to 5 as the model holds them) and the backup alias pointed at it. A folder
// the copy may not take (BackupPlace::SaveRefusal) is refused and nothing changes.
void ApplyNewLocation(const QString& folder);

// The lines of a Niveis.Txt that replaces the data folder's (a restore, a reset), with the place of
// the copy kept: the sixth line as the data folder's Niveis.Txt has it, else `fallback`.
QStringList KeepingThePlace(QStringList niveisLines, const QString& fallback);

}
