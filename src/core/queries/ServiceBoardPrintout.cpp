#include "ServiceBoardPrintout.h"

#include <algorithm>

namespace {

void printHeaders(PageDevice& page, const ServiceBoard& board, const BoardPrintLayout& layout)
{
    page.setFont(layout.family, layout.pointSize);
    for (int column = 1; column < ServiceBoard::ShownColumns; ++column)
        if (!board.headers[column].isEmpty())
            page.text(layout.headerX(column), layout.headerLine(column), board.headers[column]);
}

}

int PrintServiceBoard(PageDevice& page, const ServiceBoard& board, const BoardPrintLayout& layout)
{
    const int step = std::max(1, layout.step);
    // Rows on a page: as many as fit with their whole step above the bottom, at least one.
    const int perPage = std::max(1, (page.pageHeight() - layout.firstRowY) / step);
    page.begin();
    int pages = 1;
    printHeaders(page, board, layout);
    for (size_t i = 0; i < board.rows.size(); ++i) {
        const int k = int(i % perPage);
        if (i > 0 && k == 0) {
            // A taller board goes on to another page: no soldier is left off the paper.
            page.newPage();
            ++pages;
            printHeaders(page, board, layout);
        }
        const ServiceBoard::Line& row = board.rows[i];
        for (int column = 0; column < ServiceBoard::ShownColumns; ++column)
            if (!row[column].isEmpty())
                page.text(layout.cellX(column), layout.firstRowY + k * step, row[column]);
    }
    page.end();
    return pages;
}
