#pragma once
// What the end-to-end benchmarks read of the ravelha-cli processes they time.

#include <QProcess>
#include <QString>
#include <string>

#include <sys/resource.h>

// The processor time of the finished children so far, user and system, in seconds.
inline double childrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Why a run of ravelha-cli failed, for SkipWithError.
inline std::string failure(const QProcess& process, const QString& err)
{
    if (process.exitStatus() == QProcess::CrashExit)
        return "ravelha-cli terminou de forma anormal";
    return QStringLiteral("ravelha-cli saiu com %1: %2").arg(process.exitCode()).arg(err.trimmed()).toStdString();
}
