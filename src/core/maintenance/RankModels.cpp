#include "RankModels.h"

#include "data/Capacities.h"
#include "data/DataFiles.h"

#include <QHash>
#include <algorithm>
#include <QSet>

namespace {

bool inside(int column, int row)
{
    return column >= 0 && column < RankModelGrid::PassColumns && row >= 0 && row < RankModelGrid::Rows;
}

// The rows of the ranks in use: 1 up to the first empty model spelling.
int lastRankRow(const RankModelGrid& grid)
{
    int row = 0;
    while (row < RankModelGrid::MaxRanks && !grid.cell(0, row + 1).isEmpty())
        ++row;
    return row;
}

// The row whose model or other spelling is exactly `spelling`; 0 when none is. Empty cells never match.
int recognise(const RankModelGrid& grid, const QString& spelling, int lastRow)
{
    for (int column = 0; column < RankModelGrid::PassColumns; ++column)
        for (int row = 1; row <= lastRow; ++row)
            if (!grid.cell(column, row).isEmpty() && grid.cell(column, row) == spelling)
                return row;
    return 0;
}

}

QString RankModelGrid::cell(int column, int row) const
{
    return inside(column, row) ? m_cells[column][row] : QString();
}

void RankModelGrid::setCell(int column, int row, const QString& text)
{
    if (inside(column, row))
        m_cells[column][row] = text;
}

QStringList RankModelGrid::modelSpellings() const
{
    QStringList models;
    for (int row = 1; row <= lastRankRow(*this); ++row)
        models << cell(0, row);
    return models;
}

RankModelGrid LoadRankModels()
{
    const QStringList cells = DataFiles::ReadRankModels();
    RankModelGrid grid;
    for (int column = 0; column < RankModelGrid::Columns; ++column)
        for (int row = 0; row < RankModelGrid::Rows; ++row)
            grid.setCell(column, row, cells.value(column * RankModelGrid::Rows + row));
    return grid;
}

void SaveRankModels(const RankModelGrid& grid)
{
    QStringList cells;
    for (int column = 0; column < RankModelGrid::Columns; ++column)
        for (int row = 0; row < RankModelGrid::Rows; ++row)
            cells << grid.cell(column, row);
    DataFiles::WriteRankModels(cells);
}

void WriteRankList()
{
    DataFiles::WriteRankList();
}

NormaliseOutcome NormaliseRanks(RankModelGrid& grid, std::vector<SoldierRecord>& soldiers, const RankChooser& choose)
{
    NormaliseOutcome outcome;
    const int lastRow = lastRankRow(grid);
    const QStringList models = grid.modelSpellings();
    QSet<QString> declined;   // closed without a choice: asked once per pass, like any spelling
    const int records = std::min<int>(int(soldiers.size()) - 1, Capacity::Soldiers);
    for (int i = 1; i <= records; ++i) {
        SoldierRecord& soldier = soldiers[size_t(i)];
        if (soldier.Num.isEmpty())
            break;
        const QString typed = soldier.PstGrd;
        if (typed.isEmpty() || declined.contains(typed))
            continue;
        int row = recognise(grid, typed, lastRow);
        if (row == 0) {
            const std::optional<int> chosen = models.isEmpty() ? std::nullopt : choose(typed, models);
            if (!chosen || *chosen < 1 || *chosen > lastRow) {
                declined.insert(typed);
                outcome.leftAsTyped << typed;
                continue;
            }
            row = *chosen;
            int column = 1;
            while (column < RankModelGrid::PassColumns && !grid.cell(column, row).isEmpty())
                ++column;
            if (column < RankModelGrid::PassColumns) {
                grid.setCell(column, row, typed);
                (column < RankModelGrid::Columns ? outcome.learned : outcome.learnedForPassOnly) << typed;
            } else {
                // Nowhere to file it: the answer stands for this soldier, and the keeper is asked
                // again for the next one.
                outcome.learnedForPassOnly << typed;
            }
        }
        const QString model = grid.cell(0, row).left(Width::PstGrd);
        if (model != typed)
            ++outcome.changed;
        soldier.PstGrd = model;
    }
    return outcome;
}
