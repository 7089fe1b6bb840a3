#include "ServicesPerSoldierPrintout.h"

#include "data/Dates.h"

#include <algorithm>

using namespace SummaryPrintLayout;

namespace {

// Widths in characters: the number column holds the longest number and two blanks; a service
// column, like "SOMA", the longest service name (8 characters) and one blank before it.
int numberWidth(const SummaryTable& table)
{
    int width = 4;
    for (const QStringList& line : table.lines)
        width = std::max(width, int(line.first().size()));
    return width + 2;
}

int countWidth(const SummaryTable& table)
{
    int width = 8;
    for (const QString& caption : table.captions)
        width = std::max(width, int(caption.size()));
    for (const QString& sum : table.sums)
        width = std::max(width, int(sum.size()));
    return width + 1;
}

// One line of a page: the number, the cells of the service columns [first, last), and the sum
// when `withSum`.
QString pageLine(const QStringList& row, int first, int last, bool withSum, int numWidth, int cellWidth)
{
    QString text = row.first().leftJustified(numWidth);
    for (int c = first; c < last; ++c)
        text += row.at(1 + c).rightJustified(cellWidth);
    if (withSum)
        text += row.last().rightJustified(cellWidth);
    return text;
}

}

QString SummaryPrintTitle(const ServiceCounts& counts)
{
    return QStringLiteral("Serviços por Militar (Quadro Resumo) - de %1 a %2 - Escala: %3")
        .arg(Dates::show(counts.from), Dates::show(counts.to), DayKindChoiceName(counts.kind));
}

QList<QStringList> SummaryPrintPages(const SummaryTable& table, int pageWidth, int pageHeight)
{
    const int numWidth = numberWidth(table);
    const int cellWidth = countWidth(table);
    const int charsAcross = int((pageWidth - Left) / CharWidth);
    // Room is kept for the sum on every page, so that a page of columns never runs off the paper.
    const int columnsAcross = std::max(1, (charsAcross - numWidth - cellWidth) / cellWidth);
    const int linesDown = std::max(3, (pageHeight - CaptionY) / Step - 2);   // the captions and their rule

    const int services = int(table.codes.size());
    QList<QStringList> pages;
    for (int first = 0; first == 0 || first < services; first += columnsAcross) {
        const int last = std::min(services, first + columnsAcross);
        const bool withSum = last == services;
        const QString captions = pageLine(table.captions, first, last, withSum, numWidth, cellWidth);
        const QString rule(captions.size(), QLatin1Char('-'));
        QStringList body;
        for (const QStringList& line : table.lines)
            body << pageLine(line, first, last, withSum, numWidth, cellWidth);
        body << rule << pageLine(table.sums, first, last, withSum, numWidth, cellWidth);
        for (int from = 0; from < body.size(); from += linesDown)
            pages << (QStringList{captions, rule} + body.mid(from, linesDown));
    }
    return pages;
}

int PrintServicesPerSoldier(PageDevice& page, const SummaryTable& table, const QString& title)
{
    const QList<QStringList> pages = SummaryPrintPages(table, page.pageWidth(), page.pageHeight());
    page.begin();
    for (int p = 0; p < pages.size(); ++p) {
        if (p > 0)
            page.newPage();
        page.setFont(QStringLiteral("Arial"), 12, true);
        page.text(Left, TitleY, title);
        page.setFont(QStringLiteral("Courier"), PointSize);
        const QString label = QStringLiteral("Folha %1 de %2").arg(p + 1).arg(pages.size());
        page.text(page.pageWidth() - int((label.size() + 1) * CharWidth), LabelY, label);
        int y = CaptionY;
        for (const QString& line : pages.at(p)) {
            page.text(Left, y, line);
            y += Step;
        }
    }
    page.end();
    return int(pages.size());
}
