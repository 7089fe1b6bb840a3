#include "BalanceChart.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QValueAxis>

#include <algorithm>

QChart* BalanceChart(const CountAudit::Balance& balance, const QString& title, int first, int count)
{
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(title);
    auto* black = new QBarSet(QStringLiteral("Pt"));
    auto* red = new QBarSet(QStringLiteral("Vm"));
    black->setColor(QColor(40, 40, 40));
    red->setColor(QColor(200, 40, 40));
    black->setSelectedColor(QColor(185, 185, 185));
    red->setSelectedColor(QColor(230, 190, 190));
    const int end = count < 0 ? int(balance.members.size())
                              : std::min(int(balance.members.size()), first + count);
    QStringList categories;
    int highest = 1;
    int lowest = 0;   // a count can go below zero: its bar goes down
    QList<int> absent;
    for (int index = std::max(0, first); index < end; ++index) {
        const auto& member = balance.members.at(index);
        QString label = member.number;
        if (member.absent) {
            label = QStringLiteral("(%1)").arg(label);
            absent << int(categories.size());
        }
        if (member.nextPt || member.nextVm)
            label = QStringLiteral("▶") + label;
        categories << label;
        *black << member.pt;
        *red << member.vm;
        highest = std::max({highest, member.pt, member.vm});
        lowest = std::min({lowest, member.pt, member.vm});
    }
    black->selectBars(absent);
    red->selectBars(absent);
    auto* series = new QBarSeries;
    series->append(black);
    series->append(red);
    chart->addSeries(series);
    auto* axisX = new QBarCategoryAxis;
    axisX->append(categories);
    if (categories.size() > 20)
        axisX->setLabelsAngle(-90);
    chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto* axisY = new QValueAxis;
    axisY->setRange(lowest, highest);
    axisY->setTickCount(std::min(highest - lowest, 10) + 1);
    axisY->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);
    chart->legend()->setAlignment(Qt::AlignTop);
    return chart;
}

QByteArray ChartPng(QChart* chart, QSize size, qreal ratio)
{
    // A view that is never shown lays the chart out at its size and draws it into the image.
    QChartView view(chart);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.setRenderHint(QPainter::Antialiasing);
    view.setFrameShape(QFrame::NoFrame);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.resize(size);
    view.show();
    QImage image(size * ratio, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    view.render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())), view.viewport()->rect());
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}
