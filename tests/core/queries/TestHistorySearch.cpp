// The history search: from the typed texts to the search (or its refusal), and to the grid's rows.
#include "FixtureFolder.h"
#include "data/UGlobal.h"
#include "queries/HistoryGridModel.h"
#include "queries/HistorySearch.h"

#include <QSqlQuery>
#include <QTest>

namespace {

// Adds history records: day (ISO), code, Num, PtVm.
void addHistory(TDMGeral& module, const QList<QStringList>& rows)
{
    QSqlQuery q(module.database(Alias::Ravelha));
    for (const QStringList& r : rows) {
        q.prepare(QStringLiteral("INSERT INTO Hist VALUES (?, ?, 'Sv', ?, ?)"));
        q.addBindValue(r[0]);
        q.addBindValue(r[1].toInt());
        q.addBindValue(r[2]);
        q.addBindValue(r[3]);
        QVERIFY(q.exec());
    }
}

// Each row as "dd/mm/yy COD Num".
QStringList found(const HistorySearchInput& input)
{
    const HistorySearchPlan plan = PlanHistorySearch(input);
    if (!plan.refusal.isEmpty())
        return {QStringLiteral("refused: ") + plan.refusal};
    QStringList rows;
    for (const HistoryRow& row : SearchHistory(plan.search))
        rows << QStringLiteral("%1 %2 %3").arg(row.dia).arg(row.codSv).arg(row.num);
    return rows;
}

}

