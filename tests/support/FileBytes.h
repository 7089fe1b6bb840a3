#pragma once
// A file's bytes as written, for tests of exported files; empty when it cannot be read.

#include <QByteArray>
#include <QFile>
#include <QString>

inline QByteArray BytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
