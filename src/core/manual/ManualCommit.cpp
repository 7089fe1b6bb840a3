#include "ManualCommit.h"

#include "rostering/Commit.h"

#include "audit/CountLog.h"

#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/Dates.h"
#include "data/KillPoints.h"
#include "data/SqlTransaction.h"
#include "data/UGlobal.h"


namespace {

// The checks that need nothing stored; each refusal names what the keeper must change.
void refuseCellsThatCannotBeStored(const VerifiedManualGrid& verified, const ManualGrid& grid)
{
    if (grid != verified.grid)
        throw CoreError(QStringLiteral("A Grade de Serviços mudou depois da verificação; nada foi gravado.\n\n"
                                       "Clique em \"Verificar\" de novo antes de escalar."));
    grid.forEachFilledCell([&](int, const ManualGridRow& row, int c, const QString& cell) {
        // A cell under an empty header has no day to be recorded on.
        if (!grid.dayOf(c))
            throw CoreError(QStringLiteral("O Serviço de %1 tem \"%2\" na coluna %3 da Grade de Serviços, que não "
                                           "tem dia: a grade vai até o dia %4. Nada foi gravado.\n\n"
                                           "Apague essa célula, ou prepare a grade até um dia mais adiante.")
                                .arg(row.descr, cell)
                                .arg(c + 1)
                                .arg(Dates::show(verified.end)));
        // The history keeps 120 characters; a longer list would be cut in the middle of a number.
        if (cell.size() > Width::HistNum)
            throw CoreError(QStringLiteral("Os números do Serviço de %1 no dia %2 têm %3 caracteres e não cabem nos "
                                           "%4 caracteres do histórico. Nada foi gravado.\n\n"
                                           "Diminua os militares dessa célula.")
                                .arg(row.descr, grid.days[c])
                                .arg(cell.size())
                                .arg(Width::HistNum));
    });
}

// The records of the filled cells, row by row and, within a row, day by day.
QList<HistoryRecord> recordsOf(const VerifiedManualGrid& verified)
{
    const ManualGrid& grid = verified.grid;
    QList<HistoryRecord> records;
    grid.forEachFilledCell([&](int, const ManualGridRow& row, int c, const QString& cell) {
        records << HistoryRecord{*grid.dayOf(c), row.code, cut(row.descr, Width::Descr), cell, verified.kinds[c]};
    });
    return records;
}

// The duty rows of the filled cells: a row that moves the count for each number the verification
// counted, and one that only records the listing for every other number the history will list (a
// number no roster of the service lists, one the register does not know, one on a real absence,
// one after a double blank), so the audit matches every number of the record.
QList<CountLog::Row> dutyRowsOf(const VerifiedManualGrid& verified)
{
    const ManualGrid& grid = verified.grid;
    QList<CountLog::Row> rows;
    grid.forEachFilledCell([&](int r, const ManualGridRow& row, int c, const QString& cell) {
        const QStringList counted = std::size_t(r) < verified.counted.size() ? verified.counted[r][c] : QStringList();
        for (const QString& num : cell.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const bool moved = counted.contains(num);
            rows << CountLog::dutyRow(num, verified.kinds[c], +1,
                                      moved ? CountLog::Operation::ManualCommit : CountLog::Operation::Uncounted,
                                      Dates::show(*grid.dayOf(c)), row.code);
        }
    });
    return rows;
}

}

ManualCommitOutcome CommitManualGrid(const VerifiedManualGrid& verified, const ManualGrid& grid)
{
    ManualCommitOutcome outcome;
    if (!grid.hasText()) {
        outcome.message = FillGridFirstMessage;
        return outcome;
    }
    refuseCellsThatCannotBeStored(verified, grid);
    const QList<HistoryRecord> records = recordsOf(verified);
    const int inUse = HistoryInUse(verified.history);
    if (inUse + records.size() > Capacity::History)
        throw CoreError(QStringLiteral("O histórico em memória comporta %1 registros; já tem %2 e esta grade "
                                       "precisaria de mais %3. Nada foi gravado.\n\n"
                                       "Exclua do histórico os registros antigos (item 12. da aba /Manutenção/) "
                                       "e verifique a grade de novo.")
                            .arg(Capacity::History)
                            .arg(inUse)
                            .arg(records.size()));

    {
        SqlTransaction transaction(TDMGeral::instance().database(Alias::Ravelha));
        RequireStoredStateUnchanged(verified.storedDigest, QStringLiteral("depois da verificação"),
                                    QStringLiteral("Clique em \"Verificar\" de novo antes de escalar."));
        std::vector<HistoryRecord> history = verified.history;
        int free = inUse + 1;
        for (const HistoryRecord& record : records)
            history[free++] = record;
        WriteVerifiedModel(verified.grades, verified.soldiers, history);
        CountLog::Append(TDMGeral::instance().database(Alias::Ravelha), dutyRowsOf(verified));
        DataFiles::StageLastRosteredDay(verified.end);
        KillPoints::reach("antes-de-confirmar");
        transaction.commit();
    }
    outcome.notice = FinishLastRosteredDay(verified.end);
    outcome.done = true;
    return outcome;
}
