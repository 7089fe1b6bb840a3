#pragma once
// The standard output of a program the tests use to read a result back (pdftotext, pdfinfo,
// pdftoppm), or the empty text when it fails.

#include <QProcess>
#include <QString>
#include <QStringList>

inline QString ToolOutput(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished() || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}
