#include "ManualPrintout.h"

namespace {
const QString TenBlanks(10, QLatin1Char(' '));
const QString FiveBlanks(5, QLatin1Char(' '));
const QString TwentyBlanks(20, QLatin1Char(' '));
}

LinePrintLayout GridPrintLayout()
{
    return {QStringLiteral("Arial"), 12, 70, 100, 150};
}

LinePrintLayout MessagesPrintLayout()
{
    // 60 units of 1/300 inch are 14.4 points; the step leaves a fifth of it between lines.
    return {QStringLiteral("Arial"), 14, 72, 100, 150};
}

QStringList GridPrintLines(const ManualGrid& grid)
{
    QStringList lines;
    for (int c = 0; c < ManualGrid::DayColumns && !grid.days[c].isEmpty(); ++c) {
        lines << QString() << TenBlanks + grid.days[c];
        for (int r = 0; r < grid.serviceRows(); ++r) {
            const ManualGridRow& row = grid.rows.at(r);
            if (!row.cells[c].isEmpty())
                lines << FiveBlanks + row.descr + FiveBlanks + row.cells[c];
        }
    }
    return lines;
}

QStringList MessagesPrintLines(const QStringList& messages)
{
    return QStringList{TwentyBlanks + MessagesPrintTitle, QStringLiteral(" ")} + messages;
}

void PrintLines(LineDevice& device, const QStringList& lines)
{
    for (const QString& line : lines)
        device.line(line);
    device.end();
}
