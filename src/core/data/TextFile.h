#pragma once
// The text files of the data folder. Reading is tolerant (UTF-8 or UTF-16 byte-order mark, else
// UTF-8 when valid, else Windows-1252); writing is Windows-1252 (UTF-8 with a byte-order mark for a
// text Windows-1252 cannot hold) with CRLF line ends through a QSaveFile, so a failure never leaves
// half a file behind.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace TextFile {

// Every line of the file; a missing or unreadable file throws a message naming it.
QStringList readLines(const QString& path);

// Line `index` (0 = first) of the file; reading past the end gives the empty text.
QString readLine(const QString& path, int index);

// Rewrites the file whole, in Windows-1252; when a line holds a character Windows-1252 lacks, the
// whole file is written in UTF-8 with a byte-order mark instead. A failed write throws and leaves
// the old file as it was.
void writeLines(const QString& path, const QStringList& lines);

// The pieces, for callers that hold bytes already (and for tests).
QString decode(const QByteArray& bytes);
QStringList splitLines(const QString& text);
QByteArray encode(const QStringList& lines);

}
