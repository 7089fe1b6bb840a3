#include "ExportTarget.h"

#include "CoreError.h"
#include "DataFolder.h"
#include "FileErrors.h"
#include "UGlobal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

namespace ExportTarget {

namespace {

namespace fs = std::filesystem;

// The name as Qt hands it to the system when it opens the file.
fs::path pathOf(const QString& path)
{
#ifdef Q_OS_WIN
    return fs::path(QDir::toNativeSeparators(path).toStdWString());
#else
    return fs::path(QFile::encodeName(path).toStdString());
#endif
}

// The file a write to `path` reaches: QSaveFile writes through the links of the file itself.
QString followedLinks(const QString& path)
{
    QFileInfo file(path);
    for (int depth = 0; depth < 40 && file.isSymLink(); ++depth)
        file.setFile(file.symLinkTarget());
    return file.filePath();
}

// The folder of the backup copy as the program reaches it (line 6 of Niveis.Txt), relative
// names taken from the data folder.
QString backupFolder()
{
    QString folder;
    try {
        folder = TDMGeral::instance().aliasFolder(Alias::BackUpRavSv);
    } catch (const CoreError&) {
        folder = Global().BackupFolder;
    }
    if (folder.trimmed().isEmpty())
        return QString();
    return QDir(DataFolder::path()).absoluteFilePath(folder.trimmed());
}

// Whether `folder` or one of the folders holding it is `guarded` (compared as the same folder on
// disk, not by spelling).
bool inside(const fs::path& folder, const QString& guarded)
{
    if (guarded.isEmpty())
        return false;
    std::error_code error;
    const fs::path other = pathOf(guarded);
    if (!fs::is_directory(other, error))
        return false;
    for (fs::path current = folder;; current = current.parent_path()) {
        if (fs::equivalent(current, other, error))
            return true;
        if (current == current.parent_path() || current.empty())
            return false;
    }
}

// Writes every byte; a short write is tried again, so that the failure behind it (a full disk, a
// size limit) is the one reported.
bool writeAll(QFileDevice& file, const QByteArray& bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0)
            return false;
        written += step;
    }
    return true;
}

}

void check(const QString& path)
{
    if (path.trimmed().isEmpty())
        throw CoreError(QStringLiteral("Falta o nome do arquivo."));
    const QString shown = QDir::toNativeSeparators(path);
    const QString target = followedLinks(QDir(DataFolder::path()).absoluteFilePath(path));
    if (QFileInfo(target).isDir())
        throw CoreError(QStringLiteral("%1 é uma pasta, não um arquivo.").arg(shown));

    // The folder that would hold the file, as the system resolves it ("..", links) as far as it
    // exists.
    std::error_code error;
    fs::path folder = fs::weakly_canonical(pathOf(target).parent_path(), error);
    if (error)
        folder = pathOf(target).parent_path();
    if (inside(folder, DataFolder::path()))
        throw CoreError(QStringLiteral("%1 fica na pasta de dados do programa (%2).\nEscolha um arquivo fora dela, "
                                       "para não apagar os dados.")
                            .arg(shown, QDir::toNativeSeparators(DataFolder::path())));
    const QString backup = backupFolder();
    if (inside(folder, backup))
        throw CoreError(QStringLiteral("%1 fica na pasta da cópia de segurança (%2).\nEscolha um arquivo fora dela, "
                                       "para não apagar a cópia.")
                            .arg(shown, QDir::toNativeSeparators(backup)));
}

void writeWhole(const QString& path, const QByteArray& bytes)
{
    check(path);
    const QString shown = QDir::toNativeSeparators(path);
    const QString target = followedLinks(QDir(DataFolder::path()).absoluteFilePath(path));
    const QFileInfo existing(target);
    const auto failed = [&shown](const QFileDevice& file) {
        return CoreError(QStringLiteral("Não foi possível gravar o arquivo %1: %2.").arg(shown, FileErrors::reason(file)));
    };
    if (!existing.exists() && !QFileInfo(existing.absolutePath()).isDir())
        throw CoreError(QStringLiteral("Não foi possível gravar o arquivo %1: a pasta %2 não existe.")
                            .arg(shown, QDir::toNativeSeparators(existing.absolutePath())));

    if (existing.exists() && !existing.isFile()) {
        // A device or a pipe: nothing to keep, and replacing it by a file would be wrong.
        QFile device(target);
        if (!device.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !writeAll(device, bytes))
            throw failed(device);
        device.close();
        if (device.error() != QFileDevice::NoError)
            throw failed(device);
        return;
    }
    QSaveFile file(target);
    // Unbuffered: a failed write is told with its reason, not as a failed flush without one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw failed(file);
    if (!writeAll(file, bytes) || !file.flush()) {
        const CoreError error = failed(file);
        file.cancelWriting();
        throw error;
    }
    if (!file.commit())
        throw failed(file);
}

}
