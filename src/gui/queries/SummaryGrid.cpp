#include "SummaryGrid.h"

#include "common/Controls.h"

#include <QHeaderView>
#include <QTableWidget>

namespace {
constexpr int NumberColumnWidth = 56;
constexpr int CountColumnWidth = 64;
}

QTableWidget* NewSummaryGrid(const QString& objectName, QWidget* parent)
{
    auto* grid = Named<QTableWidget>(objectName, parent);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(22);
    grid->horizontalHeader()->setDefaultSectionSize(CountColumnWidth);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setHighlightSections(false);
    return grid;
}

void FillSummaryGrid(QTableWidget* grid, const SummaryTable& table)
{
    grid->clear();
    grid->setColumnCount(int(table.captions.size()));
    grid->setRowCount(int(table.lines.size()) + 1);
    for (int c = 0; c < table.captions.size(); ++c) {
        auto* caption = new QTableWidgetItem(table.captions.at(c));
        caption->setToolTip(table.captions.at(c));
        grid->setHorizontalHeaderItem(c, caption);
        grid->setColumnWidth(c, c == 0 ? NumberColumnWidth : CountColumnWidth);
    }
    QList<QStringList> rows = table.lines;
    rows << table.sums;
    QFont bold = grid->font();
    bold.setBold(true);
    for (int r = 0; r < rows.size(); ++r) {
        const bool sums = r == rows.size() - 1;
        for (int c = 0; c < rows.at(r).size(); ++c) {
            auto* cell = new QTableWidgetItem(rows.at(r).at(c));
            cell->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            if (sums || c == rows.at(r).size() - 1)
                cell->setFont(bold);
            grid->setItem(r, c, cell);
        }
    }
    grid->scrollToTop();   // a new table is read from its first soldier
}
