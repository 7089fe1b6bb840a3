#pragma once
// A page device that records every call, for tests of printouts.

#include "Printer.h"

#include <QList>

class RecordingPrinter : public PageDevice {
public:
    struct Call {
        enum Kind { Begin, Font, Text, NewPage, End } kind;
        int x = 0;
        int y = 0;
        QString text;       // the text drawn, or the font family
        int size = 0;       // font size
        bool bold = false;
        int page = 0;       // 1 = first page
    };

    // A printable area of US Letter at 300 dpi less a quarter inch each side, unless told.
    explicit RecordingPrinter(int width = 2400, int height = 3150) : m_width(width), m_height(height) {}

    void begin() override { record({Call::Begin}); m_page = 1; }
    void setFont(const QString& family, int size, bool bold) override
    {
        Call c{Call::Font};
        c.text = family;
        c.size = size;
        c.bold = bold;
        record(c);
    }
    void text(int x, int y, const QString& text) override
    {
        Call c{Call::Text};
        c.x = x;
        c.y = y;
        c.text = text;
        record(c);
    }
    void newPage() override { ++m_page; record({Call::NewPage}); }
    void end() override { record({Call::End}); }
    int pageWidth() const override { return m_width; }
    int pageHeight() const override { return m_height; }

    const QList<Call>& calls() const { return m_calls; }
    QList<Call> texts() const
    {
        QList<Call> found;
        for (const Call& c : m_calls)
            if (c.kind == Call::Text)
                found << c;
        return found;
    }

private:
    void record(Call c)
    {
        c.page = m_page;
        m_calls << c;
    }

    int m_width;
    int m_height;
    int m_page = 0;
    QList<Call> m_calls;
};