class TestHistorySearch : public QObject {
    Q_OBJECT
private slots:
    void numberIsFoundAloneFirstInsideOrLast_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("listed");
        QTest::newRow("alone") << "4" << "4" << true;
        QTest::newRow("first") << "4 12" << "4" << true;
        QTest::newRow("inside") << "12 4 7" << "4" << true;
        QTest::newRow("last") << "12 4" << "4" << true;
        QTest::newRow("with a trailing blank") << "4 " << "4" << true;
        QTest::newRow("inside a longer number") << "14" << "4" << false;
        QTest::newRow("first digit of a number") << "45 12" << "4" << false;
        QTest::newRow("last digit of the last number") << "12 34" << "4" << false;
        QTest::newRow("wildcard typed") << "14" << "%" << false;
        QTest::newRow("one-character wildcard typed") << "12" << "1_" << false;
        QTest::newRow("four characters") << "7 1024 9" << "1024" << true;
    }
    void numberIsFoundAloneFirstInsideOrLast()
    {
        QFETCH(QString, list);
        QFETCH(QString, number);
        QFETCH(bool, listed);
        FixtureFolder data;
        data.module().emptyTablesForReset();
        addHistory(data.module(), {{"2004-03-05", "1", list, "Pt"}});
        HistorySearchInput input;
        input.number = number;
        QCOMPARE(found(input), listed ? QStringList{"05/03/04 1 " + list} : QStringList());
    }

    void conditionsCombine_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QList<int>>("services");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("rows");
        const QList<int> every;
        QTest::newRow("nothing typed: the whole history")
            << "" << "" << "" << every << ""
            << QStringList{"27/02/04 1 1",    "27/02/04 2 4",    "27/02/04 3 7 8", "28/02/04 1 2",
                           "28/02/04 2 5",    "28/02/04 3 9 10", "29/02/04 1 3",   "29/02/04 2 6",
                           "29/02/04 3 11 12", "01/03/04 1 4",   "01/03/04 3 12 4", "06/03/04 3 4 12"};
        QTest::newRow("one day") << "28/02/04" << "28/02/04" << "" << every << ""
                                 << QStringList{"28/02/04 1 2", "28/02/04 2 5", "28/02/04 3 9 10"};
        QTest::newRow("two-digit first year, four-digit last year")
            << "29/02/04" << "01/03/2004" << "" << every << ""
            << QStringList{"29/02/04 1 3", "29/02/04 2 6", "29/02/04 3 11 12", "01/03/04 1 4", "01/03/04 3 12 4"};
        QTest::newRow("one-digit day and month") << "1/3/04" << "1/3/04" << "" << every << ""
                                                 << QStringList{"01/03/04 1 4", "01/03/04 3 12 4"};
        QTest::newRow("a last day alone sets no period")
            << "" << "28/02/04" << "" << QList<int>{1} << ""
            << QStringList{"27/02/04 1 1", "28/02/04 1 2", "29/02/04 1 3", "01/03/04 1 4"};
        QTest::newRow("first day after the last: refused") << "29/02/04" << "27/02/04" << "" << every << ""
                                                           << QStringList{"refused: A Data Início (29/02/04) é "
                                                                          "posterior à Data Fim (27/02/04)."};
        QTest::newRow("services and red days") << "" << "" << "" << QList<int>{3} << "Vm"
                                               << QStringList{"28/02/04 3 9 10", "29/02/04 3 11 12", "06/03/04 3 4 12"};
        QTest::newRow("a number") << "" << "" << "4" << every << ""
                                  << QStringList{"27/02/04 2 4", "01/03/04 1 4", "01/03/04 3 12 4", "06/03/04 3 4 12"};
        QTest::newRow("a number on black days of a period")
            << "01/03/04" << "31/03/04" << "4" << every << "Pt" << QStringList{"01/03/04 1 4", "01/03/04 3 12 4"};
        QTest::newRow("a number with blanks around it, in two services")
            << "" << "" << " 12 " << QList<int>{2, 3} << ""
            << QStringList{"29/02/04 3 11 12", "01/03/04 3 12 4", "06/03/04 3 4 12"};
        QTest::newRow("every condition") << "27/02/04" << "06/03/04" << "12" << QList<int>{3} << "Vm"
                                         << QStringList{"29/02/04 3 11 12", "06/03/04 3 4 12"};
    }
    void conditionsCombine()
    {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, number);
        QFETCH(QList<int>, services);
        QFETCH(QString, kind);
        QFETCH(QStringList, rows);
        FixtureFolder data;
        addHistory(data.module(), {{"2004-03-01", "1", "4", "Pt"}, {"2004-03-01", "3", "12 4", "Pt"},
                                   {"2004-03-06", "3", "4 12", "Vm"}});
        QCOMPARE(found({first, last, number, services, kind}), rows);
    }

    void typedTextsAreCheckedBeforeAnySearch_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("field");
        const int First = int(HistoryField::FirstDay), Last = int(HistoryField::LastDay),
                  Number = int(HistoryField::Number);
        QTest::newRow("no such day") << "31/02/04" << "31/02/04" << "" << "31/02/04 >>> Data inválida" << First;
        QTest::newRow("year out of reach") << "05/03/1904" << "05/03/1904" << ""
                                           << "05/03/1904 >>> Data inválida" << First;
        QTest::newRow("another separator") << "05-03-04" << "05-03-04" << "" << "05-03-04 >>> Data inválida" << First;
        QTest::newRow("bad last day") << "01/03/04" << "1/13/04" << "" << "1/13/04 >>> Data inválida" << Last;
        QTest::newRow("last day emptied") << "01/03/04" << " " << ""
                                          << "Digite também a Data Fim (dd/mm/aa) do período a pesquisar." << Last;
        QTest::newRow("start after the end") << "10/03/04" << "01/03/04" << ""
                                             << "A Data Início (10/03/04) é posterior à Data Fim (01/03/04)." << Last;
        QTest::newRow("number too long")
            << "" << "" << "12345"
            << "O número \"12345\" tem mais de 4 caracteres; digite um só número de militar. Nada foi pesquisado."
            << Number;
        QTest::newRow("two numbers") << "" << "" << "4 12"
                                     << "O número \"4 12\" tem espaços; digite um só número de militar. Nada foi "
                                        "pesquisado."
                                     << Number;
    }
    void typedTextsAreCheckedBeforeAnySearch()
    {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, number);
        QFETCH(QString, message);
        QFETCH(int, field);
        const HistorySearchPlan plan = PlanHistorySearch({first, last, number, {}, QString()});
        QCOMPARE(plan.refusal, message);
        QCOMPARE(int(plan.field), field);
    }

    void gridShowsTheRowsInItsColumnOrder()
    {
        FixtureFolder data;
        addHistory(data.module(), {{"2004-3-5", "2", "6", "Pt"}});   // a day stored in a wrong form
        HistoryGridModel model;
        model.setRows(SearchHistory(HistSearch{}));
        QCOMPARE(model.rowCount(), 10);
        QCOMPARE(model.columnCount(), 5);
        QStringList header, first, stray;
        for (int c = 0; c < model.columnCount(); ++c) {
            header << model.headerData(c, Qt::Horizontal).toString();
            first << model.index(0, c).data().toString();
            stray << model.index(9, c).data().toString();
        }
        QCOMPARE(header, QStringList({"Dia", "PtVm", "Descr", "Num", "CodSv"}));
        QCOMPARE(first, QStringList({"27/02/04", "Pt", "Of Dia", "1", "1"}));
        QCOMPARE(stray, QStringList({"2004-3-5", "Pt", "Sv", "6", "2"}));   // shown as stored, not hidden
    }

    void chosenServicesAreTheMarkedCodes()
    {
        FixtureFolder data;
        LoadServices();
        ClearSelectionMarks();
        QCOMPARE(ChosenServices(), QList<int>());
        for (int code : {30, 3, 1})   // 30 is no registered service, but its history may remain
            Global().ServiceTable[code].Marca = QStringLiteral("S");
        QCOMPARE(ChosenServices(), QList<int>({1, 3, 30}));
    }
};

QTEST_GUILESS_MAIN(TestHistorySearch)
#include "TestHistorySearch.moc"
