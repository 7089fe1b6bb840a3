// Equalising lowers every roster by its own lowest counts and records the day; zeroing sets the
// chosen rosters to 0 and nothing else. Each case installs its own services and rosters over the
// small fixture.
#include "FixtureFolder.h"
#include "NumberedUnit.h"
#include "StoredTables.h"
#include "data/Clock.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/PendingFiles.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "maintenance/EqualiseZero.h"

#include <QFile>
#include <QSqlQuery>
#include <QTest>

namespace {

const QDate Today(2004, 3, 10);

// Soldiers 101 to 120 have a record; each absence "num|R|ini|fim". Each roster "code:num|Pt|Vm,...".
void install(const QStringList& rosters, const QStringList& absences = {})
{
    SaveNumberedSoldiers(20, absences);
    EmptyStoredRosters();
    GlobalModel& g = Global();
    g.ServiceTable = ServiceList{};
    for (const QString& roster : rosters) {
        const int code = roster.section(QLatin1Char(':'), 0, 0).toInt();
        g.ServiceTable[code] = ServiceRecord{code, QStringLiteral("Serv %1").arg(code), QDate(2004, 1, 1),
                                             QDate(2004, 12, 31), 1, code, {}};
        const QString members = roster.section(QLatin1Char(':'), 1);
        for (const QString& member : members.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QStringList f = member.split(QLatin1Char('|'));
            TDMGeral::instance().insertRosterRow(code, f[0], f[1].toInt(), f[2].toInt());
        }
    }
    SaveServices();
    ResetModel();
}

QStringList rosterRows(TDMGeral& module, int code)
{
    return StoredRows(module, QStringLiteral("Sv%1").arg(code));
}

QStringList everyRoster(TDMGeral& module)
{
    QStringList tables;
    for (int code = 1; code <= 30; ++code)
        tables << QStringLiteral("Sv%1").arg(code);
    return StoredTables(module, tables);
}

}

class TestEqualiseZero : public QObject {
    Q_OBJECT
private slots:
    void init() { Clock::setToday(Today); }
    void cleanup() { Clock::setToday(QDate()); }

    void equalised_data()
    {
        QTest::addColumn<QString>("roster");
        QTest::addColumn<QStringList>("absences");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("lowest 5 and 2") << "1:101|5|3,102|7|2,103|9|6" << QStringList()
                                        << QStringList{"101|0|1", "102|2|0", "103|4|4"};
        QTest::newRow("lowest already 0") << "1:101|0|0,102|3|5" << QStringList() << QStringList{"101|0|0", "102|3|5"};
        QTest::newRow("an absent member is lowered too and stops at 0")
            << "1:101|1|1,102|4|2,103|6|3" << QStringList{"101|R|01/03/2004|20/03/2004"}
            << QStringList{"101|0|0", "102|0|0", "103|2|1"};
        QTest::newRow("a member without a record stops at 0") << "1:101|4|4,150|2|9" << QStringList()
                                                              << QStringList{"101|0|0", "150|0|5"};
        QTest::newRow("nobody eligible: unchanged") << "1:101|4|4" << QStringList{"101|R|01/03/2004|20/03/2004"}
                                                    << QStringList{"101|4|4"};
        QTest::newRow("high levels are lowered") << "1:101|1200|1000,102|1203|1001" << QStringList()
                                                 << QStringList{"101|0|0", "102|3|1"};
    }
    void equalised()
    {
        QFETCH(QString, roster);
        QFETCH(QStringList, absences);
        QFETCH(QStringList, expected);
        FixtureFolder data;
        install({roster, "2:104|2|8,105|6|3"}, absences);
        if (QTest::currentTestFailed())
            return;
        const EqualiseResult result = EqualiseRosters(Today);
        QCOMPARE(result.notice, QString());
        QCOMPARE(rosterRows(data.module(), 1), expected);
        // Every roster by its own level.
        QCOMPARE(rosterRows(data.module(), 2), (QStringList{"104|0|5", "105|4|0"}));
        QCOMPARE(result.rosters.size(), std::size_t(2));
        QCOMPARE(result.rosters[1].lowestPt, 2);
        QCOMPARE(result.rosters[1].lowestVm, 3);
        QCOMPARE(TextFile::readLines(data.file(DataFiles::UltiEqual)), QStringList{"10/03/04"});
    }

