#pragma once
// The printouts of the tab "Escalar Manual", written line by line on a line device: "Grade" (for
// each day of the grid, the services with soldiers that day) and "Mensagens" (ListBox4's lines).

#include "ManualGrid.h"

#include "printing/Printer.h"

#include <QStringList>

// The font and spacing of a printout, in printer units of 1/300 inch.
struct LinePrintLayout {
    QString family;
    int pointSize = 12;
    int step = 70;
    int left = 100;
    int top = 150;
};

// "Grade": the grid's font, Arial of 16 pixels (12 points).
LinePrintLayout GridPrintLayout();
// "Mensagens": the list's font with characters 60 printer units high.
LinePrintLayout MessagesPrintLayout();

// The lines of "Grade": for each dated column up to the first without a day, an empty line, the day
// after 10 blanks, then every service whose cell that day is filled (5 blanks, its name, 5 blanks,
// the cell). A service without soldiers that day does not end the day's list.
QStringList GridPrintLines(const ManualGrid& grid);
// The lines of "Mensagens": the title after 20 blanks, a line of one blank, then the messages.
QStringList MessagesPrintLines(const QStringList& messages);

// Prints the lines on the device and ends it (the job is printed).
void PrintLines(LineDevice& device, const QStringList& lines);

inline const QString GridPrintTitle = QStringLiteral("Grade de Serviços");
inline const QString MessagesPrintTitle = QStringLiteral("Mensagens");
