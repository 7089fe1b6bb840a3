// The audit of the counts against the log, and the balance of a roster: a log that agrees, a count
// edited by hand, a duty whose history record was deleted by hand, a log without a starting value,
// and the next picks and spreads around a real absence.
#include "FixtureFolder.h"
#include "audit/CountAudit.h"
#include "audit/CountLog.h"
#include "data/Clock.h"
#include "data/CoreError.h"
#include "data/UDMGeral.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

QSqlDatabase db(FixtureFolder& data)
{
    return data.module().database(Alias::Ravelha);
}

void exec(FixtureFolder& data, const QString& sql)
{
    QSqlQuery q(db(data));
    QVERIFY2(q.exec(sql), qPrintable(q.lastError().text()));
}

// A log begun from the stored counts of every roster, without the history it found, then the duty
// of 29/02/04 of roster 1 (soldier 3, red) logged after it, as the rostering would have: his start
// value one less.
void startLog(FixtureFolder& data)
{
    CountLog::Clear(db(data));
    QList<CountLog::Row> rows;
    for (int code = 1; code <= 3; ++code) {
        QSqlQuery q(db(data));
        QVERIFY(q.exec(QStringLiteral("SELECT Num, Pt, Vm FROM Sv%1").arg(code)));
        while (q.next()) {
            const QString num = q.value(0).toString();
            const int vm = q.value(2).toInt() - (num == QStringLiteral("3") ? 1 : 0);
            rows << CountLog::valueRow(code, num, CountLog::Black, 0, q.value(1).toInt(), CountLog::Operation::Start)
                 << CountLog::valueRow(code, num, CountLog::Red, 0, vm, CountLog::Operation::Start);
        }
    }
    rows << CountLog::dutyRow(QStringLiteral("3"), CountLog::Red, 1, CountLog::Operation::Commit,
                              QStringLiteral("29/02/04"), 1);
    CountLog::Append(db(data), rows);
}

QStringList findingsOf(const std::vector<CountAudit::RosterAudit>& audits)
{
    QStringList lines;
    for (const CountAudit::RosterAudit& audit : audits)
        for (const CountAudit::Finding& finding : audit.findings)
            lines << QStringLiteral("%1: %2").arg(audit.roster).arg(finding.text);
    return lines;
}

}

class TestCountAudit : public QObject {
    Q_OBJECT
private slots:
    void init() { Clock::setToday(QDate(2004, 3, 3)); }
    void cleanup() { Clock::setToday(QDate()); }

    void findsWhatWasChangedOutsideTheProgram_data()
    {
        QTest::addColumn<QString>("handEdit");
        QTest::addColumn<QStringList>("findings");
        QTest::newRow("every count agrees") << QString() << QStringList();
        QTest::newRow("count edited by hand")
                << "UPDATE Sv1 SET Pt = 7 WHERE Num = '1'"
                << QStringList{"1: Nº 1 (Andrade): Pt na escala 7, pelo registro 1"};
        QTest::newRow("history record deleted by hand")
                << "DELETE FROM Hist WHERE CodSv = 1 AND Dia = '2004-02-29'"
                << QStringList{"1: 29/02/04 Nº 3 (Cardoso): Vm serviço no registro sem a linha do histórico "
                               "(registro 1, histórico 0)"};
        QTest::newRow("history names another soldier")
                << "UPDATE Hist SET Num = '2' WHERE CodSv = 1 AND Dia = '2004-02-29'"
                << QStringList{"1: 29/02/04 Nº 2 (Barbosa): Vm linha do histórico sem o serviço no registro "
                               "(registro 0, histórico 1)",
                               "1: 29/02/04 Nº 3 (Cardoso): Vm serviço no registro sem a linha do histórico "
                               "(registro 1, histórico 0)"};
        QTest::newRow("member without a starting value")
                << "DELETE FROM LogPontos WHERE CodSv = 3 AND Num = '9'"
                << QStringList{"3: Nº 9 (Inácio): Pt sem valor inicial no registro (na escala 0)",
                               "3: Nº 9 (Inácio): Vm sem valor inicial no registro (na escala 1)"};
        QTest::newRow("history before the last purge is not compared")
                << "DELETE FROM Hist WHERE Dia < '2004-03-01'" << QStringList();
    }
    void findsWhatWasChangedOutsideTheProgram()
    {
        QFETCH(QString, handEdit);
        QFETCH(QStringList, findings);
        FixtureFolder data;
        startLog(data);
        if (QString(QTest::currentDataTag()).contains(QStringLiteral("purge")))
            exec(data, "INSERT INTO LogPontos (Quando, CodSv, Num, Tipo, Delta, Operacao, Dia) "
                       "VALUES ('2004-03-03 10:00:00', 0, '', '', 0, 'expurgo', '01/03/04')");
        if (!handEdit.isEmpty())
            exec(data, handEdit);
        const auto audits = CountAudit::AuditAll();
        QCOMPARE(audits.size(), size_t(3));
        QCOMPARE(findingsOf(audits), findings);
        for (const auto& audit : audits)
            QVERIFY(audit.hasReference);
    }

