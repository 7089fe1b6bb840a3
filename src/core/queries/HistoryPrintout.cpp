#include "HistoryPrintout.h"

namespace {

const QString TenBlanks(10, QLatin1Char(' '));

// The text followed by 10 blanks, cut to `width` characters.
QString padded(const QString& text, int width)
{
    return (text + TenBlanks).left(width);
}

// The numbers of a list, in pieces of at most HistoryPrintNumWidth characters split at blanks.
QStringList numPieces(const QString& num)
{
    if (num.size() <= HistoryPrintNumWidth)
        return {num};
    QStringList pieces;
    QString piece;
    for (const QString& number : num.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!piece.isEmpty() && piece.size() + 1 + number.size() > HistoryPrintNumWidth) {
            pieces << piece;
            piece.clear();
        }
        piece += piece.isEmpty() ? number : QLatin1Char(' ') + number;
    }
    if (!piece.isEmpty())
        pieces << piece;
    return pieces;
}

}

LinePrintLayout HistoryPrintLayout()
{
    // 10 points: 90 characters of Courier (60 before the numbers, 30 of numbers) fit the printable
    // width of A4 and of Letter.
    return {QStringLiteral("Courier"), 10, 50, 100, 150};
}

QStringList HistoryPrintRowLines(const HistoryRow& row)
{
    const QString lead = padded(row.dia, 20) + TenBlanks + padded(row.ptVm, 4) + TenBlanks + padded(row.descr, 8)
                         + TenBlanks;
    const QStringList pieces = numPieces(row.num);
    QStringList lines{lead + pieces.first()};
    for (qsizetype i = 1; i < pieces.size(); ++i)
        lines << QString(lead.size(), QLatin1Char(' ')) + pieces.at(i);
    return lines;
}

QStringList HistoryPrintLines(const QList<HistoryRow>& rows, const QList<int>& picked)
{
    QStringList lines{HistoryPrintHeader, QStringLiteral(" ")};
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (picked.isEmpty() || picked.contains(int(i)))
            lines << HistoryPrintRowLines(rows.at(i));
    return lines;
}
