// The writers of the model against the floor of a plain SQLite insert of the same rows in one
// transaction: all 30 rosters of 500 rows loaded and written back, and 10000 history records.
#include "FixtureFolder.h"
#include "data/DataFolder.h"
#include "data/TableSchema.h"
#include "data/UGlobal.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

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

// The floor: the same rows through the SQLite C interface, one prepared insert, one transaction.
void plainInsert(benchmark::State& state, const char* create, const char* insert, int rows,
                 void (*bind)(sqlite3_stmt*, int))
{
    QTemporaryDir temp;
    sqlite3* db = nullptr;
    sqlite3_open(QDir(temp.path()).filePath(QStringLiteral("plain.db")).toUtf8().constData(), &db);
    sqlite3_exec(db, create, nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, insert, -1, &stmt, nullptr);
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "DELETE FROM t", nullptr, nullptr, nullptr);
        for (int i = 0; i < rows; ++i) {
            bind(stmt, i);
            sqlite3_step(stmt);
            sqlite3_reset(stmt);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * rows);
}

void BM_PlainSqliteRosterRows(benchmark::State& state)
{
    plainInsert(state, "CREATE TABLE t (Num TEXT PRIMARY KEY, Pt NUMERIC, Vm NUMERIC)",
                "INSERT INTO t VALUES (?, ?, ?)", Capacity::Services * Capacity::RosterRows,
                [](sqlite3_stmt* s, int i) {
                    const std::string num = std::to_string(i);
                    sqlite3_bind_text(s, 1, num.c_str(), -1, SQLITE_TRANSIENT);
                    sqlite3_bind_int(s, 2, i % 7);
                    sqlite3_bind_int(s, 3, i % 5);
                });
}

void BM_PlainSqliteHistoryRows(benchmark::State& state)
{
    plainInsert(state,
                "CREATE TABLE t (Dia TEXT, CodSv INTEGER, Descr TEXT, Num TEXT, PtVm TEXT, PRIMARY KEY (Dia, CodSv))",
                "INSERT INTO t VALUES (?, ?, ?, ?, ?)", Capacity::History, [](sqlite3_stmt* s, int i) {
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
