// An absence recorded on the soldier's record, and the return that ends it and brings his counts
// up to the level of each roster. Each case installs its own soldiers (101 to 120) and rosters over
// the small fixture; today is 10/03/2004.
#include "FixtureFolder.h"
#include "NumberedUnit.h"
#include "StoredTables.h"
#include "data/Clock.h"
#include "data/CoreError.h"
#include "data/UGlobal.h"
#include "maintenance/Absences.h"

#include <QSqlQuery>
#include <QTest>

namespace {

const QDate Today(2004, 3, 10);

// Each absence "num|PR|ini|fim" (dd/MM/yyyy); each roster "code:num|Pt|Vm,...". `extra` soldiers get
// a record after 101 to 120.
void install(const QStringList& rosters, const QStringList& absences = {}, const QStringList& extra = {})
{
    SaveNumberedSoldiers(20, absences);
    GlobalModel& g = Global();
    int record = 20;
    for (const QString& num : extra)
        g.SoldierTable[++record] = SoldierRecord{num, "Sd", "Extra", "", {}, {}, {}};
    SaveSoldiers();
    EmptyStoredRosters();
    g.ServiceTable = ServiceList{};
    for (const QString& roster : rosters) {
        const int code = roster.section(QLatin1Char(':'), 0, 0).toInt();
        g.ServiceTable[code] = ServiceRecord{code, QStringLiteral("Serv %1").arg(code), QDate(2004, 1, 1),
                                             QDate(2004, 12, 31), 1, code, {}};
        for (const QString& member : roster.section(QLatin1Char(':'), 1).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QStringList f = member.split(QLatin1Char('|'));
            TDMGeral::instance().insertRosterRow(code, f[0], f[1].toInt(), f[2].toInt());
        }
    }
    SaveServices();
    ResetModel();
}

QStringList everyTable(TDMGeral& module)
{
    QStringList tables{"Basico", "Sv", "Hist"};
    for (int code = 1; code <= 30; ++code)
        tables << QStringLiteral("Sv%1").arg(code);
    return StoredTables(module, tables);
}

// The stored absence of a soldier as "PR|Ini|Fim" (days as stored, yyyy-MM-dd), read from the table.
QString storedAbsence(const QString& num)
{
    QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
    q.prepare("SELECT PR, Ini, Fim FROM Basico WHERE Num = ?");
    q.addBindValue(num);
    if (!q.exec() || !q.next())
        return QStringLiteral("(sem registro)");
    return QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString()}.join('|');
}

}

class TestAbsences : public QObject {
    Q_OBJECT
private slots:
    void init() { Clock::setToday(Today); }
    void cleanup() { Clock::setToday(QDate()); }

    void recordsAndOverwritesAnAbsence()
    {
        FixtureFolder data;
        install({}, {"103|P|01/01/2004|05/01/2004"});
        LoadSoldiers();
        const RecordedAbsence real = RecordAbsence({" 103", "R", "01/03/04", "05/03/2004"});
        QCOMPARE(RecordedLine(real), QStringLiteral("Militar 103 (Sd Soldado): afastamento Real de 01/03/04 a 05/03/04"));
        // The same day for start and end is an absence of one day.
        RecordAbsence({"104", "P", "12/03/04", "12/03/04"});
        // Nothing stored until the register is saved.
        QCOMPARE(storedAbsence("103"), QStringLiteral("P|2004-01-01|2004-01-05"));
        SaveSoldiers();
        QCOMPARE(storedAbsence("103"), QStringLiteral("R|2004-03-01|2004-03-05"));
        QCOMPARE(storedAbsence("104"), QStringLiteral("P|2004-03-12|2004-03-12"));
        QCOMPARE(storedAbsence("105"), QStringLiteral("||"));
    }

