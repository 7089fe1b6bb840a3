#pragma once
// The small text files of the data folder, read and written by their bare names. While an
// operation's record of a file waits to be written (PendingFiles), every reader takes the recorded
// lines instead of the file's. The Stage functions record a file in the transaction the caller
// holds; it is written once that transaction commits (PendingFiles::finish).

#include <QDate>
#include <QString>
#include <QStringList>

namespace DataFiles {

inline const QString Niveis = QStringLiteral("Niveis.Txt");
inline const QString Escala = QStringLiteral("Escala.Txt");
inline const QString DataIniFim = QStringLiteral("DataIniFim.Txt");
inline const QString SemExped = QStringLiteral("SemExped.Txt");
inline const QString ModelosPstGrd = QStringLiteral("ModelosPstGrd.Txt");
inline const QString PstGrd = QStringLiteral("PstGrd.Txt");
inline const QString UltiEqual = QStringLiteral("UltiEqual.Txt");
inline const QString Manual = QStringLiteral("Manual.Txt");

// Niveis.Txt: four cover lines, the cover picture's file name, the backup folder.
struct CoverSettings {
    QStringList coverLines;   // always four
    QString picture;
    QString backupFolder;
};
CoverSettings ReadNiveis();
void WriteNiveis(const CoverSettings& settings);

// Escala.Txt: the last rostered day, at most the first 10 characters of its line.
QString ReadLastRosteredDay();
QStringList EscalaLines();
void WriteLastRosteredDay(const QDate& day);
void StageLastRosteredDay(const QDate& day);

// DataIniFim.Txt: the first and last day of the preparation period.
struct PreparationPeriod {
    QDate first;
    QDate last;
};
// The last day of the period as the file writes it, for a message.
QString PreparationEndText();
PreparationPeriod ReadPreparationPeriod();
void WritePreparationPeriod(const PreparationPeriod& period);
void StagePreparationPeriod(const PreparationPeriod& period);

// SemExped.Txt: the red days, one per line; more than the calendar holds is refused.
QStringList ReadRedDayLines();
void WriteRedDayLines(const QStringList& days);
void StageRedDayLines(const QStringList& days);

// ModelosPstGrd.Txt: 275 cells of the rank model grid, column by column.
constexpr int RankModelColumns = 11;
constexpr int RankModelRows = 25;
QStringList ReadRankModels();                       // always 275 cells
void WriteRankModels(const QStringList& cells);
// PstGrd.Txt from the model file: its lines 2 to 25, up to the first empty one.
void WriteRankList();
QStringList ReadRankList();

// UltiEqual.Txt: the day of the last equalisation, recorded with the rosters it lowered.
void StageLastEqualisation(const QDate& day);
QStringList ReadManual();

// Every text file the program keeps in the data folder, by bare name: the files above, the
// collective inclusion files of the initial data set, and the initial copies ("Ini" + name).
QStringList FolderTextFiles();

}
