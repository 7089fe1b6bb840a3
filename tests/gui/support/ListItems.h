#pragma once
// The lines a list box shows, in order, for comparing with what a window should list.

#include <QListWidget>
#include <QStringList>

inline QStringList ItemsOf(const QListWidget* list)
{
    QStringList lines;
    for (int row = 0; row < list->count(); ++row)
        lines << list->item(row)->text();
    return lines;
}
