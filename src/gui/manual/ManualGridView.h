#pragma once
// The service grid SGGradeSv and the grid value of the core, each way. Row 0 holds the days,
// column 0 the services' names, columns 1 to 6 the cells, and the hidden column 10 the services'
// codes. Only the body cells can be chosen and typed into.

#include "manual/ManualGrid.h"

class QTableWidget;

// The grid as the table holds it (rows 1 to 30 at most).
ManualGrid ReadGrid(const QTableWidget* table);

// Writes every cell of the grid into the table; the table takes one row per grid row below the
// day row, and the height of its rows.
void ShowGrid(QTableWidget* table, const ManualGrid& grid);

// Every cell emptied; the rows stay.
void EmptyGrid(QTableWidget* table);

// Whether (row, column) is a cell the keeper fills.
bool IsBodyCell(const QTableWidget* table, int row, int column);
