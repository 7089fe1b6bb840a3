// The register of services on the small fixture: Of Dia (1), Adj Of (2) and Cb Gda (3), all three
// with history rows and members. Tests that need a service without history add one.
#include "FixtureFolder.h"
#include "StoredTables.h"
#include "data/CoreError.h"
#include "data/UGlobal.h"
#include "maintenance/ServiceRegister.h"

#include <QSqlQuery>
#include <QTest>

using namespace ServiceRegister;

namespace {

void run(const QString& statement)
{
    QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
    QVERIFY2(q.exec(statement), qPrintable(statement));
}

// Adds services to the stored register ("code:Descr"), each from 01/01/04 to 31/12/04, quantity 1,
// priority = code; then the model is loaded afresh.
void addServices(const QStringList& services)
{
    LoadServices();
    for (const QString& s : services) {
        const int code = s.section(QLatin1Char(':'), 0, 0).toInt();
        Global().ServiceTable[code] =
            ServiceRecord{code, s.section(QLatin1Char(':'), 1), QDate(2004, 1, 1), QDate(2004, 12, 31), 1, code, {}};
    }
    SaveServices();
    ResetModel();
    LoadServices();
}

ServiceBoxes newService(const QString& code, const QString& descr = QStringLiteral("Rancho"),
                        const QString& quant = QStringLiteral("2"), const QString& prio = QString())
{
    return {code, descr, quant, prio, NewServiceStart, NewServiceEnd, RestShown};
}

QStringList everyTable(TDMGeral& module)
{
    QStringList tables{"Sv", "Hist", "Basico"};
    for (int code = 1; code <= 30; ++code)
        tables << QStringLiteral("Sv%1").arg(code);
    return StoredTables(module, tables);
}

const auto Yes = [](const QString&) { return true; };

}

class TestServiceRegister : public QObject {
    Q_OBJECT
private slots:
    void init() { ResetModel(); }

    void freeCodesAndTheTwoColumns()
    {
        FixtureFolder data;
        addServices({"4:Sgt Dia", "7:Motora", "16:Ronda"});
        const ServiceList& services = Global().ServiceTable;
        QCOMPARE(FreeCodesText(services),
                 QStringLiteral("Códigos livres:  5 6 8 9 10 11 12 13 14 15 17 18 19 20 21 22 23 24 25 26 27 28 29 30 "));
        const QStringList left = LeftColumn(services);
        const QStringList right = RightColumn(services);
        QCOMPARE(left.size(), 15);
        QCOMPARE(right.size(), 15);
        QCOMPARE(left.first(), QStringLiteral("1 - Of Dia"));
        QCOMPARE(left.at(3), QStringLiteral("4 - Sgt Dia"));
        QCOMPARE(left.at(4), QStringLiteral("5 - "));
        QCOMPARE(left.last(), QStringLiteral("15 - "));
        QCOMPARE(right.first(), QStringLiteral("16 - Ronda"));
        QCOMPARE(right.last(), QStringLiteral("30 - "));
        // Side by side for the command line: row i holds codes i and i + 15.
        const QStringList rows = ListingRows(services);
        QCOMPARE(rows.size(), 15);
        QCOMPARE(rows.first().section(QLatin1Char(' '), 0, 2), QStringLiteral("1 - Of"));
        QVERIFY(rows.first().endsWith(QStringLiteral("16 - Ronda")));
        QVERIFY(rows.at(6).startsWith(QStringLiteral("7 - Motora ")));
        QVERIFY(rows.at(6).endsWith(QStringLiteral("22 - ")));
    }

    void includesWithTheOfferedDaysAndPriorityTen()
    {
        FixtureFolder data;
        LoadServices();
        const ServiceSaveOutcome outcome = SaveService(ServiceMode::Incluir, newService("5", "Guarda Quartel"));
        QVERIFY2(outcome.saved, qPrintable(outcome.message));
        QCOMPARE(outcome.message, QString());
        // Cut to eight characters; the rest column holds nothing after a save of the register.
        QCOMPARE(StoredRows(data.module(), "Sv"),
                 (QStringList{"1|Of Dia|2004-01-01|2004-12-31|1|1|", "2|Adj Of|2004-01-01|2004-12-31|1|2|",
                              "3|Cb Gda|2004-01-01|2004-12-31|2|3|", "5|Guarda Q|2000-01-01|2050-01-01|2|10|"}));
        QVERIFY(!FreeCodesText(Global().ServiceTable).contains(QStringLiteral(" 5 ")));
    }

