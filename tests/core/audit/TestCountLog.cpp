// The log of counts: rows appended with their kind of row, a fresh start, and a folder without the
// table gets one.
#include "FixtureFolder.h"
#include "audit/CountLog.h"
#include "data/Clock.h"
#include "data/UDMGeral.h"

#include <QSqlQuery>
#include <QTest>

class TestCountLog : public QObject {
    Q_OBJECT
private slots:
    void appendsValueAndDutyRows()
    {
        FixtureFolder data;
        Clock::setToday(QDate(2004, 3, 5));
        const QSqlDatabase db = data.module().database(Alias::Ravelha);
        CountLog::Clear(db);   // the installer started the log with the fixture's counts
        CountLog::Append(db, {CountLog::valueRow(2, QStringLiteral("5"), CountLog::Black, 3, 0, CountLog::Operation::Zero),
                              CountLog::dutyRow(QStringLiteral("5"), CountLog::Red, 1, CountLog::Operation::Commit,
                                                QStringLiteral("06/03/04"), 2)});
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("SELECT substr(Quando, 1, 10), CodSv, Num, Tipo, Antes, Depois, Delta, Operacao, "
                                      "Dia, SvDia FROM LogPontos ORDER BY Id")));
        QStringList rows;
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < 10; ++i)
                values << (q.isNull(i) ? QStringLiteral("-") : q.value(i).toString());
            rows << values.join(QLatin1Char('|'));
        }
        QCOMPARE(rows, (QStringList{"2004-03-05|2|5|Pt|3|0|-3|zerar|-|-", "2004-03-05|0|5|Vm|-|-|1|escalar|06/03/04|2"}));
        CountLog::Clear(db);
        QVERIFY(q.exec(QStringLiteral("SELECT COUNT(*) FROM LogPontos")) && q.next());
        QCOMPARE(q.value(0).toInt(), 0);
        Clock::setToday(QDate());
    }
};

QTEST_GUILESS_MAIN(TestCountLog)
#include "TestCountLog.moc"
