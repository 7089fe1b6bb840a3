#pragma once
// The bars of a roster's balance: each member's black and red counts, the members on a real
// absence greyed and in parentheses, the next picks marked with ▶. The window shows the whole
// roster in one chart; the printout cuts it into charts of a few dozen members, one under the other.
// Drawn with the painter alone, so that the program needs no charting library on any system.

#include "audit/CountAudit.h"

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QStringList>
#include <QWidget>

// What the chart shows, one entry per member in the roster's order.
struct BalanceBars {
    QString title;
    QStringList labels;   // "▶4", "(5)", "6"
    QList<int> pt;
    QList<int> vm;
    QList<int> greyed;    // indexes of the members on a real absence
};

// The bars of the members `first` to `first + count - 1` of `balance` (all of them by default).
BalanceBars BalanceChart(const CountAudit::Balance& balance, const QString& title, int first = 0, int count = -1);

// Draws `bars` into `area` of `painter`: the title, the legend, the axis of counts, the bars and
// the members' labels (turned upright when there are many).
void PaintBalanceBars(QPainter& painter, const QRectF& area, const BalanceBars& bars);

// The chart drawn off screen as a PNG image: laid out at `size` (screen pixels) and drawn `ratio`
// times larger, so that it stays sharp on paper.
QByteArray ChartPng(const BalanceBars& bars, QSize size, qreal ratio);

// The chart in a window.
class BalanceChartView : public QWidget {
public:
    explicit BalanceChartView(QWidget* parent = nullptr);
    void setBars(BalanceBars bars);
    const BalanceBars& bars() const { return m_bars; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BalanceBars m_bars;
};