    void refusalsRecordNothing_data()
    {
        QTest::addColumn<QStringList>("entry");   // num, kind, start, end
        QTest::addColumn<int>("cause");
        QTest::addColumn<QString>("message");
        using C = AbsenceRefusal::Cause;
        QTest::newRow("start no date") << QStringList{"103", "R", "31/02/04", "05/03/04"} << int(C::BadDate)
                                       << "31/02/04 >>> Data inválida";
        QTest::newRow("end no date") << QStringList{"103", "R", "01/03/04", "5-3-4"} << int(C::BadDate)
                                     << "5-3-4 >>> Data inválida";
        QTest::newRow("start checked before end") << QStringList{"103", "R", "", "x"} << int(C::BadDate)
                                                  << " >>> Data inválida";
        QTest::newRow("start after end") << QStringList{"103", "R", "06/03/04", "05/03/04"} << int(C::Order)
                                         << AbsenceText::StartAfterEnd;
        QTest::newRow("no kind") << QStringList{"103", "", "01/03/04", "05/03/04"} << int(C::Kind)
                                 << AbsenceText::NoKind;
        QTest::newRow("not registered") << QStringList{"150", "P", "01/03/04", "05/03/04"}
                                        << int(C::NotRegistered) << AbsenceText::NotRegistered;
        // A number past the first free record is not among the records in use.
        QTest::newRow("empty number") << QStringList{"", "P", "01/03/04", "05/03/04"} << int(C::NotRegistered)
                                      << AbsenceText::NotRegistered;
    }
    void refusalsRecordNothing()
    {
        QFETCH(QStringList, entry);
        QFETCH(int, cause);
        QFETCH(QString, message);
        FixtureFolder data;
        install({}, {"103|P|01/01/2004|05/01/2004"});
        LoadSoldiers();
        const std::vector<SoldierRecord> before = Global().SoldierTable;
        try {
            RecordAbsence({entry[0], entry[1], entry[2], entry[3]});
            QFAIL("recorded");
        } catch (const AbsenceRefusal& refusal) {
            QCOMPARE(int(refusal.cause()), cause);
            QCOMPARE(refusal.message(), message);
        }
        const std::vector<SoldierRecord>& after = Global().SoldierTable;
        for (std::size_t i = 0; i < before.size(); ++i) {
            QCOMPARE(after[i].PR, before[i].PR);
            QCOMPARE(after[i].Ini, before[i].Ini);
            QCOMPARE(after[i].Fim, before[i].Fim);
        }
    }

    void returnRaisesToTheLevel_data()
    {
        QTest::addColumn<QString>("roster");
        QTest::addColumn<QStringList>("absences");
        QTest::addColumn<QString>("num");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("expected");
        const QString away = "101|R|01/03/2004|09/03/2004";
        QTest::newRow("Pt and Vm each on its own")
            << "1:101|2|8,102|5|3,103|6|4" << QStringList{away} << "101" << QString()
            << QStringList{"101|5|8", "102|5|3", "103|6|4"};
        QTest::newRow("above the level stays") << "1:102|5|3,101|8|9" << QStringList{away} << "101" << QString()
                                               << QStringList{"101|8|9", "102|5|3"};
        QTest::newRow("the only eligible member keeps his counts")
            << "1:101|2|3,102|0|0" << QStringList{away, "102|R|01/03/2004|20/03/2004"} << "101" << QString()
            << QStringList{"101|2|3", "102|0|0"};
        QTest::newRow("alone in the roster") << "1:101|7|4" << QStringList{away} << "101" << QString()
                                             << QStringList{"101|7|4"};
        QTest::newRow("a member away for real does not set the level")
            << "1:101|1|1,102|4|2,103|6|6" << QStringList{away, "102|R|05/03/2004|10/03/2004"} << "101" << QString()
            << QStringList{"101|6|6", "102|4|2", "103|6|6"};
        QTest::newRow("a member away as planned sets it")
            << "1:101|1|1,102|4|2,103|6|6" << QStringList{away, "102|P|05/03/2004|10/03/2004"} << "101" << QString()
            << QStringList{"101|4|2", "102|4|2", "103|6|6"};
        QTest::newRow("a real absence ended yesterday sets it")
            << "1:101|1|1,102|4|2,103|6|6" << QStringList{away, "102|R|01/03/2004|09/03/2004"} << "101" << QString()
            << QStringList{"101|4|2", "102|4|2", "103|6|6"};
        QTest::newRow("a member without a record does not set it")
            << "1:101|1|1,150|3|0,103|6|6" << QStringList{away} << "101" << QString()
            << QStringList{"101|6|6", "103|6|6", "150|3|0"};
        QTest::newRow("not away: raised all the same") << "1:101|1|0,102|5|3" << QStringList() << "101"
                                                       << AbsenceText::WasNotAway << QStringList{"101|5|3", "102|5|3"};
    }
    void returnRaisesToTheLevel()
    {
        QFETCH(QString, roster);
        QFETCH(QStringList, absences);
        QFETCH(QString, num);
        QFETCH(QString, message);
        QFETCH(QStringList, expected);
        FixtureFolder data;
        install({roster, "2:104|9|9,105|1|1"}, absences);
        if (QTest::currentTestFailed())
            return;
        const QStringList other = StoredRows(data.module(), "Sv2");
        const ReturnResult result = ReturnToRosters(num, Today);
        QCOMPARE(result.message, message);
        QCOMPARE(StoredRows(data.module(), "Sv1"), expected);
        // A roster he is not in is written back as it was.
        QCOMPARE(StoredRows(data.module(), "Sv2"), other);
        QCOMPARE(result.rows.size(), std::size_t(1));
        QCOMPARE(result.rows[0].code, 1);
        QVERIFY(expected.contains(QStringLiteral("%1|%2|%3").arg(num).arg(result.rows[0].ptAfter).arg(result.rows[0].vmAfter)));
        QVERIFY(roster.contains(QStringLiteral("%1|%2|%3").arg(num).arg(result.rows[0].ptBefore).arg(result.rows[0].vmBefore)));
    }

