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

    // What will go is counted before anything is asked; the last rostered day of the fixture is
    // 29/02/04.
    void thePlanSaysWhatWillGo_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("past");
        QTest::newRow("one day") << "28/02/04" << 3 << "Serão eliminados do Histórico 3 registros, do dia 27/02/04." << false;
        QTest::newRow("two days, the last rostered day kept")
            << "29/02/04" << 6 << "Serão eliminados do Histórico 6 registros, do dia 27/02/04 ao dia 28/02/04." << false;
        QTest::newRow("the day after the last rostered day")
            << "01/03/04" << 9 << "Serão eliminados do Histórico 9 registros, do dia 27/02/04 ao dia 29/02/04." << true;
        QTest::newRow("years after") << "01/01/10" << 9
                                     << "Serão eliminados do Histórico 9 registros, do dia 27/02/04 ao dia 29/02/04." << true;
        QTest::newRow("nothing before") << "27/02/04" << 0 << "Nenhum registro do Histórico é anterior ao dia 27/02/04."
                                        << false;
    }
    void thePlanSaysWhatWillGo()
    {
        QFETCH(QString, answer);
        const QStringList before = StoredRows(m_data->module(), QStringLiteral("Hist"));
        const HistoryPurge::Plan plan = HistoryPurge::PlanPurge(*HistoryPurge::FirstDayKept(answer));
        QTEST(plan.records, "records");
        QTEST(HistoryPurge::PlanLine(plan), "line");
        QTEST(plan.pastLastRostered(), "past");
        QCOMPARE(StoredRows(m_data->module(), QStringLiteral("Hist")), before);
    }

    void oneRecordIsSaidInTheSingular()
    {
        QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
        QVERIFY(q.exec("DELETE FROM Hist WHERE Dia = '2004-02-27' AND CodSv <> 2"));
        const HistoryPurge::Plan plan = HistoryPurge::PlanPurge(QDate(2004, 2, 28));
        QCOMPARE(HistoryPurge::PlanLine(plan), QStringLiteral("Será eliminado do Histórico 1 registro, do dia 27/02/04."));
    }

    // The keeper is asked, and asked again past the last rostered day; No at any point keeps all.
    void asksBeforeDeleting_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("removed");
        QTest::newRow("Yes") << "29/02/04" << QList<bool>{true} << 1 << 6;
        QTest::newRow("No") << "29/02/04" << QList<bool>{false} << 1 << 0;
        QTest::newRow("past the last rostered day, Yes twice") << "01/01/10" << QList<bool>{true, true} << 2 << 9;
        QTest::newRow("past the last rostered day, No again") << "01/01/10" << QList<bool>{true, false} << 2 << 0;
        QTest::newRow("past the last rostered day, No at once") << "01/01/10" << QList<bool>{false} << 1 << 0;
        QTest::newRow("nothing to delete") << "01/01/04" << QList<bool>() << 0 << 0;
    }
    void asksBeforeDeleting()
    {
        QFETCH(QString, answer);
        QFETCH(QList<bool>, answers);
        QFETCH(int, removed);
        const QStringList before = StoredRows(m_data->module(), QStringLiteral("Hist"));
        int asked = 0;
        const HistoryPurge::Outcome outcome =
            HistoryPurge::PurgeAsking(*HistoryPurge::FirstDayKept(answer), [&](const QString&) {
                return asked < answers.size() ? answers.at(asked++) : (++asked, false);
            });
        QTEST(asked, "asked");
        QCOMPARE(outcome.purged, removed > 0);
        QCOMPARE(outcome.removed, removed);
        QCOMPARE(StoredRows(m_data->module(), QStringLiteral("Hist")), before.mid(removed));
    }

    // What the keeper confirmed is what goes: history added after the count stops the purge.
    void aHistoryChangedAfterTheCountDeletesNothing()
    {
        const HistoryPurge::Plan plan = HistoryPurge::PlanPurge(QDate(2004, 2, 29));
        QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
        QVERIFY(q.exec("INSERT INTO Hist (Dia, CodSv, Descr, Num, PtVm) VALUES ('2004-02-26', 1, 'Of Dia', '2', 'Pt')"));
        const QStringList before = StoredRows(m_data->module(), QStringLiteral("Hist"));
        try {
            HistoryPurge::Purge(plan);
            QFAIL("purged");
        } catch (const CoreError& e) {
            QVERIFY2(e.message().startsWith("O Histórico mudou depois da contagem"), qPrintable(e.message()));
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
