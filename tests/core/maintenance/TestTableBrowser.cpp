// The table browser's core on the small fixture (Of Dia 1 to 3, Adj Of 4 to 6, Cb Gda 7 to 12;
// soldier 2 away planned, soldier 5 away real): the searches, the service the roster views show,
// typed values checked before they are stored, deleting rows, the rank pass on close, and the
// printout of a roster with its members' data.
#include "FixtureFolder.h"
#include "StoredTables.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "maintenance/TableBrowser.h"
#include "maintenance/TableBrowserPrintout.h"
#include "printing/RecordingPrinter.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <memory>

using Call = RecordingPrinter::Call;

namespace {

void run(const QString& statement)
{
    QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
    QVERIFY2(q.exec(statement), qPrintable(statement));
}

QVariant storedValue(const QString& table, const QString& keyColumn, const QVariant& key, const QString& column)
{
    QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
    q.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(column, table, keyColumn));
    q.addBindValue(key);
    if (!q.exec() || !q.next())
        return QVariant();
    return q.value(0);
}

QStringList numbersOf(QSqlQuery query)
{
    QStringList nums;
    while (query.next())
        nums << query.value(QStringLiteral("Num")).toString();
    return nums;
}

const QStringList AllTables{"Basico", "Sv", "Sv1", "Sv2", "Sv3"};

}

class TestTableBrowser : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;

