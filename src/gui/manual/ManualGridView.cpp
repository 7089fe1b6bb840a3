#include "ManualGridView.h"

#include "ManualRosterPage.h"

#include <QTableWidget>
#include <algorithm>

namespace {

QString textAt(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

void setTextAt(QTableWidget* table, int row, int column, const QString& text)
{
    QTableWidgetItem* item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        table->setItem(row, column, item);
    }
    // The day row and the names are fixed: never typed into, never chosen.
    const bool body = row > 0 && column >= 1 && column <= ManualGrid::DayColumns;
    item->setFlags(body ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable : Qt::ItemIsEnabled);
    if (!body)
        item->setBackground(table->palette().button());
    if (item->text() != text)
        item->setText(text);
}

void fitHeight(QTableWidget* table)
{
    table->setFixedHeight(table->rowCount() * ManualRosterPage::RowHeight + 2 * table->frameWidth());
}

}

ManualGrid ReadGrid(const QTableWidget* table)
{
    ManualGrid grid;
    for (int c = 0; c < ManualGrid::DayColumns; ++c)
        grid.days[c] = textAt(table, 0, c + 1);
    const int rows = std::min(table->rowCount() - 1, ManualGrid::MaxRows);
    for (int r = 1; r <= rows; ++r) {
        ManualGridRow row;
        row.descr = textAt(table, r, 0);
        row.code = textAt(table, r, ManualGrid::CodeColumn).toInt();
        for (int c = 0; c < ManualGrid::DayColumns; ++c)
            row.cells[c] = textAt(table, r, c + 1);
        grid.rows << row;
    }
    return grid;
}

void ShowGrid(QTableWidget* table, const ManualGrid& grid)
{
    table->setRowCount(1 + std::min<int>(grid.rows.size(), ManualGrid::MaxRows));
    setTextAt(table, 0, 0, QString());
    for (int c = 0; c < ManualGrid::DayColumns; ++c)
        setTextAt(table, 0, c + 1, grid.days[c]);
    for (int r = 1; r < table->rowCount(); ++r) {
        const ManualGridRow& row = grid.rows.at(r - 1);
        setTextAt(table, r, 0, row.descr);
        setTextAt(table, r, ManualGrid::CodeColumn, row.code == 0 ? QString() : QString::number(row.code));
        for (int c = 0; c < ManualGrid::DayColumns; ++c)
            setTextAt(table, r, c + 1, row.cells[c]);
    }
    fitHeight(table);
}

void EmptyGrid(QTableWidget* table)
{
    for (int r = 0; r < table->rowCount(); ++r) {
        for (int c = 0; c < table->columnCount(); ++c) {
            if (QTableWidgetItem* item = table->item(r, c))
                item->setText(QString());
        }
    }
}

bool IsBodyCell(const QTableWidget* table, int row, int column)
{
    return row >= 1 && row < table->rowCount() && column >= 1 && column <= ManualGrid::DayColumns;
}
