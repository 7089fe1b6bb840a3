// The in-memory model: its loaders and writers keep every field, and a failed write changes nothing.
#include "FixtureFolder.h"
#include "data/CoreError.h"
#include "data/TableSchema.h"
#include "data/UGlobal.h"

#include <QDir>
#include <QSqlQuery>
#include <QTest>
#include <functional>
#include <map>

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

bool plant(TDMGeral& module, Alias alias, const QString& sql)
{
    QSqlQuery q(module.database(alias));
    return q.exec(sql) && q.numRowsAffected() == 1;
}

// The parts of the model the loaders fill, as one text.
QString modelSnapshot()
{
    const GlobalModel& g = Global();
    QStringList parts;
    for (int n = 1; n <= 4; ++n) {
        const ServiceRecord& s = g.ServiceTable[n];
        parts << s.Descr << s.Fim.toString() << QString::number(s.Quant);
        for (int row = 1; row <= 7; ++row)
            parts << g.Grades[n].cell(0, row) + g.Grades[n].cell(1, row) + g.Grades[n].cell(2, row);
    }
    for (int i = 1; i <= 14; ++i)
        parts << g.SoldierTable[i].Num << g.SoldierTable[i].Nome << g.SoldierTable[i].PR;
    for (int i = 1; i <= 11; ++i)
        parts << g.HistoryCache[i].Descr << g.HistoryCache[i].Num;
    return parts.join(QLatin1Char('|'));
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

    // A row the model cannot hold stops its loader with a message before the model is touched.
    void loadersRefuseBadRowsBeforeTheModelIsTouched_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("inBackup");
        QTest::addColumn<QString>("loader");
        QTest::addColumn<QString>("message");
        QTest::newRow("services") << "UPDATE Sv SET Quant = 'abc' WHERE CodSv = 2" << false << "services"
                                  << R"(A tabela Sv, no serviço 2, tem na coluna Quant o valor "abc", que não é um número inteiro.)";
        QTest::newRow("soldiers") << "UPDATE Basico SET USv = '27/02/04 28/02/04 29/02/04 01/03/04 02/03/04 03/03/04 "
                                     "04/03/04 05/03/04 06/03/04 07/03/04 08/03/04 ' WHERE Num = '12'"
                                  << false << "soldiers"
                                  << R"(A tabela Basico, no militar 12, tem na coluna USv o valor "27/02/04 28/02/04 29/02/04 01/03/04 02/03/04 03/03/04 04/03/04 05/03/04 06/03/04 07/03/04 08/03/04 ", que não é uma lista de até 10 dias dd/mm/aa separados por um espaço.)";
        QTest::newRow("history") << "UPDATE Hist SET PtVm = 'Az' WHERE Dia = '2004-02-29' AND CodSv = 3" << false << "history"
                                 << R"(A tabela Hist, no dia 29/02/04, serviço 3, tem na coluna PtVm o valor "Az", que não é "Pt", "Vm" nem vazio.)";
        QTest::newRow("one roster") << "UPDATE Sv3 SET Vm = 2.5 WHERE Num = '12'" << false << "roster 3"
                                    << R"(A tabela Sv3, no militar 12, tem na coluna Vm o valor "2.5", que não é um número inteiro.)";
        // Sv1 is read before Sv3 but not put in place.
        QTest::newRow("all rosters") << "UPDATE Sv3 SET Num = '' WHERE Num = '8'" << false << "rosters"
                                     << R"(A tabela Sv3, no militar sem número, tem na coluna Num o valor "", que não pode ficar vazio.)";
        QTest::newRow("initial register") << "UPDATE RavBasico SET PR = 'X' WHERE Num = '3'" << false << "initial soldiers"
                                          << R"(A tabela RavBasico, no militar 3, tem na coluna PR o valor "X", que não é "P", "R" nem vazio.)";
        QTest::newRow("backup register") << "INSERT INTO Basico (Num, Nome) VALUES ('1 2', 'Duplo')" << true << "backup soldiers"
                                         << R"(A tabela Basico da cópia de segurança, no militar "1 2", tem na coluna Num o valor "1 2", que tem espaços em branco.)";
        QTest::newRow("backup services") << "INSERT INTO Sv (CodSv, Descr, Ini, Quant, Prio) VALUES (5, 'Ronda', '2004-01-01', 1, 1)"
                                         << true << "backup services"
                                         << R"(A tabela Sv da cópia de segurança, no serviço 5, tem na coluna Fim o valor "", que não pode ficar vazio.)";
    }
    void loadersRefuseBadRowsBeforeTheModelIsTouched()
    {
        QFETCH(QString, sql);
        QFETCH(bool, inBackup);
        QFETCH(QString, loader);
        QFETCH(QString, message);
        FixtureFolder data;
        if (inBackup) {
            QVERIFY(QDir().mkpath(data.backupPath()));
            data.module().createTables(Alias::BackUpRavSv, TableSchema::workingTables());
        }
        LoadServices();
        LoadAllRosters();
        LoadSoldiers();
        LoadHistory();
        GlobalModel& g = Global();
        g.ServiceTable[2].Quant = 9;               // changes in memory that a refused load must keep
        g.Grades[1].cell(RosterTable::PtCol, 1) = QStringLiteral("40");
        g.SoldierTable[1].Nome = QStringLiteral("Marcado");
        g.HistoryCache[1].Num = QStringLiteral("99");
        const QString before = modelSnapshot();

        const Alias alias = inBackup ? Alias::BackUpRavSv : Alias::Ravelha;
        // A server's column types refuse a text in a number column themselves, and it keeps no
        // initial tables (they stay with the program).
        const bool planted = plant(data.module(), alias, sql);
        if (!planted && data.module().onServer(alias))
            QSKIP("the server refuses such a row itself, or keeps no such table");
        QVERIFY(planted);
        const std::map<QString, std::function<void()>> loaders{
            {"services", [] { LoadServices(); }},
            {"soldiers", [] { LoadSoldiers(); }},
            {"history", [] { LoadHistory(); }},
            {"roster 3", [] { LoadRoster(Global().Grades[3], QStringLiteral("Sv3.DB")); }},
            {"rosters", [] { LoadAllRosters(); }},
            {"initial soldiers", [] { LoadSoldiers(Alias::Ravelha, QStringLiteral("RavBasico")); }},
            {"backup soldiers", [] { LoadSoldiers(Alias::BackUpRavSv); }},
            {"backup services", [] { LoadServicesInto(Global().ServiceTable, Alias::BackUpRavSv, QStringLiteral("Sv")); }},
        };
        try {
            loaders.at(loader)();
            QFAIL("the bad row was loaded");
        } catch (const CoreError& e) {
            QCOMPARE(e.message(), message + QStringLiteral(" Nada foi alterado."));
        }
        QCOMPARE(modelSnapshot(), before);
    }

    // A writer never stores a row the loaders would refuse; names and ranks are cut to their fields.
    void writersStoreOnlyWhatTheLoadersRead()
    {
        FixtureFolder data;
        LoadSoldiers();
        GlobalModel& g = Global();
        g.SoldierTable[1].Nome = QStringLiteral("Andrade de Souza Lima");
        g.SoldierTable[3].Num = QStringLiteral("1 1");
        try {
            SaveSoldiers();
            QFAIL("a number with a blank was stored");
        } catch (const CoreError& e) {
            QCOMPARE(e.message(), QStringLiteral("A tabela Basico, no militar \"1 1\", tem na coluna Num o valor \"1 1\", que "
                                                 "tem espaços em branco. Nada foi alterado."));
        }
        LoadSoldiers();   // the table is whole
        QCOMPARE(g.SoldierTable[3].Num, QStringLiteral("11"));
        g.SoldierTable[1].Nome = QStringLiteral("Andrade de Souza Lima");
        SaveSoldiers();
        LoadSoldiers();
        QCOMPARE(g.SoldierTable[1].Nome, QStringLiteral("Andrade de Souz"));

        // A history record without a day: a message of the program, not the engine's constraint.
        LoadHistory();
        g.HistoryCache[2].Dia = QDate();
        try {
            SaveHistory();
            QFAIL("a record without a day was stored");
        } catch (const CoreError& e) {
            QCOMPARE(e.message(), QStringLiteral("A tabela Hist, no dia \"\", serviço 2, tem na coluna Dia o valor \"\", que "
                                                 "não pode ficar vazio. Nada foi alterado."));
        }
        QCOMPARE(rowsOf(data.module(), QStringLiteral("Hist")), 9);
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