private slots:
    void init() { m_data = std::make_unique<FixtureFolder>(); }
    void cleanup() { m_data.reset(); }

    void searchesFindTheSoldiers_data()
    {
        QTest::addColumn<int>("search");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("found");
        using S = PersonnelSearch;
        QTest::newRow("name with il") << int(S::ByName) << "il" << QStringList{"3", "7", "9"};
        QTest::newRow("name with a quote") << int(S::ByName) << "'" << QStringList{"9"};
        QTest::newRow("a wildcard is a letter") << int(S::ByName) << "%" << QStringList();
        QTest::newRow("capitals find small letters") << int(S::ByName) << "IL" << QStringList{"3", "7", "9"};
        QTest::newRow("small letters find capitals") << int(S::ByName) << "sil" << QStringList{"3"};
        QTest::newRow("an accented letter as typed") << int(S::ByName) << "lhã" << QStringList{"12"};
        QTest::newRow("an accented capital is another letter") << int(S::ByName) << "LHÃ" << QStringList();
        QTest::newRow("number") << int(S::ByNumber) << "5" << QStringList{"5"};
        QTest::newRow("number with a quote") << int(S::ByNumber) << "5' OR '1'='1" << QStringList();
        QTest::newRow("P") << int(S::Planned) << "" << QStringList{"2"};
        QTest::newRow("R") << int(S::Real) << "" << QStringList{"5"};
        QTest::newRow("P+R leaves out the empty ones") << int(S::PlannedOrReal) << "" << QStringList{"2", "5"};
        QTest::newRow("all, in number order") << int(S::All) << ""
                                              << QStringList{"1", "10", "11", "12", "2", "3", "4", "5", "6", "7", "8", "9"};
    }
    void searchesFindTheSoldiers()
    {
        QFETCH(int, search);
        QFETCH(QString, typed);
        QFETCH(QStringList, found);
        run("UPDATE Basico SET Nome = 'Silva' WHERE Num = '3'");
        run("UPDATE Basico SET Nome = 'Gil' WHERE Num = '7'");
        run("UPDATE Basico SET Nome = 'D''Avila' WHERE Num = '9'");
        QCOMPARE(numbersOf(SearchPersonnel(PersonnelSearch(search), typed)), found);
    }

    // The grid and the command line title the columns as the tables name them, on either engine.
    void columnTitlesAsTheTablesNameThem_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QStringList>("titles");
        const QStringList personnel{"Num", "Nome", "PstGrd", "PR", "Ini", "Fim", "USv"};
        QTest::newRow("a roster") << "Sv2.DB" << QStringList{"Num", "Pt", "Vm"};
        QTest::newRow("the services") << "Sv" << QStringList{"CodSv", "Descr", "Ini", "Fim", "Quant", "Prio", "Folga"};
        QTest::newRow("the register") << "Basico" << personnel;
        QTest::newRow("all the register") << "all" << personnel;
        QTest::newRow("a name") << "name" << personnel;
        QTest::newRow("a number") << "number" << personnel;
        QTest::newRow("an absence") << "absence" << personnel;
        QTest::newRow("a roster's situation")
            << "situation"
            << QStringList{"Num", "PstGrd", "Nome do Militar", "Pt", "Vm", "PrevReal", "Fora Escala de",
                           "Fora Escala ate", "Ultimos Servicos"};
    }
    void columnTitlesAsTheTablesNameThem()
    {
        QFETCH(QString, view);
        QFETCH(QStringList, titles);
        std::unique_ptr<QAbstractItemModel> model;
        if (view == "all" || view == "name" || view == "number" || view == "absence" || view == "situation") {
            auto query = std::make_unique<BrowserQueryModel>();
            if (view == "all")
                query->show(SearchPersonnel(PersonnelSearch::All));
            else if (view == "name")
                query->show(SearchPersonnel(PersonnelSearch::ByName, "a"));
            else if (view == "number")
                query->show(SearchPersonnel(PersonnelSearch::ByNumber, "5"));
            else if (view == "absence")
                query->show(SearchPersonnel(PersonnelSearch::PlannedOrReal));
            else
                query->show(TDMGeral::instance().selectRosterWithPersonnel("Sv3.DB"));
            model = std::move(query);
        } else {
            auto table = std::make_unique<BrowserTableModel>(view);
            table->refresh();
            model = std::move(table);
        }
        QVERIFY(model->rowCount() > 0);
        QStringList shown;
        for (int column = 0; column < model->columnCount(); ++column)
            shown << model->headerData(column, Qt::Horizontal).toString();
        QCOMPARE(shown, titles);
    }

    void theRosterViewsShowTheLowestTickedService_data()
    {
        QTest::addColumn<QList<int>>("ticked");
        QTest::addColumn<int>("shown");   // 0: none
        QTest::newRow("2 and 5 ticked") << QList<int>{5, 2} << 2;
        QTest::newRow("an unregistered code is passed over") << QList<int>{4, 5} << 5;
        QTest::newRow("nothing ticked") << QList<int>() << 0;
    }
    void theRosterViewsShowTheLowestTickedService()
    {
        QFETCH(QList<int>, ticked);
        QFETCH(int, shown);
        ServiceList services{};
        for (int code : {1, 2, 3, 5})
            services[code].Descr = QStringLiteral("Serv %1").arg(code);
        for (int code : ticked)
            services[code].Marca = QStringLiteral("S");
        QCOMPARE(ShownService(services).value_or(0), shown);
    }

    // Every refusal leaves every table as it was and names the table, the row, the column and why.
    void aValueTheLoadersWouldRefuseIsNeverStored_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("a day that is no day")
            << "Basico" << "3" << "Ini" << "31/02/04"
            << "A tabela Basico, no militar 3, tem na coluna Ini o valor \"31/02/04\", que não é um dia válido. "
               "Nada foi alterado.";
        QTest::newRow("a count that is no number")
            << "Sv2.DB" << "4" << "Pt" << "abc"
            << "A tabela Sv2, no militar 4, tem na coluna Pt o valor \"abc\", que não é um número inteiro. "
               "Nada foi alterado.";
        QTest::newRow("a number that is already there")
            << "Basico" << "3" << "Num" << "7"
            << "A tabela Basico, no militar 3, tem na coluna Num o valor \"7\", que já é o número de outro "
               "militar da tabela. Nada foi alterado.";
        QTest::newRow("a roster number that is already there")
            << "Sv3.DB" << "8" << "Num" << "12"
            << "A tabela Sv3, no militar 8, tem na coluna Num o valor \"12\", que já é o número de outro "
               "militar da tabela. Nada foi alterado.";
        QTest::newRow("a service code that is already there")
            << "Sv" << "2" << "CodSv" << "3"
            << "A tabela Sv, no serviço 2, tem na coluna CodSv o valor \"3\", que já é o código de outro "
               "serviço da tabela. Nada foi alterado.";
        QTest::newRow("a code past 30") << "Sv" << "2" << "CodSv" << "31" << "não é um código de serviço de 1 a 30";
        QTest::newRow("a kind of absence") << "Basico" << "3" << "PR" << "X" << "não é \"P\", \"R\" nem vazio";
        QTest::newRow("a name too long") << "Basico" << "3" << "Nome" << "Cardoso de Souza" << "tem mais de 15 caracteres";
        QTest::newRow("a number with a blank") << "Basico" << "3" << "Num" << "3 4" << "tem espaços em branco";
        QTest::newRow("an empty last day") << "Sv" << "1" << "Fim" << "" << "não pode ficar vazio";
        QTest::newRow("a list of days") << "Basico" << "3" << "USv" << "01/03/04 ontem" << "dias dd/mm/aa";
        QTest::newRow("a negative quantity") << "Sv" << "1" << "Quant" << "-1" << "é negativo";
    }
    void aValueTheLoadersWouldRefuseIsNeverStored()
    {
        QFETCH(QString, table);
        QFETCH(QString, key);
        QFETCH(QString, column);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        const QStringList before = StoredTables(m_data->module(), AllTables);
        try {
            StoreTypedValue(table, key, column, typed);
            QFAIL("the value was stored");
        } catch (const CoreError& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
        QCOMPARE(StoredTables(m_data->module(), AllTables), before);
    }

    void aSoundValueIsStoredInTheTablesForm_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("a day dd/mm/yy") << "Basico" << "3" << "Ini" << "05/03/04" << QVariant("2004-03-05");
        QTest::newRow("a day dd/mm/yyyy") << "Sv" << "1" << "Ini" << "01/02/2004" << QVariant("2004-02-01");
        QTest::newRow("an empty day") << "Basico" << "2" << "Fim" << "" << QVariant();
        QTest::newRow("a count") << "Sv2.DB" << "4" << "Pt" << " 7" << QVariant(7);
        QTest::newRow("a rank") << "Basico" << "3" << "PstGrd" << "1º Ten" << QVariant("1º Ten");
        QTest::newRow("a name with a quote") << "Basico" << "3" << "Nome" << "D'Avila" << QVariant("D'Avila");
        QTest::newRow("a list of days") << "Basico" << "3" << "USv" << "01/03/04 02/03/04 " << QVariant("01/03/04 02/03/04 ");
    }
    void aSoundValueIsStoredInTheTablesForm()
    {
        QFETCH(QString, table);
        QFETCH(QString, key);
        QFETCH(QString, column);
        QFETCH(QString, typed);
        QFETCH(QVariant, stored);
        const QString name = TableSchema::tableOf(table).name;
        const QString keyColumn = name == "Sv" ? "CodSv" : "Num";
        StoreTypedValue(table, key, column, typed);
        const QVariant value = storedValue(name, keyColumn, key, column);
        if (stored.isNull())
            QVERIFY(value.toString().isEmpty());
        else
            QCOMPARE(value.toString(), stored.toString());
        // The loaders read the table as it now stands.
        LoadServices();
        LoadSoldiers();
    }

    void aNewKeyMovesTheRow()
    {
        StoreTypedValue("Basico", "3", "Num", "30");
        QCOMPARE(storedValue("Basico", "Num", "30", "Nome").toString(), QStringLiteral("Cardoso"));
        QVERIFY(!storedValue("Basico", "Num", "3", "Nome").isValid());
    }

    void aMissingRowOrColumnIsRefused()
    {
        QVERIFY_THROWS_EXCEPTION(CoreError, StoreTypedValue("Sv2.DB", "7", "Pt", "1"));
        QVERIFY_THROWS_EXCEPTION(CoreError, StoreTypedValue("Basico", "3", "Posto", "Cb"));
        QVERIFY_THROWS_EXCEPTION(CoreError, StoreTypedValue("Hist", "3", "Num", "1"));
    }

    // The grid's model: days shown as typed, a refused value keeps the old one and is told.
    void theGridShowsDaysAndKeepsARefusedRow()
    {
        BrowserTableModel model("Basico");
        model.refresh();
        QSignalSpy refused(&model, &BrowserTableModel::editRefused);
        const int row = model.rowOfKey("5");
        const QModelIndex ini = model.index(row, model.columnOf("Ini"));
        QCOMPARE(model.data(ini).toString(), QStringLiteral("01/03/04"));

        QVERIFY(!model.setData(ini, "35/03/04"));
        QCOMPARE(refused.count(), 1);
        QCOMPARE(refused.first().first().toString(), model.lastRefusal());
        QVERIFY(model.lastRefusal().contains("não é um dia válido"));
        QCOMPARE(model.data(ini).toString(), QStringLiteral("01/03/04"));

        QVERIFY(model.setData(ini, "02/03/2004"));
        QVERIFY(model.lastRefusal().isEmpty());
        QCOMPARE(model.data(ini).toString(), QStringLiteral("02/03/04"));
        QCOMPARE(storedValue("Basico", "Num", "5", "Ini").toString(), QStringLiteral("2004-03-02"));
    }

    void deletesTheChosenRowsTogether()
    {
        BrowserTableModel model("Sv3.DB");
        model.refresh();
        model.deleteRows({model.rowOfKey("8"), model.rowOfKey("10"), model.rowOfKey("8")});
        QCOMPARE(StoredRows(m_data->module(), "Sv3").size(), 4);
        QCOMPARE(numbersOf(QSqlQuery("SELECT Num FROM Sv3 ORDER BY Num", TDMGeral::instance().database(Alias::Ravelha))),
                 (QStringList{"11", "12", "7", "9"}));
        QCOMPARE(model.rowCount(), 4);
    }

    // Ranks typed in the register are brought to their model spellings when the browser closes; an
    // unrecognised one is asked once and learned.
    void theRankPassOnClose()
    {
        StoreTypedValue("Basico", "3", "PstGrd", "1 Ten");
        StoreTypedValue("Basico", "7", "PstGrd", "Sgto");
        StoreTypedValue("Basico", "8", "PstGrd", "Sgto");
        QStringList asked;
        const NormaliseOutcome outcome = RankPassOnClose([&](const QString& spelling, const QStringList& models) {
            asked << spelling;
            return std::optional<int>(int(models.indexOf("1º Sgt")) + 1);
        });
        QCOMPARE(asked, QStringList{"Sgto"});
        QCOMPARE(storedValue("Basico", "Num", "3", "PstGrd").toString(), QStringLiteral("1º Ten"));
        QCOMPARE(storedValue("Basico", "Num", "7", "PstGrd").toString(), QStringLiteral("1º Sgt"));
        QCOMPARE(storedValue("Basico", "Num", "8", "PstGrd").toString(), QStringLiteral("1º Sgt"));
        QCOMPARE(outcome.learned, QStringList{"Sgto"});
        // Learned: the spelling stands in the first free column of the rank's row.
        const RankModelGrid grid = LoadRankModels();
        const int row = int(grid.modelSpellings().indexOf("1º Sgt")) + 1;
        QCOMPARE(grid.cell(1, row), QStringLiteral("Sgto"));
    }

    void printsTheChosenRowsOrAll_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QStringList>("nums");
        QTest::newRow("three rows selected") << QList<int>{4, 0, 2} << QStringList{"10", "12", "8"};
        QTest::newRow("none selected") << QList<int>() << QStringList{"10", "11", "12", "7", "8", "9"};
    }
    void printsTheChosenRowsOrAll()
    {
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, nums);
        BrowserQueryModel view;
        view.show(TDMGeral::instance().selectRosterWithPersonnel("Sv3.DB"));
        RecordingPrinter printer(3150, 2400);
        QCOMPARE(PrintSituation(printer, "Cb Gda", SituationRows(view, selected)), 1);

        const QList<Call> calls = printer.calls();
        QCOMPARE(calls.first().kind, Call::Begin);
        QCOMPARE(calls.at(1).kind, Call::Font);
        QCOMPARE(calls.at(1).text, QStringLiteral("Courier"));
        QCOMPARE(calls.at(1).size, 12);
        QCOMPARE(calls.last().kind, Call::End);
        const QList<Call> texts = printer.texts();
        QCOMPARE(texts.first().text, QStringLiteral("Situacao da Escala de: Cb Gda"));
        QCOMPARE(QPoint(texts.first().x, texts.first().y), QPoint(950, 150));
        QStringList headings;
        QList<int> headingX;
        QStringList printedNums;
        for (const Call& c : texts) {
            if (c.y == 230) {
                headings << c.text;
                headingX << c.x;
            } else if (c.x == 100 && c.y >= 310) {
                QCOMPARE((c.y - 310) % 50, 0);
                printedNums << c.text;
            }
        }
        QCOMPARE(headings, (QStringList{"Num", "Nome", "PR", "Início", "Fim", "Pt", "Vm", "Últimos Serviços"}));
        QCOMPARE(headingX, (QList<int>{100, 250, 850, 950, 1200, 1450, 1550, 1650}));
        QCOMPARE(printedNums, nums);
    }

    // Each text cut to its width; counts whole; of the last services the most recent whole days
    // that fit in 35 characters (the stored text ends with a blank, so its last 35 characters
    // would begin inside a date).
    void printsEachValueCutToItsWidth()
    {
        const QString days = "01/01/04 02/01/04 03/01/04 04/01/04 05/01/04 16/01/04 ";
        run("UPDATE Sv2 SET Pt = 123 WHERE Num = '5'");
        run("UPDATE Basico SET Nome = 'Esteves de Almeida', USv = '" + days + "' WHERE Num = '5'");
        BrowserQueryModel view;
        view.show(TDMGeral::instance().selectRosterWithPersonnel("Sv2.DB"));
        RecordingPrinter printer(3150, 2400);
        PrintSituation(printer, "Adj Of", SituationRows(view, {1}));
        QMap<int, QString> row;
        for (const Call& c : printer.texts())
            if (c.y == 310)
                row[c.x] = c.text;
        QCOMPARE(row.value(100), QStringLiteral("5"));
        QCOMPARE(row.value(250), QStringLiteral("Esteves de Alme"));
        QCOMPARE(row.value(850), QStringLiteral("R"));
        QCOMPARE(row.value(950), QStringLiteral("01/03/04"));
        QCOMPARE(row.value(1200), QStringLiteral("05/03/04"));
        QCOMPARE(row.value(1450), QStringLiteral("123"));
        QCOMPARE(row.value(1550), QStringLiteral("1"));
        QCOMPARE(row.value(1650), QStringLiteral("03/01/04 04/01/04 05/01/04 16/01/04"));
    }

    // A roster longer than a page goes on to further pages, each with the title and headings.
    void aLongRosterGoesOnToFurtherPages()
    {
        BrowserQueryModel view;
        view.show(TDMGeral::instance().selectRosterWithPersonnel("Sv3.DB"));
        RecordingPrinter printer(3150, 310 + 2 * 50);   // two rows a page
        QCOMPARE(PrintSituation(printer, "Cb Gda", SituationRows(view, {})), 3);
        for (int page = 1; page <= 3; ++page) {
            QStringList onPage;
            for (const Call& c : printer.texts())
                if (c.page == page && (c.y == 150 || c.x == 100))
                    onPage << QStringLiteral("%1@%2").arg(c.text).arg(c.y);
            QCOMPARE(onPage.size(), 4);
            QCOMPARE(onPage.first(), QStringLiteral("Situacao da Escala de: Cb Gda@150"));
            QCOMPARE(onPage.at(1), QStringLiteral("Num@230"));
            QVERIFY(onPage.at(2).endsWith("@310"));
            QVERIFY(onPage.at(3).endsWith("@360"));
        }
    }
};

QTEST_GUILESS_MAIN(TestTableBrowser)
#include "TestTableBrowser.moc"