    // A number typed wrong must not raise the counts of a roster row that holds it.
    void returningANumberNotRegisteredWritesNothing()
    {
        FixtureFolder data;
        install({"1:150|1|0,102|5|3"});
        const QStringList before = everyTable(data.module());
        try {
            ReturnToRosters("150", Today);
            QFAIL("returned");
        } catch (const AbsenceRefusal& refusal) {
            QCOMPARE(int(refusal.cause()), int(AbsenceRefusal::Cause::NotRegistered));
            QCOMPARE(refusal.message(), AbsenceText::NotRegistered);
        }
        QCOMPARE(everyTable(data.module()), before);
    }

    void returnEndsTheAbsenceAndTellsEveryRoster()
    {
        FixtureFolder data;
        install({"1:101|2|2,102|4|1", "2:103|3|3", "5:101|9|0,104|6|5"},
                {"101|R|01/03/2004|31/03/2004", "104|P|01/04/2004|05/04/2004"});
        const ReturnResult result = ReturnToRosters("101", Today);
        QCOMPARE(result.message, QString());
        QStringList lines;
        for (const ReturnedRow& row : result.rows)
            lines << ReturnedLine(row);
        QCOMPARE(lines, (QStringList{"Serviço 1 (Serv 1): Pt de 2 para 4, Vm de 2 para 2",
                                     "Serviço 5 (Serv 5): Pt de 9 para 9, Vm de 0 para 5"}));
        QCOMPARE(storedAbsence("101"), QStringLiteral("||"));
        QCOMPARE(storedAbsence("104"), QStringLiteral("P|2004-04-01|2004-04-05"));
        // He is back: a second return finds him present.
        QCOMPARE(ReturnToRosters("101", Today).message, AbsenceText::WasNotAway);
    }

    void returnOf86ChangesOnlyHisRows()
    {
        FixtureFolder data;
        install({"3:101|4|2,86|1|0,102|6|3", "4:103|5|4,86|2|2"}, {}, {"86"});
        QSqlQuery q(data.module().database(Alias::Ravelha));
        QVERIFY(q.exec("UPDATE Basico SET PR = 'R', Ini = '2004-03-01', Fim = '2004-03-09' WHERE Num = '86'"));
        const ReturnResult result = ReturnToRosters("86", Today);
        QCOMPARE(result.message, QString());
        QCOMPARE(StoredRows(data.module(), "Sv3"), (QStringList{"101|4|2", "102|6|3", "86|4|2"}));
        QCOMPARE(StoredRows(data.module(), "Sv4"), (QStringList{"103|5|4", "86|5|4"}));
    }

    void aFailingRosterChangesNothing()
    {
        FixtureFolder data;
        install({"1:101|2|2,102|4|1", "2:101|0|0,103|3|3"}, {"101|R|01/03/2004|31/03/2004"});
        // A count the loaders refuse in the second roster: neither the register nor the first roster
        // is written.
        QSqlQuery q(data.module().database(Alias::Ravelha));
        QVERIFY(q.exec("UPDATE Sv2 SET Pt = 'abc' WHERE Num = '103'"));
        const QStringList before = everyTable(data.module());
        QVERIFY_THROWS_EXCEPTION(CoreError, ReturnToRosters("101", Today));
        QCOMPARE(everyTable(data.module()), before);
    }
};

QTEST_MAIN(TestAbsences)
#include "TestAbsences.moc"
