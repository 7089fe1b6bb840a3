#include "ManualCommit.h"

#include "rostering/Commit.h"

#include "audit/CountLog.h"

#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/Dates.h"
#include "data/KillPoints.h"
#include "data/SqlTransaction.h"
#include "data/UGlobal.h"

#include <QSet>

namespace {

// The checks that need nothing stored; each refusal names what the keeper must change.
void refuseCellsThatCannotBeStored(const VerifiedManualGrid& verified, const ManualGrid& grid)
{
    if (grid != verified.grid)
        throw CoreError(QStringLiteral("A Grade de Serviços mudou depois da verificação; nada foi gravado.\n\n"
                                       "Clique em \"Verificar\" de novo antes de escalar."));
    for (int r = 0; r < grid.serviceRows(); ++r) {
        const ManualGridRow& row = grid.rows.at(r);
        for (int c = 0; c < ManualGrid::DayColumns; ++c) {
            const QString& cell = row.cells[c];
            if (cell.isEmpty())
                continue;
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
        }
    }
}

// The records of the filled cells, row by row and, within a row, day by day.
QList<HistoryRecord> recordsOf(const VerifiedManualGrid& verified)
{
    const ManualGrid& grid = verified.grid;
    QList<HistoryRecord> records;
    for (int r = 0; r < grid.serviceRows(); ++r) {
        const ManualGridRow& row = grid.rows.at(r);
        for (int c = 0; c < ManualGrid::DayColumns; ++c) {
            if (!row.cells[c].isEmpty())
                records << HistoryRecord{*grid.dayOf(c), row.code, cut(row.descr, Width::Descr), row.cells[c],
                                         verified.kinds[c]};
        }
    }
    return records;
}

// The duty rows of the records: a row for each number whose counts the verification moved, that is
// each number the service's roster lists and the personnel table knows, read as the verification
// reads the cell.
QList<CountLog::Row> dutyRowsOf(const VerifiedManualGrid& verified, const QList<HistoryRecord>& records)
{
    QSet<QString> known;
    for (std::size_t i = 1; i < verified.soldiers.size() && !verified.soldiers[i].Num.isEmpty(); ++i)
        known.insert(verified.soldiers[i].Num);
    QList<CountLog::Row> rows;
    for (const HistoryRecord& record : records) {
        const bool roster = record.CodSv >= 1 && std::size_t(record.CodSv) < verified.grades.size();
        const QString day = Dates::show(record.Dia);
        int position = 1;
        for (QString num = NextToken(record.Num, position); !num.isEmpty(); num = NextToken(record.Num, position)) {
            position += num.size() + 1;
            if (roster && verified.grades[record.CodSv].lists(num) && known.contains(num))
                rows << CountLog::dutyRow(num, record.PtVm, +1, CountLog::Operation::ManualCommit, day, record.CodSv);
        }
    }
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
        CountLog::Append(TDMGeral::instance().database(Alias::Ravelha), dutyRowsOf(verified, records));
        DataFiles::StageLastRosteredDay(verified.end);
        KillPoints::reach("antes-de-confirmar");
        transaction.commit();
    }
    outcome.notice = FinishLastRosteredDay(verified.end);
    outcome.done = true;
    return outcome;
}
