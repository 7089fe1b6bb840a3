#include "Printer.h"

#include <algorithm>

PageLines::PageLines(PageDevice& page, const QString& family, int pointSize, int step, int left, int top)
    : m_page(page), m_family(family), m_pointSize(pointSize), m_step(std::max(1, step)), m_left(left), m_top(top)
{
}

void PageLines::line(const QString& text)
{
    m_page.text(m_left, place(m_step), text);
}

int PageLines::block(int height)
{
    return place(height);
}

int PageLines::place(int height)
{
    if (m_pages == 0) {
        m_page.begin();
        m_page.setFont(m_family, m_pointSize);
        m_pages = 1;
        m_y = m_top;
    } else if (m_y + height > m_page.pageHeight() && m_y > m_top) {
        m_page.newPage();
        m_page.setFont(m_family, m_pointSize);
        ++m_pages;
        m_y = m_top;
    }
    const int top = m_y;
    m_y += height;
    return top;
}

void PageLines::end()
{
    if (m_pages == 0) {
        m_page.begin();
        m_pages = 1;
    }
    m_page.end();
}

int PrintTitledList(PageDevice& page, const ListLayout& layout, const QString& title, const QStringList& lines)
{
    const int step = std::max(1, layout.step);
    // Lines on one page: as many as fit with their whole step above the bottom, at least one.
    const int perPage = std::max(1, (page.pageHeight() - layout.firstLineY) / step);
    page.begin();
    int pages = 1;
    int index = 0;
    for (;;) {
        page.setFont(layout.family, layout.pointSize);
        page.text(layout.titleX, layout.titleY, title);
        for (int k = 0; k < perPage && index < lines.size(); ++k, ++index)
            page.text(layout.lineX, layout.firstLineY + k * step, lines.at(index));
        if (index >= lines.size())
            break;
        page.newPage();
        ++pages;
    }
    page.end();
    return pages;
}
