// The in-memory model: its loaders and writers keep every field, and a failed write changes nothing.
#include "FixtureFolder.h"
#include "data/CoreError.h"
#include "data/UGlobal.h"

#include <QSqlQuery>
#include <QTest>

namespace {
int rowsOf(TDMGeral& module, const QString& table)
{
    QSqlQuery q = module.openTable(Alias::Ravelha, table, 100000);
    int n = 0;
    while (q.next())
        ++n;
    return n;
}

void fillTable(TDMGeral& module, const QString& sql, int rows)
{
    QSqlDatabase db = module.database(Alias::Ravelha);
    db.transaction();
    QSqlQuery q(db);
    for (int i = 0; i < rows; ++i) {
        q.prepare(sql);
        q.addBindValue(QString::number(1000 + i));
        QVERIFY(q.exec());
    }
    db.commit();
}
}

class TestGlobalModel : public QObject {
    Q_OBJECT
private slots:
    void servicesRoundTrip()
    {
        FixtureFolder data;
        LoadServices();
        GlobalModel& g = Global();
        QCOMPARE(g.ServiceTable[3].CodSv, 3);
        QCOMPARE(g.ServiceTable[3].Descr, QStringLiteral("Cb Gda"));
        QCOMPARE(g.ServiceTable[3].Quant, 2);
        QCOMPARE(g.ServiceTable[3].Fim, QDate(2004, 12, 31));
        QVERIFY(g.ServiceTable[4].Descr.isEmpty());

        g.ServiceTable[7] = {7, QStringLiteral("Motorista"), QDate(2004, 3, 1), QDate(2004, 6, 30), 2, 5, QStringLiteral("S")};
        SaveServices();
        ResetModel();
        LoadServices();
        const ServiceRecord& s = Global().ServiceTable[7];
        QCOMPARE(s.Descr, QStringLiteral("Motorist"));   // cut to 8 when stored
        QCOMPARE(s.Ini, QDate(2004, 3, 1));
        QCOMPARE(s.Fim, QDate(2004, 6, 30));
        QCOMPARE(s.Quant, 2);
        QCOMPARE(s.Prio, 5);
        QVERIFY(s.Marca.isEmpty());   // the selection mark is never stored
    }

    void soldiersRoundTripEveryField()
    {
        FixtureFolder data;
        LoadSoldiers();
        GlobalModel& g = Global();
        QCOMPARE(g.SoldierTable[2].Num, QStringLiteral("10"));   // key order is text order
        SoldierRecord& barbosa = g.SoldierTable[5];
        QCOMPARE(barbosa.Num, QStringLiteral("2"));
        QCOMPARE(barbosa.PstGrd, QStringLiteral("1º Ten"));
        QCOMPARE(barbosa.PR, QStringLiteral("P"));
        QCOMPARE(barbosa.Ini, QDate(2004, 3, 8));
        QCOMPARE(barbosa.USv[0], QDate(2004, 2, 28));
        QVERIFY(g.SoldierTable[13].Num.isEmpty());

        barbosa.USv = {};
        barbosa.USv[0] = QDate(2004, 3, 1);
        barbosa.USv[1] = QDate(2004, 3, 5);
        SaveSoldiers();
        QSqlQuery row = data.module().selectBasicoByNum(QStringLiteral("2"));
        QVERIFY(row.next());
        QCOMPARE(row.value("USv").toString(), QStringLiteral("01/03/04 05/03/04 "));
        QCOMPARE(row.value("Ini").toString(), QStringLiteral("2004-03-08"));

        ResetModel();
        LoadSoldiers();
        const SoldierRecord& back = Global().SoldierTable[5];
        QCOMPARE(back.USv[0], QDate(2004, 3, 1));
        QCOMPARE(back.USv[1], QDate(2004, 3, 5));
        for (int slot = 2; slot < 10; ++slot)
            QVERIFY(back.USv[slot].isNull());
        QCOMPARE(back.Nome, QStringLiteral("Barbosa"));
        QCOMPARE(back.Fim, QDate(2004, 3, 12));
    }

