#pragma once
// The in-memory model every operation works on, and its loaders and writers.
// An operation reloads what it reads at its start, changes the model, and when it commits
// rewrites whole tables from it. Every loader and writer works on the data alias Ravelha unless
// told otherwise; the backup copy uses the same steps on the alias BackUpRavSv.

#include "ModelRecords.h"
#include "UDMGeral.h"

#include <QStringList>
#include <array>
#include <memory>
#include <vector>

using ServiceList = std::array<ServiceRecord, Capacity::Services + 1>;   // index = CodSv

struct GlobalModel {
    ServiceList ServiceTable{};                                  // index 1 to 30
    std::vector<SoldierRecord> SoldierTable = std::vector<SoldierRecord>(Capacity::Soldiers + 1);
    std::vector<HistoryRecord> HistoryCache = std::vector<HistoryRecord>(Capacity::History + 1);
    std::array<QString, Capacity::RedDays + 1> RedDays{};       // dd/mm/yy, slots 1 to 366
    std::vector<RosterTable> Grades = std::vector<RosterTable>(Capacity::Services + 1);   // GradeSvN

    RosterTable* CurrentRoster = nullptr;
    QString CurrentTableName;
    QString LastRosteredDay;
    int LowestPt = 0;
    int LowestVm = 0;
    QString BackupFolder;
    QStringList CoverLines;    // the four cover lines, then the cover picture's file name
    QString ManualSection;
    QString AbsenceNote;
    int SearchCursor = 1;
};

// The model of this run; ResetModel() gives a new, empty one (program start, each test).
GlobalModel& Global();
void ResetModel();

// The roster table of service N for the kind "Base" (else none), and the file name of its table
// ("Sv7.DB") in CurrentTableName. N outside 1 to 30 gives none and leaves the name unchanged.
RosterTable* SelectRoster(int serviceCode, const QString& kind);

void LoadServices(Alias alias = Alias::Ravelha);
void SaveServices(Alias alias = Alias::Ravelha);
// Loads a service table into a list of its own (index = CodSv), as LoadServices does.
void LoadServicesInto(ServiceList& services, Alias alias, const QString& table);

void LoadSoldiers(Alias alias = Alias::Ravelha, const QString& table = QStringLiteral("Basico"));
void SaveSoldiers(Alias alias = Alias::Ravelha, const QString& table = QStringLiteral("Basico"));
void SaveSoldiersToBackup();   // the data folder's register, written to the backup

void LoadHistory(Alias alias = Alias::Ravelha, const QString& table = QStringLiteral("Hist"));
void SaveHistory(Alias alias = Alias::Ravelha, const QString& table = QStringLiteral("Hist"));
void SaveHistoryToBackup();    // the data folder's history, written to the backup
int HistoryInUse();            // records from record 1 up to the first with an empty Descr
int HistoryInUse(const std::vector<HistoryRecord>& history);   // the same, of a copy of the cache

void LoadRoster(RosterTable& roster, const QString& tableFileName, Alias alias = Alias::Ravelha);
void SaveRoster(const RosterTable& roster, const QString& tableFileName, Alias alias = Alias::Ravelha);
void ClearRoster(RosterTable& roster);
void LoadAllRosters(Alias alias = Alias::Ravelha);
void SaveAllRosters(Alias alias = Alias::Ravelha);

void ClearSelectionMarks();
void ClearSoldiers();
void SortServiceDays(int soldier);
// The characters from position p (1 = first) up to the next blank or the end; empty past the end.
QString NextToken(const QString& text, int p);
void ParseUSv(int soldier, const QString& text);
// The USv column of a soldier: each day in slot order as dd/mm/yy followed by one blank.
QString USvText(const SoldierRecord& soldier);
