#pragma once
// Whether a folder may take the backup copy. A save replaces the folder whole, so it must be the
// program's own: absent, empty, or a copy the program made. Every copy holds a marker file; a copy
// made before the marker existed is known by holding only the copy's own files. The same holds for
// the two folders a save works in beside it ("<folder>.novo", "<folder>.antigo"). The data folder
// itself, a folder holding it, a folder inside it (but the place a new data folder is given,
// "Espelho" inside it) and a file are never the place of the copy.

#include <QString>
#include <optional>

namespace BackupPlace {

// The folders a save builds the new set in and moves the old one to, beside the copy's folder.
inline const QString NewSuffix = QStringLiteral(".novo");
inline const QString OldSuffix = QStringLiteral(".antigo");

// The file every copy holds.
inline const QString MarkerFile = QStringLiteral("CopiaDeSeguranca.Ravelha");

// The place a new data folder is given for its copy, inside it (InitialDataSet).
inline const QString DefaultPlaceName = QStringLiteral("Espelho");

// A folder as a clean absolute path with "/" separators, links resolved as far as the path exists.
QString Resolved(const QString& folder);

// Whether `root` holds `path` (or is it), on whole folder names.
bool Holds(const QString& root, const QString& path);

// Whether `folder` is a folder that holds a set of the program's own: empty, with the marker, or
// with only the copy's own files. A link is never taken as the program's own.
bool IsOwnSet(const QString& folder);

// Why `folder` and the two folders beside it cannot be where the copy is saved; nothing when they can.
std::optional<QString> SaveRefusal(const QString& folder);

// Why `folder` cannot be the place of the copy at all (the data folder, a folder holding it or
// inside it, a file); nothing when it can. A restore reads from the place, so only this applies.
std::optional<QString> PlaceRefusal(const QString& folder);

// Writes the marker into a copy being built.
void WriteMarker(const QString& folder);

}
