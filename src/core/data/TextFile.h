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

namespace TextFile {

// What a file chosen by the keeper may hold for what it is. Past any of these the file is refused,
// naming it (and the line), before it is taken in whole: a wrong file (a device, a picture, a huge
// log) must neither fill the memory nor be read for minutes.
struct Limits {
    QString what;         // what the file holds, for the messages: "um arquivo de inclusão coletiva"
    QString eachLine;     // what one line is: "um militar"
    int maxLines = 0;     // lines that are not blank
    int maxLineChars = 0;
    qint64 maxBytes = 0;  // read in pieces, never more than this and one byte
};

// The lines of a file within `limits` (decoded as readLines does). Throws the keeper's message for
// a missing or unreadable file, a file past maxBytes, a line longer than maxLineChars, or more
// than maxLines lines that are not blank.
QStringList readLinesWithin(const QString& path, const Limits& limits);

}
