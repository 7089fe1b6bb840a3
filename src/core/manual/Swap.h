#pragma once
// "Executar" of the tab "Trocas Sv": soldier A leaves a duty of the history and soldier B enters
// it. The history record of the service on that day, both soldiers' last service days and their
// counts of the day's kind in every roster that lists them change together, in one transaction.
//
// "0" stands for nobody: A = "0" adds B to the duty, B = "0" takes A out of it. With both given,
// the choice "B" moves the duty (and its count) from A to B, "A e B" lets A keep it and credits B
// too (a swap made after the parade, when both served). The count of the kind the record was
// counted with moves, whatever the calendar says of the day now.
//
// Before anything is written the keeper reads what will change and answers Yes or No.

#include "audit/CountLog.h"
#include "rostering/Commit.h"

#include "data/ModelRecords.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

enum class SwapChoice { None, B, AandB };

struct SwapRequest {
    QString leaving;                  // A, as typed; "0" = nobody leaves
    QString entering;                 // B, as typed; "0" = nobody enters
    QString dayText;                  // as typed
    std::optional<int> serviceCode;   // nothing when no service was chosen
    SwapChoice choice = SwapChoice::B;
};

// What the swap will leave, worked out from the stored tables; nothing is written and the model
// is left as it was loaded.
struct SwapPlan {
    QString refusal;       // why the swap cannot be made; the rest is empty then
    QStringList summary;   // what will change, as the keeper reads it
    std::vector<HistoryRecord> history;
    std::vector<SoldierRecord> soldiers;
    std::vector<RosterTable> grades;
    QByteArray storedDigest;   // the stored data the plan was made from
    QList<CountLog::Row> log;  // the duty rows the swap leaves in the log of counts
    HistoryRecord record;      // the history record of the duty, as stored before the swap
};

SwapPlan PlanSwap(const SwapRequest& request);

struct SwapOutcome {
    bool done = false;     // written; false when refused or when the keeper said No
    QString refusal;
    QStringList summary;
};

// The plan, the question (its summary), then, on Yes, the history, the personnel register and the
// rosters written in one transaction. No one to ask is No. Throws, with nothing written, when the
// stored data changed after the plan was made or when the database refuses.
SwapOutcome SwapService(const SwapRequest& request, const Confirm& confirm);

// The Yes/No question: the summary, then "Confirma a troca?".
QString SwapQuestion(const QStringList& summary);

// Every number of a history list, read with NextToken; extra blanks are passed over, so that a
// list written again loses none of its numbers.
QStringList ListedNumbers(const QString& list);
