#include "BackupLocation.h"

#include "BackupPlace.h"
#include "CoverSettings.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/UDMGeral.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace BackupLocation {

namespace {

std::function<QStringList()>& mediaForTests()
{
    static std::function<QStringList()> media;
    return media;
}

bool isDriveLetter(const QString& text)
{
    return text.size() >= 2 && text.at(1) == QLatin1Char(':') && text.at(0).isLetter() && text.at(0).unicode() < 128;
}

// A folder as a clean path with "/" separators (a drive-letter folder too).
QString clean(const QString& folder)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(folder));
}

}

QString CurrentFolder()
{
    return TDMGeral::instance().aliasFolder(Alias::BackUpRavSv);
}

QString MediumOf(const QString& folder)
{
    if (folder.trimmed().isEmpty())
        return QString();
    if (isDriveLetter(folder))
        return folder.left(1).toUpper() + QLatin1Char(':');
    const QString path = clean(folder);
    const QString tail = QLatin1Char('/') + Tail;
    if (path.endsWith(tail, Qt::CaseInsensitive)) {
        const QString root = path.chopped(tail.size());
        return root.isEmpty() ? QStringLiteral("/") : root;
    }
    // A folder chosen otherwise (the one beside the data folder): the volume that holds it.
    QString best;
    for (const QString& medium : MountedMedia()) {
        const QString root = clean(medium);
        if (BackupPlace::Holds(root, path) && root.size() > best.size())
            best = root;
    }
    if (best.isEmpty())
        return path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : path;
    return best;
}

QString FolderOn(const QString& medium)
{
    if (isDriveLetter(medium))
        return medium.left(1).toUpper() + QStringLiteral(":\\") + QString(Tail).replace(QLatin1Char('/'), QLatin1Char('\\'));
    const QString root = clean(medium);
    return QDir::toNativeSeparators(root.endsWith(QLatin1Char('/')) ? root + Tail : root + QLatin1Char('/') + Tail);
}

bool SameMedium(const QString& a, const QString& b)
{
    if (isDriveLetter(a) || isDriveLetter(b))
        return a.left(2).compare(b.left(2), Qt::CaseInsensitive) == 0;
    return clean(a) == clean(b);
}

QStringList MediaOffered(const QString& inUse)
{
    QStringList media = MountedMedia();
    bool listed = inUse.isEmpty();
    for (const QString& medium : media)
        listed = listed || SameMedium(medium, inUse);
    if (!listed) {
        media << inUse;
        media.sort();
    }
    return media;
}

bool MediumAvailable(const QString& medium)
{
    if (medium.trimmed().isEmpty())
        return false;
    const QString root = isDriveLetter(medium) ? medium.left(2) + QLatin1Char('/') : medium;
    return QFileInfo(root).isDir();
}

QStringList MountedMedia()
{
    if (mediaForTests())
        return mediaForTests()();
    QStringList media;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        QString root = volume.rootPath();
        // A drive letter is offered as "E:", as the keeper knows it.
        if (isDriveLetter(root))
            root = root.left(2).toUpper();
        if (!media.contains(root) && MediumAvailable(root))
            media << root;
    }
    media.sort();
    return media;
}

void SetMountedMediaForTests(std::function<QStringList()> media)
{
    mediaForTests() = std::move(media);
}

LocationOutcome CloseLocationChoice(const QString& shownMedium, const std::optional<QString>& chosenMedium)
{
    LocationOutcome outcome;
    const bool chosen = chosenMedium && !chosenMedium->isEmpty();
    if (!chosen || SameMedium(*chosenMedium, shownMedium)) {
        // Nothing changes; the keeper is told when the medium in use is not there.
        if (!MediumAvailable(shownMedium))
            outcome.message = MissingMediumMessage;
        return outcome;
    }
    if (!MediumAvailable(*chosenMedium)) {
        outcome.message = MissingMediumMessage;
        return outcome;
    }
    ApplyNewLocation(FolderOn(*chosenMedium));
    outcome.changed = true;
    outcome.message = ChangedMessage;
    return outcome;
}

void ApplyNewLocation(const QString& folder)
{
    // The next save replaces the folder whole: only a place the copy may take is recorded.
    if (const std::optional<QString> refusal = BackupPlace::SaveRefusal(BackupPlace::Resolved(folder)))
        throw CoreError(*refusal + QStringLiteral("\nO local da cópia de segurança não foi alterado."));
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        throw CoreError(QStringLiteral("A pasta \"%1\" não pôde ser criada; o local da cópia de segurança não foi "
                                       "alterado.")
                            .arg(QDir::toNativeSeparators(folder)));
    // Niveis.Txt first: a failed write leaves the place and the alias as they were.
    SaveBackupFolderSetting(folder);
    TDMGeral::instance().setAliasFolder(Alias::BackUpRavSv, folder);
}

QStringList KeepingThePlace(QStringList niveisLines, const QString& fallback)
{
    while (niveisLines.size() < 6)
        niveisLines << QString();
    QString place;
    try {
        place = DataFiles::ReadNiveis().backupFolder;
    } catch (const CoreError&) {
        // an unreadable Niveis.Txt is replaced whole
    }
    if (place.trimmed().isEmpty())
        place = fallback;
    return niveisLines.mid(0, 5) << place;
}

}
