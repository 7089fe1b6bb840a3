#pragma once
// The printing seam. Printouts are written against two small devices, so that the same code
// prints on paper, into a PDF file or into a recorder in the tests.
//
// Positions are printer units of 1/300 inch, measured from the top left corner of the printable
// area; a text is placed by the top left corner of its line.

#include <QByteArray>
#include <QString>
#include <QStringList>

class PageDevice {
public:
    virtual ~PageDevice() = default;
    virtual void begin() = 0;                        // begin the document (the first page)
    virtual void setFont(const QString& family, int pointSize, bool bold = false) = 0;
    virtual void text(int x, int y, const QString& text) = 0;
    // A picture (a PNG image) stretched over the box of `width` by `height` at (x, y): a chart.
    virtual void picture(int x, int y, int width, int height, const QByteArray& png) = 0;
    virtual void newPage() = 0;
    virtual void end() = 0;                          // end the document: it is printed
    virtual int pageWidth() const = 0;               // printable width in printer units
    virtual int pageHeight() const = 0;              // printable height in printer units
};

class LineDevice {
public:
    virtual ~LineDevice() = default;
    virtual void line(const QString& text) = 0;      // the next line; a new page when one is full
    virtual void end() = 0;
};

// A line device on a page device: lines at `left`, the first at `top`, each `step` lower; a line
// that would pass the bottom of the page starts a new page at `top`.
class PageLines : public LineDevice {
public:
    PageLines(PageDevice& page, const QString& family, int pointSize, int step, int left = 0, int top = 0);
    void line(const QString& text) override;
    void end() override;
    // Room for a block of `height` (a picture) under the last line, on a new page when it does not
    // fit on this one: returns the top of the block, and the next line goes under it.
    int block(int height);
    int pages() const { return m_pages; }

private:
    int place(int height);   // the top of the next `height` units, starting a page when needed

    PageDevice& m_page;
    QString m_family;
    int m_pointSize;
    int m_step;
    int m_left;
    int m_top;
    int m_y = 0;
    int m_pages = 0;
};

// The layout of a titled list printout: a title at one place, then the lines one under the other.
struct ListLayout {
    QString family;
    int pointSize = 12;
    int titleX = 0;
    int titleY = 0;
    int lineX = 0;
    int firstLineY = 0;
    int step = 50;
};

// Prints a title and its lines on as many pages as they need, each page with the same layout
// (the title repeated). Returns the number of pages.
int PrintTitledList(PageDevice& page, const ListLayout& layout, const QString& title, const QStringList& lines);