    // Rows left in the roster table of a free code (a reset leaves those of services 7 to 30) are
    // not the new service's members: it starts with an empty roster.
    void aNewServiceStartsWithoutTheRowsLeftInItsTable()
    {
        FixtureFolder data;
        LoadServices();
        TDMGeral::instance().insertRosterRow(7, QStringLiteral("1"), 3, 2);
        TDMGeral::instance().insertRosterRow(7, QStringLiteral("2"), 1, 4);
        const ServiceSaveOutcome outcome = SaveService(ServiceMode::Incluir, newService("7", "Rancho"));
        QVERIFY2(outcome.saved, qPrintable(outcome.message));
        QCOMPARE(StoredRows(data.module(), "Sv7"), QStringList());
        LoadAllRosters();
        QCOMPARE(Global().Grades[7].cell(RosterTable::NumCol, 1), QString());
    }

    void changesAServiceAndKeepsItsRoster()
    {
        FixtureFolder data;
        LoadServices();
        const QStringList roster = StoredRows(data.module(), "Sv2");
        const ServiceSaveOutcome outcome =
            SaveService(ServiceMode::Alterar, {" 2", "Adjunto", "3", "7", "02/02/04", "30/06/04", RestShown});
        QVERIFY2(outcome.saved, qPrintable(outcome.message));
        QCOMPARE(StoredRows(data.module(), "Sv").at(1), QStringLiteral("2|Adjunto|2004-02-02|2004-06-30|3|7|"));
        QCOMPARE(StoredRows(data.module(), "Sv2"), roster);
    }

    void aCodeInUseIsShownNotIncluded()
    {
        FixtureFolder data;
        LoadServices();
        const QStringList before = everyTable(data.module());
        const ServiceSaveOutcome outcome = SaveService(ServiceMode::Incluir, newService("3"));
        QVERIFY(!outcome.saved);
        QCOMPARE(outcome.message, QStringLiteral("Código já existente"));
        QVERIFY(outcome.existing);
        QCOMPARE(outcome.existing->descr, QStringLiteral("Cb Gda"));
        QCOMPARE(outcome.existing->quant, QStringLiteral("2"));
        QCOMPARE(outcome.existing->prio, QStringLiteral("3"));
        QCOMPARE(outcome.existing->ini, QStringLiteral("01/01/04"));
        QCOMPARE(outcome.existing->fim, QStringLiteral("31/12/04"));
        QCOMPARE(everyTable(data.module()), before);
    }

