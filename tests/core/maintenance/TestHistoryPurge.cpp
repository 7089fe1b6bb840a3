// The purge deletes the stored history before the first day the keeper keeps. The small fixture's
// history holds three services on each of 27/02, 28/02 and 29/02/04.
#include "FixtureFolder.h"
#include "StoredTables.h"
#include "data/CoreError.h"
#include "data/UGlobal.h"
#include "maintenance/HistoryPurge.h"

#include <QSqlQuery>
#include <QTest>
#include <memory>

class TestHistoryPurge : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;

    QStringList days()
    {
        QStringList kept;
        for (const QString& row : StoredRows(m_data->module(), QStringLiteral("Hist")))
            kept << row.section('|', 0, 0);
        kept.removeDuplicates();
        return kept;
    }

private slots:
    void init() { m_data = std::make_unique<FixtureFolder>(); }
    void cleanup() { m_data.reset(); }

    void keepsTheFirstDayAndLater_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("removed");
        QTest::addColumn<QStringList>("kept");
        const QStringList all{"2004-02-27", "2004-02-28", "2004-02-29"};
        QTest::newRow("dd/mm/yy") << "28/02/04" << 3 << all.mid(1);
        QTest::newRow("dd/mm/yyyy") << "28/02/2004" << 3 << all.mid(1);
        QTest::newRow("one-digit month, blanks around") << " 29/2/04 " << 6 << all.mid(2);
        QTest::newRow("one-digit day and month") << "1/3/04" << 9 << QStringList();
        QTest::newRow("before the first day") << "26/02/04" << 0 << all;
        QTest::newRow("the first day itself") << "27/02/04" << 0 << all;
        QTest::newRow("years before") << "01/01/00" << 0 << all;
    }
    void keepsTheFirstDayAndLater()
    {
        QFETCH(QString, answer);
        QFETCH(int, removed);
        QFETCH(QStringList, kept);
        const std::optional<QDate> first = HistoryPurge::FirstDayKept(answer);
        QVERIFY(first);
        QCOMPARE(HistoryPurge::PurgeHistoryBefore(*first), removed);
        QCOMPARE(days(), kept);
    }

    void answers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("refusal");   // empty: no day and no refusal
        QTest::newRow("empty") << "" << "";
        QTest::newRow("blank") << "   " << "";
        QTest::newRow("no such day") << "30/02/04" << "30/02/04 >>> Data inválida";
        QTest::newRow("words") << "ontem" << "ontem >>> Data inválida";
        QTest::newRow("an SQL fragment") << "1' or '1'='1" << "1' or '1'='1 >>> Data inválida";
    }
    void answers()
    {
        QFETCH(QString, answer);
        QFETCH(QString, refusal);
        const QStringList before = StoredRows(m_data->module(), QStringLiteral("Hist"));
        try {
            QVERIFY(!HistoryPurge::FirstDayKept(answer));
            QVERIFY(refusal.isEmpty());
        } catch (const CoreError& e) {
            QCOMPARE(e.message(), refusal);
        }
        QCOMPARE(StoredRows(m_data->module(), QStringLiteral("Hist")), before);
    }

    // A stored day that is no day would be kept or deleted by its text: the purge refuses first.
    void aStoredDayThatIsNoDayDeletesNothing()
    {
        QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
        QVERIFY(q.exec("UPDATE Hist SET Dia = '27/02/2004' WHERE CodSv = 3 AND Dia = '2004-02-27'"));
        const QStringList before = StoredRows(m_data->module(), QStringLiteral("Hist"));
        QVERIFY_THROWS_EXCEPTION(CoreError, HistoryPurge::PurgeHistoryBefore(QDate(2004, 3, 1)));
        QCOMPARE(StoredRows(m_data->module(), QStringLiteral("Hist")), before);
    }
};

QTEST_GUILESS_MAIN(TestHistoryPurge)
#include "TestHistoryPurge.moc"
