#pragma once
// The text files of a unit's state (the last rostered day, the preparation period, the red days,
// the last equalisation, the ranks and their models). In a data folder they are files; for a unit
// kept on a server they are rows of the table ArquivosTexto of its schema, one per file holding
// the file's text, so every desk sees the same ones and they are written in the transaction of
// the operation that writes them with the tables. What belongs to a desk (Niveis.Txt, the
// pictures, Manual.Txt, the initial data set) stays in its folder.

#include <QByteArray>
#include <QString>
#include <QStringList>

class QSqlDatabase;

namespace UnitTexts {

inline const QString Table = QStringLiteral("ArquivosTexto");

// The files of the unit's state, by bare name.
QStringList StateFiles();

// Whether a file (by bare name) is kept on the server in this run.
bool OnServer(const QString& bareName);

// The lines of a state file kept on the server; a missing one throws a message naming it.
QStringList Read(const QString& bareName);
// Rewrites a state file kept on the server, in the caller's transaction (or one of its own).
void Write(const QString& bareName, const QStringList& lines);

// The same on a given server connection (to copy a unit to or from a server).
QStringList ReadFrom(const QSqlDatabase& db, const QString& bareName, const QString& unitLabel);
void WriteTo(const QSqlDatabase& db, const QString& bareName, const QStringList& lines);

// Creates the table of texts on a server connection (left as it is when it exists).
void CreateTable(const QSqlDatabase& db);

}
