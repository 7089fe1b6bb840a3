// The writers of the model against the floor of a plain SQLite insert of the same rows in one
// transaction: all 30 rosters of 500 rows loaded and written back (the floor: the same 30 tables of
// 500 rows), and 10000 history records.
#include "FixtureFolder.h"
#include "data/DataFolder.h"
#include "data/TableSchema.h"
#include "data/UGlobal.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>
#include <vector>

namespace {

// A data folder at the model's capacity: 30 services of 500 members, 10000 history records.
struct FullUnit {
    FixtureFolder data{QStringLiteral("inicial")};

    FullUnit()
    {
        GlobalModel& g = Global();
        for (int n = 1; n <= Capacity::Services; ++n) {
            g.ServiceTable[n] = {n, QStringLiteral("Sv %1").arg(n), QDate(2004, 1, 1), QDate(2004, 12, 31), 2, n, {}};
            for (int row = 1; row <= Capacity::RosterRows; ++row)
                g.Grades[n].row(row) = {QString::number(row), QString::number(row % 7), QString::number(row % 5)};
        }
        SaveServices();
        SaveAllRosters();
        const QDate first(2004, 1, 1);
        for (int i = 1; i <= Capacity::History; ++i)
            g.HistoryCache[i] = {first.addDays((i - 1) / 30), (i - 1) % 30 + 1, QStringLiteral("Sv"),
                                 QStringLiteral("12 345 7 1024 88"), QStringLiteral("Pt")};
    }
};

FullUnit& unit()
{
    static FullUnit full;
    return full;
}

void BM_LoadAndSaveAllRosters(benchmark::State& state)
{
    unit();
    for (auto _ : state) {
        LoadAllRosters();
        SaveAllRosters();
    }
    state.SetItemsProcessed(state.iterations() * Capacity::Services * Capacity::RosterRows);
}

void BM_SaveAllRosters(benchmark::State& state)
{
    unit();
    LoadAllRosters();
    for (auto _ : state)
        SaveAllRosters();
    state.SetItemsProcessed(state.iterations() * Capacity::Services * Capacity::RosterRows);
}

void BM_SaveHistory(benchmark::State& state)
{
    unit();
    for (auto _ : state)
        SaveHistory();
    state.SetItemsProcessed(state.iterations() * Capacity::History);
}

// The floor: the same rows through the SQLite C interface, in one transaction, as the model
// writes them: each table emptied, then filled through its one prepared insert.
void plainInsert(benchmark::State& state, int tables, const char* create, const char* insert, int rowsPerTable,
                 void (*bind)(sqlite3_stmt*, int))
{
    QTemporaryDir temp;
    sqlite3* db = nullptr;
    sqlite3_open(QDir(temp.path()).filePath(QStringLiteral("plain.db")).toUtf8().constData(), &db);
    const auto named = [](const char* statement, int table) {
        return QString::fromLatin1(statement).arg(table).toStdString();
    };
    std::vector<sqlite3_stmt*> inserts;
    std::vector<std::string> erases;
    for (int table = 1; table <= tables; ++table) {
        sqlite3_exec(db, named(create, table).c_str(), nullptr, nullptr, nullptr);
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, named(insert, table).c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
            state.SkipWithError(sqlite3_errmsg(db));
            sqlite3_close(db);
            return;
        }
        inserts.push_back(stmt);
        erases.push_back(named("DELETE FROM t%1", table));
    }
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        for (int table = 0; table < tables; ++table) {
            sqlite3_exec(db, erases[table].c_str(), nullptr, nullptr, nullptr);
            sqlite3_stmt* stmt = inserts[table];
            for (int i = 0; i < rowsPerTable; ++i) {
                bind(stmt, i);
                if (sqlite3_step(stmt) != SQLITE_DONE)
                    state.SkipWithError(sqlite3_errmsg(db));
                sqlite3_reset(stmt);
            }
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    for (sqlite3_stmt* stmt : inserts)
        sqlite3_finalize(stmt);
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * tables * rowsPerTable);
}

// The rosters' rows as the model holds them: 30 tables of 500, numbers 1 to 500, counts row % 7
// and row % 5.
void BM_PlainSqliteRosterRows(benchmark::State& state)
{
    plainInsert(state, Capacity::Services, "CREATE TABLE t%1 (Num TEXT NOT NULL PRIMARY KEY, Pt NUMERIC, Vm NUMERIC)",
                "INSERT INTO t%1 (Num, Pt, Vm) VALUES (?, ?, ?)", Capacity::RosterRows, [](sqlite3_stmt* s, int i) {
                    const int row = i + 1;
                    const std::string num = std::to_string(row);
                    sqlite3_bind_text(s, 1, num.c_str(), -1, SQLITE_TRANSIENT);
                    sqlite3_bind_int(s, 2, row % 7);
                    sqlite3_bind_int(s, 3, row % 5);
                });
}

void BM_PlainSqliteHistoryRows(benchmark::State& state)
{
    plainInsert(state, 1,
                "CREATE TABLE t%1 (Dia TEXT NOT NULL, CodSv INTEGER NOT NULL, Descr TEXT, Num TEXT, PtVm TEXT, "
                "PRIMARY KEY (Dia, CodSv))",
                "INSERT INTO t%1 (Dia, CodSv, Descr, Num, PtVm) VALUES (?, ?, ?, ?, ?)", Capacity::History, [](sqlite3_stmt* s, int i) {
                    const std::string day = QDate(2004, 1, 1).addDays(i / 30).toString(Qt::ISODate).toStdString();
                    sqlite3_bind_text(s, 1, day.c_str(), -1, SQLITE_TRANSIENT);
                    sqlite3_bind_int(s, 2, i % 30 + 1);
                    sqlite3_bind_text(s, 3, "Sv", -1, SQLITE_STATIC);
                    sqlite3_bind_text(s, 4, "12 345 7 1024 88", -1, SQLITE_STATIC);
                    sqlite3_bind_text(s, 5, "Pt", -1, SQLITE_STATIC);
                });
}

}

BENCHMARK(BM_LoadAndSaveAllRosters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAllRosters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainSqliteRosterRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveHistory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainSqliteHistoryRows)->Unit(benchmark::kMillisecond);
