#include "DataFolder.h"

#include <QDir>

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

}
