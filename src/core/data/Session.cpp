#include "Session.h"

#include "CoreError.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "InitialDataSet.h"
#include "PendingFiles.h"
#include "UGlobal.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>

Session::Session(const QString& dataFolder, bool fillWhenMissing)
{
    if (fillWhenMissing)
        m_filled = InitialDataSet::installIfMissing(dataFolder);
    if (!QFileInfo(dataFolder).isDir())
        throw CoreError(QStringLiteral("A pasta de dados \"%1\" não existe.").arg(QDir::toNativeSeparators(dataFolder)));
    DataFolder::setPath(dataFolder);
    // Text files are named by their bare names: the data folder is the current folder.
    QDir::setCurrent(dataFolder);
    // A write stopped half-way left its temporary file; the file itself is whole (old or new).
    DataFolder::removeUnfinishedWrites(DataFiles::FolderTextFiles());

    const DataFiles::CoverSettings cover = DataFiles::ReadNiveis();
    GlobalModel& g = Global();
    g.CoverLines = cover.coverLines;
    g.CoverLines << cover.picture;
    g.BackupFolder = cover.backupFolder;

    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        throw CoreError(QStringLiteral("O banco de dados não está disponível: falta o componente SQLite do Qt "
                                       "(pacote libqt6sql6-sqlite)."));
    m_module = std::make_unique<TDMGeral>(dataFolder, g.BackupFolder);
    m_module->database(Alias::Ravelha);   // the tables open now, or the start stops here
    // An operation stopped between its tables and its files is finished now.
    m_notice = PendingFiles::finish(true);
}

Session::~Session() = default;
