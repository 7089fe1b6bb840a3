// Items 8 and 9 of "Manutenção" on the small fixture, whose twelve soldiers are each in one roster
// and whose rosters name only registered soldiers.
#include "FixtureFolder.h"
#include "StoredTables.h"
#include "data/UGlobal.h"
#include "queries/MembershipLists.h"

#include <QSqlQuery>
#include <QTest>

class TestMembershipLists : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;

    void run(const QString& statement)
    {
        QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
        QVERIFY2(q.exec(statement), qPrintable(statement));
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        ResetModel();
    }
    void cleanup() { m_data.reset(); }

    void withoutResultsEachSaysSo()
    {
        QCOMPARE(RegisteredInNoRoster(), QStringList{"  Não há Registros"});
        QCOMPARE(InRosterNotRegistered(), QStringList{" Não há Registros"});
    }

    void registeredSoldiersInNoRoster()
    {
        // 2 and 11 leave their rosters; 5 stays in a roster of a code without a service (Sv4 is
        // not a roster then), after leaving Adj Of.
        run(QStringLiteral("DELETE FROM Sv1 WHERE Num = '2'"));
        run(QStringLiteral("DELETE FROM Sv3 WHERE Num = '11'"));
        run(QStringLiteral("DELETE FROM Sv2 WHERE Num = '5'"));
        TDMGeral::instance().insertRosterRow(4, QStringLiteral("5"), 0, 0);
        // In register order, which is key order: numbers as text.
        QCOMPARE(RegisteredInNoRoster(), QStringList({"11", "2", "5"}));
        QCOMPARE(InRosterNotRegistered(), QStringList{" Não há Registros"});
    }

    void rosterNumbersNotRegistered()
    {
        // 30 stands in two rosters, 40 in one; 12 leaves the register but stays in Cb Gda.
        TDMGeral::instance().insertRosterRow(3, QStringLiteral("30"), 0, 0);
        TDMGeral::instance().insertRosterRow(1, QStringLiteral("30"), 0, 0);
        TDMGeral::instance().insertRosterRow(2, QStringLiteral("40"), 0, 0);
        run(QStringLiteral("DELETE FROM Basico WHERE Num = '12'"));
        const QStringList before = StoredTables(m_data->module(), TableSchema::workingTables());
        // Services in code order, each roster in key order.
        QCOMPARE(InRosterNotRegistered(), QStringList({"30", "40", "12", "30"}));
        QCOMPARE(RegisteredInNoRoster(), QStringList{"  Não há Registros"});
        QCOMPARE(StoredTables(m_data->module(), TableSchema::workingTables()), before);   // nothing written
    }
};

QTEST_MAIN(TestMembershipLists)
#include "TestMembershipLists.moc"
