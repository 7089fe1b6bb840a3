#include "BackupPlace.h"

#include "Backup.h"
#include "data/CoreError.h"
#include "data/DataFolder.h"
#include "data/FileErrors.h"
#include "data/UDMGeral.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace BackupPlace {

namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity PathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity PathCase = Qt::CaseSensitive;
#endif

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

bool samePath(const QString& a, const QString& b)
{
    return a.compare(b, PathCase) == 0;
}

// The files a copy holds: the seven text files and the database with the engine's own side files.
bool ownFileName(const QString& name)
{
    const QString database = QLatin1String(TDMGeral::DatabaseFileName);
    QStringList own = Backup::TextFiles();
    own << MarkerFile << database << database + QStringLiteral("-journal") << database + QStringLiteral("-wal")
        << database + QStringLiteral("-shm");
    for (const QString& file : own) {
        if (samePath(name, file) || DataFolder::isUnfinishedWriteOf(name, file, PathCase))
            return true;
    }
    return false;
}

// The first entry of a folder that is not one of a copy's own files, if any.
std::optional<QString> foreignEntry(const QString& folder)
{
    const QDir dir(folder);
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                              QDir::Name);
    const QFileInfo marker(dir.filePath(MarkerFile));
    if (marker.isFile() && !marker.isSymLink())
        return std::nullopt;
    for (const QString& entry : entries) {
        const QFileInfo info(dir.filePath(entry));
        if (!info.isFile() || info.isSymLink() || !ownFileName(entry))
            return entry;
    }
    return std::nullopt;
}

QString placeMessage(const QString& folder, const QString& what)
{
    return QStringLiteral("O local da cópia de segurança, \"%1\", %2.").arg(native(folder), what);
}

}

QString Resolved(const QString& folder)
{
    const QString absolute = QDir(QDir::cleanPath(QDir::fromNativeSeparators(folder))).absolutePath();
    // The part of the path that exists has its links resolved; the rest is taken as written.
    QString existing = absolute;
    QStringList rest;
    while (!QFileInfo::exists(existing)) {
        const QFileInfo info(existing);
        const QString parent = info.path();
        if (parent == existing)
            break;
        rest.prepend(info.fileName());
        existing = parent;
    }
    QString canonical = QFileInfo(existing).canonicalFilePath();
    if (canonical.isEmpty())
        canonical = existing;
    if (rest.isEmpty())
        return canonical;
    return QDir::cleanPath(canonical + QLatin1Char('/') + rest.join(QLatin1Char('/')));
}

bool Holds(const QString& root, const QString& path)
{
    if (samePath(root, path))
        return true;
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    return path.startsWith(prefix, PathCase);
}

bool IsOwnSet(const QString& folder)
{
    const QFileInfo info(folder);
    // A folder that cannot be listed lists as empty: it is not taken as the program's own.
    if (info.isSymLink() || !info.isDir() || !QDir(folder).isReadable())
        return false;
    return !foreignEntry(folder);
}

namespace {

// Why `folder` is no place for a set: a file, the data folder, a folder holding it, or (unless
// `insideAllowed`) a folder inside it other than the place a new data folder is given.
std::optional<QString> placeRefusal(const QString& folder, bool insideAllowed)
{
    const QString place = Resolved(folder);
    const QFileInfo info(place);
    if (info.exists() && !info.isDir())
        return placeMessage(folder, QStringLiteral("é um arquivo, não uma pasta"));
    if (DataFolder::path().isEmpty())
        return std::nullopt;
    const QString data = Resolved(DataFolder::path());
    if (samePath(place, data))
        return placeMessage(folder, QStringLiteral("é a própria pasta de dados do Sistema"));
    if (Holds(place, data))
        return placeMessage(folder, QStringLiteral("contém a pasta de dados do Sistema, \"%1\"").arg(native(data)));
    if (!insideAllowed && Holds(data, place) && !samePath(place, QDir(data).filePath(DefaultPlaceName)))
        return placeMessage(folder,
                            QStringLiteral("fica dentro da pasta de dados do Sistema, \"%1\"").arg(native(data)));
    return std::nullopt;
}

}

std::optional<QString> PlaceRefusal(const QString& folder)
{
    return placeRefusal(folder, false);
}

std::optional<QString> SaveRefusal(const QString& folder)
{
    // The folder is replaced whole, and the two beside it are emptied: each must be the program's own.
    if (const std::optional<QString> refusal = PlaceRefusal(folder))
        return refusal;
    for (const QString& path : {folder, folder + NewSuffix, folder + OldSuffix}) {
        // The two beside the default place lie inside the data folder, as it does.
        if (const std::optional<QString> refusal = placeRefusal(path, true))
            return refusal;
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink())
            continue;
        if (info.isSymLink())
            return QStringLiteral("\"%1\" é um atalho para outra pasta, e a cópia de segurança não a substitui.")
                .arg(native(path));
        if (info.isDir() && !QDir(path).isReadable())
            return QStringLiteral("A pasta \"%1\" não pode ser lida, e nada dela será apagado.").arg(native(path));
        if (const std::optional<QString> entry = foreignEntry(path))
            return QStringLiteral("A pasta \"%1\" não é uma cópia de segurança do Sistema: tem \"%2\", que não é "
                                  "da cópia, e nada dela será apagado.")
                .arg(native(path), *entry);
    }
    return std::nullopt;
}

void WriteMarker(const QString& folder)
{
    QSaveFile file(QDir(folder).filePath(MarkerFile));
    const QByteArray text = QStringLiteral("Cópia de segurança do Sistema Ravelha.\r\n"
                                           "Esta pasta é substituída inteira a cada cópia: não guarde nela outros "
                                           "arquivos.\r\n")
                                .toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw CoreError(QStringLiteral("O arquivo \"%1\" da cópia de segurança não pôde ser gravado (%2). A cópia "
                                       "anterior continua valendo.")
                            .arg(native(file.fileName()), FileErrors::reason(file)));
}

}
