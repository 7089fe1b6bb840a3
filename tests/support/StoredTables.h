#pragma once
// Readings of the stored tables that many tests compare before and after an operation.

#include "data/UDMGeral.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

// The rows of a stored table in key order, each as its values joined by "|".
inline QStringList StoredRows(TDMGeral& module, const QString& table)
{
    QSqlQuery q = module.openTable(Alias::Ravelha, table, 100000);
    QStringList rows;
    while (q.next()) {
        QStringList values;
        for (int c = 0; c < q.record().count(); ++c)
            values << q.value(c).toString();
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

// The tables named, each as "== table" then its rows.
inline QStringList StoredTables(TDMGeral& module, const QStringList& tables)
{
    QStringList state;
    for (const QString& table : tables)
        state << QStringLiteral("== ") + table << StoredRows(module, table);
    return state;
}
