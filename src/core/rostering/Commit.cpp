#include "Commit.h"

#include "Calendar.h"
#include "Rules.h"

#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "data/Dates.h"
#include "data/SqlTransaction.h"
#include "data/TableSchema.h"
#include "data/UGlobal.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlRecord>
#include <climits>

namespace {

// Takes back every rostered day from `first` on, inside the caller's transaction: counts and
// service days of the soldiers listed in those history rows, then the rows themselves.
int takeBackFrom(const QDate& first)
{
    GlobalModel& g = Global();
    // The services first: the rosters loaded and saved are those of the registered services.
    LoadServices();
    LoadAllRosters();
    LoadRedDays();
    LoadSoldiers();
    ClearSelectionMarks();

    TDMGeral& module = TDMGeral::instance();
    {
        QSqlQuery rows = module.selectHistFrom(first);
        const QSqlRecord columns = rows.record();
        const int diaColumn = columns.indexOf(QStringLiteral("Dia"));
        const int numColumn = columns.indexOf(QStringLiteral("Num"));
        while (rows.next()) {
            const QDate day = Dates::fromStorage(rows.value(diaColumn).toString());
            if (!day.isValid() || day < first)
                continue;
            // The kind the calendar gives the day now, not the one stored with the row.
            const QString kind = DayKind(day);
            const QString numbers = rows.value(numColumn).toString();
            int position = 1;
            for (QString num = NextToken(numbers, position); !num.isEmpty(); num = NextToken(numbers, position)) {
                position += num.size() + 1;
                ChangeCounts(kind, num, -1);
                for (int i = 1; i <= Capacity::Soldiers && !g.SoldierTable[i].Num.isEmpty(); ++i) {
                    if (g.SoldierTable[i].Num != num)
                        continue;
                    for (QDate& served : g.SoldierTable[i].USv) {
                        if (served == day)
                            served = QDate();
                    }
                    SortServiceDays(i);
                }
            }
        }
    }
    SaveSoldiers();
    SaveAllRosters();
    return module.deleteHistFrom(first);
}

void setLastRosteredDay(const QDate& day)
{
    DataFiles::WriteLastRosteredDay(day);
    Global().LastRosteredDay = Dates::show(day);
}

void hashFile(QCryptographicHash& hash, const QString& bareName)
{
    QFile file(DataFolder::file(bareName));
    hash.addData(bareName.toUtf8());
    if (file.open(QIODevice::ReadOnly))
        hash.addData(file.readAll());
}

}

QByteArray StoredStateDigest()
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    TDMGeral& module = TDMGeral::instance();
    for (const QString& table : TableSchema::workingTables()) {
        hash.addData(table.toUtf8());
        QSqlQuery rows = module.openTable(Alias::Ravelha, table, INT_MAX);
        const int columns = rows.record().count();
        while (rows.next()) {
            for (int c = 0; c < columns; ++c) {
                hash.addData(rows.value(c).toString().toUtf8());
                hash.addData(QByteArrayView("\x1f", 1));
            }
            hash.addData(QByteArrayView("\x1e", 1));
        }
    }
    hashFile(hash, DataFiles::Escala);
    hashFile(hash, DataFiles::SemExped);
    return hash.result();
}

void CommitRoster(const VerifiedRoster& verified)
{
    GlobalModel& g = Global();
    {
        SqlTransaction transaction(TDMGeral::instance().database(Alias::Ravelha));
        if (StoredStateDigest() != verified.storedDigest)
            throw CoreError(QStringLiteral("Os dados do Sistema mudaram depois da verificação; nada foi gravado.\n\n"
                                           "Use \"Desfazer\" e verifique a escala de novo antes de escalar."));
        LoadServices();
        g.Grades = verified.grades;
        g.SoldierTable = verified.soldiers;
        g.HistoryCache = verified.history;
        SaveAllRosters();
        SaveSoldiers();
        SaveHistory();
        // The days computed after the target only served to reach the computation end.
        takeBackFrom(verified.target.addDays(1));
        transaction.commit();
    }
    setLastRosteredDay(verified.target);
}

UndoOutcome UndoFrom(const QDate& first)
{
    UndoOutcome outcome;
    {
        SqlTransaction transaction(TDMGeral::instance().database(Alias::Ravelha));
        outcome.removedRecords = takeBackFrom(first);
        transaction.commit();
    }
    outcome.newLast = first.addDays(-1);
    setLastRosteredDay(outcome.newLast);
    outcome.ran = true;
    return outcome;
}

UndoOutcome UndoFromAnswer(const QString& answer)
{
    if (answer.isEmpty())
        return {};
    const std::optional<QDate> first = Dates::parse(answer);
    if (!first) {
        UndoOutcome refused;
        refused.message = Dates::invalidDateMessage(answer);
        return refused;
    }
    return UndoFrom(*first);
}
