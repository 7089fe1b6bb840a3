#pragma once
// What every command of ravelha-cli shares: its exits, its two output streams, and the folder
// the command was given in (the session makes the data folder the current folder).

#include "data/Capacities.h"

#include <QDir>
#include <QString>
#include <cstdio>
#include <optional>

namespace Cli {

enum Exit { Ok = 0, Refused = 1, BadUsage = 2 };

inline void write(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, bytes.size(), stream);
}

// A line of what the window would show.
inline void out(const QString& text)
{
    write(stdout, text);
}

// A refusal, a question answered No, a notice.
inline void err(const QString& text)
{
    write(stderr, text);
}

// The folder the command was given in; set by main before the session starts.
inline QString& startFolder()
{
    static QString folder = QDir::currentPath();
    return folder;
}

// A file named on the command line, taken from the folder the command was given in.
inline QString fromStartFolder(const QString& path)
{
    return QDir(startFolder()).absoluteFilePath(path);
}

// A service code of 1 to 30 written as digits (blanks around allowed), or none.
inline std::optional<int> serviceCode(const QString& text)
{
    bool ok = false;
    const int code = text.trimmed().toInt(&ok);
    if (!ok || code < 1 || code > Capacity::Services)
        return std::nullopt;
    return code;
}

}
