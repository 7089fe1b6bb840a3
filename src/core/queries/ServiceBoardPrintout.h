#pragma once
// The printout of the board as it is shown: the headers of columns 1 to 19 at the top, then one
// line per soldier with his number and his marks, in printer units of 1/300 inch. Columns are 110
// units apart, less than a name of six letters: the headers of even columns stand on a second line,
// so that neighbouring names do not run into each other. A board taller than a page goes on to
// further pages, each with the headers again.

#include "ServiceBoard.h"

#include "printing/Printer.h"

inline const QString BoardTitle = QStringLiteral("Militares e Serviços");

struct BoardPrintLayout {
    QString family = QStringLiteral("Arial");
    int pointSize = 10;     // characters 40 units high (9.6 points)
    int headerY = 50;       // odd columns
    int secondHeaderY = 88; // even columns, just above the first row
    int firstRowY = 130;
    int step = 50;
    int headerX(int column) const { return 110 * column + 30; }
    int headerLine(int column) const { return column % 2 == 1 ? headerY : secondHeaderY; }
    int cellX(int column) const { return 110 * column + 50; }
};

// Prints the board and ends the job; returns the number of pages.
int PrintServiceBoard(PageDevice& page, const ServiceBoard& board, const BoardPrintLayout& layout = {});