    void logWithoutStartHasNoReference()
    {
        // A folder whose log was never started (an older folder): its table is empty.
        FixtureFolder data;
        CountLog::Clear(db(data));
        exec(data, "UPDATE Sv1 SET Pt = 7 WHERE Num = '1'");
        // A duty logged for a roster's soldier is no starting value: still nothing to compare counts with.
        CountLog::Append(db(data), {CountLog::dutyRow(QStringLiteral("3"), CountLog::Red, 1, CountLog::Operation::Commit,
                                                      QStringLiteral("29/02/04"), 1)});
        const auto audits = CountAudit::AuditAll();
        for (const auto& audit : audits) {
            QVERIFY(!audit.hasReference);
            for (const auto& member : audit.members)
                QVERIFY(!member.logPt && !member.logVm && !member.divergent);
        }
        QCOMPARE(findingsOf(audits), QStringList());
    }

    void valueRowsAfterDutiesReplaceThem()
    {
        // An equalise after a duty: the value row carries the count, the earlier duty no longer adds.
        FixtureFolder data;
        startLog(data);
        exec(data, "UPDATE Sv1 SET Vm = 4 WHERE Num = '3'");
        CountLog::Append(db(data), {CountLog::valueRow(1, QStringLiteral("3"), CountLog::Red, 1, 4,
                                                       CountLog::Operation::Equalise)});
        const auto audit = CountAudit::AuditRoster(1);
        QCOMPARE(findingsOf({audit}), QStringList());
        QCOMPARE(audit.members.at(2).logVm, std::optional<int>(4));
        QVERIFY_THROWS_EXCEPTION(CoreError, CountAudit::AuditRoster(9));
    }

    void balanceLeavesRealAbsenceOut_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("nextPt");
        QTest::addColumn<QString>("nextVm");
        QTest::addColumn<int>("spreadPt");
        QTest::addColumn<int>("spreadVm");
        QTest::addColumn<bool>("absent");
        // Roster 2: 4 (3 Pt, 1 Vm), 5 (0, 0), 6 (1, 2); 5 is on a real absence from 01/03 to 05/03.
        QTest::newRow("absent") << QDate(2004, 3, 3) << "6" << "4" << 2 << 1 << true;
        QTest::newRow("back") << QDate(2004, 3, 10) << "5" << "5" << 3 << 2 << false;
    }
    void balanceLeavesRealAbsenceOut()
    {
        QFETCH(QDate, today);
        FixtureFolder data;
        CountLog::Clear(db(data));
        exec(data, "UPDATE Sv2 SET Pt = 3, Vm = 1 WHERE Num = '4'");
        exec(data, "UPDATE Sv2 SET Pt = 0, Vm = 0 WHERE Num = '5'");
        exec(data, "UPDATE Sv2 SET Pt = 1, Vm = 2 WHERE Num = '6'");
        const CountAudit::Balance balance = CountAudit::BalanceOf(2, today);
        QCOMPARE(balance.nextPt, [&] { QFETCH(QString, nextPt); return nextPt; }());
        QCOMPARE(balance.nextVm, [&] { QFETCH(QString, nextVm); return nextVm; }());
        QTEST(balance.spreadPt, "spreadPt");
        QTEST(balance.spreadVm, "spreadVm");
        QCOMPARE(balance.members.size(), size_t(3));
        QTEST(balance.members.at(1).absent, "absent");
        QCOMPARE(balance.members.at(1).name, QStringLiteral("Esteves"));
        for (const auto& member : balance.members) {
            QCOMPARE(member.nextPt, member.number == balance.nextPt);
            QCOMPARE(member.nextVm, member.number == balance.nextVm);
        }
        QVERIFY(!balance.audit.hasReference);
    }
};

QTEST_GUILESS_MAIN(TestCountAudit)
#include "TestCountAudit.moc"
