#include "DataFolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace DataFolder {

namespace {
QString& current()
{
    static QString folder;
    return folder;
}
}

QString defaultPath()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:/Molvedan/Ravelha");
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