    void usvTextIsReadUpToItsFirstEmptyToken_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("days");
        QTest::newRow("two days") << "01/03/04 05/03/04 " << 2;
        QTest::newRow("no trailing blank") << "01/03/04 05/03/04" << 2;
        QTest::newRow("two blanks end the list") << "01/03/04  05/03/04 " << 1;
        QTest::newRow("more than ten") << QStringLiteral("01/03/04 ").repeated(12) << 10;
    }
    void usvTextIsReadUpToItsFirstEmptyToken()
    {
        QFETCH(QString, text);
        QFETCH(int, days);
        ResetModel();
        ParseUSv(1, text);
        const auto& usv = Global().SoldierTable[1].USv;
        QCOMPARE(int(std::count_if(usv.begin(), usv.end(), [](const QDate& d) { return d.isValid(); })), days);
    }

    void badUsvDayStopsTheLoad()
    {
        ResetModel();
        Global().SoldierTable[1].Num = QStringLiteral("7");
        QVERIFY_THROWS_EXCEPTION(CoreError, ParseUSv(1, QStringLiteral("01/03/04 31/02/04 ")));
    }

    void nextTokenAndServiceDays()
    {
        QCOMPARE(NextToken(QStringLiteral("12 7 3"), 1), QStringLiteral("12"));
        QCOMPARE(NextToken(QStringLiteral("12 7 3"), 4), QStringLiteral("7"));
        QCOMPARE(NextToken(QStringLiteral("12 7 3"), 6), QStringLiteral("3"));
        QCOMPARE(NextToken(QStringLiteral("12 7 3"), 7), QString());
        QCOMPARE(NextToken(QStringLiteral("12  7"), 3), QString());

        ResetModel();
        auto& usv = Global().SoldierTable[1].USv;
        usv[0] = QDate(2004, 3, 5);
        usv[3] = QDate(2004, 3, 1);
        usv[9] = QDate(2004, 2, 2);
        SortServiceDays(1);
        for (int slot = 0; slot < 7; ++slot)
            QVERIFY(usv[slot].isNull());
        QCOMPARE(usv[7], QDate(2004, 2, 2));
        QCOMPARE(usv[8], QDate(2004, 3, 1));
        QCOMPARE(usv[9], QDate(2004, 3, 5));
    }

    void droppedMarksAndNoStaleSoldier()
    {
        FixtureFolder data;
        LoadSoldiers();
        GlobalModel& g = Global();
        g.SoldierTable[3].Num = QStringLiteral("x");   // 11 is dropped
        g.SoldierTable[4] = SoldierRecord();           // 12 emptied in the middle
        SaveSoldiers();
        LoadSoldiers();
        QCOMPARE(rowsOf(data.module(), QStringLiteral("Basico")), 10);
        QCOMPARE(Global().SoldierTable[10].Num, QStringLiteral("9"));
        QVERIFY(Global().SoldierTable[11].Num.isEmpty());   // no copy of the last soldier behind
        QVERIFY(Global().SoldierTable[12].Num.isEmpty());
    }

    void rosterRowsAfterAGapAndMarkedRows()
    {
        FixtureFolder data;
        LoadServices();
        LoadAllRosters();
        GlobalModel& g = Global();
        RosterTable& sv3 = g.Grades[3];
        QCOMPARE(sv3.cell(0, 1), QStringLiteral("10"));
        QCOMPARE(sv3.cell(1, 4), QStringLiteral("1"));   // 7: Pt 1
        sv3.row(6) = {QString(), QString(), QString()};                                   // 9 emptied
        sv3.row(7) = {QStringLiteral("40"), QStringLiteral("3"), QStringLiteral("4")};   // after the empty row
        sv3.cell(0, 2) = QStringLiteral("x");                                             // 11 dropped
        SaveAllRosters();
        ClearRoster(sv3);
        LoadRoster(sv3, QStringLiteral("Sv3.DB"));
        QStringList nums;
        for (int row = 1; !sv3.cell(0, row).isEmpty(); ++row)
            nums << sv3.cell(0, row);
        QCOMPARE(nums, QStringList({"10", "12", "40", "7", "8"}));
        QCOMPARE(sv3.cell(1, 3) + sv3.cell(2, 3), QStringLiteral("34"));
    }

    void selectRosterNamesItsTable()
    {
        ResetModel();
        GlobalModel& g = Global();
        QCOMPARE(SelectRoster(7, QStringLiteral("Base")), &g.Grades[7]);
        QCOMPARE(g.CurrentTableName, QStringLiteral("Sv7.DB"));
        QCOMPARE(SelectRoster(8, QStringLiteral("Outro")), nullptr);
        QCOMPARE(g.CurrentTableName, QStringLiteral("Sv8.DB"));
        QCOMPARE(SelectRoster(31, QStringLiteral("Base")), nullptr);
        QCOMPARE(g.CurrentTableName, QStringLiteral("Sv8.DB"));
    }

    void historyRoundTripAndDroppedRecords()
    {
        FixtureFolder data;
        LoadHistory();
        GlobalModel& g = Global();
        QCOMPARE(HistoryInUse(), 9);
        QCOMPARE(g.HistoryCache[3].Num, QStringLiteral("7 8"));
        QCOMPARE(g.HistoryCache[3].Dia, QDate(2004, 2, 27));
        QCOMPARE(g.HistoryCache[4].PtVm, QStringLiteral("Vm"));

        g.HistoryCache[2].Num.clear();                                                  // dropped
        g.HistoryCache[10] = {QDate(2004, 3, 1), 1, QStringLiteral("Of Dia"), QStringLiteral("1"), QStringLiteral("Pt")};
        g.HistoryCache[12] = {QDate(2004, 3, 2), 1, QStringLiteral("Of Dia"), QStringLiteral("2"), QStringLiteral("Pt")};
        SaveHistory();   // record 12 stands after the empty record 11: never written
        QCOMPARE(rowsOf(data.module(), QStringLiteral("Hist")), 9);

        LoadHistory();
        QCOMPARE(HistoryInUse(), 9);
        QCOMPARE(g.HistoryCache[9].Dia, QDate(2004, 3, 1));
        QVERIFY(g.HistoryCache[12].Descr.isEmpty());   // nothing stale behind the loaded records
    }

    void failedWritesLeaveTheOldTableWhole()
    {
        FixtureFolder data;
        LoadSoldiers();
        Global().SoldierTable[12].Num = QStringLiteral("1");   // a second soldier 1: the key refuses it
        QVERIFY_THROWS_EXCEPTION(CoreError, SaveSoldiers());
        QCOMPARE(rowsOf(data.module(), QStringLiteral("Basico")), 12);

        LoadServices();
        LoadAllRosters();
        Global().Grades[3].cell(1, 6) = QStringLiteral("três");
        QVERIFY_THROWS_EXCEPTION(CoreError, SaveAllRosters());
        QCOMPARE(rowsOf(data.module(), QStringLiteral("Sv3")), 6);
        Global().Grades[1].cell(0, 1) = QStringLiteral("x");
        QVERIFY_THROWS_EXCEPTION(CoreError, SaveAllRosters());   // one transaction for all rosters
        QCOMPARE(rowsOf(data.module(), QStringLiteral("Sv1")), 3);
    }

    void tablesLargerThanTheModelAreRefused()
    {
        FixtureFolder data;
        LoadSoldiers();
        fillTable(data.module(), QStringLiteral("INSERT INTO Basico (Num, Nome) VALUES (?, 'Extra')"), 989);
        QVERIFY_THROWS_EXCEPTION(CoreError, LoadSoldiers());
        QCOMPARE(Global().SoldierTable[1].Num, QStringLiteral("1"));   // the model is untouched
        QVERIFY(Global().SoldierTable[13].Num.isEmpty());

        fillTable(data.module(), QStringLiteral("INSERT INTO Sv5 (Num, Pt, Vm) VALUES (?, 0, 0)"), 501);
        QVERIFY_THROWS_EXCEPTION(CoreError, LoadRoster(Global().Grades[5], QStringLiteral("Sv5.DB")));
        QCOMPARE(rowsOf(data.module(), QStringLiteral("Sv5")), 501);
    }

    void clearingRoutines()
    {
        ResetModel();
        GlobalModel& g = Global();
        g.ServiceTable[2].Marca = QStringLiteral("S");
        g.SoldierTable[1] = {QStringLiteral("7"), QStringLiteral("Cb"), QStringLiteral("Nome"), QStringLiteral("P"),
                             QDate(2004, 1, 1), QDate(2004, 1, 2), {}};
        g.SoldierTable[1].USv[0] = QDate(2004, 1, 5);
        ClearSelectionMarks();
        ClearSoldiers();
        QVERIFY(g.ServiceTable[2].Marca.isEmpty());
        QVERIFY(g.SoldierTable[1].Num.isEmpty() && g.SoldierTable[1].PR.isEmpty());
        QVERIFY(g.SoldierTable[1].USv[0].isNull());
        QCOMPARE(g.SoldierTable[1].Ini, QDate(2004, 1, 1));   // absence days are left
    }
};

QTEST_GUILESS_MAIN(TestGlobalModel)
#include "TestGlobalModel.moc"
