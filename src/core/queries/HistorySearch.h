#pragma once
// The history search of the window "Pesquisa de Serviços" and of `ravelha-cli historico`: from the
// texts the keeper typed to a search of the history, and from the search to the rows of the grid.

#include "data/UDMGeral.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the keeper typed and chose; each empty input leaves its condition out.
struct HistorySearchInput {
    QString firstDay;      // "Data Início": dd/mm/yy or dd/mm/yyyy
    QString lastDay;       // "Data Fim": read only with a first day
    QString number;        // "Número": one soldier number
    QList<int> services;   // the services chosen with "Serviços?"
    QString kind;          // "Pt" (black days) or "Vm" (red days); empty is "Ambas"
};

// The input box a refusal is about, so that the window can put the keeper back there.
enum class HistoryField { None, FirstDay, LastDay, Number };

struct HistorySearchPlan {
    HistSearch search;     // used only when there is no refusal
    QString refusal;       // the message for the keeper; nothing is searched
    HistoryField field = HistoryField::None;
};

// Checks the typed texts before anything is searched: every typed day must be a day, a first day
// needs a last day, and the number must be one soldier number (at most 4 characters, no blanks
// inside; blanks around it are dropped).
HistorySearchPlan PlanHistorySearch(const HistorySearchInput& input);

// One history record as the grid shows it.
struct HistoryRow {
    QString dia;     // dd/mm/yy; a stored text that is no day is shown as it is
    QString ptVm;
    QString descr;
    QString num;
    int codSv = 0;
};

// The records the search selects, in day and service order.
QList<HistoryRow> SearchHistory(const HistSearch& search);
// What the window says when the search selects no record.
inline const QString HistoryNothingFound = QStringLiteral("Nenhum registro encontrado");

// The grid's columns, in their order, and the texts of a row in that order.
QStringList HistoryGridColumns();
QStringList HistoryGridTexts(const HistoryRow& row);

// The services whose selection mark the service chooser set ("S"), ascending.
QList<int> ChosenServices();
