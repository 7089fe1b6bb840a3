#pragma once
// A page device that records every call, for tests of printouts.

#include "Printer.h"

#include <QList>

class RecordingPrinter : public PageDevice {
public:
    struct Call {
        enum Kind { Begin, Font, Text, Picture, NewPage, End } kind = Begin;
        int x = 0;
        int y = 0;
        QString text;       // the text drawn, or the font family
        int size = 0;       // font size
        int width = 0;      // a picture's box
        int height = 0;
        QByteArray png;     // a picture's image
        bool bold = false;
        int page = 0;       // 1 = first page
    };

    // A printable area of US Letter at 300 dpi less a quarter inch each side, unless told.
    explicit RecordingPrinter(int width = 2400, int height = 3150) : m_width(width), m_height(height) {}

    void begin() override
    {
        m_page = 1;
        record(call(Call::Begin));
    }
    void setFont(const QString& family, int size, bool bold) override
    {
        Call c = call(Call::Font);
        c.text = family;
        c.size = size;
        c.bold = bold;
        record(c);
    }
    void text(int x, int y, const QString& text) override
    {
        Call c = call(Call::Text);
        c.x = x;
        c.y = y;
        c.text = text;
        record(c);
    }
    void picture(int x, int y, int width, int height, const QByteArray& png) override
    {
        Call c = call(Call::Picture);
        c.x = x;
        c.y = y;
        c.width = width;
        c.height = height;
        c.png = png;
        record(c);
    }
    void newPage() override
    {
        ++m_page;
        record(call(Call::NewPage));
    }
    void end() override { record(call(Call::End)); }
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
    static Call call(Call::Kind kind)
    {
        Call c;
        c.kind = kind;
        return c;
    }
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
