#pragma once
// The usual count cell: one to nine digits, with an optional minus sign. Read without building a
// new text; anything else (blanks, a plus sign, more digits) is left to the checks that word a
// refusal.

#include <QString>

inline bool PlainCount(const QString& cell, int& value)
{
    const qsizetype size = cell.size();
    if (size == 0 || size > 9)
        return false;
    const QChar* c = cell.constData();
    const bool negative = c[0] == QLatin1Char('-');
    qsizetype i = negative ? 1 : 0;
    if (i >= size)
        return false;
    int v = 0;
    for (; i < size; ++i) {
        const char16_t d = c[i].unicode();
        if (d < u'0' || d > u'9')
            return false;
        v = v * 10 + (d - u'0');
    }
    value = negative ? -v : v;
    return true;
}
