#pragma once
// Where an export (a spreadsheet, a calendar, a PDF, a picture) may be written, and the writing
// itself. An export never lands in the data folder or in the backup copy's folder: a file named
// like one of the program's own would destroy it. The comparison is made on the folders the
// system reaches, so "./", "..", links and letter case (where the disk ignores it) change nothing.

#include <QByteArray>
#include <QString>

namespace ExportTarget {

// Throws CoreError, naming the file, when `path` may not receive an export: no name, a folder, a
// file inside the data folder or the backup copy's folder (or one of their subfolders).
void check(const QString& path);

// Checks the target, then writes `bytes` to it whole: through a temporary file beside it that
// replaces the old file only once everything was written. A device or a pipe (no earlier file to
// keep) is written straight. Throws CoreError with the reason in Portuguese; a failure leaves any
// earlier file as it was.
void writeWhole(const QString& path, const QByteArray& bytes);

}
