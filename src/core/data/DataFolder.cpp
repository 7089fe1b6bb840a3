#include "DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QRegularExpression>

namespace DataFolder {

namespace {
QString& current()
{
    static QString folder;
    return folder;
}
}

QString defaultPathOf(const QString& keepersRoot, const QString& documents)
{
    const QString keepers = keepersRoot + QStringLiteral("/Molvedan/Ravelha");
    const QString fallback = documents + QStringLiteral("/Molvedan/Ravelha");
    // A folder already in use stays the unit's folder, wherever it is.
    if (QFileInfo(keepers).isDir())
        return keepers;
    if (!documents.isEmpty() && QFileInfo(fallback).isDir())
        return fallback;
    // The place the keepers know, when a folder can be made there (a desk without rights on the
    // drive's root cannot); else the user's documents.
    const QString parent = keepersRoot + QStringLiteral("/Molvedan");
    if (QDir().mkpath(parent)) {
        QTemporaryFile probe(parent + QStringLiteral("/ravelha-XXXXXX"));
        if (probe.open())
            return keepers;
    }
    return documents.isEmpty() ? keepers : fallback;
}

QString defaultPath()
{
#ifdef Q_OS_WIN
    return defaultPathOf(QStringLiteral("C:"), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
#else
    return QDir::homePath() + QStringLiteral("/Molvedan/Ravelha");
#endif
}

QString choose(QStringList& arguments)
{
    const int at = arguments.indexOf(QStringLiteral("--dados"));
    if (at >= 0 && at + 1 < arguments.size()) {
        const QString folder = arguments.at(at + 1);
        arguments.remove(at, 2);
        return QDir(folder).absolutePath();
    }
    const QString fromEnvironment = qEnvironmentVariable("RAVELHA_DADOS");
    if (!fromEnvironment.isEmpty())
        return QDir(fromEnvironment).absolutePath();
    return defaultPath();
}

void setPath(const QString& folder)
{
    current() = QDir(folder).absolutePath();
}

QString path()
{
    return current();
}

QString file(const QString& bareName)
{
    return QDir(current()).filePath(bareName);
}

bool isUnfinishedWriteOf(const QString& name, const QString& file, Qt::CaseSensitivity names)
{
    static const QRegularExpression suffix(QStringLiteral("^\\.[A-Za-z]{6}$"));
    return name.startsWith(file, names) && suffix.match(QStringView(name).mid(file.size())).hasMatch();
}

QStringList removeUnfinishedWrites(const QStringList& ownFiles)
{
    QStringList removed;
    const QDir folder(current());
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        for (const QString& own : ownFiles) {
            if (isUnfinishedWriteOf(name, own)) {
                if (QFile::remove(folder.filePath(name)))
                    removed << name;
                break;
            }
        }
    }
    return removed;
}

}
