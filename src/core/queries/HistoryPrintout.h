#pragma once
// The printout of "Pesquisa de Serviços": a header, a line of one blank, then one line per row
// (all rows of the search, or the rows the keeper picked), on a line device.

#include "HistorySearch.h"
#include "manual/ManualPrintout.h"

#include <QList>
#include <QStringList>

inline const QString HistoryPrintTitle = QStringLiteral("Pesquisa de Serviços");

// Shown before the printout, so the keeper knows how to print only some rows.
inline const QString HistoryPrintNotice = QStringLiteral(
    "\n                           IMPORTANTE! \n\n Serão impressos  todos os  registros da  pesquisa  atual. \n"
    " Se você desejar imprimir alguma(s) linha(s) em particular\nentão, mantendo pressionada a tecla <Ctrl>, "
    "selecionar (um a \num) os registros com o mouse");

inline const QString HistoryPrintHeader =
    QStringLiteral("   Data                     Escala       Serviço        Numero          ");

// Courier, so that the columns laid out with blanks stand one under the other, at a size that
// keeps a line of the widest numbers on the page.
LinePrintLayout HistoryPrintLayout();

// The characters of a soldier list printed on one line; a longer list goes on under its column.
inline constexpr int HistoryPrintNumWidth = 30;

// The line of a row: the day, PtVm and Descr each padded and cut to their widths, 10 blanks
// between them, then the soldier numbers, followed by the lines that carry on a list too long
// for one line (no number is ever cut off the paper).
QStringList HistoryPrintRowLines(const HistoryRow& row);

// The header, a line of one blank, then the rows in grid order: every row when `picked` is empty,
// otherwise only the rows whose positions (0 = first) it holds.
QStringList HistoryPrintLines(const QList<HistoryRow>& rows, const QList<int>& picked = {});
