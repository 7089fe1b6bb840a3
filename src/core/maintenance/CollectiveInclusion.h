#pragma once
// Many soldiers at once: registered from a collective inclusion file (one soldier a line,
// "Num,PstGrd,Nome"), removed from the register and every roster, or put into the services the
// keeper ticked and out of all others (item 2 of "Manutenção", ravelha-cli incluir-arquivo).

#include "RankModels.h"
#include "data/Capacities.h"
#include "data/TextFile.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

struct CollectiveEntry {
    QString Num;      // before the first comma
    QString PstGrd;   // between the first and the second comma
    QString Nome;     // the rest of the line; it may hold commas itself
};

// What a collective inclusion file may hold: a soldier a line, at most as many as the register
// holds; a line is "Num,PstGrd,Nome", short, with room for blanks.
inline const TextFile::Limits CollectiveFileLimits{QStringLiteral("um arquivo de inclusão coletiva"),
                                                   QStringLiteral("um militar"), Capacity::Soldiers, 200,
                                                   512 * 1024};

// The lines of a collective inclusion file (Windows-1252, or UTF-8 / UTF-16 with a byte-order
// mark), blank lines left out. A file that cannot be read, or past CollectiveFileLimits, throws a
// message naming it (and the line).
QStringList ReadCollectiveFile(const QString& path);

// Splits a line at its first two commas; blanks are kept. A missing comma leaves its fields empty.
CollectiveEntry SplitCollectiveLine(const QString& line);

// The keeper's messages for a line.
QString EmptyFieldMessage(const QString& line);
QString AlreadyRegisteredMessage(const QString& line);
QString HistoryQuestion(const QString& num);

// Asks the keeper a Yes/No question; true is Yes. Throwing from it stops the run before anything is
// written.
using CollectiveQuestion = std::function<bool(const QString& question)>;
// Tells the keeper about a line that was skipped.
using CollectiveNotice = std::function<void(const QString& message)>;

struct CollectiveInclusion {
    QStringList beigeLines;   // "Num PstGrd Nome" of each soldier this run registered, as stored
    QStringList skipped;      // the messages of the lines left out (already registered)
    NormaliseOutcome ranks;   // what the rank spellings pass did
};

// Registers the soldiers of the selected lines, top to bottom (blank lines are passed over).
// Every line is checked first: a line with an empty field, or whose number is longer than 4
// characters or holds a blank, refuses the whole run with a message naming the line, and nothing is
// registered. A number still found in the history is put to `ask` (No skips that line); a number
// already registered, or given by an earlier line of the run, is told through `tell` and skipped.
// Then every soldier's rank is brought to its model spelling (`choose` is asked about a spelling
// not recognised), the learned spellings are kept, and the register is written in one transaction.
// No selected line refuses with "Você deve selecionar os militares a serem incluídos". Loads the
// soldiers.
CollectiveInclusion IncludeCollective(const QStringList& selectedLines, const CollectiveQuestion& ask,
                                      const CollectiveNotice& tell, const RankChooser& choose);

// "Num PstGrd Nome" of every registered soldier in record order (the blue list). Loads the soldiers.
QStringList RegisteredSoldierLines();

// The number of a line of the beige or the blue list: its text before the first blank.
QString NumberOfListLine(const QString& line);

// Removes the soldiers from the register and from the roster of every registered service, the
// register and the rosters written in one transaction. A number not registered is passed over.
// Returns the numbers removed, in order. Loads services, soldiers and rosters.
QStringList ExcludeCollective(const QStringList& nums);

// The question asked before removing `count` soldiers: there is no way back.
QString ExclusionQuestion(int count);

// Puts the registered soldiers among `nums` into every service whose selection mark is "S" and
// out of every other one; a newcomer to a roster starts at the lowest counts its members had
// before this operation (on `today`). Returns the messages of the numbers that are no longer
// registered ("<Num> Número não está incluído no sistema"), which are skipped.
QStringList SaveServicesForSelection(const QStringList& nums, const QDate& today);