    void aFailingRosterLeavesEveryTableAndTheDayAsTheyWere()
    {
        FixtureFolder data;
        install({"1:101|5|3,102|7|2", "2:104|2|8"});
        // A count the loaders refuse in the second roster: the first is not written either.
        QSqlQuery q(data.module().database(Alias::Ravelha));
        QVERIFY(q.exec(QStringLiteral("UPDATE Sv2 SET Pt = 'abc'")));
        const QStringList before = everyRoster(data.module());
        const QStringList day = TextFile::readLines(data.file(DataFiles::UltiEqual));
        QVERIFY_THROWS_EXCEPTION(CoreError, EqualiseRosters(Today));
        QCOMPARE(everyRoster(data.module()), before);
        QCOMPARE(TextFile::readLines(data.file(DataFiles::UltiEqual)), day);
    }

    void aDayFileThatCannotBeWrittenIsANotice()
    {
        FixtureFolder data;
        install({"1:101|5|3,102|7|2"});
        // A folder in the file's place: the tables are written, the day is not.
        QFile::remove(data.file(DataFiles::UltiEqual));
        QVERIFY(QDir(data.path()).mkdir(DataFiles::UltiEqual));
        const EqualiseResult result = EqualiseRosters(Today);
        QVERIFY(result.notice.contains(DataFiles::UltiEqual));
        QCOMPARE(rosterRows(data.module(), 1), (QStringList{"101|0|1", "102|2|0"}));
        // The day was recorded with the rosters: the next start writes it once it can.
        QCOMPARE(PendingFiles::pending(DataFiles::UltiEqual), QStringList{"10/03/04"});
        QVERIFY(QDir(data.path()).rmdir(DataFiles::UltiEqual));
        QCOMPARE(PendingFiles::finish(true), QString());
        QCOMPARE(TextFile::readLines(data.file(DataFiles::UltiEqual)), QStringList{"10/03/04"});
    }

    void zeroesTheChosenRostersOnly()
    {
        FixtureFolder data;
        install({"1:101|5|3", "2:102|7|2,103|1|4", "3:104|2|2", "9:105|9|6,106|3|3"});
        const QStringList before = everyRoster(data.module());
        const QStringList beforeElse = StoredTables(data.module(), {"Sv", "Basico", "Hist"});
        const QList<int> chosen = ChosenServicesToZero({9, 2, 9});
        QCOMPARE(chosen, (QList<int>{2, 9}));
        ZeroRosters(chosen);
        QStringList wanted = before;
        wanted.replace(wanted.indexOf("102|7|2"), "102|0|0");
        wanted.replace(wanted.indexOf("103|1|4"), "103|0|0");
        wanted.replace(wanted.indexOf("105|9|6"), "105|0|0");
        wanted.replace(wanted.indexOf("106|3|3"), "106|0|0");
        QCOMPARE(everyRoster(data.module()), wanted);
        QCOMPARE(StoredTables(data.module(), {"Sv", "Basico", "Hist"}), beforeElse);
    }

    void zeroingNothingChangesNothing()
    {
        FixtureFolder data;
        install({"1:101|5|3"});
        const QStringList before = everyRoster(data.module());
        ZeroRosters({});
        QCOMPARE(everyRoster(data.module()), before);
    }

    void aCodeWithoutAServiceIsRefused()
    {
        FixtureFolder data;
        install({"1:101|5|3", "2:102|7|2"});
        const QStringList before = everyRoster(data.module());
        try {
            ChosenServicesToZero({2, 7});
            QFAIL("code 7 was taken");
        } catch (const CoreError& e) {
            QCOMPARE(e.message(), QStringLiteral("Não há serviço cadastrado com o código 7. Nada foi alterado."));
        }
        QCOMPARE(everyRoster(data.module()), before);
    }
};

QTEST_MAIN(TestEqualiseZero)
#include "TestEqualiseZero.moc"