    void refusalsChangeNothing_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("boxes");   // code, descr, quant, prio, ini, fim, rest
        QTest::addColumn<QString>("message");
        const int inc = int(ServiceMode::Incluir), exc = int(ServiceMode::Excluir), alt = int(ServiceMode::Alterar);
        QTest::newRow("start not a day, before an empty code")
            << inc << QStringList{"", "X", "1", "", "31/02/04", "01/01/50", "2"} << "31/02/04 >>> Data inválida";
        QTest::newRow("end empty") << alt << QStringList{"1", "X", "1", "", "01/01/04", "", "2"}
                                   << " >>> Data inválida";
        QTest::newRow("code empty") << inc << QStringList{"", "X", "1", "", "01/01/00", "01/01/50", "2"}
                                    << "Campo Código é obrigatório";
        QTest::newRow("code not a number") << inc << QStringList{"5a", "X", "1", "", "01/01/00", "01/01/50", "2"}
                                           << "Código \"5a\" inválido: informe um número de 1 a 30.";
        QTest::newRow("code 31") << inc << QStringList{"31", "X", "1", "", "01/01/00", "01/01/50", "2"}
                                 << "Código \"31\" inválido: informe um número de 1 a 30.";
        QTest::newRow("code 0 to remove") << exc << QStringList{"0", "", "", "", "", "", ""}
                                          << "Código \"0\" inválido: informe um número de 1 a 30.";
        QTest::newRow("negative code") << alt << QStringList{"-1", "X", "1", "", "01/01/00", "01/01/50", "2"}
                                       << "Código \"-1\" inválido: informe um número de 1 a 30.";
        QTest::newRow("remove a free code") << exc << QStringList{"9", "", "", "", "", "", ""} << "Código inexistente";
        QTest::newRow("change a free code") << alt << QStringList{"9", "X", "1", "", "01/01/00", "01/01/50", "2"}
                                            << "Código inexistente";
        const QString required = QStringLiteral("Campos Descrição, Quantidade e Folga são obrigatórios");
        QTest::newRow("no description") << inc << QStringList{"5", " ", "1", "", "01/01/00", "01/01/50", "2"}
                                        << required;
        QTest::newRow("no quantity") << alt << QStringList{"1", "X", "", "", "01/01/00", "01/01/50", "2"} << required;
        QTest::newRow("no rest") << inc << QStringList{"5", "X", "1", "", "01/01/00", "01/01/50", ""} << required;
        QTest::newRow("quantity not a number") << inc << QStringList{"5", "X", "dois", "", "01/01/00", "01/01/50", "2"}
                                               << "Quantidade \"dois\" inválida: informe um número inteiro, 0 ou mais.";
        QTest::newRow("negative quantity") << alt << QStringList{"1", "X", "-2", "", "01/01/00", "01/01/50", "2"}
                                           << "Quantidade \"-2\" inválida: informe um número inteiro, 0 ou mais.";
        QTest::newRow("priority not a number") << inc << QStringList{"5", "X", "1", "1,5", "01/01/00", "01/01/50", "2"}
                                               << "Prioridade \"1,5\" inválida: informe um número inteiro, 0 ou mais.";
        QTest::newRow("negative priority") << alt << QStringList{"2", "X", "1", "-3", "01/01/00", "01/01/50", "2"}
                                           << "Prioridade \"-3\" inválida: informe um número inteiro, 0 ou mais.";
    }
    void refusalsChangeNothing()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, boxes);
        QFETCH(QString, message);
        FixtureFolder data;
        LoadServices();
        const ServiceList model = Global().ServiceTable;
        const QStringList before = everyTable(data.module());
        bool asked = false;
        const ServiceSaveOutcome outcome =
            SaveService(ServiceMode(mode), {boxes[0], boxes[1], boxes[2], boxes[3], boxes[4], boxes[5], boxes[6]},
                        [&](const QString&) { return asked = true; });
        QVERIFY(!outcome.saved);
        QCOMPARE(outcome.message, message);
        QVERIFY(!asked);
        QCOMPARE(everyTable(data.module()), before);
        for (int code = 1; code <= 30; ++code)
            QCOMPARE(Global().ServiceTable[code].Descr, model[code].Descr);
    }

    void removingAServiceWithoutHistoryFreesItsCode()
    {
        FixtureFolder data;
        addServices({"5:Rancho"});
        TDMGeral::instance().insertRosterRow(5, QStringLiteral("1"), 3, 2);
        TDMGeral::instance().insertRosterRow(5, QStringLiteral("2"), 1, 4);
        QString question;
        // The boxes of a removal show the service; their days are not the point.
        const ServiceSaveOutcome outcome =
            SaveService(ServiceMode::Excluir, {"5", "Rancho", "1", "5", "", "", ""}, [&](const QString& text) {
                question = text;
                return true;
            });
        QVERIFY2(outcome.saved, qPrintable(outcome.message));
        QVERIFY(!outcome.retired);
        QCOMPARE(outcome.message, QString());
        QCOMPARE(question, QStringLiteral("A escala do serviço 5 (Rancho) tem 2 militares. Ao excluir o serviço, a escala "
                                          "será apagada e as quantidades de serviços desses militares serão "
                                          "perdidas.\n\nConfirma a exclusão?"));
        QCOMPARE(StoredRows(data.module(), "Sv5"), QStringList());
        QCOMPARE(StoredRows(data.module(), "Sv").size(), 3);
        QVERIFY(FreeCodesText(Global().ServiceTable).contains(QStringLiteral(" 5 ")));
        // The code can be taken again at once.
        QVERIFY(SaveService(ServiceMode::Incluir, newService("5", "Faxina")).saved);
        QCOMPARE(StoredRows(data.module(), "Sv").last(), QStringLiteral("5|Faxina|2000-01-01|2050-01-01|2|10|"));
    }

    void aServiceTheHistoryListsIsRetired()
    {
        FixtureFolder data;
        LoadServices();
        const QStringList sv1 = StoredRows(data.module(), "Sv1");
        const QStringList hist = StoredRows(data.module(), "Hist");
        const ServiceSaveOutcome outcome =
            SaveService(ServiceMode::Excluir, BoxesOf(Global().ServiceTable[3], 3), Yes);
        QVERIFY(outcome.saved);
        QVERIFY(outcome.retired);
        QCOMPARE(outcome.message, RetirementMessage());
        QVERIFY(outcome.message.contains(QStringLiteral("Histórico \nAssim,o programa")));
        QCOMPARE(StoredRows(data.module(), "Sv").at(2), QStringLiteral("3|Cb Gda|2000-01-01|2000-01-01|2|10|"));
        QCOMPARE(StoredRows(data.module(), "Sv3"), QStringList());
        QCOMPARE(StoredRows(data.module(), "Sv1"), sv1);
        QCOMPARE(StoredRows(data.module(), "Hist"), hist);
        // Still in use: its code is not offered.
        QVERIFY(!FreeCodesText(Global().ServiceTable).contains(QStringLiteral(" 3 ")));
    }

    void aRemovalAnsweredNoChangesNothing()
    {
        FixtureFolder data;
        LoadServices();
        const QStringList before = everyTable(data.module());
        for (const ServiceConfirm& confirm : {ServiceConfirm(), ServiceConfirm([](const QString&) { return false; })}) {
            const ServiceSaveOutcome outcome = SaveService(ServiceMode::Excluir, BoxesOf(Global().ServiceTable[3], 3), confirm);
            QVERIFY(!outcome.saved);
            QVERIFY(outcome.declined);
            QCOMPARE(outcome.message, EmptyRosterQuestion(3, QStringLiteral("Cb Gda"), 6));
            QCOMPARE(everyTable(data.module()), before);
            QCOMPARE(Global().ServiceTable[3].Prio, 3);
        }
    }

    void aFailedWriteKeepsTheRosterTheRegisterAndTheModel()
    {
        FixtureFolder data;
        LoadServices();
        const QStringList before = everyTable(data.module());
        // The register's writer fails after the roster was emptied in the same transaction.
        run("CREATE TRIGGER refuse BEFORE INSERT ON Sv BEGIN SELECT RAISE(ABORT, 'recusado'); END");
        QVERIFY_THROWS_EXCEPTION(CoreError,
                                 SaveService(ServiceMode::Excluir, BoxesOf(Global().ServiceTable[3], 3), Yes));
        run("DROP TRIGGER refuse");
        QCOMPARE(everyTable(data.module()), before);
        QCOMPARE(Global().ServiceTable[3].Prio, 3);
        QCOMPARE(Global().ServiceTable[3].Ini, QDate(2004, 1, 1));
    }

    void capacityWarningAboveTwentyFour_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<bool>("warned");
        QTest::newRow("24") << "24" << false;
        QTest::newRow("25") << "25" << true;
        QTest::newRow("not a number") << "x" << false;
    }
    void capacityWarningAboveTwentyFour()
    {
        QFETCH(QString, quantity);
        QFETCH(bool, warned);
        QCOMPARE(AboveCapacity(quantity), warned);
        QVERIFY(CapacityWarning().startsWith(QStringLiteral("  É possível escalar mais de 24 militares por dia")));
    }

    // The loader forgets a service the table no longer holds, so a later save cannot bring it back.
    void aServiceGoneFromTheTableIsNotWrittenBack()
    {
        FixtureFolder data;
        LoadServices();
        QCOMPARE(Global().ServiceTable[2].Descr, QStringLiteral("Adj Of"));
        run("DELETE FROM Sv WHERE CodSv = 2");
        LoadServices();
        QCOMPARE(Global().ServiceTable[2].CodSv, 0);
        QCOMPARE(Global().ServiceTable[2].Descr, QString());
        QCOMPARE(Global().ServiceTable[1].Descr, QStringLiteral("Of Dia"));
        SaveServices();
        QCOMPARE(StoredRows(data.module(), "Sv"),
                 (QStringList{"1|Of Dia|2004-01-01|2004-12-31|1|1|", "3|Cb Gda|2004-01-01|2004-12-31|2|3|"}));
    }
};

QTEST_MAIN(TestServiceRegister)
#include "TestServiceRegister.moc"
