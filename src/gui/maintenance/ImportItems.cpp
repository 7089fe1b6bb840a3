#include "ImportItems.h"

#include "common/BusyCursor.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "data/CoreError.h"
#include "data/DataFolder.h"
#include "data/ParadoxTable.h"
#include "maintenance/ParadoxImport.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString OldFolderCaption =
    QStringLiteral("Pasta antiga do Sistema (com Basico.DB, Sv.DB, Hist.DB e os arquivos .Txt)");
const QString NewFolderCaption = QStringLiteral("Pasta nova para os dados importados (vazia)");

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Imports with the busy pointer and shows the report, then `after`; throws the refusal.
void importAndReport(const QString& oldFolder, const QString& newFolder, const QString& after)
{
    ParadoxImport::Report report;
    {
        BusyCursor busy;
        report = ParadoxImport::ImportIntoFolder(oldFolder, newFolder);
    }
    Dialogs::current().message(ParadoxImport::ReportLines(report, native(newFolder)).join(QLatin1Char('\n'))
                               + after);
}

}

void ImportOldFolder(QWidget*)
{
    Guarded([] {
        Dialogs& dialogs = Dialogs::current();
        if (!ParadoxTable::Available()) {
            dialogs.message(ParadoxTable::UnavailableMessage());
            return;
        }
        const QString oldFolder = dialogs.folderName(OldFolderCaption, QString());
        if (oldFolder.isEmpty())
            return;
        // The data folder of the run is never written over: the import makes another one beside it.
        const QString proposed = QFileInfo(DataFolder::path()).absolutePath();
        const QString newFolder = dialogs.folderName(NewFolderCaption, proposed);
        if (newFolder.isEmpty())
            return;
        importAndReport(oldFolder, newFolder,
                        QStringLiteral("\n\nPara trabalhar com os dados importados, inicie o Ravelha com essa pasta "
                                       "de dados: ravelha --dados \"%1\" (ou RAVELHA_DADOS).")
                            .arg(native(newFolder)));
    });
}

bool OfferImportAtFirstStart(const QString& dataFolder)
{
    Dialogs& dialogs = Dialogs::current();
    if (!ParadoxTable::Available())
        return false;
    const QString question =
        QStringLiteral("A pasta de dados %1 ainda não existe.\n\n%2? (Não: começar com o conjunto de dados inicial.)")
            .arg(native(dataFolder), ParadoxImport::ItemCaption);
    while (dialogs.question(question)) {
        const QString oldFolder = dialogs.folderName(OldFolderCaption, QString());
        if (oldFolder.isEmpty())
            continue;
        try {
            importAndReport(oldFolder, dataFolder, QString());
            return true;
        } catch (const CoreError& e) {
            dialogs.error(e.message());
        }
    }
    return false;
}
