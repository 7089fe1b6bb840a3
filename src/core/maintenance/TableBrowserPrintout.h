#pragma once
// The printout of one roster with its members' personnel data, as the browser's joined view shows
// it: a landscape page in Courier 12, the title, the headings, then one row per soldier, each value
// cut to its width and of the last services only the last 35 characters. Rows that pass the bottom
// of the page go on to further pages, each with the title and the headings again.

#include "printing/Printer.h"

#include <QList>
#include <QString>

class QSqlQueryModel;

struct SituationRow {
    QString num;
    QString nome;
    QString prevReal;
    QString from;           // dd/mm/yy
    QString to;
    QString pt;
    QString vm;
    QString lastServices;
};

// The rows to print from the joined view: the selected rows (model rows, in the view's order from
// the first to the last), or every row when none is selected. Values are the texts the grid shows.
QList<SituationRow> SituationRows(const QSqlQueryModel& view, QList<int> selectedRows);

struct SituationLayout {
    QString family = QStringLiteral("Courier");
    int pointSize = 12;
    int titleX = 950;
    int titleY = 150;
    int headingY = 230;
    int firstRowY = 310;
    int step = 50;
};

// The title of the printout for the service `descr`.
QString SituationTitle(const QString& descr);

// Prints the rows and ends the job; returns the number of pages.
int PrintSituation(PageDevice& page, const QString& descr, const QList<SituationRow>& rows,
                   const SituationLayout& layout = {});
