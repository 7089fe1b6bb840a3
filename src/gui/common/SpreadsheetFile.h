#pragma once
// The question of the "Exportar CSV" buttons: where to save the spreadsheet.

#include "Dialogs.h"

#include <QString>

// The file the keeper chose for a CSV spreadsheet, `proposed` offered first; empty when cancelled.
inline QString AskSpreadsheetFile(const QString& proposed)
{
    return Dialogs::current().saveFileName(QStringLiteral("Exportar para planilha"), proposed,
                                           QStringLiteral("Planilha CSV (*.csv)"));
}
