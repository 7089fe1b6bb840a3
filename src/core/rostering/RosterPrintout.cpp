#include "RosterPrintout.h"

QString RosterPrintTitle(RosterPrint which)
{
    return which == RosterPrint::Escala ? QStringLiteral("Escala de Serviço") : QStringLiteral("Mensagens");
}

ListLayout RosterPrintLayout()
{
    ListLayout layout;
    layout.family = QStringLiteral("Courier");
    layout.pointSize = 12;
    layout.titleX = 950;
    layout.titleY = 150;
    layout.lineX = 100;
    layout.firstLineY = 230;
    layout.step = 50;
    return layout;
}

int PrintRosterList(PageDevice& page, RosterPrint which, const QStringList& lines)
{
    return PrintTitledList(page, RosterPrintLayout(), RosterPrintTitle(which), lines);
}
