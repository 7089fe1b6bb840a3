#pragma once
// The bars of a roster's balance: each member's black and red counts, the members on a real
// absence greyed and in parentheses, the next picks marked with ▶. The window shows the whole
// roster in one chart; the printout cuts it into charts of a few dozen members, one under the other.

#include "audit/CountAudit.h"

#include <QByteArray>
#include <QSize>

class QChart;

// A chart of the members `first` to `first + count - 1` of `balance` (all of them by default).
QChart* BalanceChart(const CountAudit::Balance& balance, const QString& title, int first = 0, int count = -1);

// The chart drawn off screen as a PNG image: laid out at `size` (screen pixels) and drawn `ratio`
// times larger, so that it stays sharp on paper. The chart is deleted.
QByteArray ChartPng(QChart* chart, QSize size, qreal ratio);
