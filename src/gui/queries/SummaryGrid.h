#pragma once
// A grid of strings that shows a services-per-soldier table: its captions as the top row, one row
// per soldier, and the line of sums in bold at the bottom.

#include "queries/ServicesPerSoldier.h"

class QTableWidget;
class QWidget;

// A read-only grid of narrow columns; the whole caption of a column is its hint.
QTableWidget* NewSummaryGrid(const QString& objectName, QWidget* parent);

void FillSummaryGrid(QTableWidget* grid, const SummaryTable& table);
