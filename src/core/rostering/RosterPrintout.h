#pragma once
// The printouts of the tab "Escalar Automático": the roster ("Escala") and the two message lists
// ("Erros", "Alertas"), each a title and the list's lines as they stand, in Courier 12.

#include "printing/Printer.h"

#include <QStringList>

enum class RosterPrint { Escala, Erros, Alertas };

QString RosterPrintTitle(RosterPrint which);   // "Escala de Serviço" or "Mensagens"
ListLayout RosterPrintLayout();

// Prints the list; a list longer than a page goes on to further pages with the same layout.
int PrintRosterList(PageDevice& page, RosterPrint which, const QStringList& lines);
