#pragma once
// The printout of "Quadro dos Serviços": the table as shown, on a landscape page in Courier 9, with
// a title that names the period and the kind of days. Every service column is printed: columns that
// do not fit across a page go on further pages, each repeating the soldiers' numbers; rows that do
// not fit down a page go on further pages, each repeating the title and the captions.

#include "printing/Printer.h"
#include "queries/ServicesPerSoldier.h"

// "Serviços por Militar (Quadro Resumo) - de 01/01/04 a 31/12/04 - Escala: Ambas"
QString SummaryPrintTitle(const ServiceCounts& counts);

// The lines of text each page holds, page after page (without the title and page label).
QList<QStringList> SummaryPrintPages(const SummaryTable& table, int pageWidth, int pageHeight);

// Prints the table; returns the number of pages.
int PrintServicesPerSoldier(PageDevice& page, const SummaryTable& table, const QString& title);

// Where the printout puts things, in printer units (1/300 inch).
namespace SummaryPrintLayout {
constexpr int PointSize = 9;           // Courier 9: each character 0.6 of 9 points wide
constexpr double CharWidth = 22.5;
constexpr int Left = 60;
constexpr int TitleY = 40;
constexpr int LabelY = 95;            // "Folha 1 de 2", at the right edge
constexpr int CaptionY = 150;
constexpr int Step = 50;
}
