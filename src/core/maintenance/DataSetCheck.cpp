#include "DataSetCheck.h"

#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "data/Dates.h"
#include "data/UDMGeral.h"
#include "data/UGlobal.h"
#include "rostering/Calendar.h"
#include "rostering/Commit.h"

namespace DataSetCheck {

namespace {

// The latest day of the history in the model, if any.
QDate latestHistoryDay()
{
    QDate latest;
    const GlobalModel& g = Global();
    const int inUse = HistoryInUse();
    for (int i = 1; i <= inUse; ++i) {
        if (!latest.isValid() || g.HistoryCache[i].Dia > latest)
            latest = g.HistoryCache[i].Dia;
    }
    return latest;
}

// Reads the data alias of the data module of the moment with the program's own readers.
void readAsTheProgramDoes()
{
    DataFiles::ReadNiveis();
    LoadServices();
    LoadSoldiers();
    LoadHistory();
    LoadAllRosters();
    const QDate last = LastRosteredDate();
    DataFiles::ReadPreparationPeriod();
    LoadRedDays();
    DataFiles::ReadRankModels();
    DataFiles::ReadRankList();
    // Days rostered after the last rostered day could never be rostered again: every verification
    // of them would stop on the history already there.
    const QDate latest = latestHistoryDay();
    if (latest.isValid() && latest > last)
        throw CoreError(QStringLiteral("O arquivo %1 diz que a última escalação foi no dia %2, mas o histórico tem "
                                       "serviços até o dia %3.")
                            .arg(DataFiles::Escala, Dates::show(last), Dates::show(latest)));
}

// Puts the model of the run back as it was, however the check ends.
class ModelKept {
public:
    ModelKept() : m_before(Global()) {}
    ~ModelKept() { Global() = m_before; }
    ModelKept(const ModelKept&) = delete;
    ModelKept& operator=(const ModelKept&) = delete;

private:
    GlobalModel m_before;
};

}

void CheckDataSet()
{
    const ModelKept model;
    readAsTheProgramDoes();
}

void CheckFolder(const QString& folder)
{
    const ModelKept model;
    const DataFolder::For dataFolder(folder);
    // A data module made for the moment serves while it lives: a folder, even for a unit on a server.
    TDMGeral module(folder, QString(), ServerAddress());
    readAsTheProgramDoes();
}

}
