#pragma once
// "Importar dados de uma pasta antiga": an item of "Manutenção", and the offer of the first start
// when the data folder does not exist yet. No window of their own: the folder choosers, the
// questions and the report in a message box.

#include <QString>

class QWidget;

// Asks for the old folder and for the new data folder (absent or empty), imports, and shows the
// report with the way to open the new folder. An error stops the import with nothing written.
void ImportOldFolder(QWidget* parent);

// At the first start on `dataFolder`, which does not exist yet: offers to fill it from an old
// folder instead of the initial data set. Returns whether it was filled; on No, on Cancel or
// after a refusal the keeper was told of, the start goes on with the initial data set.
bool OfferImportAtFirstStart(const QString& dataFolder);
