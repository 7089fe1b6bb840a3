#pragma once
// ravelha-cli run as a child process on a data folder, and the stored state it leaves.
#include "FixtureFolder.h"
#include "StoredTables.h"
#include "data/DataFiles.h"
#include "data/TableSchema.h"
#include "data/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <functional>

#include <grp.h>
#include <unistd.h>

struct CliResult {
    int exit = -1;
    bool crashed = false;   // killed, or ended by a signal
    QStringList out;        // lines of standard output
    QString err;
};

// The environment of the tests without a data folder of its own.
inline QProcessEnvironment plainEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("RAVELHA_DADOS"));
    env.remove(QStringLiteral("RAVELHA_MATAR_EM"));
    env.remove(QStringLiteral("RAVELHA_DEPURAR"));   // Qt's notes would fill standard error
    return env;
}

// The environment that makes the program kill itself at the named write step.
inline QProcessEnvironment killedAt(const QString& step)
{
    QProcessEnvironment env = plainEnvironment();
    env.insert(QStringLiteral("RAVELHA_MATAR_EM"), step);
    return env;
}

inline CliResult finished(QProcess& process)
{
    CliResult result;
    if (!process.waitForFinished(-1) && process.state() != QProcess::NotRunning)
        return result;
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.exit = process.exitCode();
    QString out = QString::fromUtf8(process.readAllStandardOutput());
    if (out.endsWith(QLatin1Char('\n')))
        out.chop(1);
    result.out = out.isEmpty() ? QStringList() : out.split(QLatin1Char('\n'));
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// The Windows build of the program when RAVELHA_CLI_WINDOWS names its ravelha-cli.exe: run under
// Wine, with the absolute paths among the arguments named on Wine's drive Z: (the whole file system).
inline QString windowsProgram()
{
    return qEnvironmentVariable("RAVELHA_CLI_WINDOWS");
}

inline QStringList onDriveZ(const QStringList& arguments)
{
    QStringList mapped;
    for (const QString& argument : arguments)
        mapped << (argument.startsWith(QLatin1Char('/')) ? QStringLiteral("Z:") + argument : argument);
    return mapped;
}

// `childSetUp` runs in the child before the program starts (to take another user's identity).
inline CliResult cli(const QStringList& arguments, const QProcessEnvironment& environment = plainEnvironment(),
                     const QString& workingFolder = QString(), const std::function<void()>& childSetUp = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingFolder);
    if (childSetUp)
        process.setChildProcessModifier(childSetUp);
    if (!windowsProgram().isEmpty())
        process.start(QStringLiteral("wine"), QStringList{windowsProgram()} + onDriveZ(arguments));
    else
        process.start(QStringLiteral(RAVELHA_CLI), arguments);
    return finished(process);
}

inline CliResult cli(FixtureFolder& data, const QStringList& arguments)
{
    return cli(QStringList{QStringLiteral("--dados"), data.path()} + arguments);
}

// Run in the child before the program: root takes the identity of the user nobody, for whom file
// modes count. A child that cannot ends with 126, and so does one that, as nobody, could not start
// the program (a build folder under a private home folder).
inline void dropToNobody()
{
    if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
        ::_exit(126);
    if (::access(RAVELHA_CLI, X_OK) != 0)
        ::_exit(126);
}

// A file made read-only is met only by a program that honours its mode, which root does not. Run
// as root, this opens the data folder, its parent and `folders` to everybody, and the database and
// `files` of the data folder (paths relative to it, or absolute) to reading and writing, then sets
// `asNobody` to the step that has the program run as the user nobody. Elsewhere it changes nothing
// and leaves `asNobody` empty. False when a mode could not be set.
inline bool openToNobodyWhereRoot(FixtureFolder& data, const QStringList& files, const QStringList& folders,
                                  std::function<void()>& asNobody)
{
    asNobody = {};
    if (::geteuid() != 0)
        return true;
    const QFile::Permissions all = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup
                                   | QFile::ReadOther | QFile::WriteOther;
    for (const QString& path : QStringList{data.path(), QFileInfo(data.path()).absolutePath()} + folders) {
        if (!QFile::setPermissions(path, all | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther))
            return false;
    }
    for (const QString& file : QStringList{QStringLiteral("Ravelha.db")} + files) {
        if (!QFile::setPermissions(QDir(data.path()).filePath(file), all))
            return false;
    }
    asNobody = dropToNobody;
    return true;
}

// The rows of the tables named, each as "== table" then its rows' values joined by "|", and the
// lines of Escala.Txt.
inline QStringList storedTables(FixtureFolder& data, const QStringList& tables)
{
    QStringList state = StoredTables(data.module(), tables);
    state << QStringLiteral("== ") + DataFiles::Escala << data.readText(DataFiles::Escala);
    return state;
}

// Every working table and Escala.Txt.
inline QStringList storedState(FixtureFolder& data)
{
    return storedTables(data, TableSchema::workingTables());
}
