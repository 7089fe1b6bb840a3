#include "BalanceChart.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>

namespace {

const QColor BlackBar(40, 40, 40);
const QColor RedBar(200, 40, 40);
const QColor BlackGreyed(185, 185, 185);
const QColor RedGreyed(230, 190, 190);
const QColor GridLine(225, 225, 225);

}

BalanceBars BalanceChart(const CountAudit::Balance& balance, const QString& title, int first, int count)
{
    BalanceBars bars;
    bars.title = title;
    const int end = count < 0 ? int(balance.members.size())
                              : std::min(int(balance.members.size()), first + count);
    for (int index = std::max(0, first); index < end; ++index) {
        const auto& member = balance.members.at(index);
        QString label = member.number;
        if (member.absent) {
            label = QStringLiteral("(%1)").arg(label);
            bars.greyed << int(bars.labels.size());
        }
        if (member.nextPt || member.nextVm)
            label = QStringLiteral("▶") + label;
        bars.labels << label;
        bars.pt << member.pt;
        bars.vm << member.vm;
    }
    return bars;
}

void PaintBalanceBars(QPainter& painter, const QRectF& area, const BalanceBars& bars)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font = painter.font();
    const QFontMetricsF metrics(font, painter.device());
    const qreal line = metrics.height();
    qreal top = area.top() + line * 0.5;

    if (!bars.title.isEmpty()) {
        QFont bold = font;
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.left(), top, area.width(), line * 1.3), Qt::AlignCenter, bars.title);
        painter.setFont(font);
        top += line * 1.5;
    }

    // The legend: a swatch and the name of each kind of count, centred.
    const qreal swatch = line * 0.8;
    const qreal legendWidth = 2 * (swatch + line * 0.3 + metrics.horizontalAdvance(QStringLiteral("Pt"))) + line;
    qreal x = area.center().x() - legendWidth / 2;
    for (const auto& [name, colour] : {std::pair{QStringLiteral("Pt"), BlackBar}, std::pair{QStringLiteral("Vm"), RedBar}}) {
        painter.fillRect(QRectF(x, top + (line - swatch) / 2, swatch, swatch), colour);
        x += swatch + line * 0.3;
        painter.setPen(Qt::black);
        painter.drawText(QPointF(x, top + metrics.ascent()), name);
        x += metrics.horizontalAdvance(name) + line;
    }
    top += line * 1.5;

    // The counts' range: never empty, and a count below zero goes down from the zero line.
    int highest = 1;
    int lowest = 0;
    for (int value : bars.pt + bars.vm) {
        highest = std::max(highest, value);
        lowest = std::min(lowest, value);
    }
    const int steps = std::min(highest - lowest, 10);
    qreal labelsHeight = line * 1.4;
    const bool upright = bars.labels.size() > 20;
    if (upright)
        for (const QString& label : bars.labels)
            labelsHeight = std::max(labelsHeight, metrics.horizontalAdvance(label) + line * 0.6);
    qreal axisWidth = 0;
    for (int step = 0; step <= steps; ++step)
        axisWidth = std::max(axisWidth, metrics.horizontalAdvance(QString::number(lowest + (highest - lowest) * step / steps)));
    const QRectF plot(area.left() + axisWidth + line, top, area.width() - axisWidth - line * 1.8,
                      area.bottom() - top - labelsHeight - line * 0.3);
    if (plot.width() <= 0 || plot.height() <= 0) {
        painter.restore();
        return;
    }
    const auto yOf = [&](qreal value) { return plot.bottom() - (value - lowest) * plot.height() / (highest - lowest); };

    for (int step = 0; step <= steps; ++step) {
        const qreal value = lowest + qreal(highest - lowest) * step / steps;
        const qreal y = yOf(value);
        painter.setPen(QPen(GridLine, 0));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.left(), y - line / 2, axisWidth, line), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(qRound(value)));
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.drawLine(QPointF(plot.left(), plot.top()), QPointF(plot.left(), plot.bottom()));
    painter.drawLine(QPointF(plot.left(), yOf(0)), QPointF(plot.right(), yOf(0)));

    const int members = int(bars.labels.size());
    if (members > 0) {
        const qreal slot = plot.width() / members;
        const qreal barWidth = slot * 0.35;
        for (int index = 0; index < members; ++index) {
            const bool greyed = bars.greyed.contains(index);
            const qreal left = plot.left() + slot * index + slot * 0.15;
            const std::pair<int, QColor> kinds[] = {{bars.pt.value(index), greyed ? BlackGreyed : BlackBar},
                                                    {bars.vm.value(index), greyed ? RedGreyed : RedBar}};
            for (int kind = 0; kind < 2; ++kind) {
                const qreal zero = yOf(0);
                const qreal y = yOf(kinds[kind].first);
                painter.fillRect(QRectF(left + kind * barWidth, std::min(y, zero), barWidth, std::abs(zero - y)),
                                 kinds[kind].second);
            }
            painter.setPen(Qt::black);
            const qreal centre = plot.left() + slot * (index + 0.5);
            if (upright) {
                painter.save();
                painter.translate(centre, plot.bottom() + line * 0.3);
                painter.rotate(-90);
                painter.drawText(QRectF(-labelsHeight, -line / 2, labelsHeight, line), Qt::AlignRight | Qt::AlignVCenter,
                                 bars.labels.at(index));
                painter.restore();
            } else {
                painter.drawText(QRectF(centre - slot / 2, plot.bottom() + line * 0.2, slot, line),
                                 Qt::AlignHCenter | Qt::AlignTop, bars.labels.at(index));
            }
        }
    }
    painter.restore();
}

QByteArray ChartPng(const BalanceBars& bars, QSize size, qreal ratio)
{
    QImage image(size * ratio, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(ratio, ratio);
    PaintBalanceBars(painter, QRectF(QPointF(0, 0), QSizeF(size)), bars);
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

BalanceChartView::BalanceChartView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void BalanceChartView::setBars(BalanceBars bars)
{
    m_bars = std::move(bars);
    update();
}

void BalanceChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintBalanceBars(painter, QRectF(rect()).adjusted(8, 4, -8, -4), m_bars);
}
