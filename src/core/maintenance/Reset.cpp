#include "Reset.h"
#include "BackupLocation.h"
#include "audit/CountLog.h"

#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "data/Dates.h"
#include "data/PendingFiles.h"
#include "data/SqlTransaction.h"
#include "data/TableSchema.h"
#include "data/TextFile.h"
#include "data/InitialDataSet.h"
#include "data/UGlobal.h"

#include <QDir>
#include <QTemporaryDir>

#include <QFileInfo>
#include <vector>

namespace Reset {

namespace {

const QString Initial = QStringLiteral("Ini");
const QString NothingChanged = QStringLiteral("O Sistema nada alterou.");
constexpr int InitialRosters = 4;
constexpr int RestTime = 2;   // the Folga of every restored service
constexpr int Steps = 8;

// The two files the reset writes itself rather than copies.
QStringList writtenFiles()
{
    return {DataFiles::Escala, DataFiles::DataIniFim};
}

QStringList lastRosteredDayLines()
{
    return {Dates::show(RestartDay.addDays(-1))};
}

QStringList preparationPeriodLines()
{
    return {Dates::show(QDate(2004, 1, 1)), Dates::show(QDate(2004, 3, 20))};
}

// Where the initial data set is read: the data folder's initial tables and Ini files; for a unit
// on a server, the program's own set, installed for the moment into a temporary folder that the
// backup alias points at (the unit keeps no initial tables: they belong to the program).
class InitialSource {
public:
    explicit InitialSource(TDMGeral& module) : m_module(module)
    {
        if (!module.onServer())
            return;
        if (!m_temp.isValid())
            throw CoreError(QStringLiteral("Não foi possível criar uma pasta temporária para o conjunto inicial. %1")
                                .arg(NothingChanged));
        m_folder = QDir(m_temp.path()).filePath(QStringLiteral("inicial"));
        InitialDataSet::install(m_folder);
        m_backupFolder = module.aliasFolder(Alias::BackUpRavSv);
        module.setAliasFolder(Alias::BackUpRavSv, m_folder);
    }
    ~InitialSource()
    {
        if (!m_folder.isEmpty())
            m_module.setAliasFolder(Alias::BackUpRavSv, m_backupFolder);
    }
    InitialSource(const InitialSource&) = delete;
    InitialSource& operator=(const InitialSource&) = delete;

    Alias alias() const { return m_folder.isEmpty() ? Alias::Ravelha : Alias::BackUpRavSv; }
    QString file(const QString& bareName) const
    {
        return m_folder.isEmpty() ? DataFolder::file(bareName) : QDir(m_folder).filePath(bareName);
    }

private:
    TDMGeral& m_module;
    QTemporaryDir m_temp;
    QString m_folder;
    QString m_backupFolder;
};

void requireInitialTables(TDMGeral& module, Alias alias)
{
    const QStringList present = TablesOf(module.database(alias));
    for (const QString& table : TableSchema::initialTables()) {
        if (!present.contains(table, Qt::CaseInsensitive))
            throw CoreError(QStringLiteral("A tabela inicial %1 não existe no banco de dados da pasta de dados. %2")
                                .arg(table, NothingChanged));
    }
}

// The lines each restored file will hold, in the order of RestoredTextFiles().
std::vector<QStringList> readRestoredLines(const InitialSource& source)
{
    std::vector<QStringList> contents;
    for (const QString& name : RestoredTextFiles()) {
        if (name == DataFiles::Escala) {
            contents.push_back(lastRosteredDayLines());
            continue;
        }
        if (name == DataFiles::DataIniFim) {
            contents.push_back(preparationPeriodLines());
            continue;
        }
        const QString path = source.file(Initial + name);
        if (!QFileInfo(path).isFile())
            throw CoreError(QStringLiteral("O arquivo inicial %1 não foi encontrado na pasta de dados. %2")
                                .arg(Initial + name, NothingChanged));
        QStringList lines = TextFile::readLines(path);
        // The cover goes back to the initial one; the place of the backup copy stays where the keeper put it.
        if (name == DataFiles::Niveis)
            lines = BackupLocation::KeepingThePlace(lines, lines.value(5));
        contents.push_back(lines);
    }
    return contents;
}

void saveServices(TDMGeral& module, const ServiceList& services)
{
    TDMGeral::TableWriter writer(module, Alias::Ravelha, QStringLiteral("Sv"));
    for (int n = 1; n <= Capacity::Services; ++n) {
        const ServiceRecord& s = services[n];
        if (!s.Descr.isEmpty())
            writer.append({s.CodSv, cut(s.Descr, Width::Descr), s.Ini, s.Fim, s.Quant, s.Prio, RestTime});
    }
    writer.commit();
}

// Reads the whole initial set, then rewrites the tables in one transaction with the text files
// recorded in it.
void restore(TDMGeral& module, GlobalModel& g, const std::function<void()>& step)
{
    // Everything is read before anything is written.
    std::vector<QStringList> files;
    ServiceList services{};
    {
        const InitialSource source(module);
        const Alias from = source.alias();
        requireInitialTables(module, from);
        files = readRestoredLines(source);
        LoadServicesInto(services, from, QStringLiteral("RavSv"));
        LoadSoldiers(from, QStringLiteral("RavBasico"));
        for (int n = 1; n <= InitialRosters; ++n) {
            g.CurrentRoster = SelectRoster(n, QStringLiteral("Base"));
            ClearRoster(*g.CurrentRoster);
            LoadRoster(*g.CurrentRoster, QStringLiteral("Rav") + g.CurrentTableName, from);
        }
        LoadHistory(from, QStringLiteral("RavHist"));
    }
    step();

    SqlTransaction transaction(module.database(Alias::Ravelha));
    // The folder's own initial copies follow the reset; a server unit reads the program's.
    for (const QString& name : writtenFiles()) {
        const int at = RestoredTextFiles().indexOf(name);
        if (!module.onServer())
            PendingFiles::stage(Initial + name, files.at(at));
    }
    module.emptyTablesForReset();
    step();
    saveServices(module, services);
    step();
    SaveSoldiers();
    step();
    for (int n = 1; n <= InitialRosters; ++n)
        SaveRoster(g.Grades[n], TableSchema::rosterFileName(n));   // a row marked "x" is dropped
    step();
    SaveHistory();
    CountLog::StartAfresh(module.database(Alias::Ravelha));
    step();
    const QStringList names = RestoredTextFiles();
    for (int i = 0; i < names.size(); ++i)
        PendingFiles::stage(names.at(i), files.at(i));
    transaction.commit();
    step();
}

}

QStringList RestoredTextFiles()
{
    return {QStringLiteral("Entradas.Txt"), QStringLiteral("Entradas2.Txt"), DataFiles::Escala,
            DataFiles::ModelosPstGrd,       DataFiles::Niveis,             DataFiles::PstGrd,
            DataFiles::SemExped,            DataFiles::Manual,             DataFiles::DataIniFim};
}

QString RestoreInitialDataSet(const Progress& progress)
{
    int done = 0;
    auto step = [&] {
        if (progress)
            progress(++done, Steps);
    };
    TDMGeral& module = TDMGeral::instance();
    GlobalModel& g = Global();
    // A reset refused leaves the model of the run as it was, not half filled with the initial set.
    const GlobalModel before = g;
    try {
        restore(module, g, step);
    } catch (...) {
        g = before;
        throw;
    }

    const QString notice = PendingFiles::finish();
    step();
    return notice;
}

}
