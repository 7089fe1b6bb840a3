#pragma once
// A unit made up for a test: numbered soldiers with their absences, and every roster emptied.

#include "data/UGlobal.h"

#include <QSqlQuery>
#include <QStringList>
#include <QTest>

// Soldiers 101 to 100 + count get a record ("Sd", "Soldado"); each absence is "num|PR|ini|fim"
// with the days as dd/MM/yyyy. The register is saved; the model is the new one.
inline void SaveNumberedSoldiers(int count, const QStringList& absences)
{
    ResetModel();
    GlobalModel& g = Global();
    for (int i = 1; i <= count; ++i)
        g.SoldierTable[i] = SoldierRecord{QString::number(100 + i), "Sd", "Soldado", "", {}, {}, {}};
    for (const QString& absence : absences) {
        const QStringList f = absence.split(QLatin1Char('|'));
        SoldierRecord& s = g.SoldierTable[f[0].toInt() - 100];
        s.PR = f[1];
        s.Ini = QDate::fromString(f[2], "dd/MM/yyyy");
        s.Fim = QDate::fromString(f[3], "dd/MM/yyyy");
    }
    SaveSoldiers();
}

// Every stored roster table emptied.
inline void EmptyStoredRosters()
{
    QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
    for (int code = 1; code <= Capacity::Services; ++code)
        QVERIFY(q.exec(QStringLiteral("DELETE FROM Sv%1").arg(code)));
}
